// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

// A value as a grid cell, a conversion or a format sees it: nothing, a number, a date serial
// (days since 30 December 1899 plus the fraction of the day) or text.
class CellValue {
public:
    enum class Kind { Empty, Number, Date, Text };

    CellValue() = default;
    static CellValue number(double v) { return CellValue(Kind::Number, v, {}); }
    static CellValue date(double serial) { return CellValue(Kind::Date, serial, {}); }
    static CellValue text(QString t) { return CellValue(Kind::Text, 0.0, std::move(t)); }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumeric() const { return kind_ == Kind::Number || kind_ == Kind::Date; }
    // The number or date serial; 0 for Empty. Text raises the type mismatch error.
    double toDouble() const;
    // Text as the program shows it: numbers in their shortest exact form, dates in the general
    // date format, text unchanged, Empty as "".
    QString toText() const;

    bool operator==(const CellValue&) const = default;

private:
    CellValue(Kind k, double v, QString t) : kind_(k), value_(v), text_(std::move(t)) {}

    Kind kind_ = Kind::Empty;
    double value_ = 0.0;
    QString text_;
};

} // namespace tarvex
