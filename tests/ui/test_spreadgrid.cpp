#include "recordfiles/GridModel.h"
#include "recordfiles/SpreadGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

class SpreadGridTest : public ::testing::Test {
protected:
    SpreadGridTest() {
        grid_.resize(900, 500);
        grid_.show();
        QApplication::processEvents();
    }
    bool load(const QByteArray& bytes, int option) {
        const QString path = dir_.filePath("in.csv");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        return grid_.LoadDelimitedText(path, "", ",", "\r\n", option, "");
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
    QImage cornerImage() {
        auto* corner = grid_.view()->findChild<QAbstractButton*>();
        QImage image(corner->size(), QImage::Format_ARGB32);
        corner->render(&image);
        return image;
    }

    QTemporaryDir dir_;
    SpreadGrid grid_;
};

} // namespace

TEST_F(SpreadGridTest, HeaderRowAndColumnAreTheViewsHeaders) {
    ASSERT_TRUE(load("Date,Time,A\r\n3/4/2024,13:05:09,1\r\n,14:00:00,2\r\n", 3));
    EXPECT_EQ(grid_.model()->rowCount(), 2);
    EXPECT_EQ(grid_.model()->columnCount(), 2);
    EXPECT_EQ(header(Qt::Horizontal, 0), "Time");
    EXPECT_EQ(header(Qt::Horizontal, 1), "A");
    EXPECT_EQ(header(Qt::Vertical, 0), "3/4/2024");
    EXPECT_EQ(header(Qt::Vertical, 1), "2"); // no date: the row number
    EXPECT_EQ(shown(0, 0), "13:05:09");
    EXPECT_EQ(shown(1, 1), "2");
}

TEST_F(SpreadGridTest, CornerShowsTheCornerCell) {
    grid_.setRowCount(3);
    grid_.setColumnCount(2);
    grid_.setColumnWidth(0, 10);
    grid_.updateView();
    QApplication::processEvents();
    const QImage blank = cornerImage();
    ASSERT_GT(blank.width(), 40);
    ASSERT_GT(blank.height(), 10);
    grid_.SetCellText(0, 0, "Alarm#");
    grid_.updateView();
    const QImage titled = cornerImage();
    EXPECT_NE(titled, blank);
    grid_.ClearBlock(0, 0, 0, 0, false);
    grid_.updateView();
    EXPECT_EQ(cornerImage(), blank);
}

TEST_F(SpreadGridTest, WritesPastTheCountsReachTheView) {
    grid_.SetCellText(0, 0, "Date");
    grid_.SetCellText(3, 0, "Comment");
    grid_.setRowCount(1);
    grid_.SetCellText(4, 1, "3F A 0");
    grid_.updateView();
    EXPECT_EQ(grid_.model()->rowCount(), 1);
    EXPECT_EQ(grid_.model()->columnCount(), 4);
    EXPECT_EQ(shown(0, 3), "3F A 0");
    EXPECT_EQ(header(Qt::Horizontal, 2), "Comment");
    grid_.setColumnCount(2);
    grid_.setRowCount(0);
    // Without being asked, the view catches up on its own.
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid_.model()->rowCount() == 0; }, 2000));
    EXPECT_EQ(grid_.model()->columnCount(), 2);
}

TEST_F(SpreadGridTest, ChangesAreAnnouncedTogether) {
    grid_.setRowCount(500);
    grid_.setColumnCount(3);
    QSignalSpy inserted(grid_.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(grid_.model(), &QAbstractItemModel::dataChanged);
    for (int r = 1; r <= 500; ++r) {
        grid_.SetCellText(1, r, QString::number(r));
    }
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return changed.count() > 0; }, 2000));
    EXPECT_EQ(inserted.count(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), grid_.model()->index(0, 0));
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
    const qint64 elapsed = clock.elapsed();
    EXPECT_LE(inserted.count(), elapsed / GridModel::kFlushIntervalMs + 2);
    grid_.updateView();
    EXPECT_EQ(grid_.model()->rowCount(), 2000);
}

