// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QFileDevice>

#include <optional>
#include <vector>

namespace tarvex {

// Where the records of a record file pass a moment. Data logs and audit trails stamp each
// record with its date and time in the first two fields and keep them in time order, so a
// binary search over the file's lines finds the first record stamped after the moment; a
// signature made then most likely covers the lines before it. Nothing here is taken on trust:
// callers compare hashes at the places found.
class RecordTimeSearch {
public:
    // `file` is open for reading and `length` bytes long; `inMemory` is either empty or all of
    // its bytes.
    RecordTimeSearch(QFileDevice& file, qint64 length, QByteArrayView inMemory);

    // The line starts (after the first line) around the first record stamped after `moment`, a
    // date serial: the start of that record, of the one before it and of the one after it, in
    // order; the file's end stands for a record that does not exist. Empty when the lines do
    // not read as records in time order, or cannot be read. Each start ends a part of the file
    // at a line end.
    std::vector<qint64> partEndsAround(double moment);

private:
    QByteArrayView bytesAt(qint64 offset, qint64 size);
    qint64 lineStartFrom(qint64 offset);
    qint64 lineStartBefore(qint64 start);
    std::optional<double> recordTime(qint64 start);
    bool stampedAfter(qint64 offset, double moment);

    QFileDevice& file_;
    qint64 length_;
    QByteArrayView inMemory_;
    QByteArray window_;
};

} // namespace tarvex
