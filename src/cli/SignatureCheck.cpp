// SPDX-License-Identifier: GPL-3.0-or-later
#include "SignatureCheck.h"

#include "EncipheredFile.h"
#include "FileChecks.h"

#include "core/common/TvError.h"
#include "core/integrity/FileHashScan.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/PathFunctions.h"

#include <QFile>

#include <algorithm>

namespace tarvex::cli {
namespace {

// The signature records of a record file, each split into its fields as the viewer splits
// them: at every comma, nothing trimmed.
QList<QStringList> signatureRecords(ZvLog& log, const QString& path) {
    const QString sigPath = pathWithoutExtension(path) + QStringLiteral(".sig");
    if (fileKind(sigPath) == FileKind::Missing) {
        throw InputError(
            QStringLiteral("%1: no signature file %2").arg(path, sigPath).toStdString());
    }
    if (const QString problem = unreadableInput(sigPath); !problem.isEmpty()) {
        throw InputError(
            QStringLiteral("%1: signature file %2 %3").arg(path, sigPath, problem).toStdString());
    }
    QList<QStringList> records;
    // A record that deciphers to nothing holds no signature (the viewer shows no row for it).
    readEncipheredFile(log, sigPath, [&](const QString& record) {
        if (!record.isEmpty()) {
            records.append(record.split(u','));
        }
    });
    return records;
}

} // namespace

SignatureChecker::SignatureChecker() {
    hasher_.KeyText(zvLogKey());
}

FileVerdict SignatureChecker::check(const QString& path, RecordKind kind) {
    FileVerdict verdict{path, kind, {}, {}};
    try {
        verdict.signatures = checkAll(path, kind);
    } catch (const InputError& e) {
        verdict.error = QString::fromUtf8(e.what());
    }
    return verdict;
}

std::vector<SignatureVerdict> SignatureChecker::checkAll(const QString& path, RecordKind kind) {
    if (const QString problem = unreadableInput(path); !problem.isEmpty()) {
        throw InputError(QStringLiteral("%1: %2").arg(path, problem).toStdString());
    }
    const QList<QStringList> records = signatureRecords(log_, path);
    QStringList hashes;
    for (const QStringList& fields : records) {
        hashes.append(fields.value(4));
    }
    FileHashScan scan(hasher_, hashes);
    QFile file(path);
    QString hash;
    try {
        if (const std::int32_t error = openRegularFile(file, path, QIODevice::Unbuffered)) {
            throw TvError(error);
        }
        hash = scan.run(file);
    } catch (const TvError& e) {
        throw InputError(
            QStringLiteral("%1: cannot hash (%2)").arg(path, describe(e)).toStdString());
    }
    const qint64 titleLines = kind == RecordKind::DataLog ? 1 : 0;
    const auto recordsIn = [&](qint64 lines) { return std::max<qint64>(lines - titleLines, 0); };
    const qint64 all = recordsIn(scan.lines());

    std::vector<SignatureVerdict> verdicts;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QStringList& fields = records[i];
        SignatureVerdict v{fields.value(0), fields.value(1), fields.value(2), fields.value(3)};
        if (fields.value(4) == hash) {
            v.verdict = SignatureVerdict::Verdict::Verified;
            v.recordsCovered = all;
        } else if (const qint64 lines = scan.linesCarrying(i); lines > 0) {
            v.verdict = SignatureVerdict::Verdict::Appended;
            v.recordsCovered = recordsIn(lines);
            v.recordsAppended = all - v.recordsCovered;
        }
        verdicts.push_back(std::move(v));
    }
    return verdicts;
}

} // namespace tarvex::cli
