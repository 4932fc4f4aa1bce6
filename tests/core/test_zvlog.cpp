#include "CoreTestHelpers.h"
#include "common/TvError.h"
#include "common/Windows1252.h"
#include "integrity/ZvLog.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

const QString kKey = zvLogKey();

class ZvLogFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content) {
        QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(content), content.size());
        return path;
    }

    QTemporaryDir dir;
    ZvLog log;
};

} // namespace

TEST(ZvLog, RoundTripsEveryWindows1252Character) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = fromWindows1252(all);
    ZvLog log;
    const QString hex = log.EncryptToHex(text, kKey);
    EXPECT_EQ(hex.count(u' '), 12 + 256 + 16 - 1);
    EXPECT_EQ(log.DecryptFromHex(hex, kKey), text);
    EXPECT_EQ(log.DecryptFromHex(hex.toLower(), kKey), text);
    EXPECT_EQ(log.DecryptFromHex(log.EncryptToHex(QString(), kKey), kKey), QString());
}

TEST(ZvLog, EncryptsTheSameTextDifferentlyEachTime) {
    ZvLog log;
    const QString text = QStringLiteral("3/4/2024,10:00:00,Jane Doe,Approved,1 2 3");
    const QString a = log.EncryptToHex(text, kKey);
    const QString b = log.EncryptToHex(text, kKey);
    EXPECT_NE(a, b);
    EXPECT_EQ(log.DecryptFromHex(b, kKey), text);
    EXPECT_FALSE(a.startsWith(u' ') || a.endsWith(u' ') || a.contains(QStringLiteral("  ")));
    EXPECT_EQ(a, a.toUpper());
}

TEST(ZvLog, RefusesTamperedCipherText) {
    ZvLog log;
    const QString hex = log.EncryptToHex(QStringLiteral("Batch released"), kKey);
    QStringList parts = hex.split(u' ');

    QStringList changed = parts;
    changed[14] = QString::number((changed[14].toInt(nullptr, 16) ^ 1), 16).toUpper();
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(changed.join(u' '), kKey); }), ErrInvalidCall);

    QStringList removed = parts;
    removed.removeAt(20);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(removed.join(u' '), kKey); }), ErrInvalidCall);

    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(parts.mid(0, 27).join(u' '), kKey); }),
              ErrInvalidCall);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(hex, QStringLiteral("Tamsk")); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(QString(), kKey); }), ErrSubscript);
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(hex + QStringLiteral(" 100"), kKey); }),
              ErrOverflow);
    // The instance stays usable after a refusal.
    EXPECT_EQ(log.DecryptFromHex(hex, kKey), QStringLiteral("Batch released"));
}

TEST(ZvLog, HashesAreKeyedHexTextOf32Bytes) {
    ZvLog log;
    const QString hash = log.CalculateHash(QStringLiteral("plant"), kKey);
    EXPECT_EQ(hash.split(u' ').size(), 32);
    EXPECT_EQ(hash, log.CalculateHash(QStringLiteral("plant"), kKey));
    EXPECT_NE(hash, log.CalculateHash(QStringLiteral("plant"), QStringLiteral("other")));
    EXPECT_NE(hash, log.CalculateHash(QStringLiteral("Plant"), kKey));
    EXPECT_EQ(log.CalculateHash(QString(), kKey),
              QStringLiteral("85 72 B0 6D C9 CA 5B 7C 10 79 C7 66 F1 9C F2 55 6B 31 80 4B BC 4F "
                             "8A 16 BB C1 73 3D 33 9B 89 8D"));
}

TEST(ZvLog, CompareHashIsExact) {
    ZvLog log;
    const QString text = QStringLiteral("Reactor 1");
    const QString hash = log.CalculateHash(text, kKey);
    ASSERT_TRUE(hash.contains(QRegularExpression(QStringLiteral("[A-F]"))));
    EXPECT_TRUE(log.CompareHash(text, kKey, hash));
    EXPECT_FALSE(log.CompareHash(text, kKey, hash.toLower()));
    EXPECT_FALSE(log.CompareHash(text, kKey, hash + QStringLiteral(" ")));
    EXPECT_FALSE(log.CompareHash(text, kKey, QStringLiteral(" ") + hash));
    EXPECT_FALSE(log.CompareHash(text, QStringLiteral("other"), hash));
}

TEST_F(ZvLogFiles, HashesAFileAsItsWidenedText) {
    const QString ab = write(QStringLiteral("ab.csv"), "AB");
    EXPECT_EQ(log.CalculateFileHash(ab, kKey),
              log.CalculateHash(QString::fromUtf16(u"A\u0000B\u0000", 4), kKey));
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("empty.csv"), {}), kKey),
              log.CalculateHash(QString(), kKey));
    // The documented known answer: bytes 80 83 are hashed as AC 20 92 01.
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("hi.csv"), "\x80\x83"), kKey),
              QStringLiteral("DC EE 11 62 35 3C 4C FB F5 B7 62 26 44 84 B6 31 A6 BA DF 73 CB 75 60 "
                             "83 3F BF 1F 4D 1A B0 B9 89"));
}

