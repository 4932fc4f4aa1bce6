// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace tarvex {

class SpreadGrid;
class StatusSink;
struct SharedState;

// The controls of the viewer's "Data" tab that a data log and the files beside it fill.
struct DataLogView {
    SpreadGrid* vaGrid = nullptr;      // the records
    SpreadGrid* digiSigGrid = nullptr; // the signatures (".sig")
    SpreadGrid* opEvGrid = nullptr;    // the operator events (".evt")
    QWidget* DcryLabel = nullptr;      // the plotting progress, hidden by a reset
    QWidget* ProgBar = nullptr;
};

// Shows the Open dialog and loads the chosen data log into vaGrid, with its time column
// rewritten; sets dataFilePath. Failures are reported as "getHistFile", then the data view is
// reset; a cancelled dialog changes nothing. True when a data log was loaded.
bool getHistFile(SharedState& state, StatusSink& status, const DataLogView& view);

// getHistFile's steps on the grid: the load (titles to row 0, dates to the header column), the
// widths and settings, the column count and the time rewrite. Throws TvError: number 0 when
// the grid refuses the file, ErrOverflow past 32,766 records.
void loadDataLogGrid(SpreadGrid& grid, const QString& path);

// Whether a loaded data log comes with operator events: its first record has no first value.
bool hasOperatorEvents(const SpreadGrid& grid);

// Empties the three grids, forgets dataFilePath and hides the plotting progress display.
// Shows no message.
void resetDataView(SharedState& state, StatusSink& status, const DataLogView& view);

} // namespace tarvex
