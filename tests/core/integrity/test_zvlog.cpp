// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/integrity/ZvLog.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <array>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

const QString kKey = zvLogKey();

class ZvLogTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content) {
        return test::writeFile(dir.filePath(name), content);
    }
    // Reads signature records until the end: when, signature, hash of each, then the when and
    // signature that the read past the end left.
    QStringList readSigs(QByteArray content, bool encrypted) {
        QBuffer file(&content);
        file.open(QIODevice::ReadOnly);
        QStringList fields;
        QString when;
        QString signature;
        QString hash = QStringLiteral("kept");
        int error = 0;
        while ((error = errorOf(
                    [&] { log.ReadSigFile(file, when, signature, hash, encrypted, kKey); })) == 0) {
            fields << when << signature << hash;
            hash = QStringLiteral("kept");
        }
        EXPECT_EQ(error, ErrPastEnd);
        return fields << when << signature;
    }

    QTemporaryDir dir;
    ZvLog log;
};

} // namespace

// The decryptor keeps its key set up between records; a refused record must not spoil it.
TEST_F(ZvLogTest, RefusesTamperedCipherTextAndGoesOnAfterwards) {
    const QString hex = log.EncryptToHex(QStringLiteral("Batch released"), kKey);
    const QStringList parts = hex.split(u' ');
    QStringList changed = parts;
    changed[14] = QString::number((changed[14].toInt(nullptr, 16) ^ 1), 16).toUpper();
    QStringList removed = parts;
    removed.removeAt(20);
    for (const QString& bad :
         {changed.join(u' '), removed.join(u' '), parts.mid(0, 27).join(u' ')}) {
        EXPECT_EQ(errorOf([&] { log.DecryptFromHex(bad, kKey); }), ErrInvalidCall);
        EXPECT_EQ(log.DecryptFromHex(hex, kKey), QStringLiteral("Batch released"));
    }
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(hex, QStringLiteral("Tamsk")); }), ErrInvalidCall);
    EXPECT_EQ(log.DecryptFromHex(hex, kKey), QStringLiteral("Batch released"));
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(QString(), kKey); }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(hex + QStringLiteral(" 100"), kKey); }),
              ErrOverflow);
}

TEST_F(ZvLogTest, HashesAreKeyedAndComparedExactly) {
    const QString hash = log.CalculateHash(QStringLiteral("Reactor 1"), kKey);
    EXPECT_EQ(hash.split(u' ').size(), 32);
    EXPECT_NE(hash, log.CalculateHash(QStringLiteral("Reactor 1"), QStringLiteral("other")));
    EXPECT_NE(hash, log.CalculateHash(QStringLiteral("reactor 1"), kKey));
    EXPECT_EQ(log.CalculateHash(QString(), kKey),
              QStringLiteral("85 72 B0 6D C9 CA 5B 7C 10 79 C7 66 F1 9C F2 55 6B 31 80 4B BC 4F "
                             "8A 16 BB C1 73 3D 33 9B 89 8D"));
    ASSERT_TRUE(hash.contains(QRegularExpression(QStringLiteral("[A-F]"))));
    EXPECT_TRUE(log.CompareHash(QStringLiteral("Reactor 1"), kKey, hash));
    for (const QString& other : {hash.toLower(), hash + QStringLiteral(" "), " " + hash}) {
        EXPECT_FALSE(log.CompareHash(QStringLiteral("Reactor 1"), kKey, other));
    }
}

TEST_F(ZvLogTest, HashesAFileAsItsWidenedText) {
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("ab.csv"), "AB"), kKey),
              log.CalculateHash(QString::fromUtf16(u"A\u0000B\u0000", 4), kKey));
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("empty.csv"), {}), kKey),
              log.CalculateHash(QString(), kKey));
    // The documented known answer: bytes 80 83 are hashed as AC 20 92 01.
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("hi.csv"), "\x80\x83"), kKey),
              QStringLiteral("DC EE 11 62 35 3C 4C FB F5 B7 62 26 44 84 B6 31 A6 BA DF 73 CB 75 60 "
                             "83 3F BF 1F 4D 1A B0 B9 89"));
    EXPECT_EQ(errorOf([&] { log.CalculateFileHash(dir.filePath(QStringLiteral("no.csv")), kKey); }),
              ErrFileNotFound);
    EXPECT_EQ(errorOf([&] { log.CalculateFileHash(dir.path(), kKey); }), ErrPathAccess);
}

// Another implementation of the documented hash: the file's bytes decoded as Windows-1252 by a
// table of its own, their UTF-16LE code units, HMAC-SHA-256 under the hash key.
TEST_F(ZvLogTest, EveryByteValueHashesAsItsUtf16CodeUnit) {
    static constexpr std::array<char16_t, 32> k80to9F{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    const QByteArray key =
        QCryptographicHash::hash("tarvex-hash-v1tamsk", QCryptographicHash::Sha256);
    for (int b = 0; b < 256; ++b) {
        const char16_t u = (b >= 0x80 && b < 0xA0) ? k80to9F.at(b - 0x80) : char16_t(b);
        QByteArray units;
        units.append(static_cast<char>(u & 0xFF)).append(static_cast<char>(u >> 8));
        const QByteArray mac =
            QMessageAuthenticationCode::hash(units + units, key, QCryptographicHash::Sha256);
        QStringList hex;
        for (const char c : mac) {
            hex << QString::number(static_cast<unsigned char>(c), 16).toUpper();
        }
        const QString path = write(QStringLiteral("byte.csv"), QByteArray(2, static_cast<char>(b)));
        ASSERT_EQ(log.CalculateFileHash(path, kKey).toStdString(), hex.join(u' ').toStdString())
            << "byte " << b;
    }
}

TEST_F(ZvLogTest, StreamedHashOfALargeFileEqualsTheHashOfItsWidenedText) {
    QByteArray content;
    for (int i = 0; content.size() < (3 << 19) + 77; ++i) {
        content.append(static_cast<char>((i * 7 + i / 256) & 0xFF));
    }
    // A long plain stretch, then every high byte again, across a piece boundary.
    content.replace(1000, 70000, QByteArray(70000, 'x'));
    const QString hash = log.CalculateFileHash(write(QStringLiteral("big.csv"), content), kKey);
    EXPECT_EQ(hash, log.CalculateHash(test::widenedText(content), kKey));
    content[(1 << 20) + 5] = static_cast<char>(content[(1 << 20) + 5] ^ 0x01);
    EXPECT_NE(log.CalculateFileHash(write(QStringLiteral("big.csv"), content), kKey), hash);
}

TEST_F(ZvLogTest, ReadSigFileTrimsFieldsAndKeepsMissingOnes) {
    const QByteArray enciphered =
        toWindows1252(log.EncryptToHex(QStringLiteral(" 3/4/2024 10:00:00 , Jane ,  A B "), kKey)) +
        "\r\n" + toWindows1252(log.EncryptToHex(QStringLiteral("when, who"), kKey)) + "\n";
    EXPECT_EQ(readSigs(enciphered, true), (QStringList{"3/4/2024 10:00:00", "Jane", "A B", "when",
                                                       "who", "kept", "when", "who"}));
    // Plain fields: quotes group, a field may run on to the next line.
    EXPECT_EQ(readSigs("  a, \"b, c\" x,d e \r\nf\n\"g\"", false),
              (QStringList{"a", "b, c", "d e ", "f", "g"}));
}
