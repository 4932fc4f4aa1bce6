// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendMarker.h"

#include <qcustomplot.h>

#include <vector>

namespace tarvex {

// The plot's event markers: a thin vertical line through the plot area at each marker's time,
// with a small tag on the time axis, coloured by kind (the end of a signature's coverage dashed).
// Drawn under the traces; hidden until shown.
class PlotMarkers : public QCPLayerable {
    Q_OBJECT
public:
    explicit PlotMarkers(QCustomPlot* plot);

    // Kept in time order.
    void setMarkers(std::vector<TrendMarker> markers);
    [[nodiscard]] const std::vector<TrendMarker>& markers() const { return markers_; }

    // The markers drawn within `reach` pixels of the horizontal pixel position `x`.
    [[nodiscard]] std::vector<TrendMarker> markersNear(double x, double reach) const;

    [[nodiscard]] static QColor kindColor(MarkerKind kind);

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    [[nodiscard]] QRect clipRect() const override;

private:
    std::vector<TrendMarker> markers_;
};

} // namespace tarvex
