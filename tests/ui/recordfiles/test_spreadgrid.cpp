// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

using namespace tarvex;

namespace {

using Block = std::array<int, 4>; // first column, first row, last column, last row

class SpreadGridTest : public ::testing::Test {
protected:
    SpreadGridTest() {
        grid_.resize(1000, 800);
        grid_.show();
        QApplication::processEvents();
    }
    bool load(const QByteArray& bytes, int option) {
        return grid_.LoadDelimitedText(test::writeFile(dir_.filePath("in.csv"), bytes), "", ",",
                                       "\r\n", option, "");
    }
    [[nodiscard]] QString header(Qt::Orientation o, int section) const {
        return grid_.model()->headerData(section, o, Qt::DisplayRole).toString();
    }
    [[nodiscard]] QString shown(int modelRow, int modelColumn) const {
        return grid_.model()->index(modelRow, modelColumn).data().toString();
    }
    [[nodiscard]] int sectionWidth(int gridColumn) const {
        return grid_.view()->horizontalHeader()->sectionSize(gridColumn - 1);
    }
    // A mouse click on a cell ('c'), a column title ('t') or a row title ('r').
    void click(char where, int column, int row, Qt::KeyboardModifiers modifiers = {}) {
        QTableView* view = grid_.view();
        QHeaderView* titles = where == 'r' ? view->verticalHeader() : view->horizontalHeader();
        QPoint at = view->visualRect(grid_.model()->index(row - 1, column - 1)).center();
        if (where == 'r') {
            at.setX(titles->width() / 2);
        } else if (where == 't') {
            at.setY(titles->height() / 2);
        }
        QTest::mouseClick(where == 'c' ? view->viewport() : titles->viewport(), Qt::LeftButton,
                          modifiers, at);
    }
    std::vector<Block> blocks() {
        std::vector<Block> all(grid_.SelectionCount());
        for (std::size_t i = 0; i < all.size(); ++i) {
            Block& b = all[i];
            EXPECT_TRUE(grid_.GetSelection(static_cast<int>(i), b[0], b[1], b[2], b[3]));
        }
        return all;
    }

    QTemporaryDir dir_;
    SpreadGrid grid_;
};

} // namespace

// Column widths come from a bounded sample, rows keep one height: a large grid loads fast.
TEST_F(SpreadGridTest, HeaderRowAndColumnAreTheViewsHeadersAndWidthsAreMeasuredWithinBounds) {
    ASSERT_TRUE(
        load("Date,Time,A\r\n3/4/2024,13:05:09,1\r\n,14:00:00," + QByteArray(60, 'W') + "\r\n", 3));
    EXPECT_GT(sectionWidth(2), sectionWidth(1));
    EXPECT_LE(grid_.ColumnWidth(2), 40.0);
    const QHeaderView* rows = grid_.view()->verticalHeader();
    EXPECT_EQ(rows->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(rows->sectionSize(0), rows->sectionSize(1));
    EXPECT_EQ(std::tuple(grid_.model()->rowCount(), grid_.model()->columnCount()),
              std::tuple(2, 2));
    // Without a date the row header shows the row number.
    EXPECT_EQ((QStringList{header(Qt::Horizontal, 1), header(Qt::Vertical, 0),
                           header(Qt::Vertical, 1), shown(0, 0)}),
              (QStringList{"A", "3/4/2024", "2", "13:05:09"}));
    // With presentation flag B numbers stand right, text left.
    const auto align = [&](int c) {
        return grid_.model()->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    grid_.setPresentationFlagB(true);
    grid_.SetCellText(1, 1, "Text");
    grid_.SetCellText(2, 1, "1");
    grid_.updateView();
    EXPECT_TRUE((align(1) & Qt::AlignRight) && (align(0) & Qt::AlignLeft));
}

TEST_F(SpreadGridTest, WritesPastTheCountsReachTheViewAndChangesAreAnnouncedTogether) {
    grid_.SetCellText(3, 0, "Comment");
    grid_.setRowCount(1);
    grid_.SetCellText(4, 1, "3F A 0");
    grid_.updateView();
    EXPECT_EQ(grid_.model()->columnCount(), 4);
    EXPECT_EQ((QStringList{shown(0, 3), header(Qt::Horizontal, 2)}),
              (QStringList{"3F A 0", "Comment"}));
    grid_.setColumnCount(2);
    grid_.setRowCount(0);
    // Without being asked, the view catches up on its own.
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid_.model()->rowCount() == 0; }, 2000));
    EXPECT_EQ(grid_.model()->columnCount(), 2);

    grid_.setRowCount(500);
    QSignalSpy inserted(grid_.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(grid_.model(), &QAbstractItemModel::dataChanged);
    for (int r = 1; r <= 500; ++r) {
        grid_.SetCellText(1, r, QString::number(r));
    }
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return changed.count() > 0; }, 2000));
    EXPECT_EQ(inserted.count(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toModelIndex(), grid_.model()->index(499, 0));
}

