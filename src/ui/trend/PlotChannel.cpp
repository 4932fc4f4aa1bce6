// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotChannel.h"

#include "core/common/TvError.h"
#include "ui/trend/PlotAxis.h"

#include <qcustomplot.h>

#include <cmath>
#include <limits>
#include <utility>

namespace tarvex {

PlotChannel::PlotChannel(QCPGraph* graph, PlotAxis& timeAxis, std::function<void()> changed)
    : graph_(graph), timeAxis_(timeAxis), changed_(std::move(changed)) {}

QString PlotChannel::TitleText() const {
    return graph_->name();
}

void PlotChannel::setTitleText(const QString& title) {
    graph_->setName(title);
    changed_();
}

QColor PlotChannel::Color() const {
    return graph_->pen().color();
}

void PlotChannel::setColor(const QColor& color) {
    QPen pen = graph_->pen();
    pen.setColor(color);
    graph_->setPen(pen);
    changed_();
}

int PlotChannel::TraceLineWidth() const {
    return graph_->pen().width();
}

void PlotChannel::setTraceLineWidth(int width) {
    QPen pen = graph_->pen();
    pen.setWidth(width);
    graph_->setPen(pen);
    changed_();
}

int PlotChannel::AddXY(double x, double y) {
    return addPoint(x, y);
}

// QCPGraph breaks its line at a NaN value.
int PlotChannel::AddEmpty(double x) {
    return addPoint(x, std::numeric_limits<double>::quiet_NaN());
}

int PlotChannel::PointCount() const {
    return graph_->data()->size();
}

int PlotChannel::addPoint(double x, double y) {
    if (!std::isfinite(x)) {
        throw TvError(ErrInvalidCall);
    }
    const int index = graph_->data()->size();
    // Points come in time order, so this is an append.
    graph_->data()->add(QCPGraphData(x, y));
    timeAxis_.includeData(x);
    changed_();
    return index;
}

} // namespace tarvex
