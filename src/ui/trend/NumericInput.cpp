// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/NumericInput.h"

namespace tarvex {

NumericInput::NumericInput(QWidget* parent)
    : NumericInput(-kDefaultLimit, kDefaultLimit, kDefaultDecimals, 0.0, parent) {}

NumericInput::NumericInput(double min, double max, int decimals, double value, QWidget* parent)
    : QDoubleSpinBox(parent) {
    setLocale(QLocale::c()); // a decimal point, whatever the user's locale
    // Decimals first: the range and the value are rounded to them.
    setDecimals(decimals);
    setRange(min, max);
    setValue(value);
    setAccelerated(true);
    setKeyboardTracking(false);
}

// The value is already rounded to the decimals; trailing zeros would only hide the number.
QString NumericInput::textFromValue(double value) const {
    return locale().toString(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace tarvex
