// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/DataLogFile.h"

#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusSink.h"

#include <QWidget>

namespace tarvex {
namespace {

void loadChosenLog(SharedState& state, StatusSink& status, SpreadGrid& grid, const QString& path) {
    Screen::setMousePointer(Screen::vbHourglass);
    status.setStatusText(QStringLiteral("Loading File, please wait!"));
    doEvents();
    state.dataFilePath = path;
    loadDataLogGrid(grid, state.dataFilePath);
    Screen::setMousePointer(Screen::vbDefault);
    status.setStatusText(QStringLiteral("Current File is ") + state.dataFilePath);
}

} // namespace

void loadDataLogGrid(SpreadGrid& grid, const QString& path) {
    using namespace RecordLayout;
    loadRecordText(grid, path, kDataLogLoadOption);
    grid.setColumnWidth(0, kDataLogColumnWidth);
    grid.setColumnWidth(-1, kDataLogColumnWidth);
    grid.setPresentationNumberA(250);
    grid.setPresentationNumberC(5);
    grid.setColumnCount(grid.FilledColumnCount());
    rewriteTimeColumn(grid, kDataLogTimeColumn, kDataLogTimeFormat);
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPresentationFlagC(true);
}

bool hasOperatorEvents(const SpreadGrid& grid) {
    CellValue value;
    grid.GetCellValue(2, 1, value);
    return value.isEmpty();
}

bool getHistFile(SharedState& state, StatusSink& status, const DataLogView& view) {
    bool loaded = false;
    const bool handled = reportErrors(QStringLiteral("getHistFile"), [&] {
        const QString path = chooseRecordFile(state, QStringLiteral("Log Files(*.csv)|*.csv"),
                                              QStringLiteral("Open Log File (.csv)"));
        loadChosenLog(state, status, *view.vaGrid, path);
        loaded = true;
    });
    if (!handled) {
        resetDataView(state, status, view);
    }
    return loaded;
}

void resetDataView(SharedState& state, StatusSink& status, const DataLogView& view) {
    for (SpreadGrid* grid : {view.vaGrid, view.digiSigGrid, view.opEvGrid}) {
        clearAllCells(*grid);
    }
    state.dataFilePath.clear();
    status.setStatusText(state.dataFilePath);
    Screen::setMousePointer(Screen::vbDefault);
    view.DcryLabel->hide();
    view.ProgBar->hide();
}

} // namespace tarvex
