#include "recordfiles/GridData.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <utility>

using namespace tarvex;

TEST(GridCells, WritingPastTheCountsRaisesThem) {
    GridData grid;
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 0);
    ASSERT_TRUE(grid.SetCellText(3, 0, "Comment"));
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 3);
    grid.setRowCount(1);
    ASSERT_TRUE(grid.SetCellText(5, 1, "hash"));
    EXPECT_EQ(grid.ColumnCount(), 5);
    ASSERT_TRUE(grid.SetCellText(0, 4, ""));
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.CellText(5, 1), "hash");
    EXPECT_FALSE(grid.SetCellText(-1, 1, "x"));
    EXPECT_FALSE(grid.SetCellText(1, GridData::kMaxIndex + 1, "x"));
}

TEST(GridCells, ShrinkingCountsDropsCells) {
    GridData grid;
    grid.SetCellText(4, 4, "a");
    grid.SetCellText(1, 1, "b");
    grid.setRowCount(2);
    grid.setColumnCount(3);
    grid.setRowCount(6);
    grid.setColumnCount(6);
    EXPECT_EQ(grid.CellText(4, 4), "");
    EXPECT_EQ(grid.CellText(1, 1), "b");
    grid.setRowCount(-3); // ignored
    EXPECT_EQ(grid.RowCount(), 6);
}

TEST(GridCells, HeaderColumnShowsTheRowNumberUnlessItHoldsText) {
    GridData grid;
    grid.setRowCount(3);
    grid.setColumnCount(2);
    grid.SetCellText(0, 2, "3/4/2024");
    grid.SetCellText(0, 0, "Corner");
    EXPECT_EQ(grid.ShownText(0, 1), "1");
    EXPECT_EQ(grid.ShownText(0, 2), "3/4/2024");
    EXPECT_EQ(grid.ShownText(0, 0), "Corner");
    EXPECT_EQ(grid.CellText(0, 1), ""); // the number is shown, not held
    CellValue v = CellValue::number(1);
    ASSERT_TRUE(grid.GetCellValue(0, 1, v));
    EXPECT_TRUE(v.isEmpty());
    EXPECT_FALSE(grid.GetCellValue(3, 1, v));
    EXPECT_FALSE(grid.GetCellValue(1, 4, v));
}

TEST(GridCells, ClearBlockEmptiesHeadersToo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("D,T,A,B\r\n1/1/2024,1:00,1,2\r\n1/2/2024,2:00,3,4\r\n");
    f.close();
    GridData grid;
    ASSERT_TRUE(grid.LoadDelimitedText(path, "", ",", "\r\n", 3, ""));
    grid.SetCellText(2, 2, "rewritten");
    grid.ClearBlock(2, 1, 3, 2, false); // part: data only
    EXPECT_EQ(grid.CellText(2, 2), "");
    EXPECT_EQ(grid.CellText(3, 1), "");
    EXPECT_EQ(grid.CellText(1, 1), "1:00");
    grid.ClearBlock(0, 0, grid.ColumnCount(), grid.RowCount(), false);
    for (int c = 0; c <= 3; ++c) {
        for (int r = 0; r <= 2; ++r) {
            EXPECT_EQ(grid.CellText(c, r), "") << c << "," << r;
        }
    }
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColumnCount(), 3);
    EXPECT_EQ(grid.FilledColumnCount(), 3);
    grid.SetCellText(1, 1, "after");
    EXPECT_EQ(grid.CellText(1, 1), "after");
    grid.ClearBlock(-1, 1, -1, 1);
    EXPECT_EQ(grid.CellText(1, 1), "");
}

// Random writes, clears and count changes checked against a plain map: rows that move, space
// that is reclaimed and rewritten cells must never show another cell's text.
TEST(GridCells, MatchesAPlainModelUnderRandomEdits) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    std::map<std::pair<int, int>, QString> model;
    for (int r = 0; r < 40; ++r) {
        for (int c = 0; c < 6; ++c) {
            const QString t = QStringLiteral("L%1.%2").arg(c).arg(r);
            f.write(t.toLatin1() + (c < 5 ? "," : "\r\n"));
            model[{c, r}] = t;
        }
    }
    f.close();
    GridData grid;
    ASSERT_TRUE(grid.LoadDelimitedText(path, "", ",", "\r\n", 3, ""));
    int rows = grid.RowCount();
    int cols = grid.ColumnCount();
    QRandomGenerator rng(1234);
    for (int step = 0; step < 20000; ++step) {
        const int op = rng.bounded(100);
        const int c = rng.bounded(14);
        const int r = rng.bounded(60);
        if (op < 80) {
            const QString t = rng.bounded(10) == 0
                                  ? QString()
                                  : QString(rng.bounded(1, 300), QChar(u'a' + step % 26));
            grid.SetCellText(c, r, t);
            model[{c, r}] = t;
            rows = std::max(rows, r);
            cols = std::max(cols, c);
        } else if (op < 90) {
            const int c2 = c + rng.bounded(4);
            const int r2 = r + rng.bounded(10);
            grid.ClearBlock(c, r, c2, r2, false);
            std::erase_if(model, [&](const auto& e) {
                return e.first.first >= c && e.first.first <= c2 && e.first.second >= r &&
                       e.first.second <= r2;
            });
        } else if (op < 95) {
            grid.setRowCount(r);
            rows = r;
            std::erase_if(model, [&](const auto& e) { return e.first.second > r; });
        } else {
            grid.setColumnCount(c);
            cols = c;
            std::erase_if(model, [&](const auto& e) { return e.first.first > c; });
        }
        ASSERT_EQ(grid.RowCount(), rows);
        ASSERT_EQ(grid.ColumnCount(), cols);
        if (step % 500 == 0 || step > 19900) {
            for (int cc = 0; cc < 16; ++cc) {
                for (int rr = 0; rr < 62; ++rr) {
                    const auto it = model.find({cc, rr});
                    ASSERT_EQ(grid.CellText(cc, rr), it == model.end() ? QString() : it->second)
                        << "step " << step << " cell " << cc << "," << rr;
                }
            }
        }
    }
}

TEST(GridCells, RewritingACellDoesNotGrowWithoutBound) {
    GridData grid;
    grid.SetCellText(1, 1, "x");
    const std::size_t before = grid.memoryUsage();
    const QString big(1000, QChar(u'q'));
    for (int i = 0; i < 20000; ++i) {
        grid.SetCellText(1, 1, big + QString::number(i));
    }
    EXPECT_EQ(grid.CellText(1, 1), big + "19999");
    EXPECT_LT(grid.memoryUsage(), before + 1'000'000); // 20 MB were written in all
}
