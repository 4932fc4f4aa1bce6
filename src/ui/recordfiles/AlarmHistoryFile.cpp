// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/AlarmHistoryFile.h"

#include "core/common/TvError.h"
#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/viewer/frmHistory.h"

#include <QLabel>

namespace tarvex {
namespace {

// Every line is an alarm; the header column keeps the grid's running row numbers.
void loadIntoGrid(SpreadGrid& grid, const QString& path) {
    using namespace RecordLayout;
    if (!loadRecordText(grid, path, kAlarmLoadOption)) {
        throw TvError(0); // the grid only answers false: nothing is pending
    }
    for (int c = 0; c < static_cast<int>(kAlarmColumns.size()); ++c) {
        grid.setColumnWidth(c, kAlarmColumns.at(c).width);
    }
    writeColumnTitles(grid, kAlarmColumns);
    rewriteTimeColumn(grid, kAlarmTimeColumn, kAlarmTimeFormat);
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPresentationNumberB(2);
}

void loadChosenAlarmHistory() {
    SharedState& shared = pubVars();
    shared.alarmFilePath = chooseRecordFile(QStringLiteral("Alarm Files(*.csv)|*.csv"),
                                            QStringLiteral("Open Alarm History File (.csv)"));
    frmHistory& viewer = frmHistory::instance();
    SpreadGrid& grid = *viewer.alarmGrid;
    clearAllCells(grid);
    grid.setRowCount(0);
    grid.setPresentationNumberA(250);
    frmMain::instance().setStatusText(QStringLiteral("Loading alarm history file, please wait..."));
    Screen::setMousePointer(Screen::vbHourglass);
    loadIntoGrid(grid, shared.alarmFilePath);
    viewer.almNameLab->setText(QStringLiteral("Alarm History File: ") +
                               fileBaseName(shared.alarmFilePath));
    Screen::setMousePointer(Screen::vbDefault);
}

} // namespace

void getAlmFile() {
    try {
        loadChosenAlarmHistory();
    } catch (...) {
        const TvError error = currentError();
        if (error.isCancel()) {
            return;
        }
        ReportError(QStringLiteral("getAlmFile"), error);
        clearAllCells(*frmHistory::instance().alarmGrid);
    }
}

} // namespace tarvex
