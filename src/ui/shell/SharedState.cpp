// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/SharedState.h"

#include "core/common/TvError.h"
#include "core/recordfiles/RecordFileGuard.h"

#include <QFileInfo>

namespace tarvex {

CommonDialog& fileDialog(const SharedState& state) {
    if (state.fileDialog == nullptr) {
        throw TvError(ErrInvalidCall);
    }
    return *state.fileDialog;
}

ZvLog& cryptoLog(const SharedState& state) {
    if (!state.cryptoLog) {
        throw TvError(ErrInvalidCall);
    }
    return *state.cryptoLog;
}

QStringList loadedRecordFiles(const SharedState& state) {
    return recordFileSet(state.dataFilePath) + recordFileSet(state.auditFilePath) +
           recordFileSet(state.alarmFilePath);
}

bool isLoadedRecordFile(const SharedState& state, const QString& target) {
    return namesAnyOf(target, loadedRecordFiles(state));
}

QString recordFileRefusal(const SharedState& state, const QString& target) {
    if (!isLoadedRecordFile(state, target)) {
        return {};
    }
    return QStringLiteral("%1 is a record file that the viewer has open; it is never "
                          "overwritten.\r\nPlease choose another file name.")
        .arg(QFileInfo(target).fileName());
}

} // namespace tarvex
