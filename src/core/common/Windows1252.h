// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tarvex {

// The ANSI code page of the record files. Every byte maps to one character; the five bytes that
// Windows-1252 leaves undefined map to the C1 controls U+0081, U+008D, U+008F, U+0090, U+009D so
// that any byte sequence survives a round trip.
QString fromWindows1252(QByteArrayView bytes);

// Characters without a Windows-1252 byte become '?'.
QByteArray toWindows1252(QStringView text);

// The same into a caller's buffer of bytes.size() or text.size() units, for short texts that
// should not allocate.
void fromWindows1252(QByteArrayView bytes, char16_t* out);
void toWindows1252(QStringView text, char* out);

// One byte to its character, and back (-1 when the character has no byte).
char16_t windows1252ToUnicode(unsigned char byte);
int unicodeToWindows1252(char16_t ch);

} // namespace tarvex
