// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/GridCells.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <utility>

namespace tarvex {
namespace {

constexpr std::size_t kMinWaste = std::size_t(64) * 1024;

// Calls found(p) for every separator in [p, end), in order. Eight bytes are compared at once: a
// byte of x is zero exactly where the text holds the separator, and the sum below sets the high
// bit of every byte of x that is not zero (the low seven bits cannot carry into the next byte).
template <class Found>
void forEachSeparator(const char* p, const char* end, char separator, Found&& found) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
        const std::uint64_t pattern = 0x0101010101010101ULL * static_cast<unsigned char>(separator);
        for (; end - p >= 8; p += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t x = word ^ pattern;
            for (std::uint64_t hits = ~(((x & kLow7) + kLow7) | x | kLow7); hits != 0;
                 hits &= hits - 1) {
                found(p + (std::countr_zero(hits) >> 3));
            }
        }
    }
    for (; p < end; ++p) {
        if (*p == separator) {
            found(p);
        }
    }
}

// Runs pause once `at` is a few MB past where it last ran.
void pauseEvery(const char*& paused, const char* at, const std::function<void()>& pause) {
    constexpr std::ptrdiff_t kPauseBytes = std::ptrdiff_t(8) << 20;
    if (pause && at - paused >= kPauseBytes) {
        paused = at;
        pause();
    }
}

// The "\n" that ends the line at `line` (the text ends with one), looked for in slices with a
// pause between them.
const char* lineEnd(const char* line, const char* end, const std::function<void()>& pause) {
    constexpr std::ptrdiff_t kSlice = std::ptrdiff_t(8) << 20;
    for (const char* from = line;; from += kSlice) {
        const std::ptrdiff_t length = std::min(kSlice, end - from);
        if (const void* eol = std::memchr(from, '\n', length)) {
            return static_cast<const char*>(eol);
        }
        if (pause) {
            pause();
        }
    }
}

// Walks [p, end) for separators and line ends, eight bytes at a time as above: separators(n)
// takes the count of separators before the next line end (or the end), lineEnd() each line
// end. Either answers false to stop the walk, which then answers false too.
template <class Separators, class LineEnd>
bool forEachLineEnd(const char* p, const char* end, char separator, Separators&& separators,
                    LineEnd&& lineEnd) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        const std::uint64_t sepPattern = kOnes * static_cast<unsigned char>(separator);
        const std::uint64_t eolPattern = kOnes * '\n';
        const auto hitsOf = [](std::uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); };
        // Hits are high bits only: their count without a population count instruction.
        const auto count = [](std::uint64_t hits) {
            return static_cast<std::size_t>(((hits >> 7) * kOnes) >> 56);
        };
        for (; end - p >= 8; p += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, sizeof word);
            std::uint64_t seps = hitsOf(word ^ sepPattern);
            for (std::uint64_t eols = hitsOf(word ^ eolPattern); eols != 0; eols &= eols - 1) {
                const std::uint64_t before = (eols & -eols) - 1; // the bits below this line end
                if (!separators(count(seps & before)) || !lineEnd()) {
                    return false;
                }
                seps &= ~before;
            }
            if (seps != 0 && !separators(count(seps))) {
                return false;
            }
        }
    }
    for (; p < end; ++p) {
        if ((*p == separator && !separators(1)) || (*p == '\n' && !lineEnd())) {
            return false;
        }
    }
    return true;
}

} // namespace

bool GridCells::ShapeCounter::feed(QByteArrayView piece) {
    if (shape_.tooLarge()) {
        return false;
    }
    const auto separators = [this](std::size_t count) {
        fields_ += count;
        if (fields_ > std::size_t(kMaxFields)) {
            shape_.crowdedLine = static_cast<qsizetype>(shape_.lines);
            return false;
        }
        return true;
    };
    const auto lineEnd = [this] {
        shape_.separators += fields_ - 1;
        shape_.widest = std::max(shape_.widest, static_cast<int>(fields_));
        fields_ = 1;
        return ++shape_.lines <= kMaxLines;
    };
    if (piece.isEmpty()) {
        return true;
    }
    const char* end = piece.data() + piece.size();
    if (!forEachLineEnd(piece.data(), end, separator_, separators, lineEnd)) {
        return false;
    }
    open_ = end[-1] != '\n';
    return true;
}

GridCells::TextShape GridCells::ShapeCounter::finish() {
    if (open_ && !shape_.tooLarge()) {
        feed("\n"); // the last line has no line end
    }
    open_ = false;
    return shape_;
}

