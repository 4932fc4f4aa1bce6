// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/recordfiles/PathFunctions.h"
#include "core/recordfiles/RecordFileGuard.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QTemporaryDir>

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

TEST(PathFunctions, BaseNameCutsFolderAndEverythingFromTheFirstDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"/logs/plant.2024.csv", "plant"}, {"/logs/plant.rev2.csv", "plant"},
        {"/logs.old/plant", "plant"},      {"plant.csv", "plant"},
        {"/logs/.hidden.csv", ""},         {"/logs/", ""}};
    for (const auto& [path, base] : cases) {
        EXPECT_EQ(fileBaseName(QString::fromLatin1(path)), QString::fromLatin1(base)) << path;
    }
    EXPECT_EQ(pathWithoutExtension("/logs/plant.2024.csv"), "/logs/plant");
    EXPECT_EQ(pathWithoutExtension("/data.v1/plant"), "/data.v1/plant");
    EXPECT_EQ(pathWithoutExtension("/logs/.hidden"), "/logs/");
    EXPECT_EQ(recordFileSet("/logs/plant.2024.csv"),
              (QStringList{"/logs/plant.2024.csv", "/logs/plant.sig", "/logs/plant.evt"}));
    EXPECT_TRUE(recordFileSet("").isEmpty());
}

TEST(PathFunctions, FileExistsOnlyForFilesThatAreNoFolders) {
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plant.sig"));
    EXPECT_FALSE(fileExists(file));
    test::writeFile(file, {});
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_FALSE(fileExists(QString()));
    ASSERT_TRUE(QFile::link(file, dir.filePath(QStringLiteral("link.sig"))));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("link.sig"))));
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("folder.sig"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("folder.sig"))));
}

TEST(RecordFileGuard, OtherSpellingsAndLinksOfTheSameFileAreCaught) {
    QTemporaryDir dir;
    const QString record = test::writeFile(dir.filePath("plant.csv"), {});
    ASSERT_TRUE(QFile::link(record, dir.filePath("link.csv")));
    const QStringList files = recordFileSet(record);
    EXPECT_TRUE(namesAnyOf(dir.filePath("sub/../plant.csv"), files));
    EXPECT_TRUE(namesAnyOf(dir.filePath("link.csv"), files));
    EXPECT_TRUE(namesAnyOf(dir.filePath("plant.sig"), files)); // not there yet, still refused
    EXPECT_FALSE(namesAnyOf(dir.filePath("plant export.csv"), files));
    EXPECT_FALSE(namesAnyOf(record, {}));
}
