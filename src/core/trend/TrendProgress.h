// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// The trend build's progress in percent before point `pointCounter` (counted over the whole
// build) of a block with `columnCount` columns and the row span `rowSpan` seen so far: rounded
// to the nearest whole number, halves to even; anything above 99 shows as 100. With several
// blocks the counter outruns the divisor, so the bar reaches 100 early and stays there.
// A divisor of 0 raises error 11 (or 6 for 0 / 0).
int trendProgress(int pointCounter, int columnCount, int rowSpan);

} // namespace tarvex