GridCells::TextShape GridCells::shapeOf(QByteArrayView text, char separator,
                                        const std::function<void()>& pause) {
    constexpr qsizetype kBlock = qsizetype(64) * 1024;
    ShapeCounter counter(separator);
    const char* paused = text.data();
    for (qsizetype at = 0; at < text.size(); at += kBlock) {
        if (!counter.feed(text.sliced(at, std::min(kBlock, text.size() - at)))) {
            break;
        }
        pauseEvery(paused, text.data() + at, pause);
    }
    return counter.finish();
}

namespace {

// A written cell: its length in 7-bit groups, low group first, then its bytes.
QByteArrayView editAt(const QByteArray& edits, std::uint32_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(edits.constData()) + offset;
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        length |= std::size_t(*p & 0x7F) << shift;
        if ((*p++ & 0x80) == 0) {
            break;
        }
    }
    return {reinterpret_cast<const char*>(p), static_cast<qsizetype>(length)};
}

} // namespace

GridCells::GridCells() : rows_(1) {}

std::optional<GridCells> GridCells::fromDelimited(QByteArray text, char separator, bool headerRow,
                                                  bool headerColumn, LoadStats& stats,
                                                  const std::function<void()>& pause,
                                                  std::optional<TextShape> shape) {
    stats = {};
    GridCells cells;
    cells.separator_ = separator;
    if (text.isEmpty()) {
        return cells;
    }
    if (text.size() > kMaxText) {
        return std::nullopt;
    }
    if (!text.endsWith('\n')) {
        text.append('\n');
    }
    stats.shape = shape ? *shape : shapeOf(text, separator, pause);
    if (stats.shape.tooLarge()) {
        return std::nullopt;
    }
    // Exactly the room needed: a guess could leave a vector to double past it.
    const std::size_t lines = stats.shape.lines;
    cells.refs_.reserve(stats.shape.separators + lines * (headerColumn ? 1 : 2));
    cells.rows_.clear();
    cells.rows_.reserve(lines + (headerRow ? 0 : 1));
    if (!headerRow) {
        cells.rows_.emplace_back();
    }
    const char* base = text.constData();
    const char* end = base + text.size();
    const char* paused = base;
    for (const char* line = base; line < end;) {
        const char* eol = lineEnd(line, end, pause);
        cells.rows_.push_back(cells.appendLine(base, line, eol, headerColumn, pause));
        line = eol + 1;
        pauseEvery(paused, line, pause);
    }
    stats.dataRows = static_cast<int>(cells.rows_.size()) - 1;
    stats.filledColumns = stats.shape.widest - (headerColumn ? 1 : 0);
    cells.text_ = std::move(text);
    return cells;
}

GridCells::Row GridCells::appendLine(const char* base, const char* line, const char* eol,
                                     bool headerColumn, const std::function<void()>& pause) {
    const auto begin = static_cast<std::uint32_t>(refs_.size());
    if (!headerColumn) {
        refs_.push_back(0);
    }
    const auto refOf = [base](const char* field) {
        return static_cast<std::uint32_t>(field - base + 1);
    };
    const char* field = line;
    // A long line is scanned in slices, with a pause between them.
    constexpr std::ptrdiff_t kSlice = std::ptrdiff_t(8) << 20;
    for (const char* from = line; from < eol; from += std::min(kSlice, eol - from)) {
        if (from != line && pause) {
            pause();
        }
        forEachSeparator(from, from + std::min(kSlice, eol - from), separator_,
                         [&](const char* stop) {
                             refs_.push_back(stop == field ? 0 : refOf(field));
                             field = stop + 1;
                         });
    }
    // The last field runs to the line end; a "\r" alone there is the rest of a "\r\n".
    const bool empty = field == eol || (eol - field == 1 && *field == '\r');
    refs_.push_back(empty ? 0 : refOf(field));
    const auto size = static_cast<std::uint32_t>(refs_.size()) - begin;
    return {begin, size, size};
}

QByteArrayView GridCells::bytes(int column, int row) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return {};
    }
    const Row& r = rows_[row];
    return std::uint32_t(column) < r.size ? resolve(refs_[r.begin + column]) : QByteArrayView();
}

bool GridCells::isLoaded(int column, int row) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return false;
    }
    const Row& r = rows_[row];
    const std::uint32_t ref = std::uint32_t(column) < r.size ? refs_[r.begin + column] : 0U;
    return ref != 0 && (ref & kEditBit) == 0;
}

