// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TraceColors.h"

#include "core/trend/ColorDistance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tarvex {

namespace {

constexpr std::array<QRgb, 12> kPalette{
    qRgb(220, 0, 0),   qRgb(0, 0, 220),   qRgb(0, 130, 0),   qRgb(200, 0, 200),
    qRgb(0, 140, 150), qRgb(230, 110, 0), qRgb(0, 0, 0),     qRgb(110, 0, 160),
    qRgb(140, 70, 20), qRgb(0, 60, 120),  qRgb(120, 120, 0), qRgb(180, 0, 80),
};
constexpr int kGoldenAngle = 137;

// Colours a thin line shows plainly on the grey background: neither near black (channel 7 is
// black) nor washed out, and far enough from the background itself.
constexpr int kGridStep = 17;
constexpr double kDarkest = 25.0;
constexpr double kLightest = 70.0;
constexpr double kLeastChroma = 25.0;

LabColor lab(QRgb rgb) {
    return labFromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

struct Candidate {
    QRgb rgb;
    LabColor lab;
    double nearest; // distance to the nearest colour taken so far
};

std::vector<Candidate> candidates() {
    const LabColor background = lab(kTraceBackground);
    std::vector<Candidate> out;
    for (int r = 0; r <= 255; r += kGridStep) {
        for (int g = 0; g <= 255; g += kGridStep) {
            for (int b = 0; b <= 255; b += kGridStep) {
                const LabColor c = labFromRgb(r, g, b);
                if (c.l >= kDarkest && c.l <= kLightest && std::hypot(c.a, c.b) >= kLeastChroma &&
                    deltaE2000(c, background) >= kLeastBackgroundDistance) {
                    out.push_back({qRgb(r, g, b), c, 1e9});
                }
            }
        }
    }
    return out;
}

// The fixed colours, then again and again the candidate farthest from every colour taken so
// far: each new colour is as distinct from all earlier ones as the candidates allow.
std::vector<QRgb> extendedPalette() {
    std::vector<QRgb> palette(kPalette.begin(), kPalette.end());
    std::vector<Candidate> pool = candidates();
    const auto take = [&pool](QRgb rgb) {
        const LabColor taken = lab(rgb);
        for (Candidate& c : pool) {
            c.nearest = std::min(c.nearest, deltaE2000(c.lab, taken));
        }
    };
    for (const QRgb rgb : kPalette) {
        take(rgb);
    }
    while (static_cast<int>(palette.size()) < kDistinctTraceColors && !pool.empty()) {
        const auto farthest =
            std::max_element(pool.begin(), pool.end(), [](const Candidate& x, const Candidate& y) {
                return x.nearest < y.nearest;
            });
        const QRgb rgb = farthest->rgb;
        pool.erase(farthest);
        palette.push_back(rgb);
        take(rgb);
    }
    return palette;
}

} // namespace

QColor traceColor(int index) {
    static const std::vector<QRgb> palette = extendedPalette();
    if (index >= 0 && index < static_cast<int>(palette.size())) {
        return QColor::fromRgb(palette[static_cast<std::size_t>(index)]);
    }
    // 137 and 360 share no factor, so 360 indices in a row get 360 different hues; the value
    // cycles with a period of 7, which makes the first repeat come only after 2520 channels.
    const int n = std::max(0, index - static_cast<int>(palette.size()));
    return QColor::fromHsv((n * kGoldenAngle) % 360, 255, 150 + 10 * (n % 7));
}

} // namespace tarvex
