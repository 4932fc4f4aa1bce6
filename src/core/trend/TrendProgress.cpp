// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TrendProgress.h"

#include "core/common/TvError.h"

#include <cfenv>
#include <cmath>

namespace tarvex {

namespace {
constexpr int kErrDivisionByZero = 11;
constexpr double kFull = 100.0;
constexpr double kAlmostFull = 99.0;
} // namespace

int trendProgress(int pointCounter, int columnCount, int rowSpan) {
    const double divisor = static_cast<double>(columnCount) * rowSpan;
    if (divisor == 0) {
        throw pointCounter == 0 ? TvError(ErrOverflow)
                                : TvError(kErrDivisionByZero, QStringLiteral("Division by zero"));
    }
    // nearbyint rounds halves to even in the default rounding mode.
    const double percent = std::nearbyint(pointCounter / divisor * kFull);
    return percent > kAlmostFull ? static_cast<int>(kFull) : static_cast<int>(percent);
}

} // namespace tarvex
