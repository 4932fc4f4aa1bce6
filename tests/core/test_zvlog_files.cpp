#include "common/TvError.h"
#include "common/Windows1252.h"
#include "integrity/ZvLog.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace tarvex;

namespace {

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

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
    // The file's text widened as the hash defines it: each UTF-16 code unit of the Windows-1252
    // text as two characters, low byte first.
    static QString widened(const QByteArray& content) {
        QString wide;
        for (const QChar c : fromWindows1252(content)) {
            wide.append(QChar(c.unicode() & 0xFF));
            wide.append(QChar(c.unicode() >> 8));
        }
        return wide;
    }

    QTemporaryDir dir;
    ZvLog log;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST_F(ZvLogFiles, HashesAFileAsItsWidenedText) {
    const QString ab = write(QStringLiteral("ab.csv"), "AB");
    EXPECT_EQ(log.CalculateFileHash(ab, kKey),
              log.CalculateHash(QString::fromUtf16(u"A\u0000B\u0000", 4), kKey));
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("empty.csv"), {}), kKey),
              log.CalculateHash(QString(), kKey));
    // Bytes 0x80 and 0x83 are U+20AC and U+0192; their low byte 0x92 has no Windows-1252
    // character of its own, so the hasher sees '?'. Known answer from another program.
    EXPECT_EQ(log.CalculateFileHash(write(QStringLiteral("hi.csv"), "\x80\x83"), kKey),
              QStringLiteral("91 2F FF D6 FF EA A C1 EF 2D C1 1A 4 21 A0 3 86 81 8E B5 2A 3D 2D "
                             "EA 97 9C 1E 51 6B E4 7C B8"));
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
    EXPECT_EQ(hash, log.CalculateHash(widened(content), kKey));

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
    const QList<QByteArray> lines = readAll(path).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_TRUE(lines[0].endsWith('\r'));
    const QString first = log.DecryptFromHex(QString::fromLatin1(lines[0].chopped(1)), kKey);
    EXPECT_TRUE(first.endsWith(QStringLiteral(", first, 1 2"))) << first.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d, )"))
                    .match(first)
                    .hasMatch())
        << first.toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
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
