// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

class SpreadGrid;

// The user's selection of a grid as a spreadsheet takes it from the clipboard: tab-separated
// lines, each ended by a line feed. The first line holds the column titles, after the corner
// cell's text; every selected row follows, starting with its row title. Several blocks are taken
// together: the rows and columns of all of them, with the cells that no block holds left empty.
// Hidden columns are left out, the row titles too while the header column is hidden. Empty when
// nothing is selected.
QString selectionAsText(const SpreadGrid& grid);

// Puts selectionAsText on the clipboard; an empty selection leaves the clipboard alone.
void copySelection(const SpreadGrid& grid);

} // namespace tarvex
