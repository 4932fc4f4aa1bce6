// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/SignatureCheck.h"
#include "core/integrity/ZvLog.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QString>

#include <memory>
#include <vector>

namespace tarvex::cli {

// One signature of a record file and what it says about the file now.
struct SignatureVerdict {
    QString date;
    QString time;
    QString user;
    QString comment;
    HashVerdict verdict;
};

struct FileVerdict {
    QString path;
    RecordKind kind = RecordKind::DataLog;
    QString error; // why the file could not be checked, ready for printError; empty when it was
    std::vector<SignatureVerdict> signatures; // in the order of the signature file
};

// Checks every signature of record files against the signature file beside each. Holds
// crypto objects of its own, made on first use: one verifier per thread.
class FileVerifier {
public:
    // Never throws: whatever keeps the file from being checked, running out of memory
    // included, becomes its error.
    FileVerdict verify(const QString& path, RecordKind kind) noexcept;

private:
    std::vector<SignatureVerdict> signaturesOf(const QString& path, RecordKind kind);

    std::unique_ptr<ZvLog> log_;
    std::unique_ptr<SignatureChecker> checker_;
};

} // namespace tarvex::cli
