// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tarvex {

// The cells of a grid as Windows-1252 bytes, addressed by column and row from 0.
//
// A cell costs one 32-bit reference: 0 when empty, otherwise a place either in the loaded text
// (the field runs to the next separator or line end) or in a buffer of texts written later
// (a length, then the bytes). A row is a run of references in one array; a row that grows
// past its room moves to the end of that array. Space left behind by moved rows, shrunk row
// counts and rewritten cells is reclaimed once it outweighs what is still in use.
class GridCells {
public:
    // The largest column and row index a grid accepts; larger ones are refused.
    static constexpr int kMaxIndex = (1 << 24) - 1;
    // The largest loaded text (references keep 31 bits of offset).
    static constexpr qint64 kMaxText = (qint64(1) << 31) - 2;

    // The most fields a line may hold (the 16-bit count of the record files); a line with more
    // is refused before any of its fields is stored.
    static constexpr int kMaxFields = 32767;
    // The most lines a loaded text may hold. A line costs about 25 bytes in the grid and its
    // view whatever its length, so this keeps a grid of short lines within six times its
    // file's size plus 100 MB.
    static constexpr std::size_t kMaxLines = (std::size_t(1) << 21) - 1;

    // Lines and fields of a text, counted without storing anything.
    struct TextShape {
        std::size_t lines = 0;      // a final line end makes no extra line
        std::size_t separators = 0; // in the lines counted
        int widest = 0;             // most fields in a line
        qsizetype crowdedLine = -1; // index of the first line of more than kMaxFields fields
        [[nodiscard]] bool tooLarge() const { return crowdedLine >= 0 || lines > kMaxLines; }
    };
    // Counts the shape of a text handed over in pieces, as they are read.
    class ShapeCounter {
    public:
        explicit ShapeCounter(char separator) : separator_(separator) {}
        // The next piece; false once the text is refused (counting stops there).
        bool feed(QByteArrayView piece);
        // The shape, the last line counted also without a line end.
        [[nodiscard]] TextShape finish();

    private:
        char separator_;
        TextShape shape_;
        std::size_t fields_ = 1; // of the line being counted
        bool open_ = false;      // a line has begun and not ended
    };
    // Counts until the first line with too many fields or past kMaxLines lines. `pause`, when
    // given, runs after every few MB.
    static TextShape shapeOf(QByteArrayView text, char separator,
                             const std::function<void()>& pause = {});

    struct LoadStats {
        int dataRows = 0;      // rows from 1 that the text filled
        int filledColumns = 0; // highest column index that received a field
        TextShape shape;
    };

    // Splits text into lines ("\n", or "\r\n") and fields (every separator ends a field, no
    // quoting). The first line goes to row 0 when headerRow is set, else to row 1; the first
    // field goes to column 0 when headerColumn is set, else to column 1. A final line end
    // makes no extra line. Nothing when the text is larger than kMaxText, or (before any field
    // is stored) holds more than kMaxLines lines or a line of more than kMaxFields fields:
    // stats.shape then says which. `pause`, when given, runs after every few MB. `shape`, when
    // given, is the text's, counted as it was read.
    static std::optional<GridCells> fromDelimited(QByteArray text, char separator, bool headerRow,
                                                  bool headerColumn, LoadStats& stats,
                                                  const std::function<void()>& pause = {},
                                                  std::optional<TextShape> shape = {});

    GridCells();

    // Rows held, row 0 included (at least 1).
    [[nodiscard]] int rowCount() const { return static_cast<int>(rows_.size()); }
    // The bytes of a cell; empty outside the cells held. Valid until the next change.
    [[nodiscard]] QByteArrayView bytes(int column, int row) const;

    // Whether a cell holds a field of the loaded text, as loaded (not empty, not written since).
    [[nodiscard]] bool isLoaded(int column, int row) const;
    // The stretch of the loaded text that every loaded cell of a row lies in: its line from the
    // first loaded field on ("\r" at the end included), with that field's column; fields in it
    // are separated by `separator`. Empty when the row has no loaded cell. Searches look here
    // first.
    struct LoadedLine {
        QByteArrayView text;
        int firstColumn = 0;
        char separator = ',';
    };
    [[nodiscard]] LoadedLine loadedLine(int row) const;
    // Calls found(column, bytes) for every cell of a row written since the load, left to right.
    template <class Found> void forEachWritten(int row, Found&& found) const {
        if (row < 0 || row >= rowCount()) {
            return;
        }
        const Row& r = rows_[std::size_t(row)];
        for (std::uint32_t c = 0; c < r.size; ++c) {
            const std::uint32_t ref = refs_[r.begin + c];
            if ((ref & kEditBit) != 0) {
                found(static_cast<int>(c), resolve(ref));
            }
        }
    }

    // Appends the cells of a row from firstColumn to lastColumn, joined by separator. Neighbouring
    // cells that still hold their loaded fields are copied from the loaded text in one piece.
    void appendRow(QByteArray& out, int row, int firstColumn, int lastColumn,
                   QByteArrayView separator) const;

    // Writes a cell (empty bytes empty it), adding rows as needed. Indexes must be checked.
    void set(int column, int row, QByteArrayView bytes);
    // Empties the cells of a block, bounds inclusive and clipped to the cells held.
    void clear(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // Keeps rows 0 to rows - 1 (rows >= 1); rows added are empty.
    void resizeRows(int rows);
    // Drops every cell from this column on.
    void dropColumnsFrom(int column);

    // Bytes held by the storage, for measurements.
    [[nodiscard]] std::size_t memoryUsage() const;

private:
    static constexpr std::uint32_t kEditBit = 0x8000'0000U; // a reference into edits_

    struct Row {
        std::uint32_t begin = 0;
        std::uint32_t size = 0;
        std::uint32_t capacity = 0;
    };

    // The fields of one line of the loaded text (base), from line up to its end eol.
    Row appendLine(const char* base, const char* line, const char* eol, bool headerColumn,
                   const std::function<void()>& pause);
    [[nodiscard]] QByteArrayView resolve(std::uint32_t ref) const;
    std::uint32_t appendEdit(QByteArrayView bytes);
    void release(std::uint32_t ref);
    void growRow(Row& row, std::uint32_t size);
    void clearAll();
    void compactIfWasteful();
    void compactRefs();
    void compactEdits();

    std::vector<std::uint32_t> refs_;
    std::vector<Row> rows_;
    QByteArray text_;  // the loaded text, always ending with "\n" when not empty
    QByteArray edits_; // written cells: a 7-bit-group length, then the bytes
    char separator_ = ',';
    std::size_t refWaste_ = 0;
    std::size_t editWaste_ = 0;
};

} // namespace tarvex
