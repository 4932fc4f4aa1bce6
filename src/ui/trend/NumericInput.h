// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDoubleSpinBox>

namespace tarvex {

// The numeric input component of the trend setup dialog: a value, a range, a number of
// decimals and an enabled state. Without decimals of its own it keeps every value as given
// (whatever a double holds, 0.0047 and 1e-7 included), so that a value read into it comes back
// out unchanged; without a range of its own it takes any value an axis can sensibly hold. It
// shows a value with as few digits as tell it apart.
class NumericInput : public QDoubleSpinBox {
    Q_OBJECT
public:
    static constexpr double kDefaultLimit = 1e9;
    // Enough decimals for the smallest double to survive the rounding to decimals.
    static constexpr int kDefaultDecimals = 323;

    explicit NumericInput(QWidget* parent = nullptr);
    NumericInput(double min, double max, int decimals, double value, QWidget* parent = nullptr);

    [[nodiscard]] QString textFromValue(double value) const override;
};

} // namespace tarvex
