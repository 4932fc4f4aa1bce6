#pragma once

namespace tarvex {

// The trend view's toolbar actions on iPlotX: the setup dialog, the data cursor, the JPEG
// picture and the printout.
void openTrendSetup();
void toggleTrendCursor();
void saveTrendJpeg();
void printTrendPlot();

} // namespace tarvex
