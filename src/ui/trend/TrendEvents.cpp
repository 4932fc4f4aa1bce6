// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendEvents.h"

#include "core/common/TvError.h"
#include "core/integrity/SignatureCheck.h"
#include "ui/recordfiles/SpreadGrid.h"

namespace tarvex {
namespace {

// Operator event and signature grids: date, time, user, message or comment, hash.
constexpr int kUserColumn = 2;
constexpr int kMessageColumn = 3;
constexpr int kHashColumn = 4;
// Alarm grid: row number, description, date, time (to the minute, as the grid shows it).
constexpr int kAlarmTextColumn = 1;
constexpr int kAlarmDateColumn = 2;

QString cellText(const SpreadGrid& grid, int column, int row) {
    return grid.gridData().CellText(column, row);
}

// Time read from a record's date cell and the time cell after it.
std::optional<TrendMarker> recordMarker(const SpreadGrid& grid, int row, int dateColumn,
                                        MarkerKind kind, QString who, QString what) {
    CellValue date;
    CellValue time;
    grid.GetCellValue(dateColumn, row, date);
    grid.GetCellValue(dateColumn + 1, row, time);
    return markerAt(date, time, kind, std::move(who), std::move(what));
}

class MarkerList {
public:
    MarkerList(double from, double to) : from_(from), to_(to) {}

    void add(std::optional<TrendMarker> marker) {
        if (marker && marker->time >= from_ && marker->time <= to_) {
            markers_.push_back(std::move(*marker));
        }
    }
    std::vector<TrendMarker> take() { return std::move(markers_); }

private:
    double from_;
    double to_;
    std::vector<TrendMarker> markers_;
};

void addUserRecords(MarkerList& list, const SpreadGrid& grid, MarkerKind kind) {
    for (int row = 1; row <= grid.RowCount(); ++row) {
        list.add(recordMarker(grid, row, 0, kind, cellText(grid, kUserColumn, row),
                              cellText(grid, kMessageColumn, row)));
    }
}

void addAlarms(MarkerList& list, const SpreadGrid& grid) {
    for (int row = 1; row <= grid.RowCount(); ++row) {
        const QString what =
            QLatin1Char('#') + cellText(grid, 0, row) + QLatin1Char(' ') + cellText(grid, 1, row);
        list.add(recordMarker(grid, row, kAlarmDateColumn, MarkerKind::Alarm, {}, what.trimmed()));
    }
}

void addCoverageEnds(MarkerList& list, const SpreadGrid& signatures, const SpreadGrid& log,
                     const QString& logPath) {
    QStringList hashes;
    QStringList signedAt;
    for (int row = 1; row <= signatures.RowCount(); ++row) {
        hashes << cellText(signatures, kHashColumn, row);
        signedAt << cellText(signatures, 0, row) + QLatin1Char(' ') + cellText(signatures, 1, row);
    }
    std::vector<HashVerdict> verdicts;
    try {
        verdicts = SignatureChecker().check(logPath, RecordKind::DataLog, hashes, signedAt);
    } catch (const TvError&) {
        return; // no file to compare: the signatures still show where they were made
    }
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        // Record r of the log is row r of its grid.
        const qint64 lastCovered = verdicts[i].recordsCovered;
        if (verdicts[i].kind != HashVerdict::Kind::Appended || lastCovered < 1 ||
            lastCovered > log.RowCount()) {
            continue;
        }
        const int row = static_cast<int>(i) + 1;
        list.add(recordMarker(log, static_cast<int>(lastCovered), 0, MarkerKind::CoverageEnd,
                              cellText(signatures, kUserColumn, row),
                              cellText(signatures, kMessageColumn, row)));
    }
}

} // namespace

std::vector<TrendMarker> trendEventMarkers(const TrendEventGrids& grids, const QString& dataLogPath,
                                           double from, double to) {
    MarkerList list(from, to);
    if (grids.opEvGrid != nullptr) {
        addUserRecords(list, *grids.opEvGrid, MarkerKind::OperatorEvent);
    }
    if (grids.alarmGrid != nullptr) {
        addAlarms(list, *grids.alarmGrid);
    }
    if (grids.digiSigGrid != nullptr) {
        addUserRecords(list, *grids.digiSigGrid, MarkerKind::Signature);
        if (grids.vaGrid != nullptr && !dataLogPath.isEmpty() &&
            grids.digiSigGrid->RowCount() > 0) {
            addCoverageEnds(list, *grids.digiSigGrid, *grids.vaGrid, dataLogPath);
        }
    }
    return list.take();
}

} // namespace tarvex
