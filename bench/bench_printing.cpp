// SPDX-License-Identifier: GPL-3.0-or-later
// grid-print: the data printout of a 32,766 x 20 data log into a PDF file, as "Print to File
// (PDF)" in the print dialog makes it, against the plainest painting of the same pages: every
// text at a point, without lines, shading, page header, alignment or clipping.
#include "Bench.h"
#include "BenchFiles.h"

#include "core/recordfiles/GridData.h"
#include "ui/printing/GridPageLayout.h"
#include "ui/printing/GridPrinter.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QDir>
#include <QHeaderView>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTableView>

#include <memory>

using namespace tarvex;

namespace {

constexpr int kChannels = 20;

QString logPath() {
    return bench::dataLogFile(kChannels, false);
}

QString pdfPath() {
    return QDir(bench::scratchDir()).filePath(QStringLiteral("printout.pdf"));
}

// Kept for the whole run: widgets must not outlive the application, so they are never deleted.
SpreadGrid* printedGrid = nullptr;
QPrinter* printer = nullptr;
int pages = 0;

void setUp() {
    printedGrid = new SpreadGrid;
    SpreadGrid& grid = *printedGrid;
    loadDataLogGrid(grid, logPath());
    // What printDataGrid hands the grid before it prints the whole grid.
    grid.setPrintTitleText(QStringLiteral("Data History Printout At: 3/5/2024 9:12:44 AM"));
    grid.setPrintFileText(QStringLiteral("File printout for fileName ") + logPath());
    grid.setPrintPageText(QStringLiteral("/c/rPage #/p"));
    grid.setPrintRangeMode(0);
    grid.setPrintSwitchA(true);
    grid.setPrintOrientation(1);
    grid.setPrintSwitchB(false);
    printer = new QPrinter(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdfPath());
    printer->setPageSize(QPageSize(QPageSize::Letter));
}

void printWhole() {
    if (!printGridOn(*printedGrid, *printer)) {
        bench::note("the printout failed");
    }
}

// The pages as the printout cuts them: the same column widths, row height and page box.
GridPageLayout samePages(const QPdfWriter& writer, double top) {
    const QTableView& view = *printedGrid->view();
    const double scale = double(writer.logicalDpiY()) / view.logicalDpiY();
    GridPageLayout::Input input;
    for (int c = 1; c <= printedGrid->ColumnCount(); ++c) {
        input.columnWidths.push_back(view.columnWidth(c - 1) * scale);
    }
    const QHeaderView& header = *view.verticalHeader();
    const int headerWidth = header.minimumWidth() == header.maximumWidth()
                                ? header.minimumWidth()
                                : header.sizeHint().width();
    input.headerColumnWidth = headerWidth * scale;
    input.rowCount = printedGrid->RowCount();
    input.rowHeight = view.verticalHeader()->defaultSectionSize() * scale;
    const QRectF page = writer.pageLayout().paintRectPixels(writer.logicalDpiX());
    input.width = page.width();
    input.height = page.height() - top;
    return GridPageLayout(input);
}

void printPlain() {
    QPdfWriter writer(pdfPath());
    writer.setResolution(printer->resolution());
    writer.setPageLayout(printer->pageLayout());
    QPainter painter(&writer);
    QFont font = printedGrid->view()->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    painter.setFont(font);
    const GridData& data = printedGrid->gridData();
    const double top = 3 * writer.logicalDpiY() / 5.0; // the page header's room
    const GridPageLayout layout = samePages(writer, top);
    const double rowHeight = layout.rowHeight();
    pages = layout.pageCount();
    for (int number = 1; number <= layout.pageCount(); ++number) {
        if (number > 1) {
            writer.newPage();
        }
        const GridPageLayout::Page page = layout.page(number);
        for (int r = page.firstRow - 1; r <= page.lastRow; ++r) {
            const int row = r + 1; // -1 + 1: the header row
            const double y = top + rowHeight * (r - page.firstRow + 2);
            painter.drawText(QPointF(0, y), data.ShownText(0, row));
            double x = layout.headerColumnWidth();
            for (int c = page.firstColumn; c <= page.lastColumn; ++c) {
                painter.drawText(QPointF(x, y), data.ShownText(c + 1, row));
                x += layout.columnWidth(c);
            }
        }
    }
}

const bench::Registrar gridPrint{{
    .name = "grid-print",
    .setup = setUp,
    .ours = printWhole,
    .reference = printPlain,
    .runs = 3,
    .files = [] { logPath(); },
    .teardown = [] { bench::note("%d pages", pages); },
}};

} // namespace
