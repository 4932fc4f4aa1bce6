// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

namespace tarvex {

// A trend trace: the graph's line, which breaks at gaps (NaN values), and a dot of the line's
// colour and width for each value that has no value beside it, which no line would show.
// A narrow trace drawn without smoothing (a dense one) is drawn as one-pixel lines side by side,
// which the raster engine draws several times faster than a wide line, to within a pixel alike.
class TraceGraph : public QCPGraph {
    Q_OBJECT
public:
    TraceGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

protected:
    void draw(QCPPainter* painter) override;
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;

private:
    void drawLonePoints(QCPPainter* painter) const;
};

} // namespace tarvex