// Another implementation of the documented hash: the file's bytes decoded as Windows-1252 by a
// table of its own, their UTF-16LE code units, HMAC-SHA-256 under the hash key.
TEST_F(ZvLogFiles, EveryByteValueHashesAsItsUtf16CodeUnit) {
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

TEST_F(ZvLogFiles, StreamedHashOfALargeFileEqualsTheHashOfItsWidenedText) {
    QByteArray content;
    for (int i = 0; content.size() < (3 << 19) + 77; ++i) {
        content.append(static_cast<char>((i * 7 + i / 256) & 0xFF));
    }
    // A long plain stretch, then every high byte again, across a piece boundary.
    content.replace(1000, 70000, QByteArray(70000, 'x'));
    const QString path = write(QStringLiteral("big.csv"), content);
    const QString hash = log.CalculateFileHash(path, kKey);
    EXPECT_EQ(hash, log.CalculateHash(test::widenedText(content), kKey));

    content[(1 << 20) + 5] = static_cast<char>(content[(1 << 20) + 5] ^ 0x01);
    EXPECT_NE(log.CalculateFileHash(write(QStringLiteral("big.csv"), content), kKey), hash);
}

TEST_F(ZvLogFiles, FileHashErrors) {
    EXPECT_EQ(errorOf([&] { log.CalculateFileHash(dir.filePath(QStringLiteral("no.csv")), kKey); }),
              ErrFileNotFound);
    EXPECT_EQ(errorOf([&] { log.CalculateFileHash(dir.path(), kKey); }), ErrPathAccess);
}

TEST_F(ZvLogFiles, WriteSigFileAppendsOlderFirst) {
    const QString path = dir.filePath(QStringLiteral("plant.sig"));
    log.WriteSigFile(path, QStringLiteral("first"), QStringLiteral("1 2"), true, kKey);
    log.WriteSigFile(path, QStringLiteral("second"), QStringLiteral("3 4"), true, kKey);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.seek(0);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_TRUE(lines[0].endsWith('\r'));
    const QString first = log.DecryptFromHex(QString::fromLatin1(lines[0].chopped(1)), kKey);
    EXPECT_TRUE(first.endsWith(QStringLiteral(", first, 1 2"))) << first.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d, )"))
                    .match(first)
                    .hasMatch())
        << first.toStdString();

    QString when;
    QString signature;
    QString hash;
    log.ReadSigFile(file, when, signature, hash, true, kKey);
    EXPECT_EQ(signature, QStringLiteral("first"));
    EXPECT_EQ(hash, QStringLiteral("1 2"));
    log.ReadSigFile(file, when, signature, hash, true, kKey);
    EXPECT_EQ(signature, QStringLiteral("second"));
    EXPECT_EQ(errorOf([&] { log.ReadSigFile(file, when, signature, hash, true, kKey); }),
              ErrPastEnd);
}

TEST_F(ZvLogFiles, WriteSigFileFailsOnAFolderThatIsMissing) {
    const QString path = dir.filePath(QStringLiteral("missing/plant.sig"));
    EXPECT_NE(errorOf([&] { log.WriteSigFile(path, {}, {}, false, kKey); }), 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ZvLogFiles, ReadSigFileTrimsFieldsAndKeepsMissingOnes) {
    QByteArray content;
    content +=
        toWindows1252(log.EncryptToHex(QStringLiteral(" 3/4/2024 10:00:00 , Jane ,  A B "), kKey)) +
        "\r\n";
    content += toWindows1252(log.EncryptToHex(QStringLiteral("when, who"), kKey)) + "\n";
    QBuffer file(&content);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString when;
    QString signature;
    QString hash = QStringLiteral("kept");
    log.ReadSigFile(file, when, signature, hash, true, kKey);
    EXPECT_EQ(when, QStringLiteral("3/4/2024 10:00:00"));
    EXPECT_EQ(signature, QStringLiteral("Jane"));
    EXPECT_EQ(hash, QStringLiteral("A B"));
    hash = QStringLiteral("kept");
    log.ReadSigFile(file, when, signature, hash, true, kKey);
    EXPECT_EQ(when, QStringLiteral("when"));
    EXPECT_EQ(signature, QStringLiteral("who"));
    EXPECT_EQ(hash, QStringLiteral("kept"));
}

TEST_F(ZvLogFiles, ReadSigFileReadsPlainFieldsAcrossLines) {
    QByteArray content("  a, \"b, c\" x,d e \r\nf\n\"g\"");
    QBuffer file(&content);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString when;
    QString signature;
    QString hash;
    log.ReadSigFile(file, when, signature, hash, false, kKey);
    EXPECT_EQ(when, QStringLiteral("a"));
    EXPECT_EQ(signature, QStringLiteral("b, c"));
    EXPECT_EQ(hash, QStringLiteral("d e "));
    EXPECT_EQ(errorOf([&] { log.ReadSigFile(file, when, signature, hash, false, kKey); }),
              ErrPastEnd);
    EXPECT_EQ(when, QStringLiteral("f"));
    EXPECT_EQ(signature, QStringLiteral("g"));
}
