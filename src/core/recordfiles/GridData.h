// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"
#include "core/recordfiles/GridCells.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>

namespace tarvex {

// The content of one spreadsheet grid, without widgets: cells addressed by column, then row.
// Row 0 is the header row (column titles), column 0 the header column, which shows each row's
// number unless text was put there. Data rows are 1..RowCount, data columns 1..ColumnCount.
// Cells hold Windows-1252 bytes as the record files do; texts are decoded when read.
class GridData {
public:
    // Load options, added together.
    static constexpr int kFirstLineToHeaderRow = 1;
    static constexpr int kFirstFieldToHeaderColumn = 2;
    // The one save option: what the grid shows. The header row (row 0, the corner cell
    // included) and the header column (its text, or the row number it shows when it holds
    // none), then every row 1..RowCount; every column 0..ColumnCount, hidden ones included;
    // fields joined by the field separator, every row ended by the line separator.
    static constexpr int kSaveShownCells = 25;

    // Replaces the whole content with a delimited text file: lines end with "\r\n" or "\n",
    // every field separator ends a field (no quoting). Option 0 puts line n in row n and field
    // k in column k; kFirstLineToHeaderRow moves lines up by one (the first line becomes row 0),
    // kFirstFieldToHeaderColumn moves fields left by one (the first field becomes column 0).
    // Sets RowCount to the data rows loaded and ColumnCount and FilledColumnCount to the data
    // columns filled. The text qualifier must be empty, the field separator one character, the
    // line separator "\r\n" or "\n"; the log file name is not used. False, with the content
    // unchanged, when the file is not a regular file or cannot be read, or an argument is
    // refused. More than GridCells::kMaxLines lines, or a line of more than
    // GridCells::kMaxFields fields, raise the overflow error (6) before any cell is stored.
    bool LoadDelimitedText(const QString& path, const QString& textQualifier,
                           const QString& fieldSeparator, const QString& lineSeparator, int option,
                           const QString& logFileName);
    // Writes the grid with kSaveShownCells (no other option is accepted), texts encoded as
    // Windows-1252, through an AtomicFile: on any failure the file named by path is left as it
    // was, and neither a name that is not a regular file (a folder, device, FIFO) nor one of
    // `neverReplace` is ever replaced.
    [[nodiscard]] bool SaveDelimitedText(const QString& path, const QString& textQualifier,
                                         const QString& fieldSeparator,
                                         const QString& lineSeparator, int option,
                                         const QString& logFileName,
                                         const QStringList& neverReplace = {}) const;

    // The value of a cell's text (valueFromText); false, with an Empty value, outside the grid.
    bool GetCellValue(int column, int row, CellValue& value) const;
    // Writes a cell anywhere; writing past RowCount or ColumnCount raises them. False for an
    // index below 0 or above kMaxIndex.
    bool SetCellText(int column, int row, const QString& text);
    // The same with the cell's Windows-1252 bytes.
    bool SetCellBytes(int column, int row, QByteArrayView bytes);
    [[nodiscard]] QString CellText(int column, int row) const;
    // The cell's text read as a number (parseNumber), without making a QString of it.
    [[nodiscard]] std::optional<double> CellNumber(int column, int row) const;
    [[nodiscard]] QByteArrayView CellBytes(int column, int row) const;
    // What the grid shows in a cell: its text, or the row number in an empty header column.
    [[nodiscard]] QString ShownText(int column, int row) const;
    // Empties a block, headers included; -1 as a first or last index means the whole range.
    // The counts stay. The last argument (also clear formats) has no effect: cells have none.
    void ClearBlock(int firstColumn, int firstRow, int lastColumn, int lastRow,
                    bool clearFormats = false);

    [[nodiscard]] int RowCount() const { return cells_.rowCount() - 1; }
    // Rows past a smaller count are dropped. Negative counts are ignored.
    void setRowCount(int rows);
    [[nodiscard]] int ColumnCount() const { return columnCount_; }
    // Columns past a smaller count are dropped. Negative counts are ignored.
    void setColumnCount(int columns);
    [[nodiscard]] int FilledColumnCount() const { return filledColumns_; }

    static constexpr int kMaxIndex = GridCells::kMaxIndex;

    [[nodiscard]] std::size_t memoryUsage() const { return cells_.memoryUsage(); }

    // For searches: whether a cell still holds its loaded field, and the stretch of loaded text
    // that a row's loaded cells lie in (GridCells).
    [[nodiscard]] bool isLoaded(int column, int row) const {
        return column <= columnCount_ && cells_.isLoaded(column, row);
    }
    [[nodiscard]] GridCells::LoadedLine loadedLine(int row) const { return cells_.loadedLine(row); }
    template <class Found> void forEachWritten(int row, Found&& found) const {
        cells_.forEachWritten(row, [&](int column, QByteArrayView bytes) {
            if (column <= columnCount_) {
                found(column, bytes);
            }
        });
    }

    // Runs between the steps of a load, every few MB (a window lets its events run there, so
    // that a large file never freezes it). The content is replaced only after the last step.
    void setLoadPause(std::function<void()> pause) { loadPause_ = std::move(pause); }

private:
    void appendShownRow(QByteArray& out, int row, QByteArrayView separator) const;

    GridCells cells_;
    std::function<void()> loadPause_;
    int columnCount_ = 0;
    int filledColumns_ = 0;
};

} // namespace tarvex
