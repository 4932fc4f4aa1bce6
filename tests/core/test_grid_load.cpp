#include "recordfiles/GridData.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

class GridLoad : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("in.csv")) {
        QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    bool load(const QByteArray& bytes, int option) {
        return grid_.LoadDelimitedText(write(bytes), "", ",", "\r\n", option, "");
    }
    [[nodiscard]] QString at(int column, int row) const { return grid_.CellText(column, row); }

    QTemporaryDir dir_;
    GridData grid_;
};

const QByteArray kLog = "Date,Time,A,B\r\n3/4/2024,13:05:09,1.5,x\r\n3/5/2024,14:00:00,2,y\r\n";

} // namespace

TEST_F(GridLoad, OptionZeroPutsLineNInRowNAndFieldKInColumnK) {
    ASSERT_TRUE(load(kLog, 0));
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(grid_.ColumnCount(), 4);
    EXPECT_EQ(grid_.FilledColumnCount(), 4);
    EXPECT_EQ(at(1, 1), "Date");
    EXPECT_EQ(at(4, 3), "y");
    EXPECT_EQ(at(0, 1), "");
    EXPECT_EQ(at(1, 0), "");
}

TEST_F(GridLoad, OptionOneMovesTheFirstLineToTheHeaderRow) {
    ASSERT_TRUE(load(kLog, 1));
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(grid_.ColumnCount(), 4);
    EXPECT_EQ(at(2, 0), "Time");
    EXPECT_EQ(at(1, 2), "3/5/2024");
}

TEST_F(GridLoad, OptionTwoMovesTheFirstFieldToTheHeaderColumn) {
    ASSERT_TRUE(load(kLog, 2));
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(grid_.ColumnCount(), 3);
    EXPECT_EQ(at(0, 1), "Date");
    EXPECT_EQ(at(3, 3), "y");
}

TEST_F(GridLoad, OptionThreeIsTheDataLogLayout) {
    ASSERT_TRUE(load(kLog, 3));
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(grid_.ColumnCount(), 3);
    EXPECT_EQ(at(0, 0), "Date"); // the corner
    EXPECT_EQ(at(1, 0), "Time");
    EXPECT_EQ(at(0, 1), "3/4/2024");
    EXPECT_EQ(at(1, 1), "13:05:09");
    EXPECT_EQ(at(3, 2), "y");
    CellValue v;
    ASSERT_TRUE(grid_.GetCellValue(2, 1, v));
    EXPECT_EQ(v, CellValue::number(1.5));
    ASSERT_TRUE(grid_.GetCellValue(1, 0, v));
    EXPECT_EQ(v, CellValue::text("Time"));
}

TEST_F(GridLoad, LineEndsAndEmptyLines) {
    // Bare "\n", a missing final line end, and a blank line in the middle.
    ASSERT_TRUE(load("a,b\n\nc,d", 0));
    EXPECT_EQ(grid_.RowCount(), 3);
    EXPECT_EQ(at(1, 2), "");
    EXPECT_EQ(at(2, 3), "d");
    // A final line end makes no extra row; "\r" only counts right before "\n".
    ASSERT_TRUE(load("a\rb,c\r\n", 0));
    EXPECT_EQ(grid_.RowCount(), 1);
    EXPECT_EQ(at(1, 1), "a\rb");
    EXPECT_EQ(at(2, 1), "c");
    ASSERT_TRUE(load("x,\r\n", 0));
    EXPECT_EQ(grid_.ColumnCount(), 2);
    EXPECT_EQ(at(2, 1), "");
}

TEST_F(GridLoad, EveryCommaEndsAFieldAndShortLinesLeaveCellsEmpty) {
    ASSERT_TRUE(load("\"a,b\",c\r\n1\r\n", 0));
    EXPECT_EQ(at(1, 1), "\"a");
    EXPECT_EQ(at(2, 1), "b\"");
    EXPECT_EQ(at(3, 1), "c");
    EXPECT_EQ(at(2, 2), "");
    EXPECT_EQ(grid_.ColumnCount(), 3);
}

TEST_F(GridLoad, TitleLineOnlyAndEmptyFile) {
    ASSERT_TRUE(load("Date,Time,A\r\n", 3));
    EXPECT_EQ(grid_.RowCount(), 0);
    EXPECT_EQ(grid_.ColumnCount(), 2);
    EXPECT_EQ(at(2, 0), "A");
    ASSERT_TRUE(load("", 0));
    EXPECT_EQ(grid_.RowCount(), 0);
    EXPECT_EQ(grid_.ColumnCount(), 0);
    EXPECT_EQ(at(2, 0), "");
}

TEST_F(GridLoad, LoadingReplacesEverythingAndTitlesCanBeWider) {
    ASSERT_TRUE(load("a,b,c,d,e\r\n1,2,3,4,5\r\n1,2,3,4,5\r\n", 0));
    grid_.SetCellText(9, 9, "left over");
    ASSERT_TRUE(load("T0,T1,T2,T3\r\nx\r\n", 3));
    EXPECT_EQ(grid_.RowCount(), 1);
    EXPECT_EQ(grid_.ColumnCount(), 3); // every title stays visible
    EXPECT_EQ(at(3, 0), "T3");
    EXPECT_EQ(at(0, 1), "x");
    EXPECT_EQ(at(9, 9), "");
}

TEST_F(GridLoad, KeepsWindows1252Bytes) {
    ASSERT_TRUE(load("caf\xE9,\x80 5\r\n", 0));
    EXPECT_EQ(at(1, 1), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(at(2, 1), QStringLiteral("\u20AC 5"));
    EXPECT_EQ(grid_.CellBytes(1, 1), QByteArrayView("caf\xE9"));
}

TEST_F(GridLoad, RefusesWhatItCannotReadAndKeepsTheContent) {
    ASSERT_TRUE(load(kLog, 3));
    EXPECT_FALSE(grid_.LoadDelimitedText(dir_.filePath("missing.csv"), "", ",", "\r\n", 3, ""));
    EXPECT_FALSE(grid_.LoadDelimitedText(dir_.path(), "", ",", "\r\n", 3, "")); // a folder
    EXPECT_FALSE(grid_.LoadDelimitedText(write(kLog, "b.csv"), "\"", ",", "\r\n", 3, ""));
    EXPECT_EQ(grid_.RowCount(), 2);
    EXPECT_EQ(at(1, 0), "Time");
}
