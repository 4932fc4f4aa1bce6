// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/FileHashScan.h"

#include "core/common/TvError.h"
#include "core/integrity/HexText.h"
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

void FileHashScan::seek(const QStringList& sought) {
    digests_.clear();
    hashText_.assign(static_cast<std::size_t>(sought.size()), false);
    carrying_.assign(static_cast<std::size_t>(sought.size()), 0);
    for (qsizetype i = 0; i < sought.size(); ++i) {
        if (const std::optional<crypto::Digest> digest = digestWithText(sought[i])) {
            digests_.push_back({headOf(*digest), *digest, i});
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
    // what does not. Those parts are looked for only when something is left to find, which
    // costs a finished hash at every line end.
    pending_.clear();
    for (const Sought& s : digests_) {
        if (s.digest != whole) {
            pending_.push_back(s);
        } else if (lastLineEnded_) {
            carrying_.at(static_cast<std::size_t>(s.index)) = lines_;
        }
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

// Hashes the file again from its start, looking at the hash at every line end, until every
// pending hash is found. A file read in one piece is still in the buffers; any other is read
// again.
void FileHashScan::findParts(QFileDevice& file, qint64 length) {
    std::sort(pending_.begin(), pending_.end(),
              [](const Sought& a, const Sought& b) { return a.head < b.head; });
    hasher_.StartHash();
    linesSoFar_ = 0;
    if (inBuffers_) {
        hashLines(QByteArrayView(chunk_.constData(), length),
                  QByteArrayView(wide_.constData(), 2 * length));
        return;
    }
    if (!file.seek(0)) {
        throw TvError(ErrDeviceIo);
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
