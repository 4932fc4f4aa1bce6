// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integrity/HexText.h"

#include "core/common/TvError.h"

#include <algorithm>
#include <array>

namespace tarvex {
namespace {

// The byte array's index is 16-bit signed: 0..32767.
constexpr qsizetype kMaxParts = 32768;

// Digit values of the Latin-1 characters; -1 for non-digits.
constexpr std::array<signed char, 256> kDigitValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (std::size_t c = 0; c < 10; ++c) {
        values.at('0' + c) = static_cast<signed char>(c);
    }
    for (std::size_t c = 0; c < 6; ++c) {
        values.at('A' + c) = static_cast<signed char>(10 + c);
        values.at('a' + c) = static_cast<signed char>(10 + c);
    }
    return values;
}();

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    return u < kDigitValues.size() ? kDigitValues[u] : -1;
}

int hexDigit(char c) {
    return kDigitValues[static_cast<unsigned char>(c)];
}

char partValue(QStringView part) {
    int value = 0;
    for (const QChar c : part) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
        // Leading zeros never overflow; checking at every digit keeps the sum small.
        if (value > 255) {
            throw TvError(ErrOverflow);
        }
    }
    return static_cast<char>(value);
}

qsizetype countParts(QStringView text, QStringView delimiter) {
    if (delimiter.isEmpty()) {
        return 1;
    }
    qsizetype parts = 1;
    for (qsizetype at = text.indexOf(delimiter); at >= 0;
         at = text.indexOf(delimiter, at + delimiter.size())) {
        if (++parts > kMaxParts) {
            throw TvError(ErrOverflow);
        }
    }
    return parts;
}

// The leading hex digits of the part at `at`, and `at` moved to the delimiter after it (or
// the end).
template <typename Char> char partAt(const Char*& at, const Char* end, Char delimiter) {
    int value = 0;
    for (int digit = 0; at != end && (digit = hexDigit(*at)) >= 0; ++at) {
        value = value * 16 + digit;
        if (value > 255) {
            throw TvError(ErrOverflow);
        }
    }
    at = std::find(at, end, delimiter);
    return static_cast<char>(value);
}

// One pass for the usual one-character delimiter, over UTF-16 text or bytes alike. Parts of
// one or two digits, the form that hex text is written in, are read without a search.
template <typename Char>
QByteArray bytesBetween(const Char* at, const Char* const end, Char delimiter) {
    QByteArray bytes(std::min<qsizetype>(end - at + 1, kMaxParts), Qt::Uninitialized);
    char* out = bytes.data();
    qsizetype parts = 0;
    for (;;) {
        // A run of such parts stops before the part limit (each takes at least two
        // characters), so only the general step below needs to check it.
        const Char* const runEnd =
            end - at > 2 ? at + std::min<qsizetype>(end - at - 2, 2 * (kMaxParts - 1 - parts)) : at;
        for (; at < runEnd; ++at) {
            const int high = hexDigit(at[0]);
            const int low = hexDigit(at[1]);
            if ((high | low) >= 0 && at[2] == delimiter) {
                out[parts] = static_cast<char>(high * 16 + low);
                at += 2;
            } else if (high >= 0 && at[1] == delimiter) {
                out[parts] = static_cast<char>(high);
                at += 1;
            } else {
                break;
            }
            ++parts;
        }
        out[parts++] = partAt(at, end, delimiter);
        if (at == end) {
            break;
        }
        if (parts == kMaxParts) {
            throw TvError(ErrOverflow);
        }
        ++at;
    }
    bytes.truncate(parts);
    return bytes;
}

} // namespace

QString bytesToHex(QByteArrayView bytes) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString text;
    text.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 16) {
            text.append(QChar(kDigits[b >> 4]));
        }
        text.append(QChar(kDigits[b & 15]));
        text.append(u' ');
    }
    text.chop(1);
    return text;
}

QByteArray HexToBytes(QStringView text, QStringView delimiter) {
    if (text.isEmpty()) {
        throw TvError(ErrSubscript);
    }
    if (delimiter.size() == 1) {
        return bytesBetween(text.data(), text.data() + text.size(), delimiter.front());
    }
    QByteArray bytes(countParts(text, delimiter), Qt::Uninitialized);
    if (delimiter.isEmpty()) {
        bytes[0] = partValue(text);
        return bytes;
    }
    qsizetype start = 0;
    for (char& byte : bytes) {
        qsizetype end = text.indexOf(delimiter, start);
        if (end < 0) {
            end = text.size();
        }
        byte = partValue(text.sliced(start, end - start));
        start = end + delimiter.size();
    }
    return bytes;
}

QByteArray HexToBytes(QByteArrayView text) {
    if (text.isEmpty()) {
        throw TvError(ErrSubscript);
    }
    return bytesBetween(text.data(), text.data() + text.size(), ' ');
}

} // namespace tarvex
