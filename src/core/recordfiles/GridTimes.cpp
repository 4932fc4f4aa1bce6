// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/GridTimes.h"

#include "core/common/ValueConvert.h"
#include "core/recordfiles/GridData.h"

#include <QRegularExpression>

#include <cmath>

namespace tarvex {
namespace {

constexpr double kMsPerDay = 86'400'000.0;

long long milliseconds(double serial) {
    return std::llround(serial * kMsPerDay);
}

// The whole days and the time of day of a serial; days before 1899 count down, their time up.
double wholeDays(double serial) {
    return std::trunc(serial);
}

double timeOfDay(double serial) {
    return std::fabs(serial - std::trunc(serial));
}

} // namespace

std::optional<double> parseGoToTime(QStringView text, double day) {
    static const QRegularExpression isoDateTime(QStringLiteral("^(\\d{4}-\\d{1,2}-\\d{1,2})T"));
    QString typed = text.trimmed().toString();
    const QRegularExpressionMatch iso = isoDateTime.match(typed);
    if (iso.hasMatch()) {
        typed[iso.capturedLength() - 1] = u' ';
    }
    const auto serial = parseDateTime(typed);
    if (!serial) {
        return std::nullopt;
    }
    const bool hasDate = typed.contains(u'/') || typed.contains(u'-');
    return hasDate ? *serial : wholeDays(day) + *serial;
}

std::optional<double> rowDateTime(const GridData& grid, int dateColumn, int timeColumn, int row) {
    const auto date = parseDateTime(grid.CellText(dateColumn, row));
    const auto time = parseDateTime(grid.CellText(timeColumn, row));
    if (!date || !time) {
        return std::nullopt;
    }
    const double days = wholeDays(*date);
    return days < 0 ? days - timeOfDay(*time) : days + timeOfDay(*time);
}

int firstRowAtOrAfter(const GridData& grid, int dateColumn, int timeColumn, double when) {
    const long long target = milliseconds(when);
    for (int row = 1; row <= grid.RowCount(); ++row) {
        const auto recorded = rowDateTime(grid, dateColumn, timeColumn, row);
        if (recorded && milliseconds(*recorded) >= target) {
            return row;
        }
    }
    return 0;
}

} // namespace tarvex
