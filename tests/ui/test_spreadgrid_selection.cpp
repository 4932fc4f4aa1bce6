#include "recordfiles/GridModel.h"
#include "recordfiles/SpreadGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

using namespace tarvex;

namespace {

using Block = std::array<int, 4>; // first column, first row, last column, last row

// A 10 x 30 grid on screen, driven with real mouse clicks.
class SpreadGridSelection : public ::testing::Test {
protected:
    SpreadGridSelection() {
        grid_.setRowCount(30);
        grid_.setColumnCount(10);
        for (int c = 0; c <= 10; ++c) {
            grid_.SetCellText(c, 0, QStringLiteral("C%1").arg(c));
        }
        grid_.updateView();
        grid_.resize(1000, 800);
        grid_.show();
        QApplication::processEvents();
    }
    // Clicks the cell at grid column and row.
    void click(int column, int row, Qt::KeyboardModifiers modifiers = {}) {
        QTableView* view = grid_.view();
        const QPoint at = view->visualRect(grid_.model()->index(row - 1, column - 1)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, at);
    }
    // Clicks the column title of a grid column.
    void clickTitle(int column, Qt::KeyboardModifiers modifiers = {}) {
        QHeaderView* header = grid_.view()->horizontalHeader();
        const int x =
            header->sectionViewportPosition(column - 1) + header->sectionSize(column - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers,
                          QPoint(x, header->height() / 2));
    }
    Block block(int i) {
        Block b{-99, -99, -99, -99};
        EXPECT_TRUE(grid_.GetSelection(i, b[0], b[1], b[2], b[3]));
        return b;
    }
    Block activeAndEnd() {
        return {grid_.ActiveColumn(), grid_.ActiveRow(), grid_.SelectionEndColumn(),
                grid_.SelectionEndRow()};
    }

    SpreadGrid grid_;
};

} // namespace

TEST_F(SpreadGridSelection, NothingSelectedThenOneCell) {
    EXPECT_EQ(grid_.SelectionCount(), 0);
    EXPECT_FALSE(grid_.IsBlockSelected());
    int c1 = 7;
    int r1 = 7;
    int c2 = 7;
    int r2 = 7;
    EXPECT_FALSE(grid_.GetSelection(0, c1, r1, c2, r2));
    EXPECT_EQ(c1, 7);
    click(3, 5);
    EXPECT_EQ(grid_.SelectionCount(), 1);
    EXPECT_FALSE(grid_.IsBlockSelected());
    EXPECT_EQ(block(0), (Block{3, 5, 3, 5}));
    EXPECT_EQ(activeAndEnd(), (Block{3, 5, 3, 5}));
}

TEST_F(SpreadGridSelection, ABlockDrawnEitherWayIsReportedTopLeftFirst) {
    click(4, 7);
    click(2, 5, Qt::ShiftModifier);
    EXPECT_EQ(grid_.SelectionCount(), 1);
    EXPECT_TRUE(grid_.IsBlockSelected());
    EXPECT_EQ(block(0), (Block{2, 5, 4, 7}));
    EXPECT_EQ(activeAndEnd(), (Block{2, 5, 4, 7}));
}

TEST_F(SpreadGridSelection, WholeColumnsReportRowMinusOne) {
    clickTitle(3);
    EXPECT_EQ(grid_.SelectionCount(), 1);
    EXPECT_EQ(block(0), (Block{3, -1, 3, -1}));
    // The bounds stay real numbers, for printing a range.
    EXPECT_EQ(activeAndEnd(), (Block{3, 1, 3, 30}));
    clickTitle(5, Qt::ShiftModifier);
    EXPECT_EQ(block(0), (Block{3, -1, 5, -1}));
}

TEST_F(SpreadGridSelection, SeveralBlocksInTheOrderMade) {
    click(2, 3);
    click(3, 8, Qt::ShiftModifier);
    click(6, 10, Qt::ControlModifier);
    click(7, 20, Qt::ControlModifier | Qt::ShiftModifier);
    clickTitle(9, Qt::ControlModifier);
    ASSERT_EQ(grid_.SelectionCount(), 3);
    EXPECT_EQ(block(0), (Block{2, 3, 3, 8}));
    EXPECT_EQ(block(1), (Block{6, 10, 7, 20}));
    EXPECT_EQ(block(2), (Block{9, -1, 9, -1}));
    EXPECT_EQ(activeAndEnd(), (Block{9, 1, 9, 30}));
    // A plain click starts over.
    click(1, 1);
    EXPECT_EQ(grid_.SelectionCount(), 1);
    EXPECT_EQ(block(0), (Block{1, 1, 1, 1}));
}

TEST_F(SpreadGridSelection, WholeRowsReportColumnMinusOne) {
    QHeaderView* rows = grid_.view()->verticalHeader();
    const int y = rows->sectionViewportPosition(3) + rows->sectionSize(3) / 2;
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, QPoint(rows->width() / 2, y));
    EXPECT_EQ(block(0), (Block{-1, 4, -1, 4}));
    EXPECT_EQ(activeAndEnd(), (Block{1, 4, 10, 4}));
}
