// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tarvex {

// Hex text, the stored form of cipher bytes and hashes: uppercase digits without leading zero,
// one blank between bytes, nothing before the first or after the last ("0 A AB FF").
QString bytesToHex(QByteArrayView bytes);

// ZvLog's private reader of hex text, a free function so that it can be tested on its own.
// Splits at every occurrence of `delimiter`; each part's leading hex digits (either case) give
// its byte, a part without any gives 0. Raises overflow (6) for a value above 255 or more than
// 32768 parts, and subscript out of range (9) for an empty text.
QByteArray HexToBytes(QStringView text, QStringView delimiter);
// The same with the blank as delimiter, for hex text held as bytes, as a file's line is: every
// byte is read as its Latin-1 character, so it gives what the text read that way gives.
QByteArray HexToBytes(QByteArrayView text);

} // namespace tarvex
