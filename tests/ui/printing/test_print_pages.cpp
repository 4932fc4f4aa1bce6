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

#include <tuple>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// A box with room for the header row and 9 data rows of height 10, 100 wide.
GridPageLayout layoutOf(std::vector<double> widths, double header, int rows,
                        std::vector<int> keys = {}, std::vector<double> heights = {}) {
    return GridPageLayout(
        {std::move(widths), std::move(keys), header, rows, 10, std::move(heights), 100, 100});
}

// The columns, then the first and last row of a page.
using Page = std::tuple<std::vector<int>, int, int>;

Page pageOf(const GridPageLayout& layout, int number) {
    const GridPageLayout::Page p = layout.page(number);
    return {p.columns, p.firstRow, p.lastRow};
}

// Whether a page's picture is white within 10 mm of its edges.
bool whiteMargins(const QImage& page) {
    const int margin = 40 * 10 / 25 - 1; // pixels at 40 dpi, one short for rounding
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const bool edge = x < margin || y < margin || x >= page.width() - margin ||
                              y >= page.height() - margin;
            if (edge && qGray(page.pixel(x, y)) < 250) {
                return false;
            }
        }
    }
    return !page.isNull();
}

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
    grid.setRoles({{0, 1}}); // a printed block still prints only its cells
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

// A grid wider than an A4 page, on a printer that could print to the paper's edge: every page
// carries the titles, the header column and the key column beside its other cells, and nothing
// is printed within 10 mm of the edges.
TEST_F(GridPages, EveryPageOfAWideGridCarriesTheKeyColumnsWithinTheMargins) {
    load(70, 24);
    grid.setRoles({{0, 1}});
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    const int pages = paintGridPrintout(grid, writer);
    ASSERT_GE(pages, 4) << "two bands of two pages at least";
    const QRegularExpression header(QStringLiteral("\\bH(\\d+)\\b"));
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdfPageText(pdf, page);
        expectWords(text, {"At", "Title1", "Unit", "Title"}, true);
        int rows = 0;
        for (const auto& h : header.globalMatch(text)) {
            ++rows;
            expectWords(text, {qPrintable("r" + h.captured(1) + "c1")}, true);
        }
        EXPECT_GT(rows, 20) << page;
        EXPECT_GT(text.count(QStringLiteral("Title")), 3) << "other columns beside the keys";
    }
    for (const QImage& page : pdfPages(pdf, pages)) {
        EXPECT_TRUE(whiteMargins(page));
    }
}

// Who and when stay beside a long message, which wraps within its cell.
TEST_F(GridPages, LongTextWrapsWithinItsCellBesideTheKeyColumns) {
    QStringList words;
    for (int i = 1; i <= 90; ++i) {
        words << QStringLiteral("word%1").arg(i);
    }
    const QByteArray events =
        "Date,Time,User Full Name,Event Message\r\n3/4/2024,13:00:00,Jane Doe," +
        words.join(' ').toLatin1() + "\r\n3/4/2024,13:05:00,Joe Roe,Short\r\n";
    ASSERT_TRUE(loadGrid(grid, writeFile(dir.filePath(QStringLiteral("events.csv")), events)));
    grid.setColumnWidth(3, 100);
    grid.setRoles(RecordRoles::userEvents());
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    ASSERT_EQ(paintGridPrintout(grid, writer), 1);
    const QString text = pdfText(pdf);
    expectWords(text, {"Jane", "Joe", "Short", "Message"}, true);
    for (const QString& word : words) {
        expectWords(text, {qPrintable(word)}, true);
    }
    EXPECT_TRUE(whiteMargins(pdfPage(pdf)));
}

