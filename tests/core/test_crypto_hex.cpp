#include "CoreTestHelpers.h"
#include "common/TvError.h"
#include "common/Windows1252.h"
#include "integrity/HexText.h"
#include "integrity/WidenForHash.h"

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
        {u" ", u" ", bytes({0, 0})},
        {u"1;;2", u";", bytes({1, 0, 2})},
        {u"1<>2", u"<>", bytes({1, 2})},
        {u"1\t2", u" ", bytes({1})}, // a tab is no blank
        {u"0FF", u" ", bytes({255})},
        {u"000000000000001", u" ", bytes({1})},
        {u"G7", u" ", bytes({0})},
        {u"7G", u" ", bytes({7})},
        {u"fez9", u" ", bytes({0xFE})},
        {u"-1 +2", u" ", bytes({0, 0})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexToBytes(c.text, c.delimiter), c.expected)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(HexText, RefusesValuesAboveFFEmptyTextAndMoreThan32768Parts) {
    for (const char16_t* text : {u"1FF", u"100", u"1 2 FFFFFFFFFFFFFFFFFFFFFFFF"}) {
        EXPECT_EQ(errorOf([&] { HexToBytes(text, u" "); }), ErrOverflow);
    }
    EXPECT_EQ(errorOf([] { HexToBytes(u"", u" "); }), ErrSubscript);
    const QString most = QStringLiteral("1") + QStringLiteral(" 2").repeated(32767);
    const QByteArray read = HexToBytes(most, u" ");
    ASSERT_EQ(read.size(), 32768);
    EXPECT_EQ(read.back(), 2);
    EXPECT_EQ(errorOf([&] { HexToBytes(most + QStringLiteral(" "), u" "); }), ErrOverflow);
}

TEST(WidenForHash, EveryByteValueAtEveryPlaceOfABlock) {
    for (int b = 0; b < 256; ++b) {
        for (int at = 0; at < 40; at += 3) {
            QByteArray in(41, 'a');
            in[at] = static_cast<char>(b);
            ASSERT_EQ(widen(in), toWindows1252(test::widenedText(in))) << b << " at " << at;
        }
    }
}
