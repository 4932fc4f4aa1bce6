#include "common/Windows1252.h"
#include "integrity/WidenForHash.h"

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// The definition: Windows-1252 text, each UTF-16 code unit as two characters (low byte, then
// high byte), and those characters back to Windows-1252 bytes.
QByteArray widenedByDefinition(const QByteArray& bytes) {
    QString wide;
    for (const QChar c : fromWindows1252(bytes)) {
        wide.append(QChar(c.unicode() & 0xFF));
        wide.append(QChar(c.unicode() >> 8));
    }
    return toWindows1252(wide);
}

QByteArray widen(const QByteArray& bytes) {
    QByteArray out(2 * bytes.size(), '\x55');
    widenForHash(bytes, out.data());
    return out;
}

} // namespace

TEST(WidenForHash, EveryByteValueAtEveryPlaceOfABlock) {
    for (int b = 0; b < 256; ++b) {
        for (int at = 0; at < 40; at += 3) {
            QByteArray bytes(41, 'a');
            bytes[at] = static_cast<char>(b);
            ASSERT_EQ(widen(bytes), widenedByDefinition(bytes)) << "byte " << b << " at " << at;
        }
    }
}

TEST(WidenForHash, KnownPairs) {
    EXPECT_EQ(widen("A"), QByteArray("A\0", 2));
    EXPECT_EQ(widen("\x80"), QByteArray("\xAC\x20", 2)); // U+20AC
    EXPECT_EQ(widen("\x83"), QByteArray("?\x01", 2));    // U+0192: 0x92 is no character
    EXPECT_EQ(widen("\x81"), QByteArray("\x81\0", 2));   // undefined byte, kept as U+0081
    EXPECT_EQ(widen("\xFF"), QByteArray("\xFF\0", 2));
    EXPECT_EQ(widen(QByteArray()), QByteArray());
}
