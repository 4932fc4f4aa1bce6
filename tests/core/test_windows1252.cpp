#include "common/Windows1252.h"

#include <gtest/gtest.h>

using namespace tarvex;

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = fromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toWindows1252(text), all);
}

TEST(Windows1252, MapsTheHighBlockAndUndefinedBytes) {
    EXPECT_EQ(fromWindows1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(fromWindows1252("\x81\x8D\x8F\x90\x9D"),
              QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
    EXPECT_EQ(fromWindows1252("\xE9"), QStringLiteral("\u00E9"));
    EXPECT_EQ(toWindows1252(u"\u20AC\u0100"), QByteArray("\x80?"));
}
