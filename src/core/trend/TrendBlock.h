// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// One block of the data grid's selection as the trend reads it; bounds are inclusive. A row
// reported as -1 stands for whole columns, a column reported as -1 for whole rows.
struct TrendBlock {
    int firstColumn = 0;
    int firstRow = 0;
    int lastColumn = 0;
    int lastRow = 0;

    bool operator==(const TrendBlock&) const = default;
};

// Whether a block can be plotted.
enum class TrendBlockCheck { Ok, TooFewRows, NotDataCells };

// The first column that holds values. When the first record's first value (column 2, row 1)
// is empty the log carries note columns (2 to 4) before its values; otherwise values start at 2.
int firstTrendColumn(bool firstValueEmpty);

// Rows reported as -1 become row 1 and `rowCount`.
TrendBlock withWholeColumnRows(TrendBlock block, int rowCount);

// Columns reported as -1 become the value columns, from firstTrendColumn to `columnCount`.
TrendBlock withWholeRowColumns(TrendBlock block, bool firstValueEmpty, int columnCount);

// A block needs at least 4 rows, and must not start left of the value columns. Only its first
// column is tested; one reported as -1 passes.
TrendBlockCheck checkTrendBlock(const TrendBlock& block, bool firstValueEmpty);

} // namespace tarvex
