// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <cstdint>

namespace tarvex {

// Colours as the system stores them: a 24-bit number with red in the low byte, then green, then
// blue (13948116 is red, green and blue 212). The high byte is ignored.
QColor fromOleColor(std::int32_t ole);
std::int32_t toOleColor(const QColor& color);

} // namespace tarvex
