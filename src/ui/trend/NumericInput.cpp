#include "trend/NumericInput.h"

namespace tarvex {

NumericInput::NumericInput(QWidget* parent)
    : NumericInput(-kDefaultLimit, kDefaultLimit, kDefaultDecimals, 0.0, parent) {}

NumericInput::NumericInput(double min, double max, int decimals, double value, QWidget* parent)
    : QDoubleSpinBox(parent) {
    // Decimals first: the range and the value are rounded to them.
    setDecimals(decimals);
    setRange(min, max);
    setValue(value);
    setLocale(QLocale::c()); // a decimal point, whatever the user's locale
    setAccelerated(true);
    setKeyboardTracking(false);
}

} // namespace tarvex
