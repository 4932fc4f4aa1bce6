#include "common/TvError.h"
#include "recordfiles/GridData.h"
#include "recordfiles/RecordLayouts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// A grid of `rows` data rows, each with the time 13:05:09 in column 1.
GridData timesGrid(int rows) {
    GridData grid;
    grid.SetCellText(1, 0, QStringLiteral("Time"));
    for (int r = 1; r <= rows; ++r) {
        grid.SetCellText(1, r, QStringLiteral("13:05:09"));
    }
    return grid;
}

int rewriteError(GridData& grid) {
    try {
        rewriteTimeColumn(grid, 1, u"hh:mm:ss AM/PM");
    } catch (const TvError& e) {
        return e.number();
    }
    return -1;
}

} // namespace

TEST(RecordTimeRewrite, FormatsTimesDatesAndNumbersAndKeepsOtherText) {
    GridData grid;
    const QStringList in{"Time", "13:05:09", "3/4/2024 6:30:00 PM", "0.5", "", "noon", "7:05"};
    for (int r = 0; r < in.size(); ++r) {
        grid.SetCellText(1, r, in[r]);
    }
    rewriteTimeColumn(grid, 1, u"hh:mm:ss AM/PM");
    const QStringList out{"Time", "01:05:09 PM", "06:30:00 PM", "12:00:00 PM",
                          "",     "noon",        "07:05:00 AM"};
    for (int r = 0; r < in.size(); ++r) {
        EXPECT_EQ(grid.CellText(1, r), out[r]) << r;
    }
}

// Rows are counted in 16 bits, header row included: 32,766 rows pass; with 32,767 every row is
// rewritten before the count steps past its range; a larger count fails before the first row.
TEST(RecordTimeRewrite, Counts16BitRows) {
    GridData most = timesGrid(32'766);
    EXPECT_EQ(rewriteError(most), -1);
    EXPECT_EQ(most.CellText(1, 32'766), "01:05:09 PM");

    GridData oneMore = timesGrid(32'767);
    EXPECT_EQ(rewriteError(oneMore), ErrOverflow);
    EXPECT_EQ(oneMore.CellText(1, 32'767), "01:05:09 PM");

    GridData tooMany = timesGrid(32'768);
    EXPECT_EQ(rewriteError(tooMany), ErrOverflow);
    EXPECT_EQ(tooMany.CellText(1, 1), "13:05:09");
}

// The viewer reports a load that the grid refuses as error 0: no error is pending then.
TEST(RecordLayouts, ALoadThatTheGridRefusesRaisesErrorZero) {
    QTemporaryDir dir;
    GridData grid;
    try {
        loadRecordFile(grid, RecordKind::AuditTrail, dir.filePath(QStringLiteral("none.aud")));
        ADD_FAILURE() << "no error";
    } catch (const TvError& e) {
        EXPECT_EQ(e.number(), 0);
    }
}
