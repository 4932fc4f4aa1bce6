// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/AuditTrailFile.h"

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
#include "ui/viewer/frmHistory.h"

#include <QLabel>

namespace tarvex {
namespace {

// Every line is a record: the date goes to the header column, the titles are our own.
void loadIntoGrid(SpreadGrid& grid, const QString& path) {
    using namespace RecordLayout;
    clearAllCells(grid);
    grid.setRowCount(0);
    if (!loadRecordText(grid, path, kAuditLoadOption)) {
        throw TvError(0); // the grid only answers false: nothing is pending
    }
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPresentationNumberB(2);
    grid.setPresentationNumberA(250);
    writeColumnTitles(grid, kAuditColumns);
    for (int c = 0; c < static_cast<int>(kAuditColumns.size()); ++c) {
        grid.setColumnWidth(c, kAuditColumns.at(c).width);
    }
    grid.setCurrentColumn(kAuditHiddenColumn);
    grid.setColumnHidden(true);
}

void loadChosenAuditTrail(const QString& filter) {
    SharedState& shared = pubVars();
    shared.auditFilePath = chooseRecordFile(filter, QStringLiteral("Open Audit Trail File"));
    frmMain::instance().setStatusText(QStringLiteral("Loading audit trail file, please wait..."));
    Screen::setMousePointer(Screen::vbHourglass);
    doEvents();
    frmHistory& viewer = frmHistory::instance();
    loadIntoGrid(*viewer.auditGrid, shared.auditFilePath);
    viewer.auditNameLab->setText(QStringLiteral("Audit Trail File: ") +
                                 fileBaseName(shared.auditFilePath));
    Screen::setMousePointer(Screen::vbDefault);
}

} // namespace

void getAuditFile() {
    const QString audEntry = QStringLiteral("Audit Files(*.aud)|*.aud");
    const QString csvEntry = QStringLiteral("Audit Files(*.csv)|*.csv");
    try {
        loadChosenAuditTrail(audEntry + QLatin1Char('|') + csvEntry);
    } catch (...) {
        const TvError error = currentError();
        if (error.isCancel()) {
            return;
        }
        ReportError(QStringLiteral("getAuditFile"), error);
        clearAllCells(*frmHistory::instance().auditGrid);
    }
}

} // namespace tarvex
