// SPDX-License-Identifier: GPL-3.0-or-later
// hash-1gb, hash-1gb-random: ZvLog::CalculateFileHash of a 1 GB file (data log text, or random
// bytes), against OpenSSL's HMAC-SHA-256 over the widened bytes held in memory (what reading the
// whole file at once would hash).
#include "Bench.h"
#include "BenchFiles.h"

#include "core/integrity/WidenForHash.h"
#include "core/integrity/ZvLog.h"

#include <QByteArray>
#include <QFile>

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <array>
#include <stdexcept>

namespace {

constexpr qint64 kFileBytes = 1'000'000'000;

QByteArray& widened() {
    static QByteArray bytes;
    return bytes;
}

void widenWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    QByteArray& wide = widened();
    wide = QByteArray(2 * file.size(), Qt::Uninitialized);
    QByteArray chunk(1 << 22, Qt::Uninitialized);
    for (qint64 at = 0; at < file.size();) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got <= 0) {
            throw std::runtime_error("cannot read " + path.toStdString());
        }
        tarvex::widenForHash(QByteArrayView(chunk.constData(), got), wide.data() + 2 * at);
        at += got;
    }
}

volatile int sink = 0;

void hashFile(const QString& path) {
    tarvex::ZvLog log;
    sink = static_cast<int>(log.CalculateFileHash(path, tarvex::zvLogKey()).size());
}

void hashWidened() {
    std::array<unsigned char, EVP_MAX_MD_SIZE> key{};
    unsigned int keySize = 0;
    const QByteArray material = QByteArray("tarvex-hash-v1") + "tamsk";
    EVP_Digest(material.constData(), static_cast<std::size_t>(material.size()), key.data(),
               &keySize, EVP_sha256(), nullptr);
    std::array<unsigned char, EVP_MAX_MD_SIZE> mac{};
    unsigned int macSize = 0;
    const QByteArray& wide = widened();
    HMAC(EVP_sha256(), key.data(), static_cast<int>(keySize),
         reinterpret_cast<const unsigned char*>(wide.constData()),
         static_cast<std::size_t>(wide.size()), mac.data(), &macSize);
    sink = static_cast<int>(mac[0]);
}

bench::Workload hashWorkload(const char* name, QString (*file)(qint64)) {
    return {
        .name = name,
        .setup = [file] { widenWhole(file(kFileBytes)); },
        .ours = [file] { hashFile(file(kFileBytes)); },
        .reference = hashWidened,
        .runs = 5,
        .files = [file] { file(kFileBytes); },
        .teardown = [] { widened() = QByteArray(); },
    };
}

const bench::Registrar text{hashWorkload("hash-1gb", &bench::textFile)};
const bench::Registrar random{hashWorkload("hash-1gb-random", &bench::randomFile)};

} // namespace
