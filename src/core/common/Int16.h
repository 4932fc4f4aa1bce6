// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"

#include <cstdint>
#include <limits>

namespace tarvex {

// Counters and indexes that the record formats define as 16-bit signed. Going past their range
// raises the overflow error, which is what limits a data log to 32,766 records.
inline std::int16_t toInt16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw TvError(ErrOverflow);
    }
    return static_cast<std::int16_t>(value);
}

// n := n + 1 on a 16-bit counter.
inline void increment16(std::int16_t& counter) {
    counter = toInt16(static_cast<long long>(counter) + 1);
}

// Booleans kept in 16 bits: 0 false, -1 true.
constexpr std::int16_t kTrue16 = -1;
constexpr std::int16_t kFalse16 = 0;

} // namespace tarvex
