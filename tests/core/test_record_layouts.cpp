#include "common/TvError.h"
#include "recordfiles/GridData.h"
#include "recordfiles/RecordLayouts.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

class RecordLayouts : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("in.csv")) {
        QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // The number of the error that loading raised; -1 when none.
    int load(RecordKind kind, const QByteArray& bytes) {
        try {
            loadRecordFile(grid_, kind, write(bytes));
        } catch (const TvError& e) {
            return e.number();
        }
        return -1;
    }
    QByteArray saved() {
        const QString path = dir_.filePath(QStringLiteral("out.csv"));
        EXPECT_TRUE(saveRecordText(grid_, path));
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    [[nodiscard]] QString at(int column, int row) const { return grid_.CellText(column, row); }

    QTemporaryDir dir_;
    GridData grid_;
};

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

TEST_F(RecordLayouts, ADataLogKeepsItsTitlesAndDatesAndAcceptsBareLineFeeds) {
    ASSERT_EQ(load(RecordKind::DataLog, "Date,Time,A\n3/4/2024,13:05:09,1.5\n3/4/2024,00:00:01,"),
              -1);
    EXPECT_EQ(saved(), "Date,Time,A\r\n3/4/2024,01:05:09 PM,1.5\r\n3/4/2024,12:00:01 AM,\r\n");
    EXPECT_EQ(grid_.ColumnCount(), 2);
}

TEST_F(RecordLayouts, ALoadThatTheGridRefusesRaisesErrorZero) {
    try {
        loadRecordFile(grid_, RecordKind::AuditTrail, dir_.filePath(QStringLiteral("none.aud")));
        ADD_FAILURE() << "no error";
    } catch (const TvError& e) {
        EXPECT_EQ(e.number(), 0);
    }
}

TEST_F(RecordLayouts, AnAuditTrailGetsOurTitlesOverItsOwnFirstLine) {
    ASSERT_EQ(load(RecordKind::AuditTrail, "3/4/2024,08:00:00,Maria,Logged in,OS-1\r\n"), -1);
    EXPECT_EQ(saved(), "Date,Time,User Full Name,User Action,\r\n"
                       "3/4/2024,08:00:00,Maria,Logged in,OS-1\r\n");
}

TEST_F(RecordLayouts, AnAlarmHistoryIsNumberedAndItsTitlesReachPastShortLines) {
    ASSERT_EQ(load(RecordKind::AlarmHistory, "Short\r\nHigh Temp,3/4/2024,14:07:59\r\n"), -1);
    EXPECT_EQ(grid_.ColumnCount(), 3);
    EXPECT_EQ(saved(), "Alarm#,Alarm Description,Date,Time\r\n1,Short,,\r\n"
                       "2,High Temp,3/4/2024,02:07 PM\r\n");
    // A second, shorter file leaves nothing of the first.
    ASSERT_EQ(load(RecordKind::AlarmHistory, "Low Flow,3/5/2024,06:30\r\n"), -1);
    EXPECT_EQ(grid_.RowCount(), 1);
    EXPECT_EQ(saved(), "Alarm#,Alarm Description,Date,Time\r\n1,Low Flow,3/5/2024,06:30 AM\r\n");
}
