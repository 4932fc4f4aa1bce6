// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TraceColors.h"

#include <array>

namespace tarvex {

namespace {

constexpr std::array<QRgb, 12> kPalette{
    qRgb(220, 0, 0),   qRgb(0, 0, 220),   qRgb(0, 130, 0),   qRgb(200, 0, 200),
    qRgb(0, 140, 150), qRgb(230, 110, 0), qRgb(0, 0, 0),     qRgb(110, 0, 160),
    qRgb(140, 70, 20), qRgb(0, 60, 120),  qRgb(120, 120, 0), qRgb(180, 0, 80),
};
constexpr int kGoldenAngle = 137;

} // namespace

QColor traceColor(int index) {
    if (index >= 0 && index < static_cast<int>(kPalette.size())) {
        return QColor::fromRgb(kPalette[static_cast<std::size_t>(index)]);
    }
    // 137 and 360 share no factor, so 360 indices in a row get 360 different hues; the value
    // cycles with a period of 7, which makes the first repeat come only after 2520 channels.
    const int n = index - static_cast<int>(kPalette.size());
    return QColor::fromHsv((n * kGoldenAngle) % 360, 255, 150 + 10 * (n % 7));
}

} // namespace tarvex
