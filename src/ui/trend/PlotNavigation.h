// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendZoom.h"

#include <QObject>

#include <functional>

class QCustomPlot;
class QMouseEvent;
class QWheelEvent;

namespace tarvex {

class PlotAxis;
class PlotDataCursor;

// The mouse's way around the trend: the wheel zooms the time axis about the pointer, Ctrl+wheel
// the value axis; a left drag pans the time axis while the data cursor is hidden (a shown cursor
// takes the clicks); a double-click is handed to `doubleClicked`. Only Min and Span change, so
// the plot redraws on its own schedule, once for a burst of wheel notches or drag steps.
class PlotNavigation : public QObject {
    Q_OBJECT
public:
    PlotNavigation(QCustomPlot* plot, PlotAxis& timeAxis, PlotAxis& valueAxis,
                   const PlotDataCursor& cursor, std::function<void()> doubleClicked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wheel(const QWheelEvent& event);
    bool press(const QMouseEvent& event);
    bool move(const QMouseEvent& event);
    bool release();

    QCustomPlot* plot_;
    PlotAxis& timeAxis_;
    PlotAxis& valueAxis_;
    const PlotDataCursor& cursor_;
    std::function<void()> doubleClicked_;
    bool panning_ = false;
    double pressX_ = 0.0;
    AxisRange atPress_;
};

} // namespace tarvex
