// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendZoom.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>

class QCustomPlot;
class QMouseEvent;
class QRubberBand;
class QWheelEvent;

namespace tarvex {

class PlotAxis;
class PlotControl;

// The mouse's way around the trend: the wheel zooms the time axis about the pointer, Ctrl+wheel
// the value axis; a left drag pans the time axis while the data cursor is hidden (a shown cursor
// takes the clicks); Shift with a left drag, or any left drag after armBoxZoom, zooms both axes
// to the box drawn; a click on a legend entry hides or shows its channel; the mouse's back and
// forward buttons go through the zoom history; a double-click is handed to the plot's owner.
// Each zoom records the view it leaves (a burst of wheel notches once). Only Min and Span
// change, so the plot redraws on its own schedule, once for a burst of notches or drag steps.
class PlotNavigation : public QObject {
    Q_OBJECT
public:
    explicit PlotNavigation(PlotControl& plot);

    // The next left drag in the plot area draws a zoom box, Shift held or not.
    void armBoxZoom();
    [[nodiscard]] bool boxZoomArmed() const { return boxArmed_; }

    static constexpr int kSmallestBox = 4; // pixels each way; a smaller box is a slip

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wheel(const QWheelEvent& event);
    bool press(const QMouseEvent& event);
    bool move(const QMouseEvent& event);
    bool release();
    void endBox(bool zoom);

    PlotControl& plot_;
    QCustomPlot* custom_;
    bool panning_ = false;
    double pressX_ = 0.0;
    AxisRange atPress_;
    bool boxArmed_ = false;
    QRubberBand* box_ = nullptr;
    QPoint boxStart_;
    QElapsedTimer lastNotch_;
};

} // namespace tarvex
