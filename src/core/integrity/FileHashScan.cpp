// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/FileHashScan.h"

#include "core/common/TvError.h"
#include "core/common/ValueConvert.h"
#include "core/integrity/HexText.h"
#include "core/integrity/RecordTimeSearch.h"
#include "core/integrity/WidenForHash.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tarvex {
namespace {

constexpr qint64 kHashChunk = qint64{1} << 18;

// The hash whose text `text` is, if a hash has that text: the digest's hex text is unique, so
// comparing digests compares the texts character for character.
std::optional<crypto::Digest> digestWithText(const QString& text) {
    crypto::Digest digest{};
    constexpr auto kBytes = static_cast<qsizetype>(std::tuple_size_v<crypto::Digest>);
    // One or two digits per byte and a blank between them.
    if (text.size() < 2 * kBytes - 1 || text.size() > 3 * kBytes - 1) {
        return std::nullopt;
    }
    QByteArray bytes;
    try {
        bytes = HexToBytes(text, u" ");
    } catch (const TvError&) {
        return std::nullopt;
    }
    if (bytes.size() != kBytes || bytesToHex(bytes) != text) {
        return std::nullopt;
    }
    std::copy(bytes.cbegin(), bytes.cend(), digest.begin());
    return digest;
}

std::uint64_t headOf(const crypto::Digest& digest) {
    std::uint64_t head = 0;
    std::memcpy(&head, digest.data(), sizeof head);
    return head;
}

// Line ends in `bytes`: memchr finds them several times faster than a loop over every byte.
qint64 lineEnds(QByteArrayView bytes) {
    qint64 count = 0;
    const char* const end = bytes.data() + bytes.size();
    for (const char* at = bytes.data();; ++at, ++count) {
        at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (at == nullptr) {
            return count;
        }
    }
}

crypto::Digest digestOf(const QByteArray& bytes) {
    crypto::Digest digest{};
    std::copy_n(bytes.cbegin(), std::min<qsizetype>(bytes.size(), std::ssize(digest)),
                digest.begin());
    return digest;
}

} // namespace

FileHashScan::FileHashScan(ZvCryptoX32::CreateStringHash& hasher, const QStringList& sought)
    : hasher_(hasher) {
    seek(sought);
}

void FileHashScan::seek(const QStringList& sought, const QStringList& signedAt) {
    digests_.clear();
    hashText_.assign(static_cast<std::size_t>(sought.size()), false);
    carrying_.assign(static_cast<std::size_t>(sought.size()), 0);
    for (qsizetype i = 0; i < sought.size(); ++i) {
        if (const std::optional<crypto::Digest> digest = digestWithText(sought[i])) {
            digests_.push_back({headOf(*digest), *digest, i,
                                i < signedAt.size() ? parseDateTime(signedAt[i]) : std::nullopt});
            hashText_[static_cast<std::size_t>(i)] = true;
        }
    }
    std::sort(digests_.begin(), digests_.end(),
              [](const Sought& a, const Sought& b) { return a.head < b.head; });
}

QString FileHashScan::run(QFileDevice& file) {
    const qint64 length = file.size();
    std::fill(carrying_.begin(), carrying_.end(), 0);
    const crypto::Digest whole = hashWhole(file, length);
    // The whole file carries what equals its hash; a part that ends earlier can carry only
    // what does not (kept in digests_' order). Those parts are looked for only when something is
    // left to find: first where the signatures were made, then at every line end.
    pending_.clear();
    for (const Sought& s : digests_) {
        if (s.digest != whole) {
            pending_.push_back(s);
        } else if (lastLineEnded_) {
            carrying_.at(static_cast<std::size_t>(s.index)) = lines_;
        }
    }
    if (!pending_.empty()) {
        lookWhereSigned(file, length);
    }
    if (!pending_.empty()) {
        findParts(file, length);
    }
    return bytesToHex(QByteArrayView(whole.data(), std::ssize(whole)));
}

// Reads and widens the next piece of the file into the buffers; its length.
qint64 FileHashScan::readPiece(QFileDevice& file, qint64 left) {
    const qint64 got = file.read(chunk_.data(), std::min(left, kHashChunk));
    if (got < 0) {
        throw TvError(ErrDeviceIo);
    }
    if (got == 0) {
        throw TvError(ErrPastEnd);
    }
    widenForHash(QByteArrayView(chunk_.constData(), got), wide_.data());
    return got;
}

