// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotChannel.h"

#include "core/common/TvError.h"
#include "ui/trend/PlotAxis.h"

#include <qcustomplot.h>

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
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

bool PlotChannel::visible() const {
    return graph_->visible();
}

void PlotChannel::setVisible(bool visible) {
    graph_->setVisible(visible);
    changed_();
}

QString PlotChannel::textAt(int index) const {
    if (pointText_) {
        return pointText_(addedAs_.empty() ? index : addedAs_.at(static_cast<std::size_t>(index)));
    }
    const double value = (graph_->data()->constBegin() + index)->value;
    return std::isnan(value) ? QString()
                             : QString::number(value, 'g', QLocale::FloatingPointShortest);
}

int PlotChannel::addPoint(double x, double y) {
    if (!std::isfinite(x)) {
        throw TvError(ErrInvalidCall);
    }
    QCPGraphDataContainer& data = *graph_->data();
    const int index = data.size();
    // The container keeps time order: a later point is appended, an earlier one goes before
    // the first of its time, and the numbers the points were added as follow it there.
    if (!data.isEmpty() && x < (data.constEnd() - 1)->key) {
        if (addedAs_.empty()) {
            addedAs_.resize(static_cast<std::size_t>(index));
            std::iota(addedAs_.begin(), addedAs_.end(), 0);
        }
        const auto place =
            std::lower_bound(data.constBegin(), data.constEnd(), x,
                             [](const QCPGraphData& point, double key) { return point.key < key; });
        addedAs_.insert(addedAs_.begin() + (place - data.constBegin()), index);
    } else if (!addedAs_.empty()) {
        addedAs_.push_back(index);
    }
    data.add(QCPGraphData(x, y));
    timeAxis_.includeData(x);
    changed_();
    return index;
}

} // namespace tarvex
