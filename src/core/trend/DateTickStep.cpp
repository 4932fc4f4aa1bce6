// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/DateTickStep.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvex {

namespace {

constexpr double kSecondsPerDay = 86400.0;

// Steps that land on whole clock units, in seconds.
constexpr std::array kClockSteps{1.0,     2.0,     5.0,     10.0,    15.0,     30.0,     60.0,
                                 120.0,   300.0,   600.0,   900.0,   1800.0,   3600.0,   7200.0,
                                 10800.0, 21600.0, 43200.0, 86400.0, 172800.0, 604800.0, 1209600.0};

// The smallest of 1, 2, 5 times a power of ten that is not below `value`.
double niceAbove(double value) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(value)));
    for (const double mantissa : {1.0, 2.0, 5.0}) {
        if (mantissa * magnitude >= value * (1.0 - 1e-9)) {
            return mantissa * magnitude;
        }
    }
    return 10.0 * magnitude;
}

} // namespace

double dateTickStep(double spanDays, int tickCount) {
    const double span = std::abs(spanDays);
    if (!std::isfinite(span) || span <= 0.0) {
        return 1.0 / kSecondsPerDay;
    }
    // Slightly less, so that a span of exactly four half hours is not pushed to hours by rounding,
    // nor a span of one second by the microsecond that a difference of two serials can be off.
    constexpr double kSerialError = 1e-6; // seconds
    const double idealSeconds =
        (span * kSecondsPerDay * (1.0 - 1e-9) - kSerialError) / std::max(1, tickCount);
    if (idealSeconds <= 0.0) {
        return 0.001 / kSecondsPerDay;
    }
    if (idealSeconds < kClockSteps.front()) {
        return std::max(niceAbove(idealSeconds), 0.001) / kSecondsPerDay;
    }
    const auto* step = std::lower_bound(kClockSteps.begin(), kClockSteps.end(), idealSeconds);
    if (step != kClockSteps.end()) {
        return *step / kSecondsPerDay;
    }
    return niceAbove(idealSeconds / kSecondsPerDay);
}

} // namespace tarvex