// PrintGrid prints on the print dialog's printer; here one set up to print into a PDF file.
TEST_F(GridPages, PrintGridUsesTheDialogsPrinterAndPutsThePointerBack) {
    load(4, 2);
    CommonDialog cmdFile(nullptr);
    QPrinter& printer = cmdFile.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(3);
    grid.setPrintTitleText(QStringLiteral("Unit Title At: 3/4/2024 1:02:03 PM"));
    EXPECT_TRUE(printGrid(grid, &cmdFile));
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(printer.copyCount(), 1) << "one copy a print";
    EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Title")),
              QStringLiteral("Unit Title At 3-4-2024 1-02-03 PM"))
        << "the job name is a file name";
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Unit Title At: 3/4/2024 1:02:03 PM"))) << "the title";
    expectWords(text, {"r4c2"}, true);

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
    EXPECT_EQ(pageOf(layout, 1), Page({0, 1}, 0, 8));
    EXPECT_EQ(pageOf(layout, 3), Page({0, 1}, 18, 24));
    EXPECT_EQ(pageOf(layout, 4), Page({2, 3}, 0, 8)) << "down, then across";
    EXPECT_EQ(pageOf(layout, 9), Page({4}, 18, 24));

    const GridPageLayout wide = layoutOf({10, 500, 10}, 70, 3);
    EXPECT_DOUBLE_EQ(wide.headerColumnWidth(), 50) << "at most half the page";
    EXPECT_DOUBLE_EQ(wide.columnWidth(1), 50) << "cut to what is left beside the header";
    ASSERT_EQ(wide.pageCount(), 3) << "the wide column stands on a page of its own";
    EXPECT_EQ(pageOf(wide, 2), Page({1}, 0, 2));

    EXPECT_EQ(pageOf(layoutOf({30}, 0, 0), 1), Page({0}, 0, -1)) << "no rows: one page";
    const GridPageLayout noColumns = layoutOf({}, 20, 12);
    ASSERT_EQ(noColumns.pageCount(), 2);
    EXPECT_EQ(pageOf(noColumns, 2), Page({}, 9, 11));
    EXPECT_EQ(GridPageLayout({{30}, {}, 0, 5, 10, {}, 100, 5}).pageCount(), 5)
        << "at least a row a page";
}

// Key columns stand in every band, in their grid places; rows as high as their texts fill pages.
TEST(GridPageLayout, KeyColumnsRepeatOnEveryBandAndTallRowsFillPages) {
    const GridPageLayout keyed = layoutOf({10, 25, 30, 20, 30, 10}, 20, 5, {0, 3});
    ASSERT_EQ(keyed.pageCount(), 3);
    EXPECT_EQ(pageOf(keyed, 1), Page({0, 1, 3}, 0, 4)) << "50 units beside the keys";
    EXPECT_EQ(pageOf(keyed, 2), Page({0, 2, 3}, 0, 4));
    EXPECT_EQ(pageOf(keyed, 3), Page({0, 3, 4, 5}, 0, 4));
    EXPECT_EQ(pageOf(layoutOf({10, 20, 30}, 20, 5, {0}), 1), Page({0, 1, 2}, 0, 4))
        << "one band: nothing to repeat";
    EXPECT_EQ(layoutOf({30, 30, 30}, 20, 5, {0, 1}).pageCount(), 2)
        << "keys that leave less than a quarter of the page are not repeated";

    const GridPageLayout tall = layoutOf({30}, 20, 6, {}, {30, 10, 50, 10, 500, 10});
    ASSERT_EQ(tall.pageCount(), 4);
    EXPECT_EQ(pageOf(tall, 1), Page({0}, 0, 2)) << "90 units below the header row";
    EXPECT_EQ(pageOf(tall, 2), Page({0}, 3, 3));
    EXPECT_DOUBLE_EQ(tall.rowHeight(4), 90) << "cut to a page";
    EXPECT_EQ(pageOf(tall, 4), Page({0}, 5, 5));

    // A wrapping column narrows to stand beside the header, key and earlier columns.
    GridPageLayout::Input events{{20, 20, 100, 10}, {0, 1}, 10, 1, 10, {}, 100, 100};
    EXPECT_DOUBLE_EQ(GridPageLayout::wrappedWidth(events, 2), 50);
    events.columnWidths[2] = 40;
    EXPECT_DOUBLE_EQ(GridPageLayout::wrappedWidth(events, 2), 40) << "fits as it is";
    events.columnWidths = {40, 40, 100};
    EXPECT_DOUBLE_EQ(GridPageLayout::wrappedWidth(events, 2), 100) << "no useful room left";
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
