#include "integrity/HexText.h"

#include "common/TvError.h"

namespace tarvex {
namespace {

// The byte array's index is 16-bit signed: 0..32767.
constexpr qsizetype kMaxParts = 32768;

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    return -1;
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

} // namespace tarvex
