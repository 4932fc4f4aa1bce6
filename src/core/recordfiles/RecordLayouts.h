// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/CellValue.h"
#include "core/common/Int16.h"
#include "core/common/TvError.h"
#include "core/common/ValueFormat.h"
#include "core/recordfiles/GridData.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <span>

namespace tarvex {

// How the three comma-separated record files are laid out in a grid. The steps that decide a
// grid's cells live here, written against the grid's operations, so that the viewer's readers
// (on its grid widgets) and the batch tool's export (on a bare GridData) fill a grid alike and
// export the same bytes. Column widths and presentation settings stay with the viewer.

enum class RecordKind { DataLog, AuditTrail, AlarmHistory };

struct RecordColumn {
    QStringView title;
    double width; // in characters
};

namespace RecordLayout {

// Load options (GridData): the data log's first line holds the titles and every line's first
// field its date; the audit trail's first field is its date; the alarm history's row numbers
// stay in the header column.
inline constexpr int kDataLogLoadOption =
    GridData::kFirstLineToHeaderRow + GridData::kFirstFieldToHeaderColumn;
inline constexpr int kAuditLoadOption = GridData::kFirstFieldToHeaderColumn;
inline constexpr int kAlarmLoadOption = 0;

inline constexpr int kDataLogTimeColumn = 1;
inline constexpr QStringView kDataLogTimeFormat = u"hh:mm:ss AM/PM";
inline constexpr double kDataLogColumnWidth = 14;

inline constexpr std::array<RecordColumn, 4> kAuditColumns{{
    {u"Date", 12},
    {u"Time", 12},
    {u"User Full Name", 25},
    {u"User Action", 100},
}};
// Fields after the user action: a comma in the action text continues there.
inline constexpr int kAuditHiddenColumn = 4;

inline constexpr std::array<RecordColumn, 4> kAlarmColumns{{
    {u"Alarm#", 8},
    {u"Alarm Description", 40},
    {u"Date", 12},
    {u"Time", 12},
}};
inline constexpr int kAlarmTimeColumn = 3;
inline constexpr QStringView kAlarmTimeFormat = u"hh:mm AM/PM";

} // namespace RecordLayout

// LoadDelimitedText with the record files' separators: "," between fields, "\r\n" after lines.
// The grid only answers false when it refuses a file, with no error pending: that raises error
// number 0, which is how a handler reports it.
template <class Grid> void loadRecordText(Grid& grid, const QString& path, int option) {
    if (!grid.LoadDelimitedText(path, QString(), QStringLiteral(","), QStringLiteral("\r\n"),
                                option, QString())) {
        throw TvError(0);
    }
}

// SaveDelimitedText as the exports write: the shown cells, "," between fields, "\r\n" after
// rows; never onto a file of `neverReplace`. A refusal raises error number 0, as above.
template <class Grid>
void saveRecordText(const Grid& grid, const QString& path, const QStringList& neverReplace = {}) {
    if (!grid.SaveDelimitedText(path, QString(), QStringLiteral(","), QStringLiteral("\r\n"),
                                GridData::kSaveShownCells, QString(), neverReplace)) {
        throw TvError(0);
    }
}

// Empties every cell of the grid, header row and column included; the counts stay.
template <class Grid> void clearAllCells(Grid& grid) {
    grid.ClearBlock(0, 0, grid.ColumnCount(), grid.RowCount(), false);
}

// Rewrites a column's cells in rows 0 to RowCount through a time format; texts that read as no
// time, date or number, such as a column title, stay as they are. The rows are counted in 16
// bits: a RowCount above 32,767, or the count stepping past 32,767 after the last row, raises
// the overflow error.
template <class Grid> void rewriteTimeColumn(Grid& grid, int column, QStringView pattern) {
    const std::int16_t rows = toInt16(grid.RowCount());
    for (std::int16_t row = 0; row <= rows; increment16(row)) {
        CellValue value;
        grid.GetCellValue(column, row, value);
        grid.SetCellText(column, row, formatValue(value, pattern));
    }
}

// Writes the titles into row 0, from column 0 on.
template <class Grid> void writeColumnTitles(Grid& grid, std::span<const RecordColumn> columns) {
    int column = 0;
    for (const RecordColumn& c : columns) {
        grid.SetCellText(column++, 0, c.title.toString());
    }
}

// Fills `grid` as the viewer's reader of that kind fills its grid from `path`. Throws TvError:
// number 0 when the grid refuses the file, ErrOverflow past the 16-bit row count.
void loadRecordFile(GridData& grid, RecordKind kind, const QString& path);

} // namespace tarvex
