// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPageLayout.h"

#include <algorithm>
#include <numeric>

namespace tarvex {
namespace {

// Widths are sums of many columns: a band that fits exactly must not spill over by rounding.
constexpr double kSlack = 0.01;

bool contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

GridPageLayout::GridPageLayout(Input input) : in_(std::move(input)) {
    in_.rowHeight = std::max(in_.rowHeight, 1.0);
    headerHeight_ =
        std::clamp(in_.headerRowHeight, in_.rowHeight, std::max(in_.height / 2, in_.rowHeight));
    headerWidth_ = std::clamp(in_.headerColumnWidth, 0.0, in_.width / 2);
    std::erase_if(in_.keyColumns,
                  [&](int k) { return k < 0 || k >= static_cast<int>(in_.columnWidths.size()); });
    cutBands();
    cutRows();
}

double GridPageLayout::wrappedWidth(const Input& input, int index) {
    const double natural = input.columnWidths[std::size_t(index)];
    double beside = std::clamp(input.headerColumnWidth, 0.0, input.width / 2);
    for (int c = 0; c < static_cast<int>(input.columnWidths.size()); ++c) {
        if (c != index && (c < index || contains(input.keyColumns, c))) {
            beside += input.columnWidths[std::size_t(c)];
        }
    }
    const double room = input.width - beside;
    return natural <= room || room < input.width / 4 ? natural : room;
}

void GridPageLayout::cutBands() {
    const int columns = static_cast<int>(in_.columnWidths.size());
    const double pageRoom = in_.width - headerWidth_;
    widths_.clear();
    for (const double w : in_.columnWidths) {
        widths_.push_back(std::clamp(w, 0.0, pageRoom));
    }
    const double all = std::accumulate(widths_.begin(), widths_.end(), 0.0);
    double keys = 0;
    for (const int k : in_.keyColumns) {
        keys += widths_[std::size_t(k)];
    }
    // Keys repeat only where more than one band is needed and they leave room for the rest.
    const bool repeatKeys = all > pageRoom + kSlack && pageRoom - keys >= in_.width / 4;
    const std::vector<int> keyColumns = repeatKeys ? in_.keyColumns : std::vector<int>{};
    const double room = pageRoom - (repeatKeys ? keys : 0);
    std::vector<int> run;
    double used = 0;
    const auto closeBand = [&] {
        std::vector<int> band = keyColumns;
        band.insert(band.end(), run.begin(), run.end());
        std::sort(band.begin(), band.end());
        band.erase(std::unique(band.begin(), band.end()), band.end());
        bands_.push_back(std::move(band));
        run.clear();
        used = 0;
    };
    for (int c = 0; c < columns; ++c) {
        if (contains(keyColumns, c)) {
            continue;
        }
        widths_[std::size_t(c)] = std::min(widths_[std::size_t(c)], room);
        // Every band takes at least one column, however wide.
        if (!run.empty() && used + widths_[std::size_t(c)] > room + kSlack) {
            closeBand();
        }
        run.push_back(c);
        used += widths_[std::size_t(c)];
    }
    if (!run.empty() || bands_.empty()) {
        closeBand();
    }
}

double GridPageLayout::rowHeight(int row) const {
    const double height =
        std::size_t(row) < in_.rowHeights.size() ? in_.rowHeights[std::size_t(row)] : in_.rowHeight;
    // A row never needs more than a page below the header row, nor less than a line.
    return std::clamp(height, 1.0, std::max(in_.height - headerHeight_, in_.rowHeight));
}

void GridPageLayout::cutRows() {
    const double room = in_.height - headerHeight_;
    int first = 0;
    double used = 0;
    for (int row = 0; row < in_.rowCount; ++row) {
        const double height = rowHeight(row);
        if (row > first && used + height > room) {
            rowChunks_.emplace_back(first, row - 1);
            first = row;
            used = 0;
        }
        used += height;
    }
    rowChunks_.emplace_back(first, in_.rowCount - 1);
}

int GridPageLayout::pageCount() const {
    return static_cast<int>(bands_.size() * rowChunks_.size());
}

GridPageLayout::Page GridPageLayout::page(int number) const {
    const auto index = static_cast<std::size_t>(std::clamp(number, 1, pageCount()) - 1);
    const auto& rows = rowChunks_[index % rowChunks_.size()];
    return {bands_[index / rowChunks_.size()], rows.first, rows.second};
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
