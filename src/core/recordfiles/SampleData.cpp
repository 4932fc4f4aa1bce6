// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/SampleData.h"

#include "core/common/TvError.h"
#include "core/common/Windows1252.h"
#include "core/integrity/ZvLog.h"
#include "core/recordfiles/AtomicFile.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/SampleDataLog.h"
#include "core/recordfiles/SampleRecords.h"

#include <QDir>

#include <algorithm>

namespace tarvex {
namespace {

QByteArray textFile(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

void writeWhole(const QString& path, const QByteArray& content) {
    if (const WriteFailure failure = writeFileAtomically(path, content)) {
        throw TvError(failure.errorCode(), failure.text());
    }
}

QStringList encipherAll(ZvLog& log, const QStringList& records) {
    QStringList lines;
    for (const QString& record : records) {
        lines.append(log.EncryptToHex(record, zvLogKey()));
    }
    return lines;
}

// Writes a record file as it stood at each signature, takes its hash then, and returns the
// signature records; the file is left in its final state.
QStringList signRecordFile(ZvLog& log, const QString& path, const QStringList& lines,
                           int titleLines, const QList<SampleRecords::Signature>& signatures) {
    QStringList records;
    for (const SampleRecords::Signature& s : signatures) {
        const int count = s.records < 0 ? static_cast<int>(lines.size()) : titleLines + s.records;
        writeWhole(path, textFile(lines.mid(0, count)));
        const QString hash = log.CalculateFileHash(path, zvLogKey());
        records.append(QStringList{s.date, s.time, s.user, s.comment, hash}.join(u','));
    }
    writeWhole(path, textFile(lines));
    return records;
}

} // namespace

SampleFiles sampleFiles(const QString& dir) {
    const QDir folder(dir);
    return {folder.filePath(QStringLiteral("plant.csv")),
            folder.filePath(QStringLiteral("plant.sig")),
            folder.filePath(QStringLiteral("plant.evt")),
            folder.filePath(QStringLiteral("audit.aud")),
            folder.filePath(QStringLiteral("audit.sig")),
            folder.filePath(QStringLiteral("alarms.csv"))};
}

SampleFiles writeSampleData(const QString& dir) {
    if (!QDir().mkpath(dir)) {
        throw TvError(ErrPathNotFound);
    }
    SampleFiles files = sampleFiles(dir);
    const QStringList all = files.all();
    if (!std::ranges::all_of(all, isWritableTarget)) {
        throw TvError(ErrPathAccess); // checked first, so that nothing at all is written then
    }
    ZvLog log;

    const QStringList dataSigs = signRecordFile(log, files.dataLog, SampleDataLog::lines(), 1,
                                                SampleRecords::dataLogSignatures());
    writeWhole(files.dataSignatures, textFile(encipherAll(log, dataSigs)));
    writeWhole(files.operatorEvents, textFile(encipherAll(log, SampleRecords::operatorEvents())));

    const QStringList auditSigs = signRecordFile(log, files.auditTrail, SampleRecords::auditTrail(),
                                                 0, SampleRecords::auditTrailSignatures());
    writeWhole(files.auditSignatures, textFile(encipherAll(log, auditSigs)));
    writeWhole(files.alarmHistory, textFile(SampleRecords::alarmHistory()));
    return files;
}

} // namespace tarvex
