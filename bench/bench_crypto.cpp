// hash-1gb: ZvLog::CalculateFileHash of a 1 GB data log, against OpenSSL's HMAC-SHA-256 over
// the widened text held in memory (what reading the whole file at once would hash).
#include "Bench.h"

#include "integrity/ZvLog.h"
#include "recordfiles/SampleDataLog.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <stdexcept>

namespace {

constexpr qint64 kFileBytes = 1'000'000'000;

QString filePath() {
    return QDir(bench::scratchDir()).filePath(QStringLiteral("hash-1gb.csv"));
}

// The file's bytes widened: each ASCII byte c followed by 0.
QByteArray& widened() {
    static QByteArray bytes;
    return bytes;
}

QByteArray dataLogBlock() {
    QByteArray block = tarvex::SampleDataLog::lines().join(QStringLiteral("\r\n")).toLatin1();
    block += "\r\n";
    return block;
}

void setup() {
    const QByteArray block = dataLogBlock();
    QFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("cannot write " + filePath().toStdString());
    }
    QByteArray& wide = widened();
    wide = QByteArray(2 * kFileBytes, '\0');
    for (qint64 at = 0; at < kFileBytes; at += block.size()) {
        const qint64 n = std::min<qint64>(block.size(), kFileBytes - at);
        if (file.write(block.constData(), n) != n) {
            throw std::runtime_error("cannot write " + filePath().toStdString());
        }
        for (qint64 i = 0; i < n; ++i) {
            wide[2 * (at + i)] = block[i];
        }
    }
}

volatile int sink = 0;

void ours() {
    tarvex::ZvLog log;
    sink = static_cast<int>(log.CalculateFileHash(filePath(), tarvex::zvLogKey()).size());
}

void reference() {
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

const bench::Registrar registrar{{"hash-1gb", setup, ours, reference, 5}};

} // namespace
