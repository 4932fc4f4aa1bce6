// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/RecordLayouts.h"

namespace tarvex {
namespace {

void emptyGrid(GridData& grid) {
    clearAllCells(grid);
    grid.setRowCount(0);
}

} // namespace

void loadRecordFile(GridData& grid, RecordKind kind, const QString& path) {
    using namespace RecordLayout;
    switch (kind) {
    case RecordKind::DataLog:
        loadRecordText(grid, path, kDataLogLoadOption);
        grid.setColumnCount(grid.FilledColumnCount());
        rewriteTimeColumn(grid, kDataLogTimeColumn, kDataLogTimeFormat);
        break;
    case RecordKind::AuditTrail:
        emptyGrid(grid);
        loadRecordText(grid, path, kAuditLoadOption);
        writeColumnTitles(grid, kAuditColumns);
        break;
    case RecordKind::AlarmHistory:
        emptyGrid(grid);
        loadRecordText(grid, path, kAlarmLoadOption);
        writeColumnTitles(grid, kAlarmColumns);
        rewriteTimeColumn(grid, kAlarmTimeColumn, kAlarmTimeFormat);
        break;
    }
}

} // namespace tarvex
