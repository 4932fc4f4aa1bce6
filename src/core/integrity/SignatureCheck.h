// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/FileHashScan.h"
#include "core/integrity/ZvCryptoX32.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvex {

// What a stored hash says about a record file as it is now.
struct HashVerdict {
    enum class Kind {
        Verified,  // the stored text is the hash text of the whole file
        Appended,  // the file's first records carry it; records were added after signing
        Altered,   // a hash text that no part of the file ending at a line end carries
        Malformed, // no hash text at all, such as the empty text of a record without a hash
    };

    Kind kind = Kind::Altered;
    qint64 recordsCovered = 0;  // Verified: every record; Appended: the signed records
    qint64 recordsAppended = 0; // Appended: the records after them

    [[nodiscard]] bool verified() const { return kind == Kind::Verified; }
};

// Checks stored hash texts against record files, one pass over each file for all its hashes.
// Holds crypto objects and buffers of its own: one checker per thread.
class SignatureChecker {
public:
    SignatureChecker();

    // A verdict for each stored text, in order. Verified exactly when the text equals the hash
    // text of the whole file now (ZvLog::CalculateFileHash), character for character. A hash
    // text that the file's part up to one of its line ends carries is Appended, with the records
    // of that part covered and the rest appended; records are the lines after a data log's title
    // line, or every line of an audit trail. A text that is no hash text (32 bytes as hex text:
    // uppercase digits, no leading zero, one blank between bytes) is Malformed. The file is
    // hashed in any case; error 53 when it is missing, 75 when it is no regular file, 57 when it
    // cannot be read, 62 when it shrinks meanwhile. signedAt[i], where given, is the date and
    // time of the signature ("m/d/yyyy h:mm:ss"): it only tells where to look first.
    std::vector<HashVerdict> check(const QString& recordPath, RecordKind kind,
                                   const QStringList& storedHashes,
                                   const QStringList& signedAt = {});
    // The same for a record file that the caller opened for reading, at its start.
    std::vector<HashVerdict> check(QFileDevice& recordFile, RecordKind kind,
                                   const QStringList& storedHashes,
                                   const QStringList& signedAt = {});

private:
    ZvCryptoX32::CreateStringHash hasher_;
    FileHashScan scan_;
};

} // namespace tarvex
