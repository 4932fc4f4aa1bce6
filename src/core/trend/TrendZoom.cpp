// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TrendZoom.h"

#include "core/common/ValueConvert.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

constexpr double kNotchFactor = 0.8;
// Below this fraction of the values shown, a span no longer draws distinct pixels.
constexpr double kFinestRelativeSpan = 1e-11;
constexpr double kWidestSpan = 1e200;
constexpr double kWidestTimeFactor = 100.0;
constexpr double kWidestTimeFloor = 1.0; // day

} // namespace

double zoomedSpan(double position, std::optional<double> fullSpan) {
    constexpr double kTop = 100.0;
    constexpr double kHundredth = 0.01;
    return (kTop - position) * kHundredth * fullSpan.value_or(0.0);
}

AxisRange wheelZoomed(AxisRange range, double anchor, double notches) {
    const double factor = std::pow(kNotchFactor, notches);
    const AxisRange zoomed{anchor - (anchor - range.min) * factor, range.span * factor};
    const double magnitude =
        std::max({std::abs(zoomed.min), std::abs(zoomed.min + zoomed.span), 1e-300});
    const double width = std::abs(zoomed.span);
    const bool tooFine = factor < 1.0 && width < magnitude * kFinestRelativeSpan;
    const bool tooWide = factor > 1.0 && width > kWidestSpan;
    if (!std::isfinite(zoomed.min) || !std::isfinite(width) || tooFine || tooWide) {
        return range;
    }
    return zoomed;
}

AxisRange dragPanned(AxisRange atPress, double fraction) {
    return {atPress.min - fraction * atPress.span, atPress.span};
}

bool timeRangeLabelled(AxisRange range, double dataSpan) {
    const double widest = std::max(kWidestTimeFactor * std::abs(dataSpan), kWidestTimeFloor);
    return std::abs(range.span) <= widest && isDateSerialInRange(range.min) &&
           isDateSerialInRange(range.min + range.span);
}

} // namespace tarvex
