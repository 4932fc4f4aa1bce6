// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerifyFile.h"

#include "FileChecks.h"
#include "InputError.h"

#include "core/integrity/EncipheredFile.h"
#include "core/integrity/SignatureRecords.h"
#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/PathFunctions.h"

#include <QFile>

#include <new>

namespace tarvex::cli {
namespace {

// Tests name a file here to see that running out of memory on it spoils no other file.
bool failsForTest(const QString& path) {
    static const QByteArray failing = qgetenv("TARVEX_TEST_OUT_OF_MEMORY");
    return !failing.isEmpty() && QFile::encodeName(path) == failing;
}

std::vector<SignatureRecord> signatureRecords(ZvLog& log, const QString& path) {
    const QString sigPath = pathWithoutExtension(path) + QStringLiteral(".sig");
    QFile file;
    if (openRegularFile(file, sigPath) != 0) {
        if (fileKind(sigPath) == FileKind::Missing) {
            throw InputError(QStringLiteral("%1: no signature file %2").arg(path, sigPath));
        }
        QString problem = unreadableInput(sigPath);
        throw InputError(
            QStringLiteral("%1: signature file %2 %3")
                .arg(path, sigPath,
                     problem.isEmpty() ? QStringLiteral("cannot be opened") : problem));
    }
    try {
        return readSignatureRecords(file, log);
    } catch (const EncipheredLineError& e) {
        throw InputError(lineProblem(sigPath, e));
    }
}

} // namespace

FileVerdict FileVerifier::verify(const QString& path, RecordKind kind) noexcept {
    FileVerdict verdict{path, kind, {}, {}};
    try {
        if (failsForTest(path)) {
            throw std::bad_alloc();
        }
        verdict.signatures = signaturesOf(path, kind);
    } catch (const InputError& e) {
        verdict.error = QString::fromUtf8(e.what());
    } catch (const std::bad_alloc&) {
        verdict.signatures.clear();
        verdict.signatures.shrink_to_fit();
        verdict.error = path + QStringLiteral(": out of memory");
    } catch (const std::exception& e) {
        verdict.error = path + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
    } catch (...) {
        verdict.error = path + QStringLiteral(": cannot be checked");
    }
    return verdict;
}

std::vector<SignatureVerdict> FileVerifier::signaturesOf(const QString& path, RecordKind kind) {
    if (!checker_) {
        log_ = std::make_unique<ZvLog>();
        checker_ = std::make_unique<SignatureChecker>();
    }
    // The record file first, so that a missing one is named before its signature file.
    QFile file;
    openInput(file, path, QIODevice::Unbuffered);
    std::vector<SignatureRecord> records = signatureRecords(*log_, path);
    QStringList hashes;
    QStringList signedAt;
    hashes.reserve(static_cast<qsizetype>(records.size()));
    signedAt.reserve(static_cast<qsizetype>(records.size()));
    for (SignatureRecord& record : records) {
        hashes.append(std::move(record.hash));
        signedAt.append(record.date + u' ' + record.time);
    }
    std::vector<HashVerdict> verdicts;
    try {
        verdicts = checker_->check(file, kind, hashes, signedAt);
    } catch (const TvError& e) {
        throw InputError(QStringLiteral("%1: cannot hash (%2)").arg(path, describe(e)));
    }
    std::vector<SignatureVerdict> signatures;
    signatures.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SignatureRecord& r = records[i];
        signatures.push_back({std::move(r.date), std::move(r.time), std::move(r.user),
                              std::move(r.comment), verdicts[i]});
    }
    return signatures;
}

} // namespace tarvex::cli
