#include "CoreTestHelpers.h"
#include "common/TvError.h"
#include "integrity/HexText.h"
#include "integrity/ZvLog.h"
#include "recordfiles/TextLineReader.h"

#include <QBuffer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <vector>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

std::vector<QByteArray> readAll(const QByteArray& content) {
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer);
    std::vector<QByteArray> lines;
    while (!reader.atEnd()) {
        lines.emplace_back(reader.readLine().toByteArray());
    }
    return lines;
}

// The result of HexToBytes as a comparable value: the bytes, or the error number.
QByteArray outcome(QStringView text, QStringView delimiter) {
    try {
        return HexToBytes(text, delimiter);
    } catch (const TvError& e) {
        return "error " + QByteArray::number(e.number());
    }
}

} // namespace

TEST(TextLineReader, SplitsAtBothLineEndsWithoutAnExtraLastLine) {
    using Lines = std::vector<QByteArray>;
    EXPECT_EQ(readAll("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(readAll("a\n\n"), (Lines{"a", ""}));
    EXPECT_EQ(readAll("\r\n"), (Lines{""}));
    EXPECT_EQ(readAll(""), Lines{});
    // Only the carriage return right before the line feed belongs to the line end.
    EXPECT_EQ(readAll("a\rb\r\r\n"), (Lines{"a\rb\r"}));
}

TEST(TextLineReader, ReadsLinesLongerThanItsBufferAndRefusesToReadPastTheEnd) {
    const QByteArray longLine(200'000, 'x');
    const QByteArray content = "first\r\n" + longLine + "\r\nlast";
    const std::vector<QByteArray> lines = readAll(content);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2], "last");

    QBuffer buffer;
    buffer.setData("only\n");
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer);
    EXPECT_EQ(reader.readLine(), "only");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(errorOf([&] { reader.readLine(); }), ErrPastEnd);
}

// The one-character delimiter has a fast reader of its own; it must read every text exactly as
// the general reader does (which a two-character delimiter takes).
TEST(HexTextFastPath, ReadsLikeTheGeneralReader) {
    const QString alphabet = QStringLiteral("0123456789abcdefABCDEFGz-  ");
    QRandomGenerator random(20240304);
    for (int round = 0; round < 20'000; ++round) {
        QString text;
        const int length = static_cast<int>(random.bounded(1, 16));
        for (int i = 0; i < length; ++i) {
            text += alphabet.at(static_cast<qsizetype>(random.bounded(alphabet.size())));
        }
        QString general = text;
        general.replace(u' ', QStringLiteral("<>"));
        ASSERT_EQ(outcome(text, u" "), outcome(general, u"<>")) << text.toStdString();
    }
}

TEST(HexTextFastPath, CountsPartsUpTo32768AlsoWithTwoDigitBytes) {
    const QString parts = QStringLiteral("AB ").repeated(32767) + QStringLiteral("CD");
    const QByteArray bytes = HexToBytes(parts, u" ");
    ASSERT_EQ(bytes.size(), 32768);
    EXPECT_EQ(static_cast<unsigned char>(bytes.front()), 0xAB);
    EXPECT_EQ(static_cast<unsigned char>(bytes.back()), 0xCD);
    EXPECT_EQ(outcome(parts + QStringLiteral(" 1"), u" "), "error 6");
    EXPECT_EQ(outcome(parts + QStringLiteral(" "), u" "), "error 6");
}

// The decryptor keeps its key set up between records; a refused record must not spoil it.
TEST(DecryptFromHex, GoesOnAfterARefusedRecordAndFollowsAKeyChange) {
    ZvLog log;
    const QString good = log.EncryptToHex(QStringLiteral("3/4/2024,08:00:00,A,B"), zvLogKey());
    QString damaged = good;
    damaged[damaged.size() - 1] = damaged.back() == u'0' ? u'1' : u'0';
    EXPECT_EQ(log.DecryptFromHex(good, zvLogKey()), QStringLiteral("3/4/2024,08:00:00,A,B"));
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(damaged, zvLogKey()); }), ErrInvalidCall);
    EXPECT_EQ(log.DecryptFromHex(good, zvLogKey()), QStringLiteral("3/4/2024,08:00:00,A,B"));
    EXPECT_EQ(errorOf([&] { log.DecryptFromHex(good, QStringLiteral("other")); }), ErrInvalidCall);
    EXPECT_EQ(log.DecryptFromHex(good, zvLogKey()), QStringLiteral("3/4/2024,08:00:00,A,B"));
}
