// SPDX-License-Identifier: GPL-3.0-or-later
// grid-print: the data printout of a 32,766 x 20 data log into a PDF file, as "Print to File
// (PDF)" in the print dialog makes it, against the plainest painting of the same pages: every
// text at a point, without lines, shading, page header, alignment or clipping.
#include "Bench.h"
#include "BenchFiles.h"

#include "core/recordfiles/GridData.h"
#include "core/recordfiles/GridRoles.h"
#include "ui/printing/GridPageLayout.h"
#include "ui/printing/GridPrinter.h"
#include "ui/printing/PrintedColumns.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QDir>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTableView>

#include <memory>
#include <numeric>

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
    grid.setRoles(RecordRoles::dataLog()); // as the viewer's data grid has them
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

// The pages as the printout cuts them: columns as wide as their texts (never wider than on
// screen), titles on two lines where they need it, the key columns in every band, and the page
// box within margins of 10 mm.
GridPageLayout samePages(const QPdfWriter& writer, const QFont& font, double top) {
    const QTableView& view = *printedGrid->view();
    const double scale = double(writer.logicalDpiY()) / view.logicalDpiY();
    const double padding = 3 * scale;
    std::vector<int> columns(std::size_t(printedGrid->ColumnCount()) + 1);
    std::iota(columns.begin(), columns.end(), 0);
    const std::vector<ColumnNeed> needs =
        columnNeeds(printedGrid->gridData(), columns, 1, printedGrid->RowCount(), font, writer);
    const QFontMetricsF metrics(font, &writer);
    GridPageLayout::Input input;
    input.rowHeight = view.verticalHeader()->defaultSectionSize() * scale;
    input.headerRowHeight = input.rowHeight;
    const auto fitted = [&](int column, double shown) {
        const ColumnNeed& need = needs[std::size_t(column)];
        const double width = std::min(shown, std::max(need.cells, need.titleWord) + 2 * padding);
        const QString title = printedGrid->gridData().ShownText(column, 0);
        if (metrics.horizontalAdvance(title) > width - 2 * padding) {
            input.headerRowHeight = input.rowHeight + metrics.lineSpacing();
        }
        return width;
    };
    for (int c = 1; c <= printedGrid->ColumnCount(); ++c) {
        input.columnWidths.push_back(fitted(c, view.columnWidth(c - 1) * scale));
    }
    input.keyColumns = {0}; // the time column
    const QHeaderView& header = *view.verticalHeader();
    const int headerWidth = header.minimumWidth() == header.maximumWidth()
                                ? header.minimumWidth()
                                : header.sizeHint().width();
    input.headerColumnWidth = fitted(0, headerWidth * scale);
    input.rowCount = printedGrid->RowCount();
    const double margin = 10 / 25.4 * writer.logicalDpiX();
    const QRectF page = writer.pageLayout().fullRectPixels(writer.logicalDpiX());
    input.width = page.width() - 2 * margin;
    input.height = page.height() - 2 * margin - top;
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
    const GridPageLayout layout = samePages(writer, font, top);
    const double rowHeight = layout.rowHeight(0);
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
            for (const int c : page.columns) {
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
    .teardown =
        [] {
            QPdfWriter writer(pdfPath());
            writer.setResolution(printer->resolution());
            writer.setPageLayout(printer->pageLayout());
            bench::note("%d pages, the reference %d", paintGridPrintout(*printedGrid, writer),
                        pages);
        },
}};

} // namespace
