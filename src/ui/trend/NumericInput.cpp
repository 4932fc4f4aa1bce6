// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/NumericInput.h"

#include <QRegularExpression>

#include <algorithm>

#include <cmath>

namespace tarvex {

namespace {

constexpr double kSmallestPlain = 1e-6;
constexpr double kLargestPlain = 1e15;

// A number on its way to being typed: digits, a point, an exponent, each part maybe missing.
bool partialNumber(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*[+-]?(\d*\.?\d*)([eE][+-]?\d*)?\s*$)"));
    return pattern.match(text).hasMatch();
}

} // namespace

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

// Fifteen significant digits, the most a double always gives back as typed, without trailing
// zeros; plain decimals where they stay short.
QString NumericInput::textFromValue(double value) const {
    const double size = std::abs(value);
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    if (size < kSmallestPlain || size >= kLargestPlain || !std::isfinite(value)) {
        return locale().toString(value, 'g', kShownDigits);
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(size)));
    const int places = std::clamp(kShownDigits - 1 - magnitude, 0, decimals());
    QString text = locale().toString(value, 'f', places);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
    }
    return text;
}

// The text shown for the value is the value itself, not its rounding.
double NumericInput::valueFromText(const QString& text) const {
    const QString typed = text.trimmed();
    if (typed == textFromValue(value())) {
        return value();
    }
    bool ok = false;
    const double number = locale().toDouble(typed, &ok);
    return ok && std::isfinite(number) ? number : value();
}

QValidator::State NumericInput::validate(QString& text, int& /*pos*/) const {
    if (!partialNumber(text)) {
        return QValidator::Invalid;
    }
    bool ok = false;
    const double number = locale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number)) {
        return QValidator::Intermediate;
    }
    return number >= minimum() && number <= maximum() ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
}

} // namespace tarvex
