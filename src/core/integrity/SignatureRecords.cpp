// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/SignatureRecords.h"

#include "core/common/Windows1252.h"
#include "core/integrity/EncipheredFile.h"

namespace tarvex {

std::vector<SignatureRecord> readSignatureRecords(QIODevice& file, ZvLog& log) {
    std::vector<SignatureRecord> records;
    EncipheredFile lines(file, log);
    while (!lines.atEnd()) {
        const QByteArray record = lines.nextRecord();
        if (record.isEmpty()) {
            continue;
        }
        std::vector<QByteArrayView> fields;
        try {
            fields = recordFields(record, 5);
        } catch (const TvError& e) {
            throw EncipheredLineError(e, lines.line(), EncipheredLineError::Stage::Splitting);
        }
        fields.resize(5);
        records.push_back({fromWindows1252(fields[0]), fromWindows1252(fields[1]),
                           fromWindows1252(fields[2]), fromWindows1252(fields[3]),
                           fromWindows1252(fields[4])});
    }
    return records;
}

} // namespace tarvex
