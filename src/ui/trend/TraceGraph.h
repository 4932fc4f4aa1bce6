// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

namespace tarvex {

// A trend trace: the graph's line, which breaks at gaps (NaN values), and a round mark of the
// line's colour for each value that has no value beside it, which no line would show. The mark
// is at least kLoneMarkSize pixels across, and neither it nor a line along an end of the value
// range is cut by the edge of the plot area: both reach over the axis lines.
// A narrow trace drawn without smoothing (a dense one) is drawn as one-pixel lines side by side,
// which the raster engine draws several times faster than a wide line, to within a pixel alike.
class TraceGraph : public QCPGraph {
    Q_OBJECT
public:
    TraceGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

    static constexpr int kLoneMarkSize = 7;
    // The diameter of the mark for a trace of this width.
    [[nodiscard]] static int loneMarkSize(int width);

protected:
    [[nodiscard]] QRect clipRect() const override;
    void draw(QCPPainter* painter) override;
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;

private:
    void drawLonePoints(QCPPainter* painter) const;
};

} // namespace tarvex
