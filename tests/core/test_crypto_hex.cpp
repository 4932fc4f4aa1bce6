#include "common/TvError.h"
#include "integrity/HexText.h"

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

int errorOf(QStringView text, QStringView delimiter = u" ") {
    try {
        HexToBytes(text, delimiter);
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(HexText, WritesUppercaseWithoutLeadingZeroAndSingleBlanks) {
    EXPECT_EQ(bytesToHex(bytes({0, 5, 10, 171, 255})), QStringLiteral("0 5 A AB FF"));
    EXPECT_EQ(bytesToHex(bytes({16})), QStringLiteral("10"));
    EXPECT_EQ(bytesToHex(QByteArray()), QString());
}

TEST(HexText, ReadsPartsBetweenEveryDelimiter) {
    EXPECT_EQ(HexToBytes(u"0 a FF", u" "), bytes({0, 10, 255}));
    EXPECT_EQ(HexToBytes(u"0  A", u" "), bytes({0, 0, 10}));
    EXPECT_EQ(HexToBytes(u" A", u" "), bytes({0, 10}));
    EXPECT_EQ(HexToBytes(u"A ", u" "), bytes({10, 0}));
    EXPECT_EQ(HexToBytes(u" ", u" "), bytes({0, 0}));
    EXPECT_EQ(HexToBytes(u"1;;2", u";"), bytes({1, 0, 2}));
    EXPECT_EQ(HexToBytes(u"1<>2", u"<>"), bytes({1, 2}));
    // The delimiter is matched exactly: a tab is no blank.
    EXPECT_EQ(HexToBytes(u"1\t2", u" "), bytes({1}));
}

TEST(HexText, TakesLeadingHexDigitsOnly) {
    EXPECT_EQ(HexToBytes(u"0FF", u" "), bytes({255}));
    EXPECT_EQ(HexToBytes(u"000000000000001", u" "), bytes({1}));
    EXPECT_EQ(HexToBytes(u"G7", u" "), bytes({0}));
    EXPECT_EQ(HexToBytes(u"7G", u" "), bytes({7}));
    EXPECT_EQ(HexToBytes(u"fez9", u" "), bytes({0xFE}));
    EXPECT_EQ(HexToBytes(u"-1 +2", u" "), bytes({0, 0}));
}

TEST(HexText, RefusesValuesAboveFFAndEmptyText) {
    EXPECT_EQ(errorOf(u"1FF"), ErrOverflow);
    EXPECT_EQ(errorOf(u"100"), ErrOverflow);
    EXPECT_EQ(errorOf(u"1 2 FFFFFFFFFFFFFFFFFFFFFFFF"), ErrOverflow);
    EXPECT_EQ(errorOf(u""), ErrSubscript);
}

TEST(HexText, AllowsAtMost32768Parts) {
    QString text = QStringLiteral("1");
    text += QStringLiteral(" 2").repeated(32767);
    const QByteArray read = HexToBytes(text, u" ");
    ASSERT_EQ(read.size(), 32768);
    EXPECT_EQ(read.back(), 2);
    EXPECT_EQ(errorOf(text + QStringLiteral(" ")), ErrOverflow);
}
