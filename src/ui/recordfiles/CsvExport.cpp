// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/CsvExport.h"

#include "core/common/TvError.h"
#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"
#include "ui/viewer/frmHistory.h"

namespace tarvex {
namespace {

bool loadedOrTold(const QString& path, QLatin1StringView first, QLatin1StringView second) {
    if (!path.isEmpty()) {
        return true;
    }
    msgBox(first + QLatin1StringView("\r\n") + second, MsgStyle::Question);
    return false;
}

// One export: which grid, which record file names it, and what its dialog and report say.
struct Exporter {
    const char* procName;
    bool (*guard)(const QString& path);
    QString SharedState::*recordPath;
    SpreadGrid* frmHistory::*grid;
    const char* title;
    const char* filterDescription;
    const char* namePrefix;
};

void exportGrid(const Exporter& e) {
    try {
        const QString recordPath = pubVars().*e.recordPath;
        if (!e.guard(recordPath)) {
            return;
        }
        const QString chosen = chooseExportFile(
            QLatin1StringView(e.filterDescription) + QLatin1StringView(" (*.csv)|*.csv"),
            QLatin1StringView(e.title),
            QLatin1StringView(e.namePrefix) + fileBaseName(recordPath) + QLatin1StringView(".csv"));
        if (!saveRecordText(*(frmHistory::instance().*e.grid), chosen, loadedRecordFiles())) {
            throw TvError(0); // the grid only answers false: nothing is pending
        }
    } catch (...) {
        const TvError error = currentError();
        if (!error.isCancel()) {
            ReportError(QLatin1StringView(e.procName), error);
        }
    }
}

} // namespace

bool isDataFileOpen(const QString& path) {
    return loadedOrTold(path, QLatin1StringView("Data file has not been opened!"),
                        QLatin1StringView("Use the open file icon to load a data file."));
}

bool isAuditFileOpen(const QString& path) {
    return loadedOrTold(path, QLatin1StringView("Audit file has not been opened!"),
                        QLatin1StringView("Use the open file icon to load an audit file."));
}

bool isAlarmFileOpen(const QString& path) {
    return loadedOrTold(path, QLatin1StringView("Alarm History file has not been opened!"),
                        QLatin1StringView("Use the open file icon to load an alarm file."));
}

void exportHistData() {
    exportGrid({"exportHistData", &isDataFileOpen, &SharedState::dataFilePath, &frmHistory::vaGrid,
                "Export data file as?", "Exported Data Files", ""});
}

void exportOpEventData() {
    exportGrid({"exportOpEventData", &isDataFileOpen, &SharedState::dataFilePath,
                &frmHistory::opEvGrid, "Export Op Event File as?", "Exported Op Event Files",
                "Op Event "});
}

void exportAuditTrailData() {
    exportGrid({"exportAuditTrailData", &isAuditFileOpen, &SharedState::auditFilePath,
                &frmHistory::auditGrid, "Export Audit Trail File as?", "Exported Audit Files",
                "Audit "});
}

void exportAlmData() {
    exportGrid({"exportAlmData", &isAlarmFileOpen, &SharedState::alarmFilePath,
                &frmHistory::alarmGrid, "Export Alarm History File as?",
                "Exported Alarm History Files", "Alarm "});
}

} // namespace tarvex
