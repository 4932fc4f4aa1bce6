// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotMarkers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvex {

namespace {

constexpr int kKinds = 4;
constexpr double kTagHalfWidth = 4.0;
constexpr double kTagHeight = 7.0;

auto byTime(const TrendMarker& m, double time) {
    return m.time < time;
}

} // namespace

PlotMarkers::PlotMarkers(QCustomPlot* plot) : QCPLayerable(plot) {
    setVisible(false);
}

QColor PlotMarkers::kindColor(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::OperatorEvent:
        return {20, 80, 200};
    case MarkerKind::Alarm:
        return {210, 20, 20};
    case MarkerKind::Signature:
        return {0, 130, 60};
    case MarkerKind::CoverageEnd:
        return {215, 110, 0};
    }
    return Qt::black;
}

void PlotMarkers::setMarkers(std::vector<TrendMarker> markers) {
    markers_ = std::move(markers);
    std::stable_sort(markers_.begin(), markers_.end(),
                     [](const TrendMarker& x, const TrendMarker& y) { return x.time < y.time; });
}

std::vector<TrendMarker> PlotMarkers::markersNear(double x, double reach) const {
    std::vector<TrendMarker> near;
    QCPAxis* axis = parentPlot()->xAxis;
    const double from = axis->pixelToCoord(x - reach);
    const double to = axis->pixelToCoord(x + reach);
    const auto first =
        std::lower_bound(markers_.begin(), markers_.end(), std::min(from, to), byTime);
    for (auto it = first; it != markers_.end() && it->time <= std::max(from, to); ++it) {
        near.push_back(*it);
    }
    return near;
}

void PlotMarkers::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false); // one sharp pixel wide
}

QRect PlotMarkers::clipRect() const {
    return parentPlot()->axisRect()->rect();
}

// One batch of lines and one of tags per kind: a thousand markers cost a millisecond or two.
void PlotMarkers::draw(QCPPainter* painter) {
    QCPAxis* axis = parentPlot()->xAxis;
    const QRect area = clipRect();
    const QCPRange range = axis->range();
    std::array<QVector<QLineF>, kKinds> lines;
    std::array<QPainterPath, kKinds> tags;
    const auto first = std::lower_bound(markers_.begin(), markers_.end(), range.lower, byTime);
    for (auto it = first; it != markers_.end() && it->time <= range.upper; ++it) {
        const double x = std::round(axis->coordToPixel(it->time));
        const auto kind = static_cast<std::size_t>(it->kind);
        lines.at(kind).append(QLineF(x, area.top(), x, area.bottom()));
        QPainterPath& tag = tags.at(kind);
        tag.moveTo(x - kTagHalfWidth, area.bottom() + 1);
        tag.lineTo(x + kTagHalfWidth, area.bottom() + 1);
        tag.lineTo(x, area.bottom() + 1 - kTagHeight);
        tag.closeSubpath();
    }
    for (std::size_t kind = 0; kind < lines.size(); ++kind) {
        if (lines.at(kind).isEmpty()) {
            continue;
        }
        const QColor color = kindColor(static_cast<MarkerKind>(kind));
        QPen pen(color, 0,
                 static_cast<MarkerKind>(kind) == MarkerKind::CoverageEnd ? Qt::DashLine
                                                                          : Qt::SolidLine);
        painter->setPen(pen);
        painter->drawLines(lines.at(kind));
        painter->setPen(Qt::NoPen);
        painter->setBrush(color);
        painter->drawPath(tags.at(kind));
    }
}

} // namespace tarvex
