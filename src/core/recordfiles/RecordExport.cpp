// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/RecordExport.h"

#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"
#include "core/common/Windows1252.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace tarvex {
namespace {

constexpr qsizetype kPiece = qsizetype(1) << 20;
constexpr qsizetype kMaxRecords = 32766; // the 16-bit row count steps past 32,767 after the last

// The fields of one line, the "\r" of a "\r\n" dropped: every comma ends a field.
void splitLine(QByteArrayView line, std::vector<QByteArrayView>& fields) {
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    fields.clear();
    for (;;) {
        const qsizetype comma = line.indexOf(',');
        if (comma < 0) {
            fields.push_back(line);
            return;
        }
        fields.push_back(line.first(comma));
        line = line.sliced(comma + 1);
    }
}

// A cell as the time column's rewrite leaves it.
QByteArray rewrittenTime(QByteArrayView cell, QStringView pattern) {
    return toWindows1252(formatValue(valueFromText(fromWindows1252(cell)), pattern));
}

int timeColumn(RecordKind kind) {
    switch (kind) {
    case RecordKind::DataLog:
        return RecordLayout::kDataLogTimeColumn;
    case RecordKind::AlarmHistory:
        return RecordLayout::kAlarmTimeColumn;
    case RecordKind::AuditTrail:
        break;
    }
    return -1;
}

QStringView timePattern(RecordKind kind) {
    return kind == RecordKind::DataLog ? RecordLayout::kDataLogTimeFormat
                                       : RecordLayout::kAlarmTimeFormat;
}

std::span<const RecordColumn> titleColumns(RecordKind kind) {
    switch (kind) {
    case RecordKind::AuditTrail:
        return RecordLayout::kAuditColumns;
    case RecordKind::AlarmHistory:
        return RecordLayout::kAlarmColumns;
    case RecordKind::DataLog:
        break;
    }
    return {};
}

} // namespace

RecordExport::RecordExport(RecordKind kind, QByteArrayView text) : kind_(kind), text_(text) {
    if (text.size() > GridCells::kMaxText) {
        problem_ = Problem::TooLarge;
        return;
    }
    shape_ = GridCells::shapeOf(text, ',');
    if (shape_.crowdedLine >= 0) {
        problem_ = Problem::CrowdedLine;
        return;
    }
    if (shape_.lines > GridCells::kMaxLines) {
        problem_ = Problem::TooManyLines;
        return;
    }
    const auto lines = static_cast<qsizetype>(shape_.lines);
    const qsizetype records =
        kind == RecordKind::DataLog ? std::max<qsizetype>(lines - 1, 0) : lines;
    if (kind != RecordKind::AuditTrail && records > kMaxRecords) {
        problem_ = Problem::TooManyRecords;
        return;
    }
    // The grid's column count: the columns the load filled, raised by the columns written after.
    const int filled =
        text.isEmpty() ? 0 : shape_.widest - (kind == RecordKind::AlarmHistory ? 0 : 1);
    const int written = kind == RecordKind::DataLog
                            ? RecordLayout::kDataLogTimeColumn
                            : static_cast<int>(titleColumns(kind).size()) - 1;
    columns_ = std::max(filled, written);
    for (const RecordColumn& c : titleColumns(kind)) {
        titles_.push_back(toWindows1252(c.title.toString()));
    }
}

// Collects the export in pieces; a field larger than a piece goes to the sink on its own, so
// that no copy of it is made.
class RecordExport::Pieces {
public:
    explicit Pieces(const std::function<bool(QByteArrayView)>& sink) : sink_(sink) {
        out_.reserve(kPiece + 4096);
    }
    void add(QByteArrayView bytes) {
        if (bytes.size() >= kPiece) {
            flush();
            ok_ = ok_ && sink_(bytes);
            return;
        }
        out_ += bytes;
        if (out_.size() >= kPiece) {
            flush();
        }
    }
    bool finish() {
        flush();
        return ok_;
    }

private:
    void flush() {
        ok_ = ok_ && (out_.isEmpty() || sink_(out_));
        out_.truncate(0); // keeps the room reserved
    }

    const std::function<bool(QByteArrayView)>& sink_;
    QByteArray out_;
    bool ok_ = true;
};

void RecordExport::appendRow(Pieces& out, int row, QByteArrayView line) const {
    splitLine(line, fields_);
    const bool titleRow = row == 0 && !titles_.empty();
    if (titleRow) {
        fields_.assign(titles_.begin(), titles_.end());
    }
    // The alarm history keeps its row numbers in column 0: its fields start at column 1.
    const int shift = kind_ == RecordKind::AlarmHistory && !titleRow ? 1 : 0;
    const int time = timeColumn(kind_);
    for (int column = 0; column <= columns_; ++column) {
        if (column > 0) {
            out.add(",");
        }
        const auto index = static_cast<std::size_t>(column - shift);
        const QByteArrayView cell = column >= shift && index < fields_.size() ? fields_[index] : "";
        if (column == time) {
            out.add(rewrittenTime(cell, timePattern(kind_)));
        } else if (column == 0 && row > 0 && cell.isEmpty()) {
            out.add(QByteArray::number(row)); // what the grid's header column shows
        } else {
            out.add(cell);
        }
    }
    out.add("\r\n");
}

bool RecordExport::write(const std::function<bool(QByteArrayView piece)>& sink) const {
    if (problem_ != Problem::None) {
        return false;
    }
    Pieces out(sink);
    int row = 0;
    if (kind_ != RecordKind::DataLog || text_.isEmpty()) {
        appendRow(out, row++, {}); // the titles the viewer writes, or an empty header row
    }
    const char* end = text_.data() + text_.size();
    for (const char* line = text_.data(); line < end;) {
        const auto* found = static_cast<const char*>(std::memchr(line, '\n', end - line));
        const char* eol = found != nullptr ? found : end;
        appendRow(out, row++, QByteArrayView(line, eol - line));
        line = eol + 1;
    }
    return out.finish();
}

} // namespace tarvex
