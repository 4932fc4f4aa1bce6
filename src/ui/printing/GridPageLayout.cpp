// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPageLayout.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

GridPageLayout::GridPageLayout(Input input) : in_(std::move(input)) {
    in_.rowHeight = std::max(in_.rowHeight, 1.0);
    headerWidth_ = std::clamp(in_.headerColumnWidth, 0.0, in_.width / 2);
    const int columns = static_cast<int>(in_.columnWidths.size());
    const double room = in_.width - headerWidth_;
    int first = 0;
    double used = 0;
    for (int c = 0; c < columns; ++c) {
        // Every band takes at least one column, however wide.
        if (c > first && used + columnWidth(c) > room) {
            bands_.emplace_back(first, c - 1);
            first = c;
            used = 0;
        }
        used += columnWidth(c);
    }
    bands_.emplace_back(first, columns - 1);

    const double rowsHeight = in_.height - in_.rowHeight; // below the header row
    rowsPerPage_ = std::max(1, static_cast<int>(std::floor(rowsHeight / in_.rowHeight)));
    rowChunks_ = std::max(1, (in_.rowCount + rowsPerPage_ - 1) / rowsPerPage_);
}

double GridPageLayout::columnWidth(int index) const {
    return std::clamp(in_.columnWidths[std::size_t(index)], 0.0, in_.width - headerWidth_);
}

int GridPageLayout::pageCount() const {
    return static_cast<int>(bands_.size()) * rowChunks_;
}

GridPageLayout::Page GridPageLayout::page(int number) const {
    const int index = std::clamp(number, 1, pageCount()) - 1;
    const auto& band = bands_[std::size_t(index / rowChunks_)];
    Page p;
    p.firstColumn = band.first;
    p.lastColumn = band.second;
    p.firstRow = index % rowChunks_ * rowsPerPage_;
    p.lastRow = std::min(in_.rowCount, p.firstRow + rowsPerPage_) - 1;
    return p;
}

std::pair<int, int> printedPageRange(int first, int last, int count) {
    if (first < 1 || first > count) {
        first = 1;
    }
    if (last < first || last > count) {
        last = count;
    }
    return {first, last};
}

} // namespace tarvex
