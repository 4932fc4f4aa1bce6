// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TraceGraph.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

TraceGraph::TraceGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

int TraceGraph::loneMarkSize(int width) {
    return std::max(kLoneMarkSize, 2 * width + 2);
}

// The line's own half width past the plot area, so that a trace along an end of the value range
// shows whole over the axis line.
QRect TraceGraph::clipRect() const {
    const int reach = (std::max(1, pen().width()) + 1) / 2;
    return QCPGraph::clipRect().adjusted(-reach, -reach, reach, reach);
}

void TraceGraph::draw(QCPPainter* painter) {
    QCPGraph::draw(painter);
    if (keyAxis() != nullptr && valueAxis() != nullptr && !data()->isEmpty()) {
        // A whole mark, also on the edge of the plot area.
        const int reach = loneMarkSize(pen().width()) / 2 + 1;
        painter->save();
        painter->setClipRect(QCPGraph::clipRect().adjusted(-reach, -reach, reach, reach));
        drawLonePoints(painter);
        painter->restore();
    }
}

void TraceGraph::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const {
    constexpr int kWidestSideBySide = 3;
    const int width = pen().width();
    applyDefaultAntialiasingHint(painter);
    // Only on a device of whole pixels: not for print, nor where a pixel is scaled.
    if (pen().style() != Qt::SolidLine || width < 2 || width > kWidestSideBySide ||
        painter->antialiasing() || painter->modes().testFlag(QCPPainter::pmVectorized) ||
        painter->deviceTransform().type() > QTransform::TxTranslate) {
        QCPGraph::drawLinePlot(painter, lines);
        return;
    }
    // Each segment as `width` one-pixel lines side by side, across a steep segment and above
    // one another for a flat one. NaN ends a run of the line.
    QVector<QLineF> steep;
    QVector<QLineF> flat;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QLineF segment(lines[i - 1], lines[i]);
        if (std::isnan(segment.x1() + segment.y1() + segment.x2() + segment.y2())) {
            continue;
        }
        (std::abs(segment.dy()) > std::abs(segment.dx()) ? steep : flat).push_back(segment);
    }
    QPen thin = pen();
    thin.setWidth(0); // cosmetic: the raster engine's fast lines
    painter->setPen(thin);
    const int first = -(width - 1) / 2;
    for (int step = first; step < first + width; ++step) {
        painter->save();
        painter->translate(step, 0);
        painter->drawLines(steep);
        painter->translate(-step, step);
        painter->drawLines(flat);
        painter->restore();
    }
    painter->setPen(pen());
}

void TraceGraph::drawLonePoints(QCPPainter* painter) const {
    const QCPGraphDataContainer& points = *data();
    const QCPRange visible = keyAxis()->range();
    // With one point more on each side: marks there overlap the edge.
    const auto begin = points.findBegin(visible.lower);
    const auto end = points.findEnd(visible.upper);
    const double radius = loneMarkSize(pen().width()) / 2.0;
    painter->setPen(Qt::NoPen);
    painter->setBrush(pen().color());
    painter->setAntialiasing(true);
    bool previous = begin != points.constBegin() && !std::isnan((begin - 1)->value);
    for (auto it = begin; it != end; ++it) {
        const bool value = !std::isnan(it->value);
        const bool next = it + 1 != points.constEnd() && !std::isnan((it + 1)->value);
        if (value && !previous && !next) {
            painter->drawEllipse(coordsToPixels(it->key, it->value), radius, radius);
        }
        previous = value;
    }
}

} // namespace tarvex
