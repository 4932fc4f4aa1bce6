// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/AuditTrailFile.h"

#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusSink.h"

#include <QLabel>

namespace tarvex {
namespace {

// Every line is a record: the date goes to the header column, the titles are our own.
void loadIntoGrid(SpreadGrid& grid, const QString& path) {
    using namespace RecordLayout;
    clearAllCells(grid);
    grid.setRowCount(0);
    loadRecordText(grid, path, kAuditLoadOption);
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

void loadChosenAuditTrail(SharedState& state, StatusSink& status, const AuditTrailView& view) {
    const QString audEntry = QStringLiteral("Audit Files(*.aud)|*.aud");
    const QString csvEntry = QStringLiteral("Audit Files(*.csv)|*.csv");
    state.auditFilePath = chooseRecordFile(state, audEntry + QLatin1Char('|') + csvEntry,
                                           QStringLiteral("Open Audit Trail File"));
    status.setStatusText(QStringLiteral("Loading audit trail file, please wait..."));
    Screen::setMousePointer(Screen::vbHourglass);
    doEvents();
    loadIntoGrid(*view.auditGrid, state.auditFilePath);
    view.auditNameLab->setText(QStringLiteral("Audit Trail File: ") +
                               fileBaseName(state.auditFilePath));
    Screen::setMousePointer(Screen::vbDefault);
}

} // namespace

void getAuditFile(SharedState& state, StatusSink& status, const AuditTrailView& view) {
    if (!reportErrors(QStringLiteral("getAuditFile"),
                      [&] { loadChosenAuditTrail(state, status, view); })) {
        clearAllCells(*view.auditGrid);
    }
}

} // namespace tarvex
