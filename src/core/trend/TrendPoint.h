// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"

namespace tarvex {

// The time of a trend point as a date serial: the whole days of the record's date cell plus
// the time of day of its time cell. Either cell may hold a date, a time or both; only its own
// part counts. A cell that does not read as a date or a time raises the type mismatch error.
double trendPointX(const CellValue& date, const CellValue& time);

} // namespace tarvex
