#include "recordfiles/GridData.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

class GridMalformed : public ::testing::Test {
protected:
    bool load(const QByteArray& bytes, int option = 3) {
        const QString path = dir_.filePath("m.csv");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        return grid_.LoadDelimitedText(path, "", ",", "\r\n", option, "");
    }
    // Reads every cell and saves, which is what a viewer or an export would do next.
    void touchEverything() {
        qsizetype total = 0;
        for (int r = 0; r <= grid_.RowCount(); ++r) {
            for (int c = 0; c <= std::min(grid_.ColumnCount(), 50); ++c) {
                CellValue v;
                grid_.GetCellValue(c, r, v);
                total += grid_.CellText(c, r).size();
            }
        }
        EXPECT_GE(total, 0);
        EXPECT_TRUE(grid_.SaveDelimitedText(dir_.filePath("o.csv"), "", ",", "\r\n", 25, ""));
    }

    QTemporaryDir dir_;
    GridData grid_;
};

} // namespace

TEST_F(GridMalformed, NulBytesAndRandomBinary) {
    ASSERT_TRUE(load(QByteArray("a\0b,c\0\r\n\0\0\0", 11), 0));
    EXPECT_EQ(grid_.CellText(1, 1), QString::fromLatin1("a\0b", 3));
    EXPECT_EQ(grid_.RowCount(), 2);
    touchEverything();
    QRandomGenerator rng(7);
    for (int round = 0; round < 20; ++round) {
        QByteArray junk(rng.bounded(1, 20000), Qt::Uninitialized);
        for (char& b : junk) {
            b = static_cast<char>(rng.bounded(256));
        }
        ASSERT_TRUE(load(junk, round % 4));
        touchEverything();
    }
}

TEST_F(GridMalformed, TenMegabyteLinesWithAndWithoutCommas) {
    ASSERT_TRUE(load(QByteArray(10 << 20, 'x')));
    EXPECT_EQ(grid_.RowCount(), 0);
    EXPECT_EQ(grid_.CellBytes(0, 0).size(), 10 << 20);
    touchEverything();
    QByteArray commas(10 << 20, ',');
    commas += "\r\nlast";
    ASSERT_TRUE(load(commas, 0));
    EXPECT_EQ(grid_.ColumnCount(), (10 << 20) + 1);
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(grid_.CellText(1, 2), "last");
    EXPECT_LT(grid_.memoryUsage(), std::size_t(120) << 20);
    touchEverything();
}

TEST_F(GridMalformed, OnlyLineEnds) {
    ASSERT_TRUE(load(QByteArray(100000, '\n'), 0));
    EXPECT_EQ(grid_.RowCount(), 100000);
    ASSERT_TRUE(load("\r\r\r", 0));
    EXPECT_EQ(grid_.RowCount(), 1);
    EXPECT_EQ(grid_.CellText(1, 1), "\r\r");
    ASSERT_TRUE(load("\r\n", 1));
    EXPECT_EQ(grid_.RowCount(), 0);
    touchEverything();
}
