// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordfiles/GridSearch.h"

#include <vector>

class QWidget;

namespace tarvex {

class SpreadGrid;

// Gives a grid its keys for finding and going to a time: Ctrl+F opens the find bar, F3 and
// Shift+F3 find the next and the previous match, Ctrl+G opens the go-to box on a grid whose
// roles name a date and a time column.
void installGridNavigation(SpreadGrid& grid);

// The columns a grid shows, in order: the header column unless it is hidden, then the data
// columns that are not hidden.
std::vector<int> shownColumns(const SpreadGrid& grid);

// The grid's current cell; row 1 of the first column when there is none.
GridPlace currentPlace(const SpreadGrid& grid);

// Makes a cell current and selects it, and scrolls it into view clear of `bar`, a bar floating
// over the grid (null: none). A header column cell selects its row.
void showPlace(SpreadGrid& grid, GridPlace place, const QWidget* bar);

} // namespace tarvex
