// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/AlarmHistoryFile.h"

#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusSink.h"

#include <QLabel>

namespace tarvex {
namespace {

// Every line is an alarm; the header column keeps the grid's running row numbers.
void loadIntoGrid(SpreadGrid& grid, const QString& path) {
    using namespace RecordLayout;
    loadRecordText(grid, path, kAlarmLoadOption);
    for (int c = 0; c < static_cast<int>(kAlarmColumns.size()); ++c) {
        grid.setColumnWidth(c, kAlarmColumns.at(c).width);
    }
    writeColumnTitles(grid, kAlarmColumns);
    rewriteTimeColumn(grid, kAlarmTimeColumn, kAlarmTimeFormat);
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPresentationNumberB(2);
}

void loadChosenAlarmHistory(SharedState& state, StatusSink& status, SpreadGrid& grid,
                            QLabel& label) {
    state.alarmFilePath = chooseRecordFile(state, QStringLiteral("Alarm Files(*.csv)|*.csv"),
                                           QStringLiteral("Open Alarm History File (.csv)"));
    clearAllCells(grid);
    grid.setRowCount(0);
    grid.setPresentationNumberA(250);
    status.setStatusText(QStringLiteral("Loading alarm history file, please wait..."));
    Screen::setMousePointer(Screen::vbHourglass);
    loadIntoGrid(grid, state.alarmFilePath);
    label.setText(QStringLiteral("Alarm History File: ") + fileBaseName(state.alarmFilePath));
    Screen::setMousePointer(Screen::vbDefault);
}

} // namespace

void getAlmFile(SharedState& state, StatusSink& status, SpreadGrid& alarmGrid, QLabel& almNameLab) {
    if (!reportErrors(QStringLiteral("getAlmFile"),
                      [&] { loadChosenAlarmHistory(state, status, alarmGrid, almNameLab); })) {
        clearAllCells(alarmGrid);
    }
}

} // namespace tarvex