GridCells::LoadedLine GridCells::loadedLine(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    // Fields keep their order in the line, so the first loaded cell starts the stretch.
    const Row& r = rows_[row];
    for (std::uint32_t c = 0; c < r.size; ++c) {
        const std::uint32_t ref = refs_[r.begin + c];
        if (ref != 0 && (ref & kEditBit) == 0) {
            const char* start = text_.constData() + (ref - 1);
            const char* end = text_.constData() + text_.size();
            const auto* eol = static_cast<const char*>(std::memchr(start, '\n', end - start));
            return {{start, (eol != nullptr ? eol : end) - start}, static_cast<int>(c), separator_};
        }
    }
    return {};
}

void GridCells::appendRow(QByteArray& out, int row, int firstColumn, int lastColumn,
                          QByteArrayView separator) const {
    const Row* r = row >= 0 && row < rowCount() ? &rows_[row] : nullptr;
    const auto refAt = [r, this](int column) {
        return r != nullptr && std::uint32_t(column) < r->size ? refs_[r->begin + column] : 0U;
    };
    const auto loaded = [](std::uint32_t ref) { return ref != 0 && (ref & kEditBit) == 0; };
    // Loaded cells side by side are fields side by side in their line, one separator apart.
    const bool sameSeparator = separator.size() == 1 && separator.front() == separator_;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        if (column > firstColumn) {
            out += separator;
        }
        const std::uint32_t ref = refAt(column);
        if (!sameSeparator || !loaded(ref)) {
            out += resolve(ref);
            continue;
        }
        int last = column;
        while (last < lastColumn && loaded(refAt(last + 1))) {
            ++last;
        }
        const QByteArrayView end = resolve(refAt(last));
        const char* start = text_.constData() + (ref - 1);
        out.append(start, end.data() + end.size() - start);
        column = last;
    }
}

QByteArrayView GridCells::resolve(std::uint32_t ref) const {
    if (ref == 0) {
        return {};
    }
    if ((ref & kEditBit) != 0) {
        return editAt(edits_, ref & ~kEditBit);
    }
    // The loaded text ends with "\n", so the scan always stops.
    const char* start = text_.constData() + (ref - 1);
    const char* p = start;
    while (*p != separator_ && *p != '\n') {
        ++p;
    }
    if (*p == '\n' && p > start && p[-1] == '\r') {
        --p;
    }
    return {start, p - start};
}

std::uint32_t GridCells::appendEdit(QByteArrayView bytes) {
    if (edits_.size() + bytes.size() + 8 > qint64(kEditBit)) {
        compactEdits();
        if (edits_.size() + bytes.size() + 8 > qint64(kEditBit)) {
            throw std::bad_alloc();
        }
    }
    std::array<char, 8> header{};
    std::size_t headerSize = 0;
    auto length = static_cast<std::size_t>(bytes.size());
    do {
        header.at(headerSize++) = static_cast<char>((length & 0x7F) | (length > 0x7F ? 0x80 : 0));
        length >>= 7;
    } while (length != 0);
    // One resize (it grows the buffer ahead) and two copies: cells are written by the
    // hundred thousand while a record file loads.
    const qsizetype at = edits_.size();
    edits_.resize(at + qsizetype(headerSize) + bytes.size());
    char* out = edits_.data() + at;
    std::memcpy(out, header.data(), headerSize);
    if (!bytes.isEmpty()) {
        std::memcpy(out + headerSize, bytes.data(), std::size_t(bytes.size()));
    }
    return static_cast<std::uint32_t>(at) | kEditBit;
}

void GridCells::release(std::uint32_t ref) {
    if ((ref & kEditBit) != 0) {
        const QByteArrayView held = resolve(ref);
        editWaste_ +=
            std::size_t(held.size()) + (held.data() - edits_.constData()) - (ref & ~kEditBit);
    }
}

void GridCells::set(int column, int row, QByteArrayView bytes) {
    if (row >= rowCount()) {
        rows_.resize(std::size_t(row) + 1);
    }
    Row& r = rows_[row];
    const auto col = static_cast<std::uint32_t>(column);
    if (col >= r.size) {
        if (bytes.isEmpty()) {
            return;
        }
        if (col == r.size && col < r.capacity) { // the next cell of a row being filled
            refs_[r.begin + col] = 0;
            r.size = col + 1;
        } else {
            growRow(r, col + 1);
        }
    }
    std::uint32_t& ref = refs_[r.begin + col];
    release(ref);
    ref = bytes.isEmpty() ? 0 : appendEdit(bytes);
    compactIfWasteful();
}

