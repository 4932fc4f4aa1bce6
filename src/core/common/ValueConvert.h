// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"

#include <QDateTime>
#include <QStringView>

#include <optional>

namespace tarvex {

// Text to value with US rules, whatever the user's locale.

// Empty text gives Empty; text that reads as a number gives Number; as a time, a date or a
// date-time gives Date; anything else stays Text.
CellValue valueFromText(QStringView text);

// Optional blanks around, optional sign, digits with an optional "." and exponent.
std::optional<double> parseNumber(QStringView text);

// A date (m/d/yyyy, m/d/yy, yyyy-mm-dd), a time (h:mm, h:mm:ss, optional AM/PM, 24-hour), or a
// date followed by a time, as a date serial. A time alone gives the fraction of day 0.
std::optional<double> parseDateTime(QStringView text);

// Date serial arithmetic: whole days since 30 December 1899 plus the fraction of the day.
// Months and days outside their range carry over (month 13 is January of the next year).
double dateSerial(int year, int month, int day);
double timeSerial(int hour, int minute, int second, int msec = 0);

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
};
// Rounded to the millisecond, so 0.5 is exactly noon. Serials before 30 December 1899 are
// negative whole days with a positive time fraction (-1.25 is 29 December 1899, 06:00).
// Outside isDateSerialInRange() the parts are those of day 0.
DateParts splitDateSerial(double serial);

// Years 100 to 9999, as a date serial can hold them.
bool isDateSerialInRange(double serial);

// The date and time as the QDateTime holds them (in its own time zone); the result of
// fromDateSerial is local time, invalid when the serial is out of range.
double toDateSerial(const QDateTime& dateTime);
QDateTime fromDateSerial(double serial);

} // namespace tarvex
