// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotLegend.h"

#include <qcustomplot.h>

#include <algorithm>

namespace tarvex {

namespace {

const QColor kHiddenText(140, 140, 140);
const QColor kLegendFill(255, 255, 255, 215);

} // namespace

PlotLegend::PlotLegend(QCustomPlot* plot) : plot_(plot) {
    QCPLegend* legend = plot_->legend;
    legend->setVisible(false);
    legend->setBrush(kLegendFill);
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst);
    legend->setRowSpacing(0);
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
}

bool PlotLegend::visible() const {
    return plot_->legend->visible();
}

void PlotLegend::setVisible(bool visible) {
    plot_->legend->setVisible(visible);
}

QCPGraph* PlotLegend::graphAt(QPointF pos) const {
    QCPLegend* legend = plot_->legend;
    if (!legend->visible()) {
        return nullptr;
    }
    for (int i = 0; i < legend->itemCount(); ++i) {
        auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i));
        if (item != nullptr && item->outerRect().contains(pos.toPoint())) {
            return qobject_cast<QCPGraph*>(item->plottable());
        }
    }
    return nullptr;
}

void PlotLegend::refresh() {
    QCPLegend* legend = plot_->legend;
    if (!legend->visible()) {
        return;
    }
    for (int i = 0; i < legend->itemCount(); ++i) {
        auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i));
        if (item != nullptr) {
            item->setTextColor(item->plottable()->visible() ? Qt::black : kHiddenText);
        }
    }
    // As many entries a column as fit in the plot area's height.
    const int rowHeight = QFontMetrics(legend->font()).height() + 2;
    const int rows = std::max(1, (plot_->axisRect()->height() - 10) / std::max(1, rowHeight));
    legend->setWrap(rows);
    // Down each column first (QCP names the order after the index that runs first).
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst, true); // also closes removed entries' gaps
}

} // namespace tarvex
