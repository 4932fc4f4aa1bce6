// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// A colour in CIELAB (D65 white): lightness 0 to 100 and the two opponent axes.
struct LabColor {
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// An sRGB colour (components 0 to 255) in CIELAB.
[[nodiscard]] LabColor labFromRgb(int red, int green, int blue);

// How different two colours look, as CIEDE2000 measures it: about 1 is the smallest difference
// an eye sees side by side, 10 and more is plain at a glance.
[[nodiscard]] double deltaE2000(const LabColor& x, const LabColor& y);

} // namespace tarvex
