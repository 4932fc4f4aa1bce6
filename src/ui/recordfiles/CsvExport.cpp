// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/CsvExport.h"

#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"

namespace tarvex {
namespace {

bool loadedOrTold(const QString& path, QLatin1StringView first, QLatin1StringView second) {
    if (!path.isEmpty()) {
        return true;
    }
    msgBox(first + QLatin1StringView("\r\n") + second, MsgStyle::Question);
    return false;
}

// One export: which record file names it, and what its dialog and report say.
struct Exporter {
    const char* procName;
    bool (*guard)(const QString& path);
    QString SharedState::*recordPath;
    const char* title;
    const char* filterDescription;
    const char* namePrefix;
};

void exportGrid(const Exporter& e, const SharedState& state, const SpreadGrid& grid) {
    reportErrors(QString::fromLatin1(e.procName), [&] {
        const QString recordPath = state.*e.recordPath;
        if (!e.guard(recordPath)) {
            return;
        }
        const QString chosen = chooseExportFile(
            state, QLatin1StringView(e.filterDescription) + QLatin1StringView(" (*.csv)|*.csv"),
            QLatin1StringView(e.title),
            QLatin1StringView(e.namePrefix) + fileBaseName(recordPath) + QLatin1StringView(".csv"));
        saveRecordText(grid, chosen, loadedRecordFiles(state));
    });
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

void exportHistData(const SharedState& state, const SpreadGrid& vaGrid) {
    exportGrid({"exportHistData", &isDataFileOpen, &SharedState::dataFilePath,
                "Export data file as?", "Exported Data Files", ""},
               state, vaGrid);
}

void exportOpEventData(const SharedState& state, const SpreadGrid& opEvGrid) {
    exportGrid({"exportOpEventData", &isDataFileOpen, &SharedState::dataFilePath,
                "Export Op Event File as?", "Exported Op Event Files", "Op Event "},
               state, opEvGrid);
}

void exportAuditTrailData(const SharedState& state, const SpreadGrid& auditGrid) {
    exportGrid({"exportAuditTrailData", &isAuditFileOpen, &SharedState::auditFilePath,
                "Export Audit Trail File as?", "Exported Audit Files", "Audit "},
               state, auditGrid);
}

void exportAlmData(const SharedState& state, const SpreadGrid& alarmGrid) {
    exportGrid({"exportAlmData", &isAlarmFileOpen, &SharedState::alarmFilePath,
                "Export Alarm History File as?", "Exported Alarm History Files", "Alarm "},
               state, alarmGrid);
}

} // namespace tarvex
