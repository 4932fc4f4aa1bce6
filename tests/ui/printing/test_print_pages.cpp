// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintSupport.h"

#include "ui/printing/GridPageLayout.h"
#include "ui/printing/GridPrinter.h"
#include "ui/printing/PageTextParts.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/Screen.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QTableView>

#include <array>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// A box with room for the header row and 9 data rows of height 10, 100 wide.
GridPageLayout layoutOf(std::vector<double> widths, double header, int rows) {
    return GridPageLayout({std::move(widths), header, rows, 10, 100, 100});
}

// First and last column, first and last row of a page.
std::array<int, 4> pageOf(const GridPageLayout& layout, int number) {
    const GridPageLayout::Page p = layout.page(number);
    return {p.firstColumn, p.lastColumn, p.firstRow, p.lastRow};
}

using Page = std::array<int, 4>;

// A grid printed through the printer's own layout code into a PDF file, whose text can be read.
class GridPages : public ::testing::Test {
protected:
    void load(int rows, int columns) {
        ASSERT_TRUE(loadGrid(grid, writeGridFile(dir.path(), rows, columns)));
        grid.setPrintTitleText(QStringLiteral("Unit Title"));
        grid.setPrintFileText(QStringLiteral("File printout for fileName /logs/plant.csv"));
        grid.setPrintPageText(QStringLiteral("/c/rPage #/p"));
        grid.setPrintSwitchA(true);
    }
    // Paints the printout; returns the pages painted.
    int print() {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        return paintGridPrintout(grid, writer);
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    SpreadGrid grid;
};

} // namespace

TEST_F(GridPages, HeadersTitlesAndFooterAroundTheShownColumns) {
    load(8, 4);
    grid.setCurrentColumn(3);
    grid.setColumnHidden(true);
    ASSERT_EQ(print(), 1);
    QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Unit Title")));
    EXPECT_TRUE(text.contains(QStringLiteral("File printout for fileName /logs/plant.csv")));
    expectWords(text, {"At", "Title1", "Title4", "H1", "H8", "r1c1", "r8c4"}, true);
    EXPECT_FALSE(text.contains(QStringLiteral("c3"))) << "hidden column";
    const QString footer = text.trimmed().split(QLatin1Char('\n')).last();
    EXPECT_EQ(footer.trimmed(), QStringLiteral("Page #1"));
    EXPECT_GT(footer.indexOf(QLatin1Char('P')), 50) << "the right-hand part";

    grid.setCurrentColumn(0);
    grid.setColumnHidden(true);
    grid.setPrintTitleText({});
    grid.setPrintOrientation(2);
    grid.setPrintRangeMode(1); // a block given from its far end, cut to the grid
    grid.setCurrentRow(70);
    grid.setCurrentColumn(4);
    grid.setBlockEndRow(7);
    grid.setBlockEndColumn(2);
    ASSERT_EQ(print(), 1);
    text = pdfText(pdf);
    expectWords(text, {"r7c2", "r8c4", "Title4"}, true);
    expectWords(text, {"r6c2", "r7c1", "H7", "At", "Unit"}, false);
    EXPECT_TRUE(isLandscape(pdf));
}

// PrintGrid prints on the print dialog's printer; here one set up to print into a PDF file.
TEST_F(GridPages, PrintGridUsesTheDialogsPrinterAndPutsThePointerBack) {
    load(4, 2);
    CommonDialog cmdFile(nullptr);
    QPrinter& printer = cmdFile.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(3);
    EXPECT_TRUE(printGrid(grid, &cmdFile));
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(printer.copyCount(), 1) << "one copy a print";
    EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Unit Title")) << "job name";
    expectWords(pdfText(pdf), {"r4c2"}, true);

    Screen::setMousePointer(Screen::vbHourglass); // a caller that shows it already
    const QString missing = dir.filePath(QStringLiteral("no such folder/out.pdf"));
    printer.setOutputFileName(missing);
    EXPECT_FALSE(printGrid(grid, &cmdFile));
    EXPECT_EQ(Screen::mousePointer(), Screen::vbHourglass);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(GridPageLayout, RowsPaginateAndColumnsContinueOnFurtherPages) {
    // 80 units beside the header column: two columns of 30 fit, a third does not.
    const GridPageLayout layout = layoutOf({30, 30, 30, 30, 45}, 20, 25);
    ASSERT_EQ(layout.pageCount(), 9) << "three bands of three pages";
    EXPECT_EQ(pageOf(layout, 1), (Page{0, 1, 0, 8}));
    EXPECT_EQ(pageOf(layout, 3), (Page{0, 1, 18, 24}));
    EXPECT_EQ(pageOf(layout, 4), (Page{2, 3, 0, 8})) << "down, then across";
    EXPECT_EQ(pageOf(layout, 9), (Page{4, 4, 18, 24}));

    const GridPageLayout wide = layoutOf({10, 500, 10}, 70, 3);
    EXPECT_DOUBLE_EQ(wide.headerColumnWidth(), 50) << "at most half the page";
    EXPECT_DOUBLE_EQ(wide.columnWidth(1), 50) << "cut to what is left beside the header";
    ASSERT_EQ(wide.pageCount(), 3) << "the wide column stands on a page of its own";
    EXPECT_EQ(pageOf(wide, 2), (Page{1, 1, 0, 2}));

    EXPECT_EQ(pageOf(layoutOf({30}, 0, 0), 1), (Page{0, 0, 0, -1})) << "no rows: one page";
    const GridPageLayout noColumns = layoutOf({}, 20, 12);
    ASSERT_EQ(noColumns.pageCount(), 2);
    EXPECT_EQ(pageOf(noColumns, 2), (Page{0, -1, 9, 11}));
    EXPECT_EQ(GridPageLayout({{30}, 0, 5, 10, 100, 5}).pageCount(), 5) << "at least a row a page";
}

TEST(GridPageLayout, PagesOutsideThePrintoutMeanAllPages) {
    using Range = std::pair<int, int>;
    EXPECT_EQ(printedPageRange(0, 0, 5), Range(1, 5));
    EXPECT_EQ(printedPageRange(2, 3, 5), Range(2, 3));
    EXPECT_EQ(printedPageRange(2, 0, 5), Range(2, 5));
    EXPECT_EQ(printedPageRange(6, 2, 5), Range(1, 2));
    EXPECT_EQ(printedPageRange(4, 2, 5), Range(4, 5));
    EXPECT_EQ(printedPageRange(-3, 9, 5), Range(1, 5));
}

TEST(PageTextParts, SlashCodesSplitTheLine) {
    const PageTextParts page = pageTextParts(QStringLiteral("/c/rPage #/p"), 12);
    EXPECT_EQ(page.left + page.centre, QString());
    EXPECT_EQ(page.right, QStringLiteral("Page #12"));

    const PageTextParts mixed = pageTextParts(QStringLiteral("Plant /cNo. /p of a/b/rR/lX/"), 3);
    EXPECT_EQ(mixed.left, QStringLiteral("Plant X/"));
    EXPECT_EQ(mixed.centre, QStringLiteral("No. 3 of a/b"));
    EXPECT_EQ(mixed.right, QStringLiteral("R"));
    EXPECT_EQ(pageTextParts(QStringLiteral("/RSheet #/P #"), 2).right,
              QStringLiteral("Sheet #2 #"));
}
