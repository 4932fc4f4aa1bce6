// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/RecordTimeSearch.h"

#include "core/common/ValueConvert.h"

#include <algorithm>

namespace tarvex {
namespace {

// Enough for the first two fields of any record; a line start is looked for this far at most.
constexpr qint64 kFieldsWindow = 128;
constexpr qint64 kLineWindow = 4096;
constexpr qint64 kLongestLine = qint64{1} << 20;

// A line that is no record here, or a line too long to look at: the search gives up.
struct NotRecords {};

} // namespace

RecordTimeSearch::RecordTimeSearch(QFileDevice& file, qint64 length, QByteArrayView inMemory)
    : file_(file), length_(length), inMemory_(inMemory) {}

std::vector<qint64> RecordTimeSearch::partEndsAround(double moment) {
    try {
        // The smallest offset whose next line start holds a record stamped after the moment.
        qint64 low = 0;
        qint64 high = length_;
        while (low < high) {
            const qint64 middle = low + (high - low) / 2;
            if (stampedAfter(middle, moment)) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        const qint64 first = lineStartFrom(low);
        std::vector<qint64> ends{lineStartBefore(first), first};
        if (first < length_) {
            ends.push_back(lineStartFrom(first + 1));
        }
        ends.erase(std::remove(ends.begin(), ends.end(), 0), ends.end());
        ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
        return ends;
    } catch (const NotRecords&) {
        return {};
    }
}

// Up to `size` bytes from `offset`, from memory or read from the file.
QByteArrayView RecordTimeSearch::bytesAt(qint64 offset, qint64 size) {
    size = std::min(size, length_ - offset);
    if (!inMemory_.isEmpty()) {
        return inMemory_.sliced(offset, size);
    }
    window_.resize(size);
    if (!file_.seek(offset) || file_.read(window_.data(), size) != size) {
        throw NotRecords();
    }
    return window_;
}

// The first line start at or after `offset`: 0, the byte after a line end, or the file's end.
qint64 RecordTimeSearch::lineStartFrom(qint64 offset) {
    if (offset == 0) {
        return 0;
    }
    for (qint64 at = offset - 1; at < length_; at += kLineWindow) {
        if (at - offset > kLongestLine) {
            throw NotRecords();
        }
        const QByteArrayView bytes = bytesAt(at, kLineWindow);
        if (const qsizetype end = bytes.indexOf('\n'); end >= 0) {
            return at + end + 1;
        }
    }
    return length_;
}

// The start of the line before the one that starts at `start`; 0 for the first lines.
qint64 RecordTimeSearch::lineStartBefore(qint64 start) {
    if (start < 2) {
        return 0;
    }
    const qint64 from = std::max<qint64>(start - 1 - kLineWindow, 0);
    const QByteArrayView bytes = bytesAt(from, start - 1 - from);
    const qsizetype end = bytes.lastIndexOf('\n');
    if (end < 0 && from > 0) {
        throw NotRecords();
    }
    return end < 0 ? 0 : from + end + 1;
}

// The date and time that the record starting at `start` is stamped with.
std::optional<double> RecordTimeSearch::recordTime(qint64 start) {
    const QByteArrayView bytes = bytesAt(start, kFieldsWindow);
    const qsizetype dateEnd = bytes.indexOf(',');
    if (dateEnd < 0) {
        return std::nullopt;
    }
    const auto fieldEnd = std::find_if(bytes.begin() + dateEnd + 1, bytes.end(),
                                       [](char c) { return c == ',' || c == '\r' || c == '\n'; });
    if (fieldEnd == bytes.end()) {
        return std::nullopt;
    }
    const qsizetype timeEnd = fieldEnd - bytes.begin();
    QString stamp = QString::fromLatin1(bytes.first(timeEnd));
    stamp[dateEnd] = u' ';
    return parseDateTime(stamp);
}

// Whether the first record at or after `offset` is stamped after the moment; past the last
// record counts as after. The first line may be a title line, never a later one.
bool RecordTimeSearch::stampedAfter(qint64 offset, double moment) {
    const qint64 start = lineStartFrom(offset);
    if (start >= length_) {
        return true;
    }
    const std::optional<double> time = recordTime(start);
    if (!time && start > 0) {
        throw NotRecords();
    }
    return time && *time > moment;
}

} // namespace tarvex
