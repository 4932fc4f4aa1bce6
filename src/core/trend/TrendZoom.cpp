#include "trend/TrendZoom.h"

namespace tarvex {

double zoomedSpan(double position, std::optional<double> fullSpan) {
    constexpr double kTop = 100.0;
    constexpr double kHundredth = 0.01;
    return (kTop - position) * kHundredth * fullSpan.value_or(0.0);
}

} // namespace tarvex
