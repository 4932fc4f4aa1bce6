// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/GridSearch.h"

#include "core/recordfiles/GridData.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstring>

namespace tarvex {
namespace {

constexpr GridPlace kBeforeAll{-1, 0};
constexpr GridPlace kAfterAll{INT_MAX, INT_MAX};

// The first place of `needle` in [from, end). A first byte that the text rarely holds is
// found fastest alone.
const char* findBytes(const char* from, const char* end, QByteArrayView needle) {
    from = static_cast<const char*>(std::memchr(from, needle.front(), std::size_t(end - from)));
    return from == nullptr
               ? nullptr
               : static_cast<const char*>(memmem(from, std::size_t(end - from), needle.data(),
                                                 std::size_t(needle.size())));
}

} // namespace

GridSearch::GridSearch(const GridData& data, std::vector<int> columns, CellMatcher matcher)
    : data_(data), columns_(std::move(columns)), matcher_(std::move(matcher)),
      rows_(data.RowCount()) {
    std::sort(columns_.begin(), columns_.end());
    columns_.erase(std::unique(columns_.begin(), columns_.end()), columns_.end());
    std::erase_if(columns_, [&](int c) { return c < 0 || c > data.ColumnCount(); });
    searched_.assign(std::size_t(data.ColumnCount()) + 1, false);
    for (const int c : columns_) {
        searched_[std::size_t(c)] = true;
    }
}

bool GridSearch::matchesIn(int row, std::size_t columnIndex, bool loadedMayMatch) const {
    const int column = columns_[columnIndex];
    if (!loadedMayMatch && data_.isLoaded(column, row)) {
        return false;
    }
    const QByteArrayView bytes = data_.CellBytes(column, row);
    if (column == 0 && bytes.isEmpty()) {
        std::array<char, 16> number{};
        const auto end = std::to_chars(number.data(), number.data() + number.size(), row).ptr;
        return matcher_.matches(QByteArrayView(number.data(), end - number.data()));
    }
    return matcher_.matches(bytes);
}

bool GridSearch::matches(GridPlace place) const {
    if (place.row < 1 || place.row > rows_) {
        return false;
    }
    const auto it = std::lower_bound(columns_.begin(), columns_.end(), place.column);
    return it != columns_.end() && *it == place.column &&
           matchesIn(place.row, std::size_t(it - columns_.begin()), true);
}

// Places after `from` up to and including `to`, in reading order.
std::optional<GridPlace> GridSearch::scanForward(GridPlace from, GridPlace to) const {
    if (matcher_.isEmpty() || columns_.empty()) {
        return std::nullopt;
    }
    const auto columnCount = columns_.size();
    for (int row = std::max(from.row, 1); row <= std::min(to.row, rows_); ++row) {
        std::size_t k = 0;
        if (row == from.row) {
            k = std::size_t(std::upper_bound(columns_.begin(), columns_.end(), from.column) -
                            columns_.begin());
        }
        std::size_t end = columnCount;
        if (row == to.row) {
            end = std::size_t(std::upper_bound(columns_.begin(), columns_.end(), to.column) -
                              columns_.begin());
        }
        const bool loadedMayMatch = matcher_.mayOccurIn(data_.loadedLine(row).text);
        for (; k < end; ++k) {
            if (matchesIn(row, k, loadedMayMatch)) {
                return GridPlace{columns_[k], row};
            }
        }
    }
    return std::nullopt;
}

// Places before `from` down to and including `to`, in reverse reading order.
std::optional<GridPlace> GridSearch::scanBackward(GridPlace from, GridPlace to) const {
    if (matcher_.isEmpty() || columns_.empty()) {
        return std::nullopt;
    }
    for (int row = std::min(from.row, rows_); row >= std::max(to.row, 1); --row) {
        std::size_t end = columns_.size(); // one past the last column to look at
        if (row == from.row) {
            end = std::size_t(std::lower_bound(columns_.begin(), columns_.end(), from.column) -
                              columns_.begin());
        }
        std::size_t first = 0;
        if (row == to.row) {
            first = std::size_t(std::lower_bound(columns_.begin(), columns_.end(), to.column) -
                                columns_.begin());
        }
        const bool loadedMayMatch = matcher_.mayOccurIn(data_.loadedLine(row).text);
        for (std::size_t k = end; k > first; --k) {
            if (matchesIn(row, k - 1, loadedMayMatch)) {
                return GridPlace{columns_[k - 1], row};
            }
        }
    }
    return std::nullopt;
}

std::optional<GridPlace> GridSearch::next(GridPlace from, bool forward, bool& wrapped) const {
    wrapped = false;
    auto found = forward ? scanForward(from, kAfterAll) : scanBackward(from, kBeforeAll);
    if (!found) {
        found = forward ? scanForward(kBeforeAll, from) : scanBackward(kAfterAll, from);
        wrapped = found.has_value();
    }
    return found;
}

// The loaded cells of a row that hold the exact bytes: the row's line is searched as a whole and
// each hit is placed in its field.
template <class Found>
void GridSearch::findInLoadedLine(int row, const GridCells::LoadedLine& line, Found&& found) const {
    const QByteArrayView needle = matcher_.exactBytes();
    const char* const begin = line.text.data();
    const char* const end = begin + line.text.size();
    const char* field = begin; // the start of the field `column`
    int column = line.firstColumn;
    for (const char* hit = findBytes(begin, end, needle); hit != nullptr;
         hit = findBytes(field, end, needle)) {
        column += static_cast<int>(std::count(field, hit, line.separator));
        if (const auto* sep = static_cast<const char*>(
                memrchr(field, line.separator, std::size_t(hit - field)))) {
            field = sep + 1;
        }
        const auto* next =
            static_cast<const char*>(std::memchr(hit, line.separator, std::size_t(end - hit)));
        const char* fieldEnd = next != nullptr ? next : end;
        if (next == nullptr && fieldEnd > field && fieldEnd[-1] == '\r') {
            --fieldEnd;
        }
        const bool inField = hit + needle.size() <= fieldEnd;
        const bool whole = !matcher_.wholeCell() || fieldEnd - field == needle.size();
        if (inField && whole && std::size_t(column) < searched_.size() && searched_[column] &&
            data_.isLoaded(column, row)) {
            found(column);
        }
        if (next == nullptr) {
            break;
        }
        field = next + 1;
        ++column;
    }
}

// Calls found(column) for every match in a row, in no particular order.
template <class Found> void GridSearch::findInRow(int row, Found&& found) const {
    const GridCells::LoadedLine line = data_.loadedLine(row);
    const QByteArrayView exact = matcher_.exactBytes();
    if (!exact.isEmpty() && !exact.contains(line.separator) && !exact.contains('\r') &&
        !exact.contains('\n')) {
        findInLoadedLine(row, line, found);
    } else if (matcher_.mayOccurIn(line.text)) {
        for (std::size_t k = 0; k < columns_.size(); ++k) {
            if (matchesIn(row, k, true)) {
                found(columns_[k]);
            }
        }
        return;
    }
    // The loaded cells are done: cells written since the load, and a header column's number.
    if (!columns_.empty() && columns_.front() == 0 && data_.CellBytes(0, row).isEmpty() &&
        matchesIn(row, 0, false)) {
        found(0);
    }
    data_.forEachWritten(row, [&](int column, QByteArrayView bytes) {
        if (searched_[std::size_t(column)] && matcher_.matches(bytes)) {
            found(column);
        }
    });
}

bool GridSearch::countSome(Count& count, int rows) const {
    if (matcher_.isEmpty()) {
        count.nextRow = rows_ + 1;
    }
    const int last = std::min(rows_, count.nextRow + std::max(rows, 1) - 1);
    for (int row = count.nextRow; row <= last; ++row) {
        const int before = count.total;
        int upToCurrent = 0;
        bool currentFound = false;
        findInRow(row, [&](int column) {
            ++count.total;
            if (count.current.row == row && column <= count.current.column) {
                ++upToCurrent;
                currentFound = currentFound || column == count.current.column;
            }
        });
        if (currentFound) {
            count.ordinal = before + upToCurrent;
        }
    }
    count.nextRow = std::max(count.nextRow, last + 1);
    return count.nextRow > rows_;
}

} // namespace tarvex
