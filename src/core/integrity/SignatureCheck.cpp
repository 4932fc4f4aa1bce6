// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/SignatureCheck.h"

#include "core/common/TvError.h"
#include "core/integrity/ZvLog.h"
#include "core/recordfiles/FileKind.h"

#include <QFile>

#include <algorithm>

namespace tarvex {

SignatureChecker::SignatureChecker() : scan_(hasher_) {
    hasher_.KeyText(zvLogKey());
}

std::vector<HashVerdict> SignatureChecker::check(const QString& recordPath, RecordKind kind,
                                                 const QStringList& storedHashes,
                                                 const QStringList& signedAt) {
    QFile file;
    if (const std::int32_t error = openRegularFile(file, recordPath, QIODevice::Unbuffered)) {
        throw TvError(error);
    }
    return check(file, kind, storedHashes, signedAt);
}

std::vector<HashVerdict> SignatureChecker::check(QFileDevice& recordFile, RecordKind kind,
                                                 const QStringList& storedHashes,
                                                 const QStringList& signedAt) {
    scan_.seek(storedHashes, signedAt);
    const QString hash = scan_.run(recordFile);
    const qint64 titleLines = kind == RecordKind::DataLog ? 1 : 0;
    const auto recordsIn = [&](qint64 lines) { return std::max<qint64>(lines - titleLines, 0); };
    const qint64 all = recordsIn(scan_.lines());

    std::vector<HashVerdict> verdicts;
    verdicts.reserve(static_cast<std::size_t>(storedHashes.size()));
    for (qsizetype i = 0; i < storedHashes.size(); ++i) {
        HashVerdict v;
        if (!scan_.isHashText(i)) {
            v.kind = HashVerdict::Kind::Malformed;
        } else if (storedHashes[i] == hash) {
            v.kind = HashVerdict::Kind::Verified;
            v.recordsCovered = all;
        } else if (const qint64 lines = scan_.linesCarrying(i); lines > 0) {
            v.kind = HashVerdict::Kind::Appended;
            v.recordsCovered = recordsIn(lines);
            v.recordsAppended = all - v.recordsCovered;
        }
        verdicts.push_back(v);
    }
    return verdicts;
}

} // namespace tarvex
