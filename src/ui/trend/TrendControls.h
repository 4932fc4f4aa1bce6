// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tarvex {

class LedBar;
class PlotControl;
class SliderControl;
class SpreadGrid;

// The controls a trend is built from and shown on: the data log's grid, the plot with its two
// zoom sliders, and the plotting progress display.
struct TrendControls {
    SpreadGrid* vaGrid = nullptr;
    PlotControl* iPlotX = nullptr;
    SliderControl* YSlider = nullptr;
    SliderControl* DateSlider = nullptr;
    QWidget* DcryLabel = nullptr; // "Plotting Please Wait:"
    LedBar* ProgBar = nullptr;
};

// The axis ranges of a completed trend build: the zoom sliders scale from its spans and a
// double-click on the plot goes back to it.
struct HistorySpans {
    double historyXspan = 0.0;
    double historyYspan = 0.0;
    double historyXmin = 0.0;
    double historyYmin = 0.0;

    friend bool operator==(const HistorySpans&, const HistorySpans&) = default;
};

} // namespace tarvex