TEST_F(SpreadGridTest, CurrentCellAddressesTextValueAndHiding) {
    ASSERT_TRUE(load("Date,Time,A,B\r\n3/4/2024,13:05:09,1.5,x\r\n", 3));
    grid_.updateView();
    grid_.setCurrentColumn(2);
    grid_.setCurrentRow(1);
    EXPECT_EQ(grid_.CellText(), "1.5");
    EXPECT_EQ(grid_.CellValue(), CellValue::number(1.5));
    grid_.setCurrentColumn(3);
    grid_.setColumnHidden(true);
    EXPECT_TRUE(grid_.ColumnHidden());
    EXPECT_TRUE(grid_.view()->isColumnHidden(2));
    EXPECT_FALSE(grid_.view()->isColumnHidden(1));
    grid_.setCurrentColumn(0);
    grid_.setColumnHidden(true);
    EXPECT_TRUE(grid_.view()->verticalHeader()->isHidden());
    grid_.setColumnHidden(false);
    EXPECT_FALSE(grid_.view()->verticalHeader()->isHidden());
}

TEST_F(SpreadGridTest, AColumnHiddenBeforeItExistsIsHiddenWhenWrittenAndAfterALoad) {
    grid_.setCurrentColumn(4);
    grid_.setColumnHidden(true);
    grid_.setRowCount(1);
    grid_.SetCellText(4, 1, "hash");
    grid_.updateView();
    EXPECT_TRUE(grid_.view()->isColumnHidden(3));
    ASSERT_TRUE(load("a,b,c,d,e,f\r\n", 2));
    EXPECT_TRUE(grid_.view()->isColumnHidden(3));
    EXPECT_FALSE(grid_.view()->isColumnHidden(4));
}

TEST_F(SpreadGridTest, ColumnWidthsInCharacters) {
    ASSERT_TRUE(load("D,T,A,B\r\n1,2,3,4\r\n", 3));
    grid_.setColumnWidth(1, 12);
    grid_.setColumnWidth(2, 25);
    EXPECT_EQ(grid_.ColumnWidth(2), 25);
    EXPECT_GT(sectionWidth(2), sectionWidth(1) * 3 / 2);
    // -1: every column, the header column and columns added later.
    grid_.setColumnWidth(-1, 14);
    EXPECT_EQ(sectionWidth(1), sectionWidth(3));
    EXPECT_EQ(grid_.ColumnWidth(2), 14);
    grid_.SetCellText(5, 1, "new");
    grid_.updateView();
    EXPECT_EQ(sectionWidth(5), sectionWidth(1));
    QApplication::processEvents();
    EXPECT_EQ(grid_.view()->verticalHeader()->width(), sectionWidth(1));
}

TEST_F(SpreadGridTest, LoadMeasuresWidthsAndKeepsRowsOneHeight) {
    ASSERT_TRUE(load("D,T,Wide\r\n1,2," + QByteArray(60, 'W') + "\r\n1,2\nx\ny\n", 3));
    EXPECT_GT(sectionWidth(2), sectionWidth(1));
    EXPECT_LE(grid_.ColumnWidth(2), 40.0); // measured widths are bounded
    const QHeaderView* rows = grid_.view()->verticalHeader();
    EXPECT_EQ(rows->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(rows->sectionSize(0), rows->sectionSize(2));
}

TEST_F(SpreadGridTest, PresentationFlagsShowRowsAndNumbersApart) {
    grid_.setPresentationFlagA(true);
    grid_.setPresentationFlagB(true);
    EXPECT_TRUE(grid_.view()->alternatingRowColors());
    grid_.setRowCount(1);
    grid_.SetCellText(1, 1, "12.5");
    grid_.SetCellText(2, 1, "Text");
    grid_.updateView();
    const auto align = [&](int c) {
        return grid_.model()->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    EXPECT_TRUE(align(0) & Qt::AlignRight);
    EXPECT_TRUE(align(1) & Qt::AlignLeft);
}

TEST_F(SpreadGridTest, ALongCellIsShownCutButKeptWhole) {
    grid_.setRowCount(1);
    grid_.SetCellText(1, 1, QString(50'000, QChar(u'x')));
    grid_.updateView();
    EXPECT_EQ(shown(0, 0).size(), GridModel::kMaxShownChars);
    grid_.setCurrentColumn(1);
    grid_.setCurrentRow(1);
    EXPECT_EQ(grid_.CellText().size(), 50'000);
    QImage frame(grid_.size(), QImage::Format_ARGB32);
    grid_.render(&frame); // paints without trouble
}
