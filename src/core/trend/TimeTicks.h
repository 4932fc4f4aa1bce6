// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace tarvex {

// How a time axis labels its major ticks: the distance between them and the pattern their
// labels are written with.
//
// A label must name its tick's own time, and no two labels may be equal. So the step is never
// finer than the pattern shows: zoomed in further than that, the pattern gains the digits the
// step needs (".zzz" after the seconds, ":ss" after the minutes, ...). And the labels never
// repeat: when the ticks reach further apart than the pattern tells apart (a time of day over
// more than a day, a day and month over more than a year), it gains the date or the year.
struct TimeTickPlan {
    double step = 0.0; // days
    QString pattern;
};

// `lower` to `upper` is the range shown, in date serials; `tickCount` roughly how many ticks
// fit. Ticks fall on whole multiples of `step` from serial 0 (midnight).
[[nodiscard]] TimeTickPlan planTimeTicks(double lower, double upper, int tickCount,
                                         const QString& pattern);

// The finest time `pattern` tells apart, in days: 1 ms, 1 s, 1 minute, 1 hour or 1 day; 0 when
// it shows no time of day and no day (then any two ticks would look alike).
[[nodiscard]] double patternResolution(QStringView pattern);

} // namespace tarvex
