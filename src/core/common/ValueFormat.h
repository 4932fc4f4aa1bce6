// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"

#include <QStringView>

namespace tarvex {

// Value to text through a date-time pattern. Codes: hh two-digit hour (12-hour when the pattern
// holds AM/PM or am/pm), h hour without leading zero, mm/nn minutes (nn always minutes; mm is
// minutes right after an hour code, month elsewhere), ss seconds, zzz milliseconds, m/d month and
// day without leading zero, mm/dd with it, mmm month abbreviation, yy/yyyy year, AM/PM upper case,
// am/pm lower case. Other characters are copied.

// Dates and numbers go through the pattern (a number is taken as a date serial); text that reads
// as neither comes back unchanged; Empty gives "".
QString formatValue(const CellValue& value, QStringView pattern);

// A serial outside the years 100 to 9999 comes back as its number text.
QString formatDateSerial(double serial, QStringView pattern);

// The general date format: "m/d/yyyy h:mm:ss AM/PM", always with both parts.
QString generalDate(double serial);

} // namespace tarvex
