// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace tarvex {

// A file's bytes as the hasher takes them: the UTF-16LE code units of their Windows-1252 text
// (byte 0x83, U+0192, gives 92 01). Writes exactly 2 * bytes.size() bytes to `out`; ASCII c
// gives c, 0.
void widenForHash(QByteArrayView bytes, char* out);

} // namespace tarvex
