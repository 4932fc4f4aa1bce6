#include "trend/TrendView.h"

namespace tarvex {

void openTrendSetup() {}

void toggleTrendCursor() {}

void saveTrendJpeg() {}

void printTrendPlot() {}

} // namespace tarvex
