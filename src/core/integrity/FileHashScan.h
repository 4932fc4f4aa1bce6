// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/ZvCryptoX32.h"

#include <QFileDevice>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace tarvex {

// One pass over a record file that gives its hash exactly as ZvLog::CalculateFileHash does and,
// in the same pass, tells which of some stored hashes the file carried when it ended at an
// earlier line end: a file that grew after it was signed still carries its signed hash on the
// part before the appended lines. Memory does not grow with the file or the number of hashes.
class FileHashScan {
public:
    // `hasher` is keyed by the caller and used by this scan alone until run() returns.
    // `sought` are hash texts as stored; a text matches a part of the file when it equals that
    // part's hash text character for character, as the viewer compares them.
    explicit FileHashScan(ZvCryptoX32::CreateStringHash& hasher, const QStringList& sought = {});

    // Hashes `file`, open for reading at its start, to the length it has now, and returns the
    // hash text. Error 57 when it cannot be read, 62 when it ends early. With nothing sought
    // the file goes to the hasher in whole pieces and line ends are not looked at.
    QString run(QFileDevice& file);

    // After run() with something sought: the lines of the file ("\n" ends one, which covers
    // "\r\n"; a last line without a line end counts too).
    [[nodiscard]] qint64 lines() const { return lines_; }
    // After run(): the lines of the shortest part of the file, from its start to a line end,
    // whose hash is sought[i]; 0 when no such part carries it (the empty part never counts).
    [[nodiscard]] qint64 linesCarrying(qsizetype i) const {
        return carrying_.at(static_cast<std::size_t>(i));
    }

private:
    void hashLines(QByteArrayView bytes, QByteArrayView wide);
    void lookUp();

    ZvCryptoX32::CreateStringHash& hasher_;
    bool seeking_;
    // A sought text that a hash can have: its hash bytes, their first eight as one number to
    // search by, and its index in `sought`.
    struct Sought {
        std::uint64_t head;
        crypto::Digest digest;
        qsizetype index;
    };
    std::vector<Sought> digests_; // ordered by head
    std::vector<qint64> carrying_;
    qint64 lines_ = 0;
    crypto::Digest soFar_{};
};

} // namespace tarvex
