// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tarvex {

class SpreadGrid;
struct SharedState;

// Printouts of the four record grids through the shared print dialog: the data log (vaGrid),
// the operator events (opEvGrid), the audit trail (auditGrid) and the alarm history
// (alarmGrid). Each checks that its file is loaded and that a printer is installed, runs the
// print dialog and prints the grid once per copy, each copy titled with the time of its own
// start. A cancelled dialog ends the printout quietly; any other failure skips only the step
// that failed, without a message.
void printDataGrid(const SharedState& state, SpreadGrid& vaGrid);
void printOpEventGrid(const SharedState& state, SpreadGrid& opEvGrid);
void printAuditGrid(const SharedState& state, SpreadGrid& auditGrid);
void printAlarmGrid(const SharedState& state, SpreadGrid& alarmGrid);

// The date and time that the titles show, as a date serial: the system clock unless a test
// puts another in place; an empty function puts the system clock back.
void setPrintoutClock(std::function<double()> clock);

} // namespace tarvex
