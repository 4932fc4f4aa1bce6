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
    QByteArray bytes;
    try {
        bytes = HexToBytes(text, u" ");
    } catch (const TvError&) {
        return std::nullopt;
    }
    crypto::Digest digest{};
    if (bytes.size() != static_cast<qsizetype>(digest.size()) || bytesToHex(bytes) != text) {
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

} // namespace

FileHashScan::FileHashScan(ZvCryptoX32::CreateStringHash& hasher, const QStringList& sought)
    : hasher_(hasher), seeking_(!sought.isEmpty()), carrying_(sought.size(), 0) {
    for (qsizetype i = 0; i < sought.size(); ++i) {
        if (const std::optional<crypto::Digest> digest = digestWithText(sought[i])) {
            digests_.push_back({headOf(*digest), *digest, i});
        }
    }
    std::sort(digests_.begin(), digests_.end(),
              [](const Sought& a, const Sought& b) { return a.head < b.head; });
}

QString FileHashScan::run(QFileDevice& file) {
    const qint64 length = file.size();
    lines_ = 0;
    std::fill(carrying_.begin(), carrying_.end(), 0);
    hasher_.StartHash();
    QByteArray chunk(std::min(length, kHashChunk), Qt::Uninitialized);
    QByteArray wide(2 * chunk.size(), Qt::Uninitialized);
    bool lastLineEnded = true;
    for (qint64 done = 0; done < length;) {
        const qint64 got = file.read(chunk.data(), std::min(length - done, kHashChunk));
        if (got < 0) {
            throw TvError(ErrDeviceIo);
        }
        if (got == 0) {
            throw TvError(ErrPastEnd);
        }
        const QByteArrayView bytes(chunk.constData(), got);
        widenForHash(bytes, wide.data());
        const QByteArrayView widened(wide.constData(), 2 * got);
        if (seeking_) {
            hashLines(bytes, widened);
        } else {
            hasher_.UpdateHash(widened);
        }
        lastLineEnded = bytes.back() == '\n';
        done += got;
    }
    lines_ += lastLineEnded ? 0 : 1;
    return bytesToHex(hasher_.FinishHash().toByteArray());
}

// Hands the hasher one line at a time, so that the hash so far can be looked at after each.
void FileHashScan::hashLines(QByteArrayView bytes, QByteArrayView wide) {
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype lineEnd = bytes.indexOf('\n', from);
        if (lineEnd < 0) {
            hasher_.UpdateHash(wide.sliced(2 * from));
            return;
        }
        const qsizetype next = lineEnd + 1;
        hasher_.UpdateHash(wide.sliced(2 * from, 2 * (next - from)));
        ++lines_;
        if (!digests_.empty()) {
            lookUp();
        }
        from = next;
    }
}

// A hash digest is compared with the sought ones by its first eight bytes, and in whole only
// when those match: at every line end, this is most of the comparing.
void FileHashScan::lookUp() {
    hasher_.HashSoFar(soFar_);
    const std::uint64_t head = headOf(soFar_);
    auto at = std::lower_bound(digests_.cbegin(), digests_.cend(), head,
                               [](const Sought& s, std::uint64_t h) { return s.head < h; });
    for (; at != digests_.cend() && at->head == head; ++at) {
        qint64& carrying = carrying_.at(static_cast<std::size_t>(at->index));
        if (carrying == 0 && at->digest == soFar_) {
            carrying = lines_;
        }
    }
}

} // namespace tarvex