crypto::Digest FileHashScan::hashWhole(QFileDevice& file, qint64 length) {
    // Kept between runs: fresh buffers for every file would cost their pages each time.
    if (const qint64 piece = std::min(length, kHashChunk); chunk_.size() < piece) {
        chunk_.resize(piece);
        wide_.resize(2 * piece);
    }
    lines_ = 0;
    lastLineEnded_ = true;
    inBuffers_ = length == 0;
    hasher_.StartHash();
    for (qint64 done = 0; done < length;) {
        const qint64 got = readPiece(file, length - done);
        inBuffers_ = got == length;
        const QByteArrayView bytes(chunk_.constData(), got);
        hasher_.UpdateHash(QByteArrayView(wide_.constData(), 2 * got));
        if (!digests_.empty()) {
            lines_ += lineEnds(bytes);
        }
        lastLineEnded_ = bytes.back() == '\n';
        done += got;
    }
    lines_ += lastLineEnded_ ? 0 : 1;
    return digestOf(hasher_.FinishHash().toByteArray());
}

// Finishes the hash only at the line ends around the first record stamped after each pending
// signature was made: where a file that grew after signing ends its signed part.
void FileHashScan::lookWhereSigned(QFileDevice& file, qint64 length) {
    RecordTimeSearch search(
        file, length, inBuffers_ ? QByteArrayView(chunk_.constData(), length) : QByteArrayView());
    std::vector<qint64> ends;
    for (const Sought& s : pending_) {
        if (s.signedAt) {
            const std::vector<qint64> around = search.partEndsAround(*s.signedAt);
            ends.insert(ends.end(), around.begin(), around.end());
        }
    }
    // The whole file is known not to carry what is pending.
    ends.erase(std::remove_if(ends.begin(), ends.end(), [&](qint64 end) { return end >= length; }),
               ends.end());
    if (ends.empty()) {
        return;
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    hashFromStart(file);
    qint64 done = 0;
    for (const qint64 end : ends) {
        hashRange(file, done, end);
        done = end;
        lookUp();
        if (pending_.empty()) {
            return;
        }
    }
}

// Starts the hash anew, reading the file from its start unless it is all in the buffers.
void FileHashScan::hashFromStart(QFileDevice& file) {
    hasher_.StartHash();
    linesSoFar_ = 0;
    if (!inBuffers_ && !file.seek(0)) {
        throw TvError(ErrDeviceIo);
    }
}

// Hands the hasher bytes `from` to `to` of the file in whole pieces, counting their line ends;
// the file is read on from `from`.
void FileHashScan::hashRange(QFileDevice& file, qint64 from, qint64 to) {
    while (from < to) {
        qint64 got = to - from;
        const char* bytes = chunk_.constData() + from;
        const char* wide = wide_.constData() + 2 * from;
        if (!inBuffers_) {
            got = readPiece(file, got);
            bytes = chunk_.constData();
            wide = wide_.constData();
        }
        hasher_.UpdateHash(QByteArrayView(wide, 2 * got));
        linesSoFar_ += lineEnds(QByteArrayView(bytes, got));
        from += got;
    }
}

// Hashes the file again from its start, looking at the hash at every line end, until every
// pending hash is found.
void FileHashScan::findParts(QFileDevice& file, qint64 length) {
    hashFromStart(file);
    if (inBuffers_) {
        hashLines(QByteArrayView(chunk_.constData(), length),
                  QByteArrayView(wide_.constData(), 2 * length));
        return;
    }
    for (qint64 done = 0; done < length && !pending_.empty();) {
        const qint64 got = readPiece(file, length - done);
        hashLines(QByteArrayView(chunk_.constData(), got),
                  QByteArrayView(wide_.constData(), 2 * got));
        done += got;
    }
}

// Hands the hasher one line at a time, so that the hash so far can be looked at after each.
void FileHashScan::hashLines(QByteArrayView bytes, QByteArrayView wide) {
    for (qsizetype from = 0; from < bytes.size() && !pending_.empty();) {
        const qsizetype lineEnd = bytes.indexOf('\n', from);
        if (lineEnd < 0) {
            hasher_.UpdateHash(wide.sliced(2 * from));
            return;
        }
        const qsizetype next = lineEnd + 1;
        hasher_.UpdateHash(wide.sliced(2 * from, 2 * (next - from)));
        ++linesSoFar_;
        lookUp();
        from = next;
    }
}

// A hash digest is compared with the pending ones by its first eight bytes, and in whole only
// when those match: at every line end, this is most of the comparing. Found ones are no longer
// pending.
void FileHashScan::lookUp() {
    hasher_.HashSoFar(soFar_);
    const std::uint64_t head = headOf(soFar_);
    const auto first =
        std::lower_bound(pending_.begin(), pending_.end(), head,
                         [](const Sought& s, std::uint64_t h) { return s.head < h; });
    auto last = first;
    for (; last != pending_.end() && last->head == head; ++last) {
        if (last->digest == soFar_) {
            carrying_.at(static_cast<std::size_t>(last->index)) = linesSoFar_;
        }
    }
    pending_.erase(std::remove_if(first, last, [&](const Sought& s) { return s.digest == soFar_; }),
                   last);
}

} // namespace tarvex
