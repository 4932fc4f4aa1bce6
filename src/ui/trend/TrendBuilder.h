#pragma once

namespace tarvex {

// Checks the cells selected in vaGrid and, when they can be plotted, builds the trend.
void plotSelection();

// Plots the selected data columns of vaGrid on iPlotX, one channel per column, with progress
// and the cancel button's stop; switches to the "Trend Data" tab when done.
void buildTrend();

} // namespace tarvex
