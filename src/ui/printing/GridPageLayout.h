// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

namespace tarvex {

// How a grid's print range is cut into pages, by arithmetic on widths and row heights alone.
// Columns are cut into bands that fit the page width; each band is printed down all its rows
// before the next band starts (down, then across). The header column, when printed, starts
// every band and the header row tops every page. Key columns stand in every band, so that each
// page can be read alone: a band is the key columns and a run of the others, in grid order.
// Units are the device's.
class GridPageLayout {
public:
    struct Input {
        std::vector<double> columnWidths; // the printed data columns, in order
        std::vector<int> keyColumns;      // indexes into columnWidths
        double headerColumnWidth = 0;     // 0: no header column
        int rowCount = 0;                 // printed data rows
        double rowHeight = 1;             // every row without a height of its own
        std::vector<double> rowHeights;   // by printed row, where rows differ; may be empty
        double width = 0;                 // the box the grid fills on a page
        double height = 0;
        double headerRowHeight = 0; // below rowHeight: rowHeight
    };
    // One page: printed columns (indexes into columnWidths, in order) and printed rows
    // firstRow..lastRow, counted from 0.
    struct Page {
        std::vector<int> columns;
        int firstRow = 0;
        int lastRow = -1;
    };

    explicit GridPageLayout(Input input);

    // The width for a column whose text wraps: narrowed so that it stands beside the header
    // column, the key columns and the columns before it, unless that leaves it less than a
    // quarter of the page; as given when it fits already.
    [[nodiscard]] static double wrappedWidth(const Input& input, int index);

    [[nodiscard]] int pageCount() const;
    // Page `number`, 1 to pageCount().
    [[nodiscard]] Page page(int number) const;
    // The header row's height, and that of a printed row (cut to what a page holds).
    [[nodiscard]] double headerRowHeight() const { return headerHeight_; }
    [[nodiscard]] double rowHeight(int row) const;
    // Widths as printed: a column wider than a page is cut to the page, and a header column
    // takes at most half of it.
    [[nodiscard]] double headerColumnWidth() const { return headerWidth_; }
    [[nodiscard]] double columnWidth(int index) const { return widths_[std::size_t(index)]; }

private:
    void cutBands();
    void cutRows();

    Input in_;
    double headerWidth_ = 0;
    double headerHeight_ = 1;
    std::vector<double> widths_;
    std::vector<std::vector<int>> bands_;
    std::vector<std::pair<int, int>> rowChunks_; // first and last row of each page of a band
};

// The pages to print out of `count`: first to last when both lie within 1 to count; a first
// page outside that range (0 included) starts at 1, a last page outside first to count ends at
// count.
std::pair<int, int> printedPageRange(int first, int last, int count);

} // namespace tarvex
