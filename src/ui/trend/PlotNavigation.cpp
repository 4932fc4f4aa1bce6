// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotNavigation.h"

#include "ui/trend/PlotAxis.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/PlotDataCursor.h"
#include "ui/trend/PlotLegend.h"

#include <qcustomplot.h>

#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include <algorithm>

namespace tarvex {

namespace {

constexpr double kNotch = QWheelEvent::DefaultDeltasPerStep;
// Notches closer together than this are one zoom for going back.
constexpr qint64 kNotchBurstMs = 600;

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

PlotNavigation::PlotNavigation(PlotControl& plot)
    : QObject(plot.customPlot()), plot_(plot), custom_(plot.customPlot()) {
    custom_->installEventFilter(this);
}

void PlotNavigation::armBoxZoom() {
    boxArmed_ = true;
    custom_->setCursor(Qt::CrossCursor);
}

bool PlotNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (watched != custom_) {
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
        plot_.rememberView();
        emit plot_.DblClick();
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
    PlotAxis& axis = value ? plot_.YAxis() : plot_.XAxis();
    const AxisRange range = drawnRange(axis);
    // Kept within the range, so that a wheel over an axis' labels zooms from that end.
    const QRect area = custom_->axisRect()->rect();
    const double fraction =
        value ? (area.bottom() - event.position().y()) / std::max(1, area.height())
              : (event.position().x() - area.left()) / std::max(1, area.width());
    const double anchor = range.min + std::clamp(fraction, 0.0, 1.0) * range.span;
    const AxisRange zoomed = wheelZoomed(range, anchor, notches);
    if (!value && !timeRangeLabelled(zoomed, plot_.XAxis().dataSpan()) && notches < 0) {
        return true; // out no further than the dates can be labelled
    }
    if (!lastNotch_.isValid() || lastNotch_.elapsed() > kNotchBurstMs) {
        plot_.rememberView();
    }
    lastNotch_.start();
    setRange(axis, zoomed);
    return true;
}

bool PlotNavigation::press(const QMouseEvent& event) {
    panning_ = false;
    lastNotch_.invalidate();
    if (event.button() == Qt::BackButton || event.button() == Qt::ForwardButton) {
        event.button() == Qt::BackButton ? plot_.viewBack() : plot_.viewForward();
        return true;
    }
    const QPoint pos = event.position().toPoint();
    if (event.button() != Qt::LeftButton || !custom_->axisRect()->rect().contains(pos)) {
        return false;
    }
    if (QCPGraph* graph = plot_.legend().graphAt(event.position())) {
        for (int i = 0; i < plot_.ChannelCount(); ++i) {
            if (plot_.Channel(i).graph() == graph) {
                plot_.setChannelVisible(i, !graph->visible());
            }
        }
        return true;
    }
    if (boxArmed_ || event.modifiers().testFlag(Qt::ShiftModifier)) {
        boxStart_ = pos;
        if (box_ == nullptr) {
            box_ = new QRubberBand(QRubberBand::Rectangle, custom_);
        }
        box_->setGeometry(QRect(pos, QSize()));
        box_->show();
        return true;
    }
    if (plot_.DataCursor(0).Visible()) {
        return false; // the cursor's
    }
    panning_ = true;
    pressX_ = event.position().x();
    atPress_ = drawnRange(plot_.XAxis());
    plot_.rememberView();
    custom_->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool PlotNavigation::move(const QMouseEvent& event) {
    const bool boxing = box_ != nullptr && box_->isVisible();
    if ((panning_ || boxing) && !event.buttons().testFlag(Qt::LeftButton)) {
        release(); // the release went elsewhere
        return false;
    }
    if (boxing) {
        const QPoint end = event.position().toPoint();
        box_->setGeometry(QRect(boxStart_, end).normalized() & custom_->axisRect()->rect());
        return true;
    }
    if (!panning_) {
        return false;
    }
    const double fraction =
        (event.position().x() - pressX_) / std::max(1, custom_->axisRect()->width());
    const AxisRange panned = dragPanned(atPress_, fraction);
    if (timeRangeLabelled(panned, std::abs(panned.span))) {
        setRange(plot_.XAxis(), panned);
    }
    return true;
}

bool PlotNavigation::release() {
    if (box_ != nullptr && box_->isVisible()) {
        endBox(true);
        return true;
    }
    if (!panning_) {
        return false;
    }
    panning_ = false;
    custom_->unsetCursor();
    return true;
}

void PlotNavigation::endBox(bool zoom) {
    const QRect box = box_->geometry();
    box_->hide();
    boxArmed_ = false;
    custom_->unsetCursor();
    if (zoom && box.width() >= kSmallestBox && box.height() >= kSmallestBox) {
        plot_.zoomToBox(QRectF(box.topLeft(), box.bottomRight())); // the corners dragged to
    }
}

} // namespace tarvex
