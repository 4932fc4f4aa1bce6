// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/ColorDistance.h"

#include <gtest/gtest.h>

using namespace tarvex;

// Pairs from Sharma, Wu and Dalal's published test data, which exercise the hue rotation, the
// mean hue across 0 degrees and a grey; and sRGB corners with known CIELAB values.
TEST(ColorDistance, MatchesPublishedValues) {
    const struct {
        LabColor x;
        LabColor y;
        double distance;
    } pairs[] = {{{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
                 {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
                 {{50, 2.5, 0}, {50, 0, -2.5}, 4.3065},
                 {{50, -0.001, 2.49}, {50, 0.0009, -2.49}, 4.8045},
                 {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
                 {{22.7233, 20.0904, -46.694}, {23.0331, 14.973, -42.5619}, 2.0373},
                 {{50, 0, 0}, {50, -1, 2}, 2.3669}};
    for (const auto& p : pairs) {
        EXPECT_NEAR(deltaE2000(p.x, p.y), p.distance, 1e-4) << p.x.a << " " << p.y.a;
        EXPECT_NEAR(deltaE2000(p.y, p.x), p.distance, 1e-4) << "symmetric";
    }
    const LabColor white = labFromRgb(255, 255, 255);
    EXPECT_NEAR(white.l, 100.0, 1e-3);
    EXPECT_NEAR(white.a, 0.0, 1e-3);
    const LabColor red = labFromRgb(255, 0, 0);
    EXPECT_NEAR(red.l, 53.24, 0.01);
    EXPECT_NEAR(red.a, 80.09, 0.01);
    EXPECT_NEAR(red.b, 67.20, 0.01);
}
