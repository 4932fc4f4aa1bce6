// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/recordfiles/CellMatcher.h"
#include "core/recordfiles/GridCells.h"

#include <optional>
#include <vector>

namespace tarvex {

class GridData;

// A cell of a grid: column, then row. Places are read row by row, each row from left to right.
struct GridPlace {
    int column = 0;
    int row = 0;
    bool operator==(const GridPlace&) const = default;
    [[nodiscard]] bool before(const GridPlace& other) const {
        return row != other.row ? row < other.row : column < other.column;
    }
};

// Finds text in the cells a grid shows: data rows 1 to RowCount of the searched columns (in grid
// order; column 0 is the header column, whose empty cells show their row number). The grid must
// not change while a search runs over it.
class GridSearch {
public:
    GridSearch(const GridData& data, std::vector<int> columns, CellMatcher matcher);

    [[nodiscard]] bool matches(GridPlace place) const;

    // The first match after `from` in reading order (before it, backwards), going round past the
    // end; `from` itself comes last. `from` need not be a searched cell: column -1 stands before
    // a row's first cell. `wrapped` tells whether the search went round.
    [[nodiscard]] std::optional<GridPlace> next(GridPlace from, bool forward, bool& wrapped) const;

    // Counting all matches a few rows at a time, so that a large grid never holds up the caller.
    struct Count {
        int nextRow = 1; // the first row not counted yet
        int total = 0;   // matches in the rows counted
        int ordinal = 0; // of `current` among them, from 1; 0 when it is no match
        GridPlace current;
    };
    // Counts up to `rows` more rows; true once every row is counted.
    bool countSome(Count& count, int rows) const;

private:
    // Whether a searched cell matches; a cell holding its loaded field is passed over when the
    // row's loaded text holds no match (loadedMayMatch false).
    [[nodiscard]] bool matchesIn(int row, std::size_t columnIndex, bool loadedMayMatch) const;
    template <class Found> void findInRow(int row, Found&& found) const;
    template <class Found>
    void findInLoadedLine(int row, const GridCells::LoadedLine& line, Found&& found) const;
    [[nodiscard]] std::optional<GridPlace> scanForward(GridPlace from, GridPlace to) const;
    [[nodiscard]] std::optional<GridPlace> scanBackward(GridPlace from, GridPlace to) const;

    const GridData& data_;
    std::vector<int> columns_;   // ascending
    std::vector<bool> searched_; // by column
    CellMatcher matcher_;
    int rows_ = 0;
};

} // namespace tarvex
