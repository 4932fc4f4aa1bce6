#include "printing/GridPrintouts.h"

namespace tarvex {

void printDataGrid() {}

void printOpEventGrid() {}

void printAuditGrid() {}

void printAlarmGrid() {}

} // namespace tarvex
