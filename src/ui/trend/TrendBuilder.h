// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// The "Plot History File" button: checks the cells selected in vaGrid and, when they can be
// plotted, builds the trend, with the status bar telling what happens. A press while a build
// runs (its event passes reach the button) is ignored.
void plotSelection();

// Plots the selected data columns of vaGrid on iPlotX, one channel per column, with progress
// and the cancel button's stop; switches to the "Trend Data" tab when done. Shows its own
// messages when stopped or failed and leaves what it plotted so far. Does not throw.
void buildTrend();

} // namespace tarvex
