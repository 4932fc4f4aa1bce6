// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/RecordDialogs.h"

#include "core/common/TvError.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/RecordFileGuard.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/SharedState.h"

#include <QDir>
#include <QFileInfo>

namespace tarvex {

QString chooseRecordFile(const QString& filter, const QString& title) {
    CommonDialog& dialog = fileDialog();
    dialog.CancelError = true;
    dialog.Flags = CommonDialog::OFNFileMustExist | CommonDialog::OFNHideReadOnly;
    dialog.Filter = filter;
    dialog.DialogTitle = title;
    dialog.InitDir = pubVars().startDir + QDir::separator();
    dialog.ShowOpen();
    return dialog.FileName;
}

QString chooseExportFile(const QString& filter, const QString& title, const QString& proposedName) {
    CommonDialog& dialog = fileDialog();
    dialog.CancelError = true;
    dialog.Flags = CommonDialog::OFNOverwritePrompt | CommonDialog::OFNHideReadOnly;
    dialog.Filter = filter;
    dialog.DialogTitle = title;
    dialog.DefaultExt = QStringLiteral(".csv");
    dialog.InitDir = pubVars().startDir + QDir::separator() + QStringLiteral("Export Data");
    dialog.FileName = proposedName;
    dialog.ShowSave();
    refuseRecordFileTarget(dialog.FileName);
    return dialog.FileName;
}

QStringList loadedRecordFiles() {
    const SharedState& shared = pubVars();
    return recordFileSet(shared.dataFilePath) + recordFileSet(shared.auditFilePath) +
           recordFileSet(shared.alarmFilePath);
}

namespace {
bool isLoadedRecordFile(const QString& target) {
    return namesAnyOf(target, loadedRecordFiles());
}
} // namespace

QString recordFileRefusal(const QString& target) {
    if (!isLoadedRecordFile(target)) {
        return {};
    }
    return QStringLiteral("%1 is a record file that the viewer has open; it is never "
                          "overwritten.\r\nPlease choose another file name.")
        .arg(QFileInfo(target).fileName());
}

void refuseRecordFileTarget(const QString& target) {
    if (isLoadedRecordFile(target)) {
        throw TvError(ErrPermission);
    }
    if (!isWritableTarget(target)) {
        throw TvError(ErrPathAccess); // a folder, device or FIFO is never replaced
    }
}

} // namespace tarvex
