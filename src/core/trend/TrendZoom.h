// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tarvex {

// A zoom slider at its top end (100) is put back here, so that some of the axis stays in view.
inline constexpr double kZoomTopPosition = 99.0;

// The axis span for a zoom slider at `position` (-100 to 99): (100 - position) hundredths of
// the full span of the last completed build. 0 restores it, 50 halves it, -100 doubles it.
// Before the first build there is no full span, which counts as 0.
double zoomedSpan(double position, std::optional<double> fullSpan);

// An axis range as the plot's axes take it: a start and a width.
struct AxisRange {
    double min = 0.0;
    double span = 0.0;
};

// The range after the mouse wheel turned `notches` (forward positive, fractions from fine
// wheels) with the pointer at `anchor`, which stays where it is on screen. Each notch forward
// shows four fifths of the span, each notch back five fourths. A zoom finer than the axis can
// resolve or wider than it can draw leaves the range as it is.
AxisRange wheelZoomed(AxisRange range, double anchor, double notches);

// The range of a drag that began at `atPress` and has moved the pointer by `fraction` of the
// axis length towards higher values: the plot follows the pointer, so the range moves the
// other way.
AxisRange dragPanned(AxisRange atPress, double fraction);

// Whether the time axis may show `range` when its data covers `dataSpan` days: no wider than a
// hundred times that (and at least a day), and within the years its labels can name.
bool timeRangeLabelled(AxisRange range, double dataSpan);

} // namespace tarvex
