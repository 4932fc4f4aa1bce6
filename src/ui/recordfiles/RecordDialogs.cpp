// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/RecordDialogs.h"

#include "core/common/TvError.h"
#include "core/recordfiles/FileKind.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/SharedState.h"

#include <QDir>

namespace tarvex {

QString chooseRecordFile(const SharedState& state, const QString& filter, const QString& title) {
    CommonDialog& dialog = fileDialog(state);
    dialog.CancelError = true;
    dialog.Flags = CommonDialog::OFNFileMustExist | CommonDialog::OFNHideReadOnly;
    dialog.Filter = filter;
    dialog.DialogTitle = title;
    dialog.InitDir = state.startDir + QDir::separator();
    dialog.ShowOpen();
    return dialog.FileName;
}

QString chooseExportFile(const SharedState& state, const QString& filter, const QString& title,
                         const QString& proposedName) {
    CommonDialog& dialog = fileDialog(state);
    dialog.CancelError = true;
    dialog.Flags = CommonDialog::OFNOverwritePrompt | CommonDialog::OFNHideReadOnly;
    dialog.Filter = filter;
    dialog.DialogTitle = title;
    dialog.DefaultExt = QStringLiteral(".csv");
    dialog.InitDir = state.startDir + QDir::separator() + QStringLiteral("Export Data");
    dialog.FileName = proposedName;
    dialog.ShowSave();
    refuseRecordFileTarget(state, dialog.FileName);
    return dialog.FileName;
}

void refuseRecordFileTarget(const SharedState& state, const QString& target) {
    if (isLoadedRecordFile(state, target)) {
        throw TvError(ErrPermission);
    }
    if (!isWritableTarget(target)) {
        throw TvError(ErrPathAccess); // a folder, device or FIFO is never replaced
    }
}

} // namespace tarvex
