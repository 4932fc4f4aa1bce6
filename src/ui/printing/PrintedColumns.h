// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QFont;
class QPaintDevice;

namespace tarvex {

class GridData;

// What a printed column needs to show its texts whole, in device units without padding: its
// widest cell text in the printed rows, and the widest word of its title (a title wraps on the
// page; a cell text does not). Column 0 is the header column, whose empty cells show their row
// number.
struct ColumnNeed {
    double cells = 0;
    double titleWord = 0;
};

std::vector<ColumnNeed> columnNeeds(const GridData& data, const std::vector<int>& columns,
                                    int firstRow, int rowCount, const QFont& font,
                                    const QPaintDevice& device);

} // namespace tarvex
