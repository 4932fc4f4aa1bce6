#include "printing/GridPageLayout.h"
#include "printing/PageTextParts.h"

#include <gtest/gtest.h>

#include <array>

using namespace tarvex;

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

} // namespace

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
