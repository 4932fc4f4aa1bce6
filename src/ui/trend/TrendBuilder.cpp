#include "trend/TrendBuilder.h"

namespace tarvex {

void plotSelection() {}

void buildTrend() {}

} // namespace tarvex
