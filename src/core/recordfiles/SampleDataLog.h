// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tarvex {

// A day (3/4/2024) of one-minute records of a batch reactor: three batches, each filled,
// heated, held, cooled and discharged. Field 1 date, field 2 24-hour time, then the note
// columns Batch, Operator and Event (empty in most records, the first included), then six
// channels. A pressure excursion reads "OVR", a probe fault "Bad Input", and a short loss of
// communication leaves empty cells. Deterministic; no field holds a comma.
class SampleDataLog {
public:
    static constexpr int kRecords = 1440;

    // The title line and the records, without line ends.
    static QStringList lines();
};

} // namespace tarvex
