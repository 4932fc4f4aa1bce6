// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/ZvCryptoX32.h"
#include "core/integrity/ZvLog.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QString>

#include <vector>

namespace tarvex::cli {

// What one signature of a record file says about the file now.
struct SignatureVerdict {
    enum class Verdict {
        Verified, // the file carries the signed hash
        Appended, // the file's first records carry it; records were added after signing
        Altered,  // no part of the file that ends at a line end carries it
    };

    QString date;
    QString time;
    QString user;
    QString comment;
    Verdict verdict = Verdict::Altered;
    qint64 recordsCovered = 0;  // Verified: every record; Appended: the signed records
    qint64 recordsAppended = 0; // Appended: the records after them
};

struct FileVerdict {
    QString path;
    RecordKind kind = RecordKind::DataLog;
    QString error; // why the file could not be checked, ready for printError; empty when it was
    std::vector<SignatureVerdict> signatures; // in the order of the signature file
};

// Checks every signature of record files. Holds crypto objects of its own: one checker per
// thread.
class SignatureChecker {
public:
    SignatureChecker();

    // Records are the lines of the file after a data log's title line, every line of an
    // audit trail.
    FileVerdict check(const QString& path, RecordKind kind);

private:
    std::vector<SignatureVerdict> checkAll(const QString& path, RecordKind kind);

    ZvLog log_;
    ZvCryptoX32::CreateStringHash hasher_;
};

} // namespace tarvex::cli
