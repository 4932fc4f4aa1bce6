#pragma once

#include <QDoubleSpinBox>

namespace tarvex {

// The numeric input component of the trend setup dialog: a value, a range, a number of
// decimals and an enabled state. Without a range of its own it takes any value an axis can
// sensibly hold, with 2 decimals.
class NumericInput : public QDoubleSpinBox {
    Q_OBJECT
public:
    static constexpr double kDefaultLimit = 1e9;
    static constexpr int kDefaultDecimals = 2;

    explicit NumericInput(QWidget* parent = nullptr);
    NumericInput(double min, double max, int decimals, double value, QWidget* parent = nullptr);
};

} // namespace tarvex
