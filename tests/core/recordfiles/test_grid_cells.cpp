// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/recordfiles/GridData.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <utility>

using namespace tarvex;

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
    EXPECT_FALSE(grid.SetCellText(-1, 1, "x"));
    EXPECT_FALSE(grid.SetCellText(1, GridData::kMaxIndex + 1, "x"));
    grid.ClearBlock(-1, 2, -1, 2); // -1: the whole range
    EXPECT_EQ(grid.ShownText(0, 2), "2");
    grid.setRowCount(-3); // ignored
    EXPECT_EQ(grid.RowCount(), 3);
}

// Random writes, clears and count changes checked against a plain map: rows that move, space
// that is reclaimed and rewritten cells must never show another cell's text.
TEST(GridCells, MatchesAPlainModelUnderRandomEdits) {
    QTemporaryDir dir;
    std::map<std::pair<int, int>, QString> model;
    QByteArray text;
    for (int r = 0; r < 40; ++r) {
        for (int c = 0; c < 6; ++c) {
            const QString t = QStringLiteral("L%1.%2").arg(c).arg(r);
            text += t.toLatin1() + (c < 5 ? "," : "\r\n");
            model[{c, r}] = t;
        }
    }
    GridData grid;
    ASSERT_TRUE(grid.LoadDelimitedText(test::writeFile(dir.filePath("a.csv"), text), "", ",",
                                       "\r\n", 3, ""));
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
