#include "PrintSupport.h"

#include "printing/GridPrinter.h"
#include "shell/CommonDialog.h"
#include "shell/Screen.h"
#include "shell/SharedState.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QTableView>

using namespace tarvex;
using namespace tarvex::test;

namespace {

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

TEST_F(GridPages, RowsAndColumnsContinueOnFurtherPages) {
    load(150, 24);
    for (int c = 1; c <= 24; ++c) {
        grid.setColumnWidth(c, 20);
    }
    const int pages = print();
    ASSERT_GE(pages, 4);
    ASSERT_EQ(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), pages);
    expectWords(pdfText(pdf, 1), {"r1c1"}, true);
    expectWords(pdfText(pdf, 1), {"r1c24", "r150c1"}, false);
    expectWords(pdfText(pdf, 2), {"Title1", "Page #2"}, true);   // the header row on every page
    expectWords(pdfText(pdf, pages), {"r150c24", "H150"}, true); // the header column too
    EXPECT_EQ(pdfText(pdf).count(QRegularExpression(QStringLiteral("\\br75c12\\b"))), 1) << "once";
    grid.setPrintFirstPage(2);
    grid.setPrintLastPage(3);
    ASSERT_EQ(print(), 2);
    expectWords(pdfText(pdf, 1), {"Page #2"}, true);
    grid.setPrintLastPage(pages + 1);
    EXPECT_EQ(print(), pages - 1) << "a last page past the end prints to the end";
}

// PrintGrid prints on the print dialog's printer; here one set up to print into a PDF file.
TEST_F(GridPages, PrintGridUsesTheDialogsPrinterAndPutsThePointerBack) {
    load(4, 2);
    CommonDialog cmdFile(nullptr);
    pubVars().fileDialog = &cmdFile;
    QPrinter& printer = cmdFile.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(3);
    EXPECT_TRUE(grid.PrintGrid(0));
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(printer.copyCount(), 1) << "one copy a print";
    EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Unit Title")) << "job name";
    EXPECT_TRUE(hasWord(pdfText(pdf), QStringLiteral("r4c2")));

    Screen::setMousePointer(Screen::vbHourglass); // a caller that shows it already
    const QString missing = dir.filePath(QStringLiteral("no such folder/out.pdf"));
    printer.setOutputFileName(missing);
    EXPECT_FALSE(grid.PrintGrid(0));
    EXPECT_EQ(Screen::mousePointer(), Screen::vbHourglass);
    EXPECT_FALSE(QFileInfo::exists(missing));
    pubVars().fileDialog = nullptr;
}

// Switch A draws the grid lines; switch B prints the view's colours instead of grey shading.
TEST_F(GridPages, SwitchesDrawLinesAndColours) {
    load(30, 6);
    QPalette palette = grid.view()->palette();
    palette.setColor(QPalette::Button, QColor(40, 90, 230));
    grid.view()->setPalette(palette);
    const auto count = [this](bool (*match)(QColor)) {
        EXPECT_EQ(print(), 1);
        return countPixels(pdfPage(pdf), match);
    };
    const auto dark = [](QColor c) { return c.value() < 100; };
    const auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 120; };
    const auto grey = [](QColor c) {
        return c.red() < 245 && c.red() > 200 && c.red() == c.blue();
    };
    const int withLines = count(dark);
    EXPECT_EQ(count(blue), 0) << "greyscale";
    const int greyShade = count(grey);
    EXPECT_GT(greyShade, 0) << "shaded headers";
    grid.setPrintSwitchA(false);
    EXPECT_LT(count(dark), withLines * 2 / 3) << "no grid lines";
    grid.setPrintSwitchB(true);
    EXPECT_GT(count(blue), greyShade / 2) << "the view's header colour";
    // Without the header column, only the header row is shaded.
    grid.setPrintSwitchB(false);
    grid.setCurrentColumn(0);
    grid.setColumnHidden(true);
    EXPECT_LT(count(grey), greyShade * 2 / 3);
}
