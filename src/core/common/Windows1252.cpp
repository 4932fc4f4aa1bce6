// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/Windows1252.h"

#include <algorithm>
#include <array>

namespace tarvex {
namespace {

// 0x80..0x9F; the undefined bytes keep their own value as a C1 control.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char16_t windows1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

int unicodeToWindows1252(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return ch;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

void fromWindows1252(QByteArrayView bytes, char16_t* out) {
    std::transform(bytes.begin(), bytes.end(), out,
                   [](char b) { return windows1252ToUnicode(static_cast<unsigned char>(b)); });
}

void toWindows1252(QStringView text, char* out) {
    std::transform(text.begin(), text.end(), out, [](QChar c) {
        const int b = unicodeToWindows1252(c.unicode());
        return static_cast<char>(b < 0 ? '?' : b);
    });
}

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    fromWindows1252(bytes, reinterpret_cast<char16_t*>(text.data()));
    return text;
}

QByteArray toWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    toWindows1252(text, bytes.data());
    return bytes;
}

} // namespace tarvex
