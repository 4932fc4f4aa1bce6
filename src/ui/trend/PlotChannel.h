// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

class QCPGraph;

namespace tarvex {

class PlotAxis;

// One trace of the trend plot: points of (date serial, value), drawn as a line that breaks at
// gaps. Points are appended without a redraw; the plot redraws once the caller is done.
class PlotChannel {
public:
    // The text the source shows for the point added as number `point` (0 for the first added):
    // "1.00" rather than the value 1, "Bad Input" for a gap.
    using PointText = std::function<QString(int point)>;

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

    // A hidden channel is neither drawn nor read by the cursor, the value fit or the exports.
    [[nodiscard]] bool visible() const;
    void setVisible(bool visible);

    void setPointText(PointText text) { pointText_ = std::move(text); }
    [[nodiscard]] bool hasPointText() const { return static_cast<bool>(pointText_); }
    // The text of the point at `index` in time order: the source's text when the channel has a
    // source, else the value with every digit it needs ("" for a gap).
    [[nodiscard]] QString textAt(int index) const;

private:
    int addPoint(double x, double y);

    QCPGraph* graph_;
    PlotAxis& timeAxis_;
    std::function<void()> changed_;
    PointText pointText_;
    // For each point in time order, the number it was added as; empty while points came in
    // time order, which is nearly always.
    std::vector<int> addedAs_;
};

} // namespace tarvex
