// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

class SpreadGrid;
struct SharedState;

// The file-loaded guards: true when `path` names a loaded file; otherwise they tell the user and
// answer false.
bool isDataFileOpen(const QString& path);
bool isAuditFileOpen(const QString& path);
bool isAlarmFileOpen(const QString& path);

// The four CSV exports of a grid, each through the Save dialog: the data log (vaGrid), the
// operator events (opEvGrid), the audit trail (auditGrid) and the alarm history (alarmGrid).
// Each checks first that its record file is loaded.
void exportHistData(const SharedState& state, const SpreadGrid& vaGrid);
void exportOpEventData(const SharedState& state, const SpreadGrid& opEvGrid);
void exportAuditTrailData(const SharedState& state, const SpreadGrid& auditGrid);
void exportAlmData(const SharedState& state, const SpreadGrid& alarmGrid);

} // namespace tarvex
