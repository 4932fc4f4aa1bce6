// SPDX-License-Identifier: GPL-3.0-or-later
// The line reader of the enciphered record files against a plain reference: lines end at "\n",
// one "\r" before it is dropped, a final line end starts no further line, and a line longer
// than the limit is error 7 ("Out of memory") wherever it ends.
#include "FuzzCheck.h"

#include "core/common/TvError.h"
#include "core/recordfiles/TextLineReader.h"

#include <QBuffer>
#include <QList>

#include <cstdint>

using namespace tarvex;

namespace {

struct Lines {
    QList<QByteArray> lines;
    int error = 0;
};

Lines reference(const QByteArray& bytes, qsizetype limit) {
    Lines out;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', from);
        QByteArray line = end < 0 ? bytes.sliced(from) : bytes.sliced(from, end - from);
        if (end >= 0 && line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.size() > limit) {
            out.error = ErrOutOfMemory;
            break;
        }
        out.lines.append(line);
        from = end < 0 ? bytes.size() : end + 1;
    }
    return out;
}

} // namespace

FUZZ_TARGET(line_reader) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes give the limit (up to 255 KiB), so that lines cross the reader's
    // 64 KiB reads both below and above it.
    const qsizetype limit = qsizetype{data[0]} * 1024 + data[1];
    QByteArray bytes(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    const Lines expected = reference(bytes, limit);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer, limit);
    Lines got;
    try {
        while (!reader.atEnd()) {
            got.lines.append(reader.readLine().toByteArray());
        }
    } catch (const TvError& e) {
        got.error = e.number();
    }
    FUZZ_CHECK(got.lines == expected.lines);
    FUZZ_CHECK(got.error == expected.error);
    return 0;
}
