// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendMarker.h"

#include <QString>

#include <vector>

namespace tarvex {

class SpreadGrid;

// The loaded records that the trend shows on its time line, each grid as its reader fills it.
struct TrendEventGrids {
    const SpreadGrid* opEvGrid = nullptr;
    const SpreadGrid* alarmGrid = nullptr;
    const SpreadGrid* digiSigGrid = nullptr;
    const SpreadGrid* vaGrid = nullptr; // the data log: where a signature's coverage ends
};

// The operator events, alarms and signatures from `from` to `to` (date serials), and, for each
// signature that covers only the first records of the data log `dataLogPath` as it is now, the
// time of the last record it covers. Records whose date and time do not read as such are left
// out, and so are the coverage ends when the file cannot be checked.
[[nodiscard]] std::vector<TrendMarker>
trendEventMarkers(const TrendEventGrids& grids, const QString& dataLogPath, double from, double to);

} // namespace tarvex
