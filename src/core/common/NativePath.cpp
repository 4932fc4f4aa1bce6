// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/NativePath.h"

namespace tarvex {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at p (end - p bytes left), or 0 when there is none:
// no overlong forms, no surrogates, nothing past U+10FFFF.
int sequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
        return 1;
    }
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (end - p < length || p[1] < low || p[1] > high) {
        return 0;
    }
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool isEscape(char16_t c, QStringView text, qsizetype at) {
    // A low surrogate that follows a high one is half of a real character.
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF &&
           (at == 0 || !QChar::isHighSurrogate(text[at - 1].unicode()));
}

} // namespace

int escapedByte(QStringView text, qsizetype at) {
    const char16_t c = text[at].unicode();
    return isEscape(c, text, at) ? c - kEscapeBase : -1;
}

QByteArray nativePath(QStringView path) {
    QByteArray out;
    out.reserve(path.size());
    qsizetype plain = 0; // start of the run of real characters not yet converted
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (const int byte = escapedByte(path, i); byte >= 0) {
            out += path.sliced(plain, i - plain).toUtf8();
            out += static_cast<char>(byte);
            plain = i + 1;
        }
    }
    out += path.sliced(plain).toUtf8();
    return out;
}

QString pathFromNative(QByteArrayView bytes) {
    if (bytes.isValidUtf8()) {
        return QString::fromUtf8(bytes);
    }
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const int length = sequenceLength(p, end);
        if (length == 0) {
            out += QChar(static_cast<char16_t>(kEscapeBase + *p++));
            continue;
        }
        out += QString::fromUtf8(reinterpret_cast<const char*>(p), length);
        p += length;
    }
    return out;
}

} // namespace tarvex
