// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/CellValue.h"

#include "core/common/TvError.h"
#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tarvex {
namespace {

// At most 15 significant digits, no trailing zeros, exponent as "E+20".
QString numberText(double v) {
    if (std::isnan(v)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(v)) {
        return v < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    }
    std::array<char, 32> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), v == 0 ? 0.0 : v,
                                      std::chars_format::general, 15);
    QString text = QString::fromLatin1(buf.data(), result.ptr - buf.data());
    text.replace(u'e', u'E');
    return text;
}

} // namespace

double CellValue::toDouble() const {
    if (kind_ != Kind::Text) {
        return value_;
    }
    if (const auto number = parseNumber(text_)) {
        return *number;
    }
    if (const auto serial = parseDateTime(text_)) {
        return *serial;
    }
    throw TvError(ErrTypeMismatch);
}

QString CellValue::toText() const {
    switch (kind_) {
    case Kind::Empty:
        return {};
    case Kind::Number:
        return numberText(value_);
    case Kind::Date:
        return generalDate(value_);
    case Kind::Text:
        break;
    }
    return text_;
}

} // namespace tarvex
