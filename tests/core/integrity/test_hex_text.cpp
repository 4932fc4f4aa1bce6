#include "CoreTestHelpers.h"
#include "integrity/HexText.h"
#include "integrity/WidenForHash.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

// The result of HexToBytes as a comparable value: the bytes, or the error number.
QByteArray outcome(QStringView text, QStringView delimiter) {
    try {
        return HexToBytes(text, delimiter);
    } catch (const TvError& e) {
        return "error " + QByteArray::number(e.number());
    }
}

QByteArray widen(const QByteArray& in) {
    QByteArray out(2 * in.size(), '\x55');
    widenForHash(in, out.data());
    return out;
}

} // namespace

TEST(HexText, WritesUppercaseWithoutLeadingZeroAndSingleBlanks) {
    EXPECT_EQ(bytesToHex(bytes({0, 5, 10, 16, 171, 255})), QStringLiteral("0 5 A 10 AB FF"));
    EXPECT_EQ(bytesToHex(QByteArray()), QString());
}

// The two-character delimiter takes the general reader; the blank has a fast one of its own.
TEST(HexText, ReadsLeadingHexDigitsOfThePartsBetweenEveryDelimiter) {
    const struct {
        const char16_t* text;
        const char16_t* delimiter;
        QByteArray expected;
    } cases[] = {
        {u"0 a FF", u" ", bytes({0, 10, 255})},
        {u"0  A", u" ", bytes({0, 0, 10})},
        {u" A", u" ", bytes({0, 10})},
        {u"A ", u" ", bytes({10, 0})},
        {u"1;;2", u";", bytes({1, 0, 2})},
        {u"1<>2", u"<>", bytes({1, 2})},
        {u"1\t2", u" ", bytes({1})}, // a tab is no blank
        {u"000000000000001", u" ", bytes({1})},
        {u"G7", u" ", bytes({0})},
        {u"fez9", u" ", bytes({0xFE})},
        {u"-1 +2", u" ", bytes({0, 0})},
        {u"1FF", u" ", "error 6"},
        {u"1 2 FFFFFFFFFFFFFFFFFFFFFFFF", u" ", "error 6"},
        {u"", u" ", "error 9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcome(c.text, c.delimiter), c.expected)
            << QString::fromUtf16(c.text).toStdString();
    }
}

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
    const QByteArray read = HexToBytes(parts, u" ");
    ASSERT_EQ(read.size(), 32768);
    EXPECT_EQ(static_cast<unsigned char>(read.front()), 0xAB);
    EXPECT_EQ(static_cast<unsigned char>(read.back()), 0xCD);
    EXPECT_EQ(outcome(parts + QStringLiteral(" 1"), u" "), "error 6");
    EXPECT_EQ(outcome(parts + QStringLiteral(" "), u" "), "error 6");
}

TEST(WidenForHash, EveryByteValueAtEveryPlaceOfABlock) {
    for (int b = 0; b < 256; ++b) {
        for (int at = 0; at < 40; at += 3) {
            QByteArray in(41, 'a');
            in[at] = static_cast<char>(b);
            ASSERT_EQ(widen(in), toWindows1252(test::widenedText(in))) << b << " at " << at;
        }
    }
    EXPECT_EQ(widen("\x80"), QByteArray("\xAC\x20", 2)); // U+20AC
    EXPECT_EQ(widen("\x83"), QByteArray("?\x01", 2));    // U+0192: 0x92 is no character
    EXPECT_EQ(widen("\x81"), QByteArray("\x81\0", 2));   // undefined byte, kept as U+0081
}
