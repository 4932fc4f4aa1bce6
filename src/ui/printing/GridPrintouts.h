// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tarvex {

// Printouts of the four record grids of the history viewer through the print dialog: the data
// log (vaGrid), the operator events (opEvGrid), the audit trail (auditGrid) and the alarm
// history (alarmGrid). Each checks that its file is loaded and that a printer is installed,
// runs the print dialog and prints the grid once per copy, each copy titled with the time of
// its own start. A cancelled dialog ends the printout quietly; any other failure skips only the
// step that failed, without a message.
void printDataGrid();
void printOpEventGrid();
void printAuditGrid();
void printAlarmGrid();

// The date and time that the titles show, as a date serial: the system clock unless a test
// puts another in place; an empty function puts the system clock back.
void setPrintoutClock(std::function<double()> clock);

} // namespace tarvex
