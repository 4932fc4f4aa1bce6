#include "recordfiles/GridCells.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace tarvex {
namespace {

constexpr std::uint32_t kEditBit = 0x8000'0000U;
constexpr std::size_t kMinWaste = std::size_t(64) * 1024;

// Lines in the text, for reserving the references ahead.
std::size_t countLines(const char* begin, const char* end) {
    std::size_t lines = 0;
    for (const char* p = begin; p < end; ++lines) {
        const auto* eol = static_cast<const char*>(std::memchr(p, '\n', end - p));
        p = eol ? eol + 1 : end;
    }
    return lines;
}

// End of the field that starts at p: the next separator or the line end.
const char* fieldEnd(const char* p, const char* eol, char separator) {
    while (p < eol && *p != separator) {
        ++p;
    }
    return p;
}

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
                                                  bool headerColumn, LoadStats& stats) {
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
    const char* base = text.constData();
    const char* end = base + text.size();
    const std::size_t lines = countLines(base, end);
    if (lines > std::size_t(kMaxIndex)) {
        return std::nullopt;
    }
    const char* firstEol = static_cast<const char*>(std::memchr(base, '\n', end - base));
    const auto firstFields = static_cast<std::size_t>(std::count(base, firstEol, separator)) + 2;
    cells.refs_.reserve(std::min(lines * firstFields, std::size_t(text.size()) + 2 * lines));
    cells.rows_.clear();
    cells.rows_.reserve(lines + 1);
    if (!headerRow) {
        cells.rows_.emplace_back();
    }
    std::uint32_t widest = 0;
    for (const char* line = base; line < end;) {
        const char* eol = static_cast<const char*>(std::memchr(line, '\n', end - line));
        const Row row = cells.appendLine(base, line, eol, headerColumn);
        if (row.size > std::uint32_t(kMaxIndex) + 1) {
            return std::nullopt;
        }
        widest = std::max(widest, row.size);
        cells.rows_.push_back(row);
        line = eol + 1;
    }
    stats.dataRows = static_cast<int>(cells.rows_.size()) - 1;
    stats.filledColumns = static_cast<int>(widest) - 1;
    cells.text_ = std::move(text);
    return cells;
}

GridCells::Row GridCells::appendLine(const char* base, const char* line, const char* eol,
                                     bool headerColumn) {
    const auto begin = static_cast<std::uint32_t>(refs_.size());
    if (!headerColumn) {
        refs_.push_back(0);
    }
    for (const char* field = line;;) {
        const char* stop = fieldEnd(field, eol, separator_);
        const bool empty = stop == field || (stop == eol && stop - field == 1 && *field == '\r');
        refs_.push_back(empty ? 0 : static_cast<std::uint32_t>(field - base + 1));
        if (stop == eol) {
            break;
        }
        field = stop + 1;
    }
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
    const auto at = static_cast<std::uint32_t>(edits_.size());
    auto length = static_cast<std::size_t>(bytes.size());
    do {
        const auto group = static_cast<char>((length & 0x7F) | (length > 0x7F ? 0x80 : 0));
        edits_.append(group);
        length >>= 7;
    } while (length != 0);
    edits_.append(bytes);
    return at | kEditBit;
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
        growRow(r, col + 1);
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
