#include "printing/GridPageLayout.h"
#include "printing/PageTextParts.h"

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

GridPageLayout::Input box(std::vector<double> widths, double header, int rows) {
    GridPageLayout::Input in;
    in.columnWidths = std::move(widths);
    in.headerColumnWidth = header;
    in.rowCount = rows;
    in.rowHeight = 10;
    in.width = 100;
    in.height = 100; // the header row and 9 data rows
    return in;
}

void expectPage(const GridPageLayout& layout, int number, int firstColumn, int lastColumn,
                int firstRow, int lastRow) {
    const GridPageLayout::Page p = layout.page(number);
    EXPECT_EQ(p.firstColumn, firstColumn) << "page " << number;
    EXPECT_EQ(p.lastColumn, lastColumn) << "page " << number;
    EXPECT_EQ(p.firstRow, firstRow) << "page " << number;
    EXPECT_EQ(p.lastRow, lastRow) << "page " << number;
}

} // namespace

TEST(GridPageLayout, RowsPaginateThenColumnsContinueOnFurtherPages) {
    // 80 units beside the header column: two columns of 30 fit, a third does not.
    const GridPageLayout layout(box({30, 30, 30, 30, 45}, 20, 25));
    EXPECT_EQ(layout.rowsPerPage(), 9);
    ASSERT_EQ(layout.pageCount(), 9) << "three bands of three pages";
    expectPage(layout, 1, 0, 1, 0, 8);
    expectPage(layout, 3, 0, 1, 18, 24);
    expectPage(layout, 4, 2, 3, 0, 8); // down, then across
    expectPage(layout, 9, 4, 4, 18, 24);
}

TEST(GridPageLayout, OversizeWidthsAreCutToThePage) {
    const GridPageLayout layout(box({10, 500, 10}, 70, 3));
    EXPECT_DOUBLE_EQ(layout.headerColumnWidth(), 50) << "at most half the page";
    EXPECT_DOUBLE_EQ(layout.columnWidth(1), 50) << "what is left beside the header column";
    ASSERT_EQ(layout.pageCount(), 3) << "the wide column stands on a page of its own";
    expectPage(layout, 2, 1, 1, 0, 2);
    expectPage(layout, 3, 2, 2, 0, 2);
}

TEST(GridPageLayout, EmptyGridsStillMakeOnePage) {
    const GridPageLayout noRows(box({30}, 0, 0));
    ASSERT_EQ(noRows.pageCount(), 1);
    EXPECT_LT(noRows.page(1).lastRow, noRows.page(1).firstRow);
    const GridPageLayout noColumns(box({}, 20, 12));
    ASSERT_EQ(noColumns.pageCount(), 2);
    EXPECT_LT(noColumns.page(2).lastColumn, noColumns.page(2).firstColumn);
    expectPage(noColumns, 2, 0, -1, 9, 11);
    GridPageLayout::Input tiny = box({30}, 0, 5);
    tiny.height = 5; // not even the header row fits: one row a page all the same
    EXPECT_EQ(GridPageLayout(tiny).pageCount(), 5);
}

TEST(GridPageLayout, LargestDataLogIsArithmetic) {
    GridPageLayout::Input in = box(std::vector<double>(100, 30), 40, 32'766);
    in.width = 800;
    in.height = 990; // 98 rows a page below the header row
    const GridPageLayout layout(in);
    EXPECT_EQ(layout.pageCount(), 335 * 4);
    expectPage(layout, 335, 0, 24, 32'732, 32'765);
    expectPage(layout, 336, 25, 49, 0, 97);
}

TEST(PrintedPageRange, OutOfRangeMeansAllPages) {
    using Range = std::pair<int, int>;
    EXPECT_EQ(printedPageRange(0, 0, 5), Range(1, 5));
    EXPECT_EQ(printedPageRange(2, 3, 5), Range(2, 3));
    EXPECT_EQ(printedPageRange(4, 4, 5), Range(4, 4));
    EXPECT_EQ(printedPageRange(2, 0, 5), Range(2, 5));
    EXPECT_EQ(printedPageRange(0, 3, 5), Range(1, 3));
    EXPECT_EQ(printedPageRange(6, 2, 5), Range(1, 2));
    EXPECT_EQ(printedPageRange(2, 9, 5), Range(2, 5));
    EXPECT_EQ(printedPageRange(4, 2, 5), Range(4, 5));
    EXPECT_EQ(printedPageRange(-3, -1, 5), Range(1, 5));
}

TEST(PageTextParts, SlashCodesSplitTheLine) {
    const PageTextParts page = pageTextParts(QStringLiteral("/c/rPage #/p"), 12);
    EXPECT_EQ(page.left, QString());
    EXPECT_EQ(page.centre, QString());
    EXPECT_EQ(page.right, QStringLiteral("Page 12"));

    const PageTextParts mixed = pageTextParts(QStringLiteral("Plant /cNo. /p of a/b/rR/lX/"), 3);
    EXPECT_EQ(mixed.left, QStringLiteral("Plant X/"));
    EXPECT_EQ(mixed.centre, QStringLiteral("No. 3 of a/b"));
    EXPECT_EQ(mixed.right, QStringLiteral("R"));

    EXPECT_EQ(pageTextParts(QStringLiteral("/RSheet #/P #"), 2).right, QStringLiteral("Sheet 2 #"));
    EXPECT_EQ(pageTextParts(QString(), 1).left, QString());
}
