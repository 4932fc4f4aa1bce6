// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/EncipheredFile.h"

#include "core/integrity/ZvLog.h"

#include <algorithm>

namespace tarvex {

EncipheredFile::EncipheredFile(QIODevice& file, ZvLog& log)
    : lines_(file), log_(log), key_(zvLogKey()) {}

bool EncipheredFile::atEnd() {
    try {
        return lines_.atEnd();
    } catch (const TvError& e) {
        throw EncipheredLineError(e, line_ + 1, EncipheredLineError::Stage::Reading);
    }
}

QByteArray EncipheredFile::nextRecord() {
    ++line_;
    QByteArrayView line;
    try {
        line = lines_.readLine();
    } catch (const TvError& e) {
        throw EncipheredLineError(e, line_, EncipheredLineError::Stage::Reading);
    }
    try {
        return log_.DecryptBytesFromHex(line, key_);
    } catch (const TvError& e) {
        throw EncipheredLineError(e, line_, EncipheredLineError::Stage::Deciphering);
    }
}

std::vector<QByteArrayView> recordFields(QByteArrayView record, qsizetype keep) {
    // Counting first keeps a record of commas from costing a field reference per comma.
    if (std::count(record.begin(), record.end(), ',') >= kMaxRecordFields) {
        throw TvError(ErrOverflow);
    }
    std::vector<QByteArrayView> fields;
    for (qsizetype start = 0; std::ssize(fields) < keep;) {
        const qsizetype comma = record.indexOf(',', start);
        fields.push_back(record.sliced(start, (comma < 0 ? record.size() : comma) - start));
        if (comma < 0) {
            break;
        }
        start = comma + 1;
    }
    return fields;
}

} // namespace tarvex
