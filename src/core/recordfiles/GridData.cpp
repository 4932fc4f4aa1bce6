// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/GridData.h"

#include "core/common/TvError.h"
#include "core/common/ValueConvert.h"
#include "core/common/Windows1252.h"
#include "core/recordfiles/AtomicFile.h"
#include "core/recordfiles/FileKind.h"

#include <QFile>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace tarvex {
namespace {

constexpr qsizetype kWriteChunk = 1 << 20;

bool validIndex(int index) {
    return index >= 0 && index <= GridData::kMaxIndex;
}

struct ReadText {
    QByteArray bytes;
    GridCells::TextShape shape;
};

// The whole file, with room for one more byte so that a missing final line end costs no copy.
// Read in pieces, each counted while it is fresh in the cache; a text that is refused stops the
// read there. A pause runs every few MB.
std::optional<ReadText> readWhole(const QString& path, char separator,
                                  const std::function<void()>& pause) {
    constexpr qint64 kPiece = qint64(1) << 20;
    constexpr qint64 kPauseEvery = qint64(8) << 20;
    QFile file;
    if (openRegularFile(file, path) != 0) {
        return std::nullopt;
    }
    const qint64 size = file.size();
    if (size < 0 || size > GridCells::kMaxText) {
        return std::nullopt;
    }
    ReadText text;
    text.bytes.reserve(size + 1);
    text.bytes.resize(size);
    GridCells::ShapeCounter counter(separator);
    for (qint64 done = 0; done < size; done += kPiece) {
        const qint64 piece = std::min(kPiece, size - done);
        char* at = text.bytes.data() + done;
        if (file.read(at, piece) != piece) {
            return std::nullopt;
        }
        if (!counter.feed(QByteArrayView(at, piece))) {
            break;
        }
        if (pause && (done + piece) % kPauseEvery == 0 && done + piece < size) {
            pause();
        }
    }
    text.shape = counter.finish();
    return text;
}

// Most cells are short: their text is decoded and encoded on the stack, without allocating.
constexpr qsizetype kShortCell = 64;

} // namespace

bool GridData::LoadDelimitedText(const QString& path, const QString& textQualifier,
                                 const QString& fieldSeparator, const QString& lineSeparator,
                                 int option, const QString& /*logFileName*/) {
    const int separator =
        fieldSeparator.size() == 1 ? unicodeToWindows1252(fieldSeparator.front().unicode()) : -1;
    if (!textQualifier.isEmpty() || separator < 0 || separator == '\r' || separator == '\n' ||
        (lineSeparator != u"\r\n" && lineSeparator != u"\n") || option < 0 || option > 3) {
        return false;
    }
    auto text = readWhole(path, static_cast<char>(separator), loadPause_);
    if (!text) {
        return false;
    }
    if (text->shape.tooLarge()) {
        throw TvError(ErrOverflow);
    }
    GridCells::LoadStats stats;
    auto cells = GridCells::fromDelimited(
        std::move(text->bytes), static_cast<char>(separator), (option & kFirstLineToHeaderRow) != 0,
        (option & kFirstFieldToHeaderColumn) != 0, stats, loadPause_, text->shape);
    if (!cells) {
        if (stats.shape.tooLarge()) {
            throw TvError(ErrOverflow);
        }
        return false;
    }
    cells_ = std::move(*cells);
    filledColumns_ = stats.filledColumns;
    columnCount_ = stats.filledColumns;
    return true;
}

bool GridData::SaveDelimitedText(const QString& path, const QString& textQualifier,
                                 const QString& fieldSeparator, const QString& lineSeparator,
                                 int option, const QString& /*logFileName*/,
                                 const QStringList& neverReplace) const {
    if (!textQualifier.isEmpty() || option != kSaveShownCells) {
        return false;
    }
    AtomicFile file(path, neverReplace);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray separator = toWindows1252(fieldSeparator);
    const QByteArray lineEnd = toWindows1252(lineSeparator);
    QByteArray chunk;
    chunk.reserve(kWriteChunk + 4096);
    for (int row = 0; row <= RowCount(); ++row) {
        appendShownRow(chunk, row, separator);
        chunk += lineEnd;
        if (chunk.size() >= kWriteChunk) {
            if (file.write(chunk) != chunk.size()) {
                return false;
            }
            chunk.truncate(0); // keeps the room reserved
        }
    }
    return file.write(chunk) == chunk.size() && file.commit();
}

