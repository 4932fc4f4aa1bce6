// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

namespace tarvex {

// How a grid's print range is cut into pages, by arithmetic on widths and the row height
// alone. Columns are cut into bands that fit the page width; each band is printed down all
// its rows before the next band starts (down, then across). The header column, when printed,
// starts every band and the header row tops every page. Units are the device's.
class GridPageLayout {
public:
    struct Input {
        std::vector<double> columnWidths; // the printed data columns, in order
        double headerColumnWidth = 0;     // 0: no header column
        int rowCount = 0;                 // printed data rows
        double rowHeight = 1;             // every row, the header row included
        double width = 0;                 // the box the grid fills on a page
        double height = 0;
    };
    // One page: printed columns firstColumn..lastColumn (indexes into columnWidths; none when
    // lastColumn < firstColumn) and printed rows firstRow..lastRow, counted from 0.
    struct Page {
        int firstColumn = 0;
        int lastColumn = -1;
        int firstRow = 0;
        int lastRow = -1;
    };

    explicit GridPageLayout(Input input);

    [[nodiscard]] int pageCount() const;
    // Page `number`, 1 to pageCount().
    [[nodiscard]] Page page(int number) const;
    [[nodiscard]] int rowsPerPage() const { return rowsPerPage_; }
    [[nodiscard]] double rowHeight() const { return in_.rowHeight; }
    // Widths as printed: a column wider than a page is cut to the page, and a header column
    // takes at most half of it.
    [[nodiscard]] double headerColumnWidth() const { return headerWidth_; }
    [[nodiscard]] double columnWidth(int index) const;

private:
    Input in_;
    double headerWidth_ = 0;
    std::vector<std::pair<int, int>> bands_; // first and last column index
    int rowsPerPage_ = 1;
    int rowChunks_ = 1;
};

// The pages to print out of `count`: first to last when both lie within 1 to count; a first
// page outside that range (0 included) starts at 1, a last page outside first to count ends at
// count.
std::pair<int, int> printedPageRange(int first, int last, int count);

} // namespace tarvex
