// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QSlider;

namespace tarvex {

// The zoom slider component: Position from PositionMin to PositionMax with a change event.
// Mouse and keyboard move it in whole steps (arrows 1, page keys 10, Home and End to the ends);
// code may put any position in range. A vertical slider has its maximum at the top.
class SliderControl : public QWidget {
    Q_OBJECT
public:
    explicit SliderControl(Qt::Orientation orientation, QWidget* parent = nullptr);

    [[nodiscard]] double Position() const { return position_; }
    // Kept within PositionMin to PositionMax.
    void setPosition(double position);
    [[nodiscard]] double PositionMin() const { return min_; }
    void setPositionMin(double min);
    [[nodiscard]] double PositionMax() const { return max_; }
    void setPositionMax(double max);

    [[nodiscard]] QSlider* slider() const { return slider_; }

signals:
    // After every change of Position, by the user or by code.
    void PositionChange(double position);

private:
    void userMoved(int value);
    void applyRange();

    QSlider* slider_;
    double position_ = 0.0;
    double min_ = -100.0;
    double max_ = 100.0;
};

} // namespace tarvex
