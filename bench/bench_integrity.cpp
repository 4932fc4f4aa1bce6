// SPDX-License-Identifier: GPL-3.0-or-later
// evt-decipher: loadOpEventsFile reading a 32,000-line ".evt" into the viewer's opEvGrid, against
// OpenSSL alone deciphering the same lines (hex decoding included, the key derived once).
#include "Bench.h"
#include "BenchFiles.h"

#include "core/integrity/ZvLog.h"
#include "core/recordfiles/SampleDataLog.h"
#include "core/recordfiles/SampleRecords.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/OperatorEventFile.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/trend/LedBar.h"
#include "ui/viewer/frmHistory.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QList>

#include <openssl/evp.h>

#include <array>
#include <cstdio>
#include <stdexcept>

using namespace tarvex;

namespace {

constexpr int kEvents = 32'000;
constexpr int kNonce = 12;
constexpr int kTag = 16;

QString folder() {
    return QDir(bench::scratchDir()).filePath(QStringLiteral("evt"));
}

// The .evt lines as hex text, as the reference reads them.
QList<QByteArray>& hexLines() {
    static QList<QByteArray> lines;
    return lines;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

// Event records cycling through the sample's events, each with its own time.
QString eventRecord(const QStringList& samples, int i) {
    QStringList fields = samples.at(i % samples.size()).split(u',');
    const int seconds = 8 * 3600 + i;
    fields[1] =
        QString::asprintf("%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return fields.join(u',');
}

void setup() {
    QDir().mkpath(folder());
    const QString dataLog = QDir(folder()).filePath(QStringLiteral("plant.csv"));
    writeFile(dataLog, SampleDataLog::lines().join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    ZvLog log;
    const QStringList samples = SampleRecords::operatorEvents();
    QByteArray evt;
    hexLines().clear();
    for (int i = 0; i < kEvents; ++i) {
        const QByteArray line = log.EncryptToHex(eventRecord(samples, i), zvLogKey()).toLatin1();
        hexLines().append(line);
        evt += line + "\r\n";
    }
    writeFile(QDir(folder()).filePath(QStringLiteral("plant.evt")), evt);
    std::fprintf(stderr, "evt-decipher: %d lines, %.1f MB\n", kEvents,
                 double(evt.size()) / (1024 * 1024));

    frmSplash::createSharedObjects(bench::sharedState());
    frmHistory::load(bench::sharedState()).showViewer();
    bench::sharedState().dataFilePath = dataLog;
}

void ours() {
    frmHistory& v = *frmHistory::existing();
    loadOpEventsFile(bench::sharedState(), *frmMain::existing(),
                     {.vaGrid = v.vaGrid,
                      .digiSigGrid = v.digiSigGrid,
                      .opEvGrid = v.opEvGrid,
                      .DcryLabel = v.DcryLabel,
                      .ProgBar = v.ProgBar});
    if (v.opEvGrid->RowCount() != kEvents) {
        std::fprintf(stderr, "evt-decipher: the grid holds %d rows\n", v.opEvGrid->RowCount());
    }
}

// Digit values by character; blanks and other characters are not digits here.
constexpr std::array<unsigned char, 256> kHexValues = [] {
    std::array<unsigned char, 256> values{};
    for (std::size_t c = 0; c < 10; ++c) {
        values.at('0' + c) = static_cast<unsigned char>(c);
    }
    for (std::size_t c = 0; c < 6; ++c) {
        values.at('A' + c) = static_cast<unsigned char>(10 + c);
        values.at('a' + c) = static_cast<unsigned char>(10 + c);
    }
    return values;
}();

// Strict hex text: one or two digits per byte, one blank between bytes.
int decodeHex(const QByteArray& line, unsigned char* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(line.constData());
    const unsigned char* end = p + line.size();
    int n = 0;
    while (p < end) {
        unsigned value = kHexValues[*p++];
        if (p < end && *p != ' ') {
            value = value * 16 + kHexValues[*p++];
        }
        out[n++] = static_cast<unsigned char>(value);
        ++p; // the blank
    }
    return n;
}

volatile int sink = 0;

void reference() {
    std::array<unsigned char, 32> key{};
    unsigned int keySize = 0;
    const QByteArray material = QByteArray("tarvex-cipher-v1") + "tamsk";
    EVP_Digest(material.constData(), static_cast<std::size_t>(material.size()), key.data(),
               &keySize, EVP_sha256(), nullptr);
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_DecryptInit_ex2(ctx, EVP_aes_256_gcm(), key.data(), nullptr, nullptr);
    std::array<unsigned char, 4096> bytes{};
    std::array<unsigned char, 4096> plain{};
    int total = 0;
    for (const QByteArray& line : hexLines()) {
        const int n = decodeHex(line, bytes.data());
        const int length = n - kNonce - kTag;
        int written = 0;
        int tail = 0;
        EVP_DecryptInit_ex2(ctx, nullptr, nullptr, bytes.data(), nullptr);
        EVP_DecryptUpdate(ctx, plain.data(), &written, bytes.data() + kNonce, length);
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, kTag, bytes.data() + kNonce + length);
        if (EVP_DecryptFinal_ex(ctx, plain.data() + written, &tail) != 1) {
            std::fprintf(stderr, "evt-decipher: reference failed\n");
        }
        total += written;
    }
    EVP_CIPHER_CTX_free(ctx);
    sink = total;
}

const bench::Registrar registrar{{
    .name = "evt-decipher",
    .setup = setup,
    .ours = ours,
    .reference = reference,
    .runs = 5,
}};

} // namespace
