// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

class SpreadGrid;

// Shows the Open dialog and loads the chosen data log into the viewer's vaGrid, with its time
// column rewritten; sets dataFilePath. Failures are reported as "getHistFile", then the data
// view is reset; a cancelled dialog changes nothing.
void getHistFile();

// getHistFile's steps on the grid: the load (titles to row 0, dates to the header column), the
// widths and settings, the column count and the time rewrite. Throws TvError: number 0 when
// the grid refuses the file, ErrOverflow past 32,766 records.
void loadDataLogGrid(SpreadGrid& grid, const QString& path);

// Empties vaGrid, digiSigGrid and opEvGrid, forgets dataFilePath and hides the plotting
// progress display. Shows no message.
void resetDataView();

} // namespace tarvex
