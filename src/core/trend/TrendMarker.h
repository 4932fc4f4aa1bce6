// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"

#include <QString>

#include <optional>
#include <vector>

namespace tarvex {

// Something that happened at a time of the trend: shown as a thin mark on the time axis.
enum class MarkerKind {
    OperatorEvent,
    Alarm,
    Signature,   // a signature, at its time of signing
    CoverageEnd, // where the records a failed signature still covers end
};

struct TrendMarker {
    double time = 0.0; // date serial
    MarkerKind kind = MarkerKind::OperatorEvent;
    QString who;
    QString what;
};

// A marker at the time a record's date and time cells hold (as a trend point's time is read);
// nothing when they do not read as a date and a time.
[[nodiscard]] std::optional<TrendMarker> markerAt(const CellValue& date, const CellValue& time,
                                                  MarkerKind kind, QString who, QString what);

// "Operator event", "Alarm", ...
[[nodiscard]] QString markerKindName(MarkerKind kind);

// The tool tip of the markers under the pointer, one paragraph each: what kind, when, then who
// and what; at most `most` of them, then how many more there are.
[[nodiscard]] QString markerTip(const std::vector<TrendMarker>& markers, int most = 8);

} // namespace tarvex
