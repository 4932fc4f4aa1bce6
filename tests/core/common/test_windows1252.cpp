#include "common/Windows1252.h"

#include <gtest/gtest.h>

using namespace tarvex;

TEST(Windows1252, EveryByteSurvivesARoundTripAndTheHighBlockIsMapped) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = fromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toWindows1252(text), all);
    EXPECT_EQ(text.mid(0x80, 2), QStringLiteral("\u20AC\u0081"));
    EXPECT_EQ(fromWindows1252("\x8D\x8F\x90\x9D\xE9"),
              QString::fromUtf16(u"\u008D\u008F\u0090\u009D\u00E9"));
    EXPECT_EQ(toWindows1252(u"\u20AC\u0100"), QByteArray("\x80?"));
}
