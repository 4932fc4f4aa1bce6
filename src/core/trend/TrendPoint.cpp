// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TrendPoint.h"

#include "core/common/TvError.h"

#include <cmath>

namespace tarvex {

namespace {

double dateOrTime(const CellValue& cell) {
    if (cell.kind() != CellValue::Kind::Date) {
        throw TvError(ErrTypeMismatch);
    }
    return cell.toDouble();
}

} // namespace

// Serials before day 0 keep their time of day as a positive fraction after the negative days.
double trendPointX(const CellValue& date, const CellValue& time) {
    const double days = std::trunc(dateOrTime(date));
    const double timeSerial = dateOrTime(time);
    return days + std::abs(timeSerial - std::trunc(timeSerial));
}

} // namespace tarvex
