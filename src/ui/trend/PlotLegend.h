// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>

class QCustomPlot;
class QCPGraph;

namespace tarvex {

// The plot's legend: each channel's title beside a stroke of its colour and width, in the top
// right corner of the plot area, in as many columns as its height needs. Hidden at start. A
// hidden channel's entry stays, greyed, so that a click can show it again.
class PlotLegend {
public:
    explicit PlotLegend(QCustomPlot* plot);

    [[nodiscard]] bool visible() const;
    void setVisible(bool visible);

    // The channel whose entry is at `pos` (widget pixels), or nullptr.
    [[nodiscard]] QCPGraph* graphAt(QPointF pos) const;

    // Brings the entries up to date with the channels before the plot draws.
    void refresh();

private:
    QCustomPlot* plot_;
};

} // namespace tarvex
