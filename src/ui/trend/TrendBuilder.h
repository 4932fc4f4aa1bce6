// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/TrendControls.h"

#include <optional>

namespace tarvex {

class StatusSink;
struct SharedState;

// The "Plot History File" button: checks the cells selected in vaGrid and, when they can be
// plotted, builds the trend, with the status bar telling what happens. A press while a build
// runs (its event passes reach the button) is ignored. The ranges of the completed build, if
// it completed.
std::optional<HistorySpans> plotSelection(SharedState& state, StatusSink& status,
                                          const TrendControls& trend);

// Plots the selected data columns of vaGrid on iPlotX, one channel per column, with progress;
// plotBusy is set while it runs, and clearing it (the cancel button) stops the build before its
// next column. Shows its own messages when stopped or failed and leaves what it plotted so far.
// Does not throw. The ranges of the completed build, if it completed.
std::optional<HistorySpans> buildTrend(SharedState& state, const TrendControls& trend);

} // namespace tarvex
