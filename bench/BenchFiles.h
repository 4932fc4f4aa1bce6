// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {
struct SharedState;
}

namespace bench {

// The program's shared state, for the workloads that run the viewer and its procedures.
tarvex::SharedState& sharedState();

// The input files of the workloads, written into dataDir() when missing and shared between
// workloads and with bench/peers. Each function returns the file's path.

// A data log as the controller writes it, 32,766 records of five-second steps from
// 3/4/2024 08:00:00: "Date,Time,Channel 1,...", then m/d/yyyy, 24-hour hh:mm:ss and
// `channels` values with two decimals. With `faults`, about one value in 500 of each channel
// reads "Bad Input" and the values walk slowly, as process values do; without, they are
// uniform noise from -150 to 898.
QString dataLogFile(int channels, bool faults);

// A file of `bytes` bytes: repeated data log text, or random bytes.
QString textFile(qint64 bytes);
QString randomFile(qint64 bytes);

inline constexpr int kLogRecords = 32'766;

} // namespace bench
