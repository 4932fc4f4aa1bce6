// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/CursorReadout.h"

#include <QObject>
#include <QString>

class QCustomPlot;
class QCPItemStraightLine;
class QCPLayer;
class QKeyEvent;
class QMouseEvent;

namespace tarvex {

class PlotAxis;

// The plot's data cursor: a vertical line at one time with a box that reads each channel's value
// there (the point nearest in time) and the time of those points. Shown, it starts in the middle of
// the visible time range. The mouse drags it (a press in the plot area moves it there); the left
// and right arrow keys step it to the neighbouring point, at least one pixel away, when the plot
// has focus.
class PlotDataCursor : public QObject {
    Q_OBJECT
public:
    PlotDataCursor(QCustomPlot* plot, const PlotAxis& timeAxis);

    [[nodiscard]] bool Visible() const { return visible_; }
    void setVisible(bool visible);

    [[nodiscard]] double position() const { return position_; }
    // Kept within the visible time range.
    void setPosition(double x);

    // The read-out box: the time of the points read, then each channel's value with its
    // colour key; readout() is its text.
    [[nodiscard]] QVector<CursorReadout::Line> readoutLines() const;
    [[nodiscard]] QString readout() const;

    // Brings line and box up to date before the plot draws.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePress(const QMouseEvent& event);
    bool keyPress(const QKeyEvent& event);
    [[nodiscard]] double stepTarget(int direction) const;
    void redraw();

    QCustomPlot* plot_;
    const PlotAxis& timeAxis_;
    QCPLayer* layer_;
    QCPItemStraightLine* line_;
    CursorReadout* box_;
    bool visible_ = false;
    bool dragging_ = false;
    double position_ = 0.0;
};

} // namespace tarvex
