// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/ZvCryptoX32.h"

#include <QByteArray>
#include <QFileDevice>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvex {

// Gives a record file's hash exactly as ZvLog::CalculateFileHash does and tells which of some
// stored hashes the file carried when it ended at an earlier line end: a file that grew after
// it was signed still carries its signed hash on the part before the appended lines. Only a
// stored hash that is not the whole file's costs more passes: the first looks at the few line
// ends where its signature's date and time say it was made, the last finishes a hash at every
// line end until all are found. A file of one piece (256 KiB) stays in memory for them, a larger
// one is read again. Memory does not grow with the file or the number of hashes, and a scan
// kept for many files reuses its buffers.
class FileHashScan {
public:
    // `hasher` is keyed by the caller and used by this scan alone while it runs.
    explicit FileHashScan(ZvCryptoX32::CreateStringHash& hasher, const QStringList& sought = {});

    // The hash texts, as stored, that the next runs look for; a text matches a part of the file
    // when it equals that part's hash text character for character, as the viewer compares them.
    // signedAt[i], where given, is the date and time its signature was made ("m/d/yyyy h:mm:ss"):
    // the part that ends before the first record stamped later is looked at first.
    void seek(const QStringList& sought, const QStringList& signedAt = {});

    // Hashes `file`, open for reading at its start, to the length it has now, and returns the
    // hash text. Error 57 when it cannot be read, 62 when it ends early.
    QString run(QFileDevice& file);

    // Whether sought[i] has the form of a hash text at all (32 bytes as hex text: uppercase
    // digits, no leading zero, one blank between bytes). No file carries any other text.
    [[nodiscard]] bool isHashText(qsizetype i) const {
        return hashText_.at(static_cast<std::size_t>(i));
    }
    // After run() with a hash text sought: the lines of the file ("\n" ends one, which covers
    // "\r\n"; a last line without a line end counts too).
    [[nodiscard]] qint64 lines() const { return lines_; }
    // After run(): the lines of the shortest part of the file, from its start to a line end,
    // whose hash is sought[i]; 0 when no such part carries it (the empty part never counts).
    [[nodiscard]] qint64 linesCarrying(qsizetype i) const {
        return carrying_.at(static_cast<std::size_t>(i));
    }

private:
    qint64 readPiece(QFileDevice& file, qint64 left);
    crypto::Digest hashWhole(QFileDevice& file, qint64 length);
    void lookWhereSigned(QFileDevice& file, qint64 length);
    void hashFromStart(QFileDevice& file);
    void hashRange(QFileDevice& file, qint64 from, qint64 to);
    void findParts(QFileDevice& file, qint64 length);
    void hashLines(QByteArrayView bytes, QByteArrayView wide);
    void lookUp();

    ZvCryptoX32::CreateStringHash& hasher_;
    bool seeking_ = false;
    // A sought text that a hash can have: its hash bytes, their first eight as one number to
    // search by, and its index in `sought`.
    struct Sought {
        std::uint64_t head;
        crypto::Digest digest;
        qsizetype index;
        std::optional<double> signedAt; // a date serial
    };
    std::vector<Sought> digests_; // ordered by head
    std::vector<Sought> pending_; // those that only a part of the file can carry, by head
    std::vector<bool> hashText_;
    std::vector<qint64> carrying_;
    qint64 lines_ = 0;
    bool lastLineEnded_ = true;
    bool inBuffers_ = false; // the whole file, read in one piece
    qint64 linesSoFar_ = 0;  // while parts are looked for
    crypto::Digest soFar_{};
    QByteArray chunk_;
    QByteArray wide_;
};

} // namespace tarvex