// The signature readers add one row per pass of the event loop; the view must not lay out and
// repaint on every one of them.
TEST_F(SpreadGridTest, ARowPerEventLoopPassIsNotARelayoutPerPass) {
    QSignalSpy inserted(grid_.model(), &QAbstractItemModel::rowsInserted);
    QElapsedTimer clock;
    clock.start();
    for (int n = 0; n < 2000; ++n) {
        QApplication::processEvents();
        grid_.setRowCount(n + 1);
        grid_.SetCellText(1, n + 1, QStringLiteral("line %1").arg(n));
    }
    EXPECT_LE(inserted.count(), clock.elapsed() / GridModel::kFlushIntervalMs + 2);
    grid_.updateView();
    EXPECT_EQ(grid_.model()->rowCount(), 2000);
}

// Blocks are reported top left first in the order made; whole columns with rows -1, whole rows
// with columns -1; the active cell and selection end stay real numbers, for printing a range.
TEST_F(SpreadGridTest, SelectionsAreReportedAsBlocks) {
    grid_.setRowCount(30);
    grid_.setColumnCount(10);
    grid_.updateView();
    QApplication::processEvents();
    EXPECT_TRUE(blocks().empty());
    using Clicks = std::vector<std::tuple<char, int, int, Qt::KeyboardModifiers>>;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::tuple<Clicks, std::vector<Block>, Block, bool> cases[] = {
        {{{'c', 3, 5, {}}}, {{3, 5, 3, 5}}, {3, 5, 3, 5}, false},
        {{{'c', 4, 7, {}}, {'c', 2, 5, shift}}, {{2, 5, 4, 7}}, {2, 5, 4, 7}, true},
        {{{'t', 3, 1, {}}, {'t', 5, 1, shift}}, {{3, -1, 5, -1}}, {3, 1, 5, 30}, true},
        {{{'r', 1, 4, {}}}, {{-1, 4, -1, 4}}, {1, 4, 10, 4}, true},
        {{{'c', 2, 3, {}},
          {'c', 3, 8, shift},
          {'c', 6, 10, ctrl},
          {'c', 7, 20, ctrl | shift},
          {'t', 9, 1, ctrl}},
         {{2, 3, 3, 8}, {6, 10, 7, 20}, {9, -1, 9, -1}},
         {9, 1, 9, 30},
         true}};
    for (const auto& [clicks, expected, activeAndEnd, isBlock] : cases) {
        for (const auto& [where, column, row, modifiers] : clicks) {
            click(where, column, row, modifiers);
        }
        EXPECT_EQ(blocks(), expected) << clicks.size() << " clicks";
        EXPECT_EQ((Block{grid_.ActiveColumn(), grid_.ActiveRow(), grid_.SelectionEndColumn(),
                         grid_.SelectionEndRow()}),
                  activeAndEnd);
        EXPECT_EQ(grid_.IsBlockSelected(), isBlock);
    }
    click('c', 1, 1); // a plain click starts over
    EXPECT_EQ(blocks(), (std::vector<Block>{{1, 1, 1, 1}}));
}

// Blocks taken with the mouse (Ctrl for the next) are copied together, as a spreadsheet pastes
// them: titles first, cells that no block holds left empty, a tab inside a cell quoted.
TEST_F(SpreadGridTest, CtrlCCopiesTheSelectedBlocksWithTheirTitles) {
    ASSERT_TRUE(load("Date,Time,101 Reactor Temperature Zone A,Note\r\n3/4/2024,13:05:09,1.5,x\r\n"
                     "3/5/2024,14:00:00,2.5,y\r\n3/6/2024,15:00:00,3.5,z\r\n",
                     3));
    grid_.SetCellText(2, 2, "2\t5");
    grid_.updateView();
    QApplication::processEvents();
    click('c', 1, 1);
    click('c', 2, 2, Qt::ShiftModifier);
    click('c', 3, 3, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(grid_.view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Date\tTime\t101 Reactor Temperature Zone A\tNote\n"
              "3/4/2024\t13:05:09\t1.5\t\n"
              "3/5/2024\t14:00:00\t\"2\t5\"\t\n"
              "3/6/2024\t\t\tz\n");
    // The title is cut in its column; the tooltip holds it whole.
    EXPECT_EQ(grid_.model()->headerData(1, Qt::Horizontal, Qt::ToolTipRole),
              header(Qt::Horizontal, 1));
}
