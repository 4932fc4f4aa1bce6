// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotDataCursor.h"

#include "core/common/ValueFormat.h"
#include "ui/trend/PlotAxis.h"

#include <qcustomplot.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace tarvex {

namespace {

const QString kLayerName = QStringLiteral("cursor");
constexpr double kBoxTop = 0.02;

// The point nearest in time to x (its value NaN at a gap); nothing for an empty channel.
std::optional<QCPGraphData> nearestPoint(const QCPGraphDataContainer& data, double x) {
    if (data.isEmpty()) {
        return std::nullopt;
    }
    auto it = data.findBegin(x, false);
    const bool pastEnd = it == data.constEnd();
    if (pastEnd || (it != data.constBegin() && x - (it - 1)->key < it->key - x)) {
        --it;
    }
    return *it;
}

QString valueText(const std::optional<QCPGraphData>& point) {
    if (!point || std::isnan(point->value)) {
        return QStringLiteral("no value");
    }
    return QString::number(point->value, 'g', 7);
}

} // namespace

PlotDataCursor::PlotDataCursor(QCustomPlot* plot, const PlotAxis& timeAxis)
    : QObject(plot), plot_(plot), timeAxis_(timeAxis) {
    plot_->addLayer(kLayerName, plot_->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    layer_ = plot_->layer(kLayerName);
    // Its own buffer, so moving the cursor redraws only the cursor.
    layer_->setMode(QCPLayer::lmBuffered);

    line_ = new QCPItemStraightLine(plot_);
    line_->setLayer(layer_);
    line_->point1->setTypeY(QCPItemPosition::ptAxisRectRatio);
    line_->point2->setTypeY(QCPItemPosition::ptAxisRectRatio);
    line_->setPen(QPen(Qt::black, 1));

    box_ = new CursorReadout(plot_);
    box_->setLayer(layer_);
    box_->position->setTypeY(QCPItemPosition::ptAxisRectRatio);

    plot_->installEventFilter(this);
    refresh();
}

void PlotDataCursor::setVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    dragging_ = false;
    if (visible) {
        position_ = timeAxis_.Min() + timeAxis_.Span() / 2.0;
    }
    redraw();
}

void PlotDataCursor::setPosition(double x) {
    if (std::isnan(x)) {
        return;
    }
    const double low = std::min(timeAxis_.Min(), timeAxis_.Max());
    const double high = std::max(timeAxis_.Min(), timeAxis_.Max());
    position_ = std::clamp(x, low, high);
    redraw();
}

// The time is that of the point nearest to the cursor; a channel whose nearest point lies at
// another time says when.
QVector<CursorReadout::Line> PlotDataCursor::readoutLines() const {
    std::vector<std::optional<QCPGraphData>> points;
    std::optional<double> time;
    for (int i = 0; i < plot_->graphCount(); ++i) {
        points.push_back(nearestPoint(*plot_->graph(i)->data(), position_));
        if (points.back() &&
            (!time || std::abs(points.back()->key - position_) < std::abs(*time - position_))) {
            time = points.back()->key;
        }
    }
    const QString format = timeAxis_.DateTimeFormat();
    QVector<CursorReadout::Line> lines{{formatDateSerial(time.value_or(position_), format), {}, 0}};
    for (int i = 0; i < plot_->graphCount(); ++i) {
        const QCPGraph* graph = plot_->graph(i);
        const auto& point = points[static_cast<std::size_t>(i)];
        QString text = QStringLiteral("%1: %2").arg(graph->name(), valueText(point));
        if (point && point->key != time) {
            text += QStringLiteral(" (%1)").arg(formatDateSerial(point->key, format));
        }
        lines.push_back({text, graph->pen().color(), graph->pen().width()});
    }
    return lines;
}

QString PlotDataCursor::readout() const {
    QStringList texts;
    for (const CursorReadout::Line& line : readoutLines()) {
        texts << line.text;
    }
    return texts.join(QLatin1Char('\n'));
}

void PlotDataCursor::refresh() {
    line_->setVisible(visible_);
    box_->setVisible(visible_);
    if (!visible_) {
        return;
    }
    line_->point1->setCoords(position_, 0.0);
    line_->point2->setCoords(position_, 1.0);
    // Keep the box inside the plot: right of the line in the left half, left of it otherwise.
    const bool leftHalf = position_ < timeAxis_.Min() + timeAxis_.Span() / 2.0;
    box_->setSide(leftHalf ? Qt::AlignLeft : Qt::AlignRight);
    box_->position->setCoords(position_, kBoxTop);
    box_->setLines(readoutLines());
}

void PlotDataCursor::redraw() {
    refresh();
    if (plot_->isVisible()) {
        layer_->replot();
    }
}

bool PlotDataCursor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != plot_ || !visible_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return mousePress(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseMove:
        if (dragging_) {
            const auto& move = static_cast<const QMouseEvent&>(*event);
            setPosition(timeAxis_.axis()->pixelToCoord(move.position().x()));
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (dragging_) {
            dragging_ = false;
            plot_->unsetCursor();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        return keyPress(static_cast<const QKeyEvent&>(*event));
    default:
        return false;
    }
}

bool PlotDataCursor::mousePress(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton ||
        !plot_->axisRect()->rect().contains(event.position().toPoint())) {
        return false;
    }
    dragging_ = true;
    plot_->setCursor(Qt::SizeHorCursor);
    setPosition(timeAxis_.axis()->pixelToCoord(event.position().x()));
    return true;
}

bool PlotDataCursor::keyPress(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Left && event.key() != Qt::Key_Right) {
        return false;
    }
    setPosition(stepTarget(event.key() == Qt::Key_Right ? 1 : -1));
    return true;
}

// One pixel on, then on to the next point of the first channel that has points.
double PlotDataCursor::stepTarget(int direction) const {
    const QCPAxis* axis = timeAxis_.axis();
    double pixel = std::abs(axis->pixelToCoord(1.0) - axis->pixelToCoord(0.0));
    if (!std::isfinite(pixel) || pixel <= 0.0) {
        pixel = std::abs(timeAxis_.Span()) / 100.0;
    }
    const double target = position_ + direction * pixel;
    for (int i = 0; i < plot_->graphCount(); ++i) {
        const auto data = plot_->graph(i)->data();
        if (data->isEmpty()) {
            continue;
        }
        if (direction > 0) {
            const auto it = data->findBegin(target, false);
            return it != data->constEnd() ? it->key : target;
        }
        const auto it = data->findEnd(target, false);
        return it != data->constBegin() ? (it - 1)->key : target;
    }
    return target;
}

} // namespace tarvex