void GridData::appendShownRow(QByteArray& out, int row, QByteArrayView separator) const {
    if (row == 0 || !cells_.bytes(0, row).isEmpty()) {
        cells_.appendRow(out, row, 0, columnCount_, separator);
        return;
    }
    out += QByteArray::number(row);
    if (columnCount_ >= 1) {
        out += separator;
        cells_.appendRow(out, row, 1, columnCount_, separator);
    }
}

bool GridData::GetCellValue(int column, int row, CellValue& value) const {
    if (column < 0 || row < 0 || column > columnCount_ || row > RowCount()) {
        value = {};
        return false;
    }
    const QByteArrayView bytes = CellBytes(column, row);
    QVarLengthArray<char16_t, kShortCell> text(bytes.size());
    fromWindows1252(bytes, text.data());
    value = valueFromText(QStringView(text.constData(), text.size()));
    return true;
}

bool GridData::SetCellText(int column, int row, const QString& text) {
    if (!validIndex(column) || !validIndex(row)) {
        return false;
    }
    QVarLengthArray<char, kShortCell> bytes(text.size());
    toWindows1252(text, bytes.data());
    return SetCellBytes(column, row, QByteArrayView(bytes.constData(), bytes.size()));
}

bool GridData::SetCellBytes(int column, int row, QByteArrayView bytes) {
    if (!validIndex(column) || !validIndex(row)) {
        return false;
    }
    cells_.set(column, row, bytes);
    columnCount_ = std::max(columnCount_, column);
    return true;
}

QByteArrayView GridData::CellBytes(int column, int row) const {
    return column <= columnCount_ ? cells_.bytes(column, row) : QByteArrayView();
}

std::optional<double> GridData::CellNumber(int column, int row) const {
    const QByteArrayView bytes = CellBytes(column, row);
    QVarLengthArray<char16_t, kShortCell> text(bytes.size());
    fromWindows1252(bytes, text.data());
    return parseNumber(QStringView(text.constData(), text.size()));
}

QString GridData::CellText(int column, int row) const {
    return fromWindows1252(CellBytes(column, row));
}

QString GridData::ShownText(int column, int row) const {
    const QByteArrayView bytes = CellBytes(column, row);
    if (column == 0 && row > 0 && row <= RowCount() && bytes.isEmpty()) {
        return QString::number(row);
    }
    return fromWindows1252(bytes);
}

void GridData::ClearBlock(int firstColumn, int firstRow, int lastColumn, int lastRow,
                          bool /*clearFormats*/) {
    if (firstColumn == -1 || lastColumn == -1) {
        firstColumn = 0;
        lastColumn = columnCount_;
    }
    if (firstRow == -1 || lastRow == -1) {
        firstRow = 0;
        lastRow = RowCount();
    }
    if (firstColumn > lastColumn) {
        std::swap(firstColumn, lastColumn);
    }
    if (firstRow > lastRow) {
        std::swap(firstRow, lastRow);
    }
    cells_.clear(firstColumn, firstRow, lastColumn, lastRow);
}

void GridData::setRowCount(int rows) {
    if (rows >= 0 && rows <= kMaxIndex) {
        cells_.resizeRows(rows + 1);
    }
}

void GridData::setColumnCount(int columns) {
    if (columns < 0 || columns > kMaxIndex) {
        return;
    }
    if (columns < columnCount_) {
        cells_.dropColumnsFrom(columns + 1);
    }
    columnCount_ = columns;
}

} // namespace tarvex
