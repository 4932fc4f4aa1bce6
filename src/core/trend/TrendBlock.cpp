// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TrendBlock.h"

namespace tarvex {

namespace {
constexpr int kMinRowSpan = 3; // last row minus first row: 4 rows
constexpr int kFirstValueColumn = 2;
constexpr int kFirstValueColumnAfterNotes = 5;
} // namespace

int firstTrendColumn(bool firstValueEmpty) {
    return firstValueEmpty ? kFirstValueColumnAfterNotes : kFirstValueColumn;
}

TrendBlock withWholeColumnRows(TrendBlock block, int rowCount) {
    if (block.firstRow == -1) {
        block.firstRow = 1;
    }
    if (block.lastRow == -1) {
        block.lastRow = rowCount;
    }
    return block;
}

TrendBlock withWholeRowColumns(TrendBlock block, bool firstValueEmpty, int columnCount) {
    if (block.firstColumn == -1) {
        block.firstColumn = firstTrendColumn(firstValueEmpty);
    }
    if (block.lastColumn == -1) {
        block.lastColumn = columnCount;
    }
    return block;
}

TrendBlockCheck checkTrendBlock(const TrendBlock& block, bool firstValueEmpty) {
    if (block.lastRow - block.firstRow < kMinRowSpan) {
        return TrendBlockCheck::TooFewRows;
    }
    if (block.firstColumn >= 0 && block.firstColumn < firstTrendColumn(firstValueEmpty)) {
        return TrendBlockCheck::NotDataCells;
    }
    return TrendBlockCheck::Ok;
}

} // namespace tarvex
