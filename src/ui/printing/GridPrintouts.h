#pragma once

namespace tarvex {

// Printouts of the four record grids through the print dialog.
void printDataGrid();
void printOpEventGrid();
void printAuditGrid();
void printAlarmGrid();

} // namespace tarvex
