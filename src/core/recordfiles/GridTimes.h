// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <optional>

namespace tarvex {

class GridData;

// A date and time typed to go to, as a date serial: the grids' own forms (m/d/yyyy or m/d/yy,
// then h:mm or h:mm:ss, with or without AM/PM) and ISO 8601 (yyyy-mm-dd, then "T" or a blank
// and hh:mm[:ss[.fff]]). A date alone means its midnight; a time alone falls on `day`, a whole
// date serial. Nothing for anything else.
std::optional<double> parseGoToTime(QStringView text, double day);

// When a grid row was recorded: the day of its date cell plus the time of day of its time cell;
// nothing when either does not read as one.
std::optional<double> rowDateTime(const GridData& grid, int dateColumn, int timeColumn, int row);

// The first row from 1 on, in the grid's order, recorded at or after `when` (to the
// millisecond); 0 when there is none.
int firstRowAtOrAfter(const GridData& grid, int dateColumn, int timeColumn, double when);

} // namespace tarvex
