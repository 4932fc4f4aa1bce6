#pragma once

#include <QByteArrayView>

namespace tarvex {

// A file's text read through Windows-1252 and widened once more, each UTF-16 code unit becoming
// two characters (low byte, then high byte), then back to Windows-1252 bytes for the hasher:
// writes exactly 2 * bytes.size() bytes to `out`. ASCII c gives c, 0.
void widenForHash(QByteArrayView bytes, char* out);

} // namespace tarvex
