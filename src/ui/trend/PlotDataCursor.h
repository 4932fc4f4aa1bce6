// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/CursorReadout.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QCustomPlot;
class QCPItemStraightLine;
class QCPLayer;
class QKeyEvent;
class QMouseEvent;

namespace tarvex {

class PlotAxis;
class PlotChannel;

// The plot's data cursor: a vertical line at a record time with a box that reads each shown
// channel's value there (its point nearest in time, as its source writes it) and that time.
// Shown, it starts in the middle of the visible time range. The mouse drags it (a press in the
// plot area moves it there); the left and right arrow keys step it to the previous or next
// record time of any shown channel, when the plot has focus. It stays within the visible time
// range, and stands on the record time nearest to where it is put, so that the line is where
// the box's time says.
class PlotDataCursor : public QObject {
    Q_OBJECT
public:
    using Channels = std::vector<std::unique_ptr<PlotChannel>>;

    PlotDataCursor(QCustomPlot* plot, const PlotAxis& timeAxis, const Channels& channels);

    [[nodiscard]] bool Visible() const { return visible_; }
    void setVisible(bool visible);

    [[nodiscard]] double position() const { return position_; }
    void setPosition(double x);
    // To the next (direction 1) or previous (-1) record time; without records, one pixel.
    void step(int direction);

    // The read-out box: the cursor's time, then each shown channel's value with its colour
    // key; readout() is its text.
    [[nodiscard]] QVector<CursorReadout::Line> readoutLines() const;
    [[nodiscard]] QString readout() const;

    // Brings line and box up to date before the plot draws; a range that moved away from the
    // cursor takes it along.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePress(const QMouseEvent& event);
    [[nodiscard]] double placed(double x) const;
    [[nodiscard]] std::optional<double> stepTarget(int direction) const;
    void redraw();

    QCustomPlot* plot_;
    const PlotAxis& timeAxis_;
    const Channels& channels_;
    QCPLayer* layer_;
    QCPItemStraightLine* line_;
    CursorReadout* box_;
    bool visible_ = false;
    bool dragging_ = false;
    double position_ = 0.0;
};

} // namespace tarvex
