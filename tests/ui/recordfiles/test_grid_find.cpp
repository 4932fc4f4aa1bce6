// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "core/recordfiles/GridRoles.h"
#include "core/recordfiles/SampleData.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/GridFindBar.h"
#include "ui/recordfiles/GridGoToBar.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/GridNavigation.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// The sample data log in a shown grid, as the viewer's data grid holds it.
class GridFinding : public ::testing::Test {
protected:
    GridFinding() {
        const SampleFiles files = writeSampleData(dir_.path());
        log_ = test::readBytes(files.dataLog);
        loadDataLogGrid(grid_, files.dataLog);
        grid_.setRoles(RecordRoles::dataLog());
        installGridNavigation(grid_);
        grid_.resize(900, 500);
        grid_.show();
        grid_.view()->setFocus();
        QApplication::processEvents();
    }
    // Keys typed where the keyboard is.
    static void type(const QKeySequence& key) {
        QTest::keySequence(QApplication::focusWidget(), key);
    }
    [[nodiscard]] QModelIndex current() const { return grid_.view()->currentIndex(); }
    [[nodiscard]] QString cell(int column, int row) const {
        return grid_.gridData().ShownText(column, row);
    }

    QTemporaryDir dir_;
    QByteArray log_;
    SpreadGrid grid_;
};

} // namespace

TEST_F(GridFinding, FindBarFindsCountsAndGoesRoundWithTheKeyboardAlone) {
    const QRect cells = grid_.view()->geometry();
    type(QKeySequence(Qt::CTRL | Qt::Key_F));
    auto* bar = grid_.findChild<GridFindBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), bar->textBox());
    EXPECT_EQ(grid_.view()->geometry(), cells) << "the bar floats; nothing moves";
    EXPECT_LE(bar->geometry().bottom(), grid_.rect().bottom());

    // The batch numbers' rows, read from the file: its line n + 1 is row n.
    std::vector<int> batchRows;
    const QList<QByteArray> lines = log_.split('\n');
    for (int n = 1; n < lines.size(); ++n) {
        if (lines[n].contains(",B2403-")) {
            batchRows.push_back(n);
        }
    }
    ASSERT_EQ(batchRows.size(), 3U);
    QTest::keyClicks(bar->textBox(), QStringLiteral("b2403-"));
    QTRY_VERIFY(bar->counted());
    EXPECT_EQ(bar->status(), QStringLiteral("1 of 3"));
    EXPECT_EQ(current().row() + 1, batchRows[0]);
    EXPECT_EQ(cell(current().column() + 1, batchRows[0]), QStringLiteral("B2403-041"));
    EXPECT_EQ(grid_.view()->selectionModel()->selectedIndexes(), QModelIndexList{current()});
    // The other matches are highlighted, the rest not.
    const GridModel& model = *grid_.model();
    const int column = current().column();
    EXPECT_TRUE(model.index(batchRows[1] - 1, column).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model.index(batchRows[1], column).data(Qt::BackgroundRole).isValid());

    type(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(current().row() + 1, batchRows[1]);
    type(QKeySequence(Qt::SHIFT | Qt::Key_Return));
    type(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QTRY_VERIFY(bar->counted());
    EXPECT_EQ(current().row() + 1, batchRows[2]);
    EXPECT_EQ(bar->status(), QStringLiteral("3 of 3, wrapped to the bottom"));
    type(QKeySequence(Qt::Key_F3));
    QTRY_VERIFY(bar->counted());
    EXPECT_EQ(bar->status(), QStringLiteral("1 of 3, wrapped to the top"));

    type(QKeySequence(Qt::ALT | Qt::Key_C)); // match case: typed in lower case, held in upper
    QTRY_VERIFY(bar->findChild<QCheckBox*>()->isChecked()); // a mnemonic clicks a moment later
    EXPECT_EQ(bar->status(), QStringLiteral("No matches"));

    type(QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), grid_.view());
    EXPECT_FALSE(model.index(batchRows[1] - 1, column).data(Qt::BackgroundRole).isValid());
}

TEST_F(GridFinding, HeaderColumnIsSearchedAndHiddenColumnsAreNot) {
    type(QKeySequence(Qt::CTRL | Qt::Key_F));
    auto* bar = grid_.findChild<GridFindBar*>();
    QTest::keyClicks(bar->textBox(), cell(0, 1));
    EXPECT_EQ(grid_.SelectionEndRow(), 1) << "a date in the header column selects its row";
    EXPECT_EQ(grid_.ActiveColumn(), 1);
    EXPECT_EQ(grid_.SelectionEndColumn(), grid_.ColumnCount());

    bar->dismiss();
    grid_.setCurrentColumn(2); // the batch column
    grid_.setColumnHidden(true);
    type(QKeySequence(Qt::CTRL | Qt::Key_F));
    bar->textBox()->setText(QStringLiteral("B2403-042"));
    EXPECT_EQ(bar->status(), QStringLiteral("No matches"));
}

TEST_F(GridFinding, GoToLandsOnTheFirstRecordAtOrAfterTheTimeTyped) {
    type(QKeySequence(Qt::CTRL | Qt::Key_G));
    auto* bar = grid_.findChild<GridGoToBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), bar->textBox());
    for (const char* typed : {"3/4/2024 15:56", "2024-03-04T15:55:00.5"}) {
        bar->textBox()->clear();
        QTest::keyClicks(bar->textBox(), QString::fromLatin1(typed));
        type(QKeySequence(Qt::Key_Return));
        const int row = current().row() + 1;
        EXPECT_EQ(cell(0, row) + ' ' + cell(1, row), "3/4/2024 03:56:00 PM") << typed;
        EXPECT_EQ(current().column() + 1, 1) << "the time cell";
    }
    bar->textBox()->setText(QStringLiteral("1"));
    type(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(bar->status(), QStringLiteral("Not a date and time"));
    bar->textBox()->setText(QStringLiteral("3/4/2030"));
    type(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(bar->status(), QStringLiteral("No record at or after 3/4/2030 12:00:00 AM"));

    // The find bar takes the go-to box's place; a grid without a time has no go-to box.
    type(QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_FALSE(bar->isVisible());
    SpreadGrid signatures;
    signatures.show();
    signatures.view()->setFocus();
    QApplication::processEvents();
    type(QKeySequence(Qt::CTRL | Qt::Key_G));
    EXPECT_EQ(signatures.findChild<GridGoToBar*>(), nullptr);
}
