// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QCPGraph;

namespace tarvex {

class PlotAxis;

// One trace of the trend plot: points of (date serial, value), drawn as a line that breaks at
// gaps. Points are appended without a redraw; the plot redraws once the caller is done.
class PlotChannel {
public:
    PlotChannel(QCPGraph* graph, PlotAxis& timeAxis, std::function<void()> changed);

    [[nodiscard]] QString TitleText() const;
    void setTitleText(const QString& title);
    [[nodiscard]] QColor Color() const;
    void setColor(const QColor& color);
    [[nodiscard]] int TraceLineWidth() const;
    void setTraceLineWidth(int width);

    // Both return the number of points the channel held before the call. A non-finite x raises
    // the invalid argument error.
    int AddXY(double x, double y);
    int AddEmpty(double x);

    [[nodiscard]] int PointCount() const;
    [[nodiscard]] QCPGraph* graph() const { return graph_; }

private:
    int addPoint(double x, double y);

    QCPGraph* graph_;
    PlotAxis& timeAxis_;
    std::function<void()> changed_;
};

} // namespace tarvex
