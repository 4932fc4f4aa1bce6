// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/EncipheredFile.h"

#include "core/integrity/ZvLog.h"

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
    std::vector<QByteArrayView> fields;
    recordFields(record, fields, keep);
    return fields;
}

void recordFields(QByteArrayView record, std::vector<QByteArrayView>& fields, qsizetype keep) {
    fields.clear();
    // Fields past `keep` are still counted, so that a record of too many fields is refused
    // whatever the caller keeps; no more than kMaxRecordFields are ever held.
    for (qsizetype start = 0, count = 1;; ++count) {
        if (count > kMaxRecordFields) {
            throw TvError(ErrOverflow);
        }
        const qsizetype comma = record.indexOf(',', start);
        if (count <= keep) {
            fields.push_back(record.sliced(start, (comma < 0 ? record.size() : comma) - start));
        }
        if (comma < 0) {
            return;
        }
        start = comma + 1;
    }
}

} // namespace tarvex
