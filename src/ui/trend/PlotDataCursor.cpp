// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotDataCursor.h"

#include "core/common/ValueFormat.h"
#include "ui/trend/PlotAxis.h"
#include "ui/trend/PlotChannel.h"

#include <qcustomplot.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

const QString kLayerName = QStringLiteral("cursor");
constexpr double kBoxTop = 0.02;
constexpr int kReadoutDigits = 7;

using Points = QCPGraphDataContainer;

bool keyBefore(const QCPGraphData& point, double key) {
    return point.key < key;
}

// The index of the point nearest in time to x (its value NaN at a gap); -1 for no points.
int nearestIndex(const Points& data, double x) {
    if (data.isEmpty()) {
        return -1;
    }
    auto it = std::lower_bound(data.constBegin(), data.constEnd(), x, keyBefore);
    if (it == data.constEnd() || (it != data.constBegin() && x - (it - 1)->key < it->key - x)) {
        --it;
    }
    return static_cast<int>(it - data.constBegin());
}

// The record time nearest to x from `low` to `high`, if any.
std::optional<double> nearestWithin(const Points& data, double x, double low, double high) {
    const auto begin = std::lower_bound(data.constBegin(), data.constEnd(), low, keyBefore);
    const auto end =
        std::upper_bound(data.constBegin(), data.constEnd(), high,
                         [](double key, const QCPGraphData& p) { return key < p.key; });
    if (begin == end) {
        return std::nullopt;
    }
    auto it = std::lower_bound(begin, end, x, keyBefore);
    if (it == end || (it != begin && x - (it - 1)->key < it->key - x)) {
        --it;
    }
    return it->key;
}

} // namespace

PlotDataCursor::PlotDataCursor(QCustomPlot* plot, const PlotAxis& timeAxis,
                               const Channels& channels)
    : QObject(plot), plot_(plot), timeAxis_(timeAxis), channels_(channels) {
    plot_->addLayer(kLayerName, plot_->layer(QStringLiteral("legend")), QCustomPlot::limAbove);
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
        position_ = placed(timeAxis_.Min() + timeAxis_.Span() / 2.0);
    }
    redraw();
}

// Within the visible range, on the record time of a shown channel nearest to x there.
double PlotDataCursor::placed(double x) const {
    const double low = std::min(timeAxis_.Min(), timeAxis_.Max());
    const double high = std::max(timeAxis_.Min(), timeAxis_.Max());
    x = std::clamp(x, low, high);
    std::optional<double> nearest;
    for (const auto& channel : channels_) {
        if (!channel->visible()) {
            continue;
        }
        const auto time = nearestWithin(*channel->graph()->data(), x, low, high);
        if (time && (!nearest || std::abs(*time - x) < std::abs(*nearest - x))) {
            nearest = time;
        }
    }
    return nearest.value_or(x);
}

void PlotDataCursor::setPosition(double x) {
    if (std::isnan(x)) {
        return;
    }
    position_ = placed(x);
    redraw();
}

void PlotDataCursor::step(int direction) {
    if (const auto target = stepTarget(direction)) {
        position_ = placed(*target);
    } else {
        // No record that way: one pixel, so that the key still moves the line.
        const QCPAxis* axis = timeAxis_.axis();
        double pixel = std::abs(axis->pixelToCoord(1.0) - axis->pixelToCoord(0.0));
        if (!std::isfinite(pixel) || pixel <= 0.0) {
            pixel = std::abs(timeAxis_.Span()) / 100.0;
        }
        const double low = std::min(timeAxis_.Min(), timeAxis_.Max());
        const double high = std::max(timeAxis_.Min(), timeAxis_.Max());
        position_ = std::clamp(position_ + direction * pixel, low, high);
    }
    redraw();
}

// The nearest record time of any shown channel past the cursor that way, within the visible
// range; nothing when there is none.
std::optional<double> PlotDataCursor::stepTarget(int direction) const {
    const double low = std::min(timeAxis_.Min(), timeAxis_.Max());
    const double high = std::max(timeAxis_.Min(), timeAxis_.Max());
    std::optional<double> target;
    for (const auto& channel : channels_) {
        if (!channel->visible()) {
            continue;
        }
        const Points& data = *channel->graph()->data();
        std::optional<double> time;
        if (direction > 0) {
            const auto it =
                std::upper_bound(data.constBegin(), data.constEnd(), position_,
                                 [](double key, const QCPGraphData& p) { return key < p.key; });
            if (it != data.constEnd() && it->key <= high) {
                time = it->key;
            }
        } else {
            const auto it =
                std::lower_bound(data.constBegin(), data.constEnd(), position_, keyBefore);
            if (it != data.constBegin() && (it - 1)->key >= low) {
                time = (it - 1)->key;
            }
        }
        if (time && (!target || std::abs(*time - position_) < std::abs(*target - position_))) {
            target = time;
        }
    }
    return target;
}

// Each shown channel's point nearest in time to the cursor; one that lies at another time
// says when.
QVector<CursorReadout::Line> PlotDataCursor::readoutLines() const {
    const QString format = timeAxis_.DateTimeFormat();
    QVector<CursorReadout::Line> lines{{formatDateSerial(position_, format), {}, 0}};
    for (const auto& channel : channels_) {
        if (!channel->visible()) {
            continue;
        }
        const Points& data = *channel->graph()->data();
        const int index = nearestIndex(data, position_);
        QString value;
        if (index >= 0) {
            // Without its source's text, a value short enough for the box.
            const double number = (data.constBegin() + index)->value;
            value = channel->hasPointText() ? channel->textAt(index)
                    : std::isnan(number)    ? QString()
                                            : QString::number(number, 'g', kReadoutDigits);
        }
        if (value.isEmpty()) {
            value = QStringLiteral("no value");
        }
        QString text = QStringLiteral("%1: %2").arg(channel->TitleText(), value);
        if (index >= 0) {
            const double key = (data.constBegin() + index)->key;
            if (key != position_) {
                text += QStringLiteral(" (%1)").arg(formatDateSerial(key, format));
            }
        }
        lines.push_back({text, channel->Color(), channel->TraceLineWidth()});
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
    const double low = std::min(timeAxis_.Min(), timeAxis_.Max());
    const double high = std::max(timeAxis_.Min(), timeAxis_.Max());
    if (position_ < low || position_ > high) {
        position_ = placed(position_);
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
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() != Qt::Key_Left && key.key() != Qt::Key_Right) {
            return false;
        }
        step(key.key() == Qt::Key_Right ? 1 : -1);
        return true;
    }
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

} // namespace tarvex
