// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tarvex {

// File names are bytes on Linux, and not every name is UTF-8. A name's bytes travel through
// QString without loss: UTF-8 sequences become their characters, and every other byte B
// becomes the lone surrogate U+DC00 + B, which no valid text holds.

// The bytes of a file name held in a QString.
[[nodiscard]] QByteArray nativePath(QStringView path);
// A file name from its bytes (command-line arguments, directory entries).
[[nodiscard]] QString pathFromNative(QByteArrayView bytes);
// The raw byte that a character of pathFromNative() stands for, or -1 for a real character.
[[nodiscard]] int escapedByte(QStringView text, qsizetype at);

} // namespace tarvex
