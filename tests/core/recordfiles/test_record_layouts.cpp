#include "CoreTestHelpers.h"
#include "integrity/ZvLog.h"
#include "recordfiles/RecordLayouts.h"
#include "recordfiles/SampleData.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;
using tarvex::test::errorOf;

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
    return errorOf([&] { rewriteTimeColumn(grid, 1, u"hh:mm:ss AM/PM"); });
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
    EXPECT_EQ(rewriteError(most), 0);
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
    EXPECT_EQ(errorOf([&] {
                  loadRecordFile(grid, RecordKind::AuditTrail, dir.filePath("none.aud"));
                  throw TvError(-1);
              }),
              0);
}

// The sample set is what demonstrations and the batch tool's tests start from: its data log
// carries notes (an empty first one), and one of its signatures no longer verifies.
TEST(SampleData, WritesAConsistentSetAndTheSameSetAgain) {
    QTemporaryDir dir;
    const SampleFiles files = writeSampleData(dir.filePath("new/samples"));
    const QByteArray log = test::readBytes(files.dataLog);
    EXPECT_EQ(log.count("\r\n"), 1441);
    const QList<QByteArray> first = log.split('\n').value(1).split(',');
    EXPECT_EQ(first.value(1), "00:00:00");
    EXPECT_TRUE(first.value(2).isEmpty());
    ZvLog zv;
    const QString hash = zv.CalculateFileHash(files.dataLog, zvLogKey());
    QList<bool> verified;
    for (const QByteArray& line : test::readBytes(files.dataSignatures).trimmed().split('\n')) {
        const QStringList fields =
            zv.DecryptFromHex(QString::fromLatin1(line.trimmed()), zvLogKey()).split(u',');
        verified << (fields.size() == 5 && fields[4] == hash);
    }
    EXPECT_EQ(verified, (QList<bool>{false, true, true}));
    writeSampleData(dir.filePath("new/samples"));
    EXPECT_EQ(test::readBytes(files.dataLog), log);
    for (const QString& path : files.all()) {
        EXPECT_FALSE(test::readBytes(path).isEmpty()) << path.toStdString();
    }
}
