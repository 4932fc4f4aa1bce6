// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tarvex {

// The LED bar progress component: Position 0 to PositionMax, shown as a row of LED segments
// lit from the left. It repaints only when the number of lit segments changes, so setting the
// position on every pass of a loop costs no drawing.
class LedBar : public QWidget {
    Q_OBJECT
public:
    explicit LedBar(QWidget* parent = nullptr);

    [[nodiscard]] int Position() const { return position_; }
    // Kept within 0 to PositionMax.
    void setPosition(int position);
    [[nodiscard]] int PositionMax() const { return max_; }
    // At least 1; the position is kept within the new range.
    void setPositionMax(int max);

    [[nodiscard]] int segmentCount() const;
    [[nodiscard]] int litSegments() const;

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showChange();

    int position_ = 0;
    int max_ = 100;
    int shownLit_ = 0;
};

} // namespace tarvex
