// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/ColorDistance.h"

#include <cmath>
#include <numbers>

namespace tarvex {
namespace {

double linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double labCurve(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// Hue angle in degrees, 0 to 360; 0 for a grey.
double hue(double a, double b) {
    if (a == 0.0 && b == 0.0) {
        return 0.0;
    }
    const double h = degrees(std::atan2(b, a));
    return h < 0.0 ? h + 360.0 : h;
}

double pow7(double x) {
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

} // namespace

LabColor labFromRgb(int red, int green, int blue) {
    const double r = linear(red);
    const double g = linear(green);
    const double b = linear(blue);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = labCurve(x);
    const double fy = labCurve(y);
    const double fz = labCurve(z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

// Sharma, Wu and Dalal's formulation.
double deltaE2000(const LabColor& x, const LabColor& y) {
    constexpr double k25pow7 = 6103515625.0; // 25^7
    const double meanChroma = (std::hypot(x.a, x.b) + std::hypot(y.a, y.b)) / 2;
    const double g = 0.5 * (1 - std::sqrt(pow7(meanChroma) / (pow7(meanChroma) + k25pow7)));
    const double a1 = (1 + g) * x.a;
    const double a2 = (1 + g) * y.a;
    const double c1 = std::hypot(a1, x.b);
    const double c2 = std::hypot(a2, y.b);
    const double h1 = hue(a1, x.b);
    const double h2 = hue(a2, y.b);
    const bool grey = c1 * c2 == 0.0;

    double dh = grey ? 0.0 : h2 - h1;
    if (dh > 180) {
        dh -= 360;
    } else if (dh < -180) {
        dh += 360;
    }
    const double dL = y.l - x.l;
    const double dC = c2 - c1;
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(radians(dh / 2));

    const double meanL = (x.l + y.l) / 2;
    const double meanC = (c1 + c2) / 2;
    double meanH = h1 + h2;
    if (!grey) {
        meanH = std::abs(h1 - h2) <= 180 ? meanH / 2
                : meanH < 360            ? (meanH + 360) / 2
                                         : (meanH - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(meanH - 30)) +
                     0.24 * std::cos(radians(2 * meanH)) + 0.32 * std::cos(radians(3 * meanH + 6)) -
                     0.20 * std::cos(radians(4 * meanH - 63));
    const double rotation = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
    const double rc = 2 * std::sqrt(pow7(meanC) / (pow7(meanC) + k25pow7));
    const double sl =
        1 + 0.015 * (meanL - 50) * (meanL - 50) / std::sqrt(20 + (meanL - 50) * (meanL - 50));
    const double sc = 1 + 0.045 * meanC;
    const double sh = 1 + 0.015 * meanC * t;
    const double rt = -std::sin(radians(2 * rotation)) * rc;
    const double l = dL / sl;
    const double c = dC / sc;
    const double h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

} // namespace tarvex
