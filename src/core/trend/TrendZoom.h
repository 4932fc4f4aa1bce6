#pragma once

#include <optional>

namespace tarvex {

// A zoom slider at its top end (100) is put back here, so that some of the axis stays in view.
inline constexpr double kZoomTopPosition = 99.0;

// The axis span for a zoom slider at `position` (-100 to 99): (100 - position) hundredths of
// the full span of the last completed build. 0 restores it, 50 halves it, -100 doubles it.
// Before the first build there is no full span, which counts as 0.
double zoomedSpan(double position, std::optional<double> fullSpan);

} // namespace tarvex
