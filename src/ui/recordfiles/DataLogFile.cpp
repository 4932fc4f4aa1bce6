// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/DataLogFile.h"

#include "core/common/TvError.h"
#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/viewer/frmHistory.h"

#include <QLabel>

namespace tarvex {
namespace {

// A log whose first record has no first value comes with operator events.
bool firstValueEmpty(const SpreadGrid& grid) {
    CellValue value;
    grid.GetCellValue(2, 1, value);
    return value.isEmpty();
}

void loadChosenLog(const QString& path) {
    Screen::setMousePointer(Screen::vbHourglass);
    frmMain::instance().setStatusText(QStringLiteral("Loading File, please wait!"));
    doEvents();
    SharedState& shared = pubVars();
    shared.dataFilePath = path;
    frmHistory& viewer = frmHistory::instance();
    loadDataLogGrid(*viewer.vaGrid, shared.dataFilePath);
    viewer.setTabAvailable(frmHistory::TabOperatorEvents, firstValueEmpty(*viewer.vaGrid));
    Screen::setMousePointer(Screen::vbDefault);
    frmMain::instance().setStatusText(QStringLiteral("Current File is ") + shared.dataFilePath);
    viewer.iPlotX->setTitleText(QStringLiteral("Data File: ") + fileBaseName(shared.dataFilePath));
}

} // namespace

void loadDataLogGrid(SpreadGrid& grid, const QString& path) {
    using namespace RecordLayout;
    if (!loadRecordText(grid, path, kDataLogLoadOption)) {
        throw TvError(0); // the grid only answers false: nothing is pending
    }
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

void getHistFile() {
    try {
        loadChosenLog(chooseRecordFile(QStringLiteral("Log Files(*.csv)|*.csv"),
                                       QStringLiteral("Open Log File (.csv)")));
    } catch (...) {
        const TvError error = currentError();
        if (error.isCancel()) {
            return;
        }
        ReportError(QStringLiteral("getHistFile"), error);
        resetDataView();
    }
}

void resetDataView() {
    frmHistory& viewer = frmHistory::instance();
    for (SpreadGrid* grid : {viewer.vaGrid, viewer.digiSigGrid, viewer.opEvGrid}) {
        clearAllCells(*grid);
    }
    SharedState& shared = pubVars();
    shared.dataFilePath.clear();
    frmMain::instance().setStatusText(shared.dataFilePath);
    Screen::setMousePointer(Screen::vbDefault);
    viewer.DcryLabel->hide();
    viewer.ProgBar->hide();
}

} // namespace tarvex
