// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/RecordLayouts.h"

#include "core/common/TvError.h"

namespace tarvex {
namespace {

// The grid only answers false; no error is pending then, which reports as number 0.
void load(GridData& grid, const QString& path, int option) {
    if (!loadRecordText(grid, path, option)) {
        throw TvError(0);
    }
}

void emptyGrid(GridData& grid) {
    clearAllCells(grid);
    grid.setRowCount(0);
}

} // namespace

void loadRecordFile(GridData& grid, RecordKind kind, const QString& path) {
    using namespace RecordLayout;
    switch (kind) {
    case RecordKind::DataLog:
        load(grid, path, kDataLogLoadOption);
        grid.setColumnCount(grid.FilledColumnCount());
        rewriteTimeColumn(grid, kDataLogTimeColumn, kDataLogTimeFormat);
        break;
    case RecordKind::AuditTrail:
        emptyGrid(grid);
        load(grid, path, kAuditLoadOption);
        writeColumnTitles(grid, kAuditColumns);
        break;
    case RecordKind::AlarmHistory:
        emptyGrid(grid);
        load(grid, path, kAlarmLoadOption);
        writeColumnTitles(grid, kAlarmColumns);
        rewriteTimeColumn(grid, kAlarmTimeColumn, kAlarmTimeFormat);
        break;
    }
}

} // namespace tarvex