void GridCells::growRow(Row& row, std::uint32_t size) {
    if (size > row.capacity) {
        const std::uint32_t capacity = std::max({size, row.capacity * 2, 4U});
        const std::size_t end = std::size_t(row.begin) + row.capacity;
        if (end == refs_.size() && row.capacity > 0) {
            refs_.resize(std::size_t(row.begin) + capacity, 0);
        } else {
            const auto begin = static_cast<std::uint32_t>(refs_.size());
            refs_.resize(refs_.size() + capacity, 0);
            std::copy_n(refs_.begin() + row.begin, row.size, refs_.begin() + begin);
            refWaste_ += row.capacity;
            row.begin = begin;
        }
        row.capacity = capacity;
    }
    // Slots past the old size may hold references of cells dropped earlier.
    std::fill(refs_.begin() + row.begin + row.size, refs_.begin() + row.begin + size, 0U);
    row.size = size;
}

void GridCells::clear(int firstColumn, int firstRow, int lastColumn, int lastRow) {
    firstColumn = std::max(firstColumn, 0);
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, rowCount() - 1);
    std::uint32_t widest = 0;
    for (const Row& r : rows_) {
        widest = std::max(widest, r.size);
    }
    if (firstColumn == 0 && firstRow == 0 && lastRow == rowCount() - 1 &&
        std::int64_t(lastColumn) + 1 >= widest) {
        clearAll();
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        const Row& r = rows_[row];
        const std::int64_t last = std::min<std::int64_t>(lastColumn, std::int64_t(r.size) - 1);
        for (std::int64_t col = firstColumn; col <= last; ++col) {
            std::uint32_t& ref = refs_[r.begin + col];
            release(ref);
            ref = 0;
        }
    }
    compactIfWasteful();
}

void GridCells::clearAll() {
    std::fill(rows_.begin(), rows_.end(), Row{});
    refs_ = {};
    text_ = {};
    edits_ = {};
    refWaste_ = 0;
    editWaste_ = 0;
}

void GridCells::resizeRows(int rows) {
    const auto count = static_cast<std::size_t>(std::max(rows, 1));
    for (std::size_t row = count; row < rows_.size(); ++row) {
        const Row& r = rows_[row];
        for (std::uint32_t col = 0; col < r.size; ++col) {
            release(refs_[r.begin + col]);
        }
        refWaste_ += r.capacity;
    }
    rows_.resize(count);
    compactIfWasteful();
}

void GridCells::dropColumnsFrom(int column) {
    const auto keep = static_cast<std::uint32_t>(std::max(column, 0));
    for (Row& r : rows_) {
        for (std::uint32_t col = keep; col < r.size; ++col) {
            release(refs_[r.begin + col]);
        }
        r.size = std::min(r.size, keep);
    }
    compactIfWasteful();
}

void GridCells::compactIfWasteful() {
    if (refWaste_ > kMinWaste / 4 && refWaste_ * 2 > refs_.size()) {
        compactRefs();
    }
    if (editWaste_ > kMinWaste && editWaste_ * 2 > std::size_t(edits_.size())) {
        compactEdits();
    }
}

void GridCells::compactRefs() {
    std::vector<std::uint32_t> refs;
    std::size_t live = 0;
    for (const Row& r : rows_) {
        live += r.size;
    }
    refs.reserve(live);
    bool loadedInUse = false;
    for (Row& r : rows_) {
        const auto begin = static_cast<std::uint32_t>(refs.size());
        for (std::uint32_t col = 0; col < r.size; ++col) {
            const std::uint32_t ref = refs_[r.begin + col];
            loadedInUse = loadedInUse || (ref != 0 && (ref & kEditBit) == 0);
            refs.push_back(ref);
        }
        r = Row{begin, r.size, r.size};
    }
    refs_ = std::move(refs);
    refWaste_ = 0;
    if (!loadedInUse) {
        text_ = {};
    }
}

void GridCells::compactEdits() {
    const QByteArray old = std::exchange(edits_, {});
    editWaste_ = 0;
    for (const Row& r : rows_) {
        for (std::uint32_t col = 0; col < r.size; ++col) {
            std::uint32_t& ref = refs_[r.begin + col];
            if ((ref & kEditBit) != 0) {
                ref = appendEdit(editAt(old, ref & ~kEditBit));
            }
        }
    }
}

std::size_t GridCells::memoryUsage() const {
    return refs_.capacity() * sizeof(std::uint32_t) + rows_.capacity() * sizeof(Row) +
           std::size_t(text_.capacity()) + std::size_t(edits_.capacity());
}

} // namespace tarvex
