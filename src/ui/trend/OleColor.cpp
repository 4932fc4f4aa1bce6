// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/OleColor.h"

namespace tarvex {

QColor fromOleColor(std::int32_t ole) {
    const auto bits = static_cast<std::uint32_t>(ole);
    return {static_cast<int>(bits & 0xFFU), static_cast<int>((bits >> 8U) & 0xFFU),
            static_cast<int>((bits >> 16U) & 0xFFU)};
}

std::int32_t toOleColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    const auto bits = static_cast<std::uint32_t>(rgb.red()) |
                      (static_cast<std::uint32_t>(rgb.green()) << 8U) |
                      (static_cast<std::uint32_t>(rgb.blue()) << 16U);
    return static_cast<std::int32_t>(bits);
}

} // namespace tarvex
