// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotNavigation.h"

#include "ui/trend/PlotAxis.h"
#include "ui/trend/PlotDataCursor.h"

#include <qcustomplot.h>

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace tarvex {

namespace {

constexpr double kNotch = QWheelEvent::DefaultDeltasPerStep;

// The range as drawn, which is also what a zero Span shows.
AxisRange drawnRange(PlotAxis& axis) {
    axis.applyRange();
    const QCPRange range = axis.axis()->range();
    return {range.lower, range.size()};
}

void setRange(PlotAxis& axis, AxisRange range) {
    axis.setMin(range.min);
    axis.setSpan(range.span);
}

} // namespace

PlotNavigation::PlotNavigation(QCustomPlot* plot, PlotAxis& timeAxis, PlotAxis& valueAxis,
                               const PlotDataCursor& cursor, std::function<void()> doubleClicked)
    : QObject(plot), plot_(plot), timeAxis_(timeAxis), valueAxis_(valueAxis), cursor_(cursor),
      doubleClicked_(std::move(doubleClicked)) {
    plot_->installEventFilter(this);
}

bool PlotNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (watched != plot_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Wheel:
        return wheel(static_cast<const QWheelEvent&>(*event));
    case QEvent::MouseButtonPress:
        return press(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseMove:
        return move(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease:
        return release();
    case QEvent::MouseButtonDblClick:
        if (static_cast<const QMouseEvent&>(*event).button() != Qt::LeftButton) {
            return false;
        }
        doubleClicked_();
        return true;
    default:
        return false;
    }
}

bool PlotNavigation::wheel(const QWheelEvent& event) {
    const double notches = event.angleDelta().y() / kNotch;
    if (notches == 0.0) {
        return false;
    }
    const bool value = event.modifiers().testFlag(Qt::ControlModifier);
    PlotAxis& axis = value ? valueAxis_ : timeAxis_;
    const AxisRange range = drawnRange(axis);
    // Kept within the range, so that a wheel over an axis' labels zooms from that end.
    const QRect area = plot_->axisRect()->rect();
    const double fraction =
        value ? (area.bottom() - event.position().y()) / std::max(1, area.height())
              : (event.position().x() - area.left()) / std::max(1, area.width());
    const double anchor = range.min + std::clamp(fraction, 0.0, 1.0) * range.span;
    setRange(axis, wheelZoomed(range, anchor, notches));
    return true;
}

bool PlotNavigation::press(const QMouseEvent& event) {
    panning_ = false;
    if (event.button() != Qt::LeftButton || cursor_.Visible() ||
        !plot_->axisRect()->rect().contains(event.position().toPoint())) {
        return false;
    }
    panning_ = true;
    pressX_ = event.position().x();
    atPress_ = drawnRange(timeAxis_);
    plot_->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool PlotNavigation::move(const QMouseEvent& event) {
    if (panning_ && !event.buttons().testFlag(Qt::LeftButton)) {
        release(); // the release went elsewhere
    }
    if (!panning_) {
        return false;
    }
    const double fraction =
        (event.position().x() - pressX_) / std::max(1, plot_->axisRect()->width());
    setRange(timeAxis_, dragPanned(atPress_, fraction));
    return true;
}

bool PlotNavigation::release() {
    if (!panning_) {
        return false;
    }
    panning_ = false;
    plot_->unsetCursor();
    return true;
}

} // namespace tarvex
