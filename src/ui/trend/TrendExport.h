// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/PlotExport.h"

#include <QString>

namespace tarvex {

class PlotControl;
struct SharedState;

// Asks for a file name, proposing `proposedBase` with the format's extension, and writes what
// the plot shows: the visible records as CSV, or its picture at the size the user confirms,
// starting from the plot's own. The JPEG save's refusals hold: never a loaded record file or
// one beside it, a folder or a device. A cancelled dialog does nothing; any other failure is
// told as "File can not be saved. Check filename or disk space".
void exportTrend(const SharedState& state, PlotControl& plot, PlotExport format,
                 const QString& proposedBase);

} // namespace tarvex
