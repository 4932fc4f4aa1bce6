// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDoubleSpinBox>

namespace tarvex {

// The numeric input component of the trend setup dialog: a value, a range, a number of
// decimals and an enabled state. Without decimals of its own it keeps every value as given
// (whatever a double holds, 0.0047 and 1e-7 included); without a range of its own it takes any
// finite value a plot axis can draw.
//
// It shows a value rounded to 15 significant digits (in exponent form below 1e-6 and from 1e15
// on), and takes typed numbers in either form. The value behind the text stays exact until the
// user edits the text: a value read into it comes back out unchanged.
class NumericInput : public QDoubleSpinBox {
    Q_OBJECT
public:
    // An axis draws ranges within this.
    static constexpr double kDefaultLimit = 1e250;
    // Enough decimals for the smallest double to survive the rounding to decimals.
    static constexpr int kDefaultDecimals = 323;
    static constexpr int kShownDigits = 15;

    explicit NumericInput(QWidget* parent = nullptr);
    NumericInput(double min, double max, int decimals, double value, QWidget* parent = nullptr);

    [[nodiscard]] QString textFromValue(double value) const override;
    [[nodiscard]] double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

} // namespace tarvex
