#include "Bench.h"

#include "printing/GridPrinter.h"
#include "recordfiles/GridData.h"
#include "recordfiles/SpreadGrid.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kRecords = 32'766;
constexpr int kChannels = 8;

QString logPath() {
    return bench::scratchDir() + QStringLiteral("/printlog.csv");
}

QString pdfPath() {
    return bench::scratchDir() + QStringLiteral("/printout.pdf");
}

// The largest data log a controller writes, with the usual handful of channels.
void generateLog() {
    QFile file(logPath());
    if (file.exists() || !file.open(QIODevice::WriteOnly)) {
        return;
    }
    QByteArray line = "Date,Time";
    for (int c = 1; c <= kChannels; ++c) {
        line += ",Channel " + QByteArray::number(c);
    }
    file.write(line + "\r\n");
    quint32 seed = 4711;
    for (int r = 0; r < kRecords; ++r) {
        const int s = (8 * 3600 + r * 5) % 86400;
        line = "3/4/2024," + QString::asprintf("%02d:%02d:%02d %s", (s / 3600 + 11) % 12 + 1,
                                               s / 60 % 60, s % 60, s < 43200 ? "AM" : "PM")
                                 .toLatin1();
        for (int c = 0; c < kChannels; ++c) {
            seed = seed * 1664525U + 1013904223U;
            line += ',' + QByteArray::number(double(seed >> 12) / 1000.0 - 150.0, 'f', 2);
        }
        file.write(line + "\r\n");
    }
}

// Kept for the whole run: widgets must not outlive the application, so it is never deleted.
SpreadGrid* printedGrid = nullptr;

void setUp() {
    generateLog();
    printedGrid = new SpreadGrid;
    SpreadGrid& grid = *printedGrid;
    grid.LoadDelimitedText(logPath(), "", ",", "\r\n", 3, "");
    grid.setColumnWidth(0, 14);
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPrintTitleText(QStringLiteral("Data History Printout At: 3/5/2024 9:12:44 AM"));
    grid.setPrintFileText(QStringLiteral("File printout for fileName ") + logPath());
    grid.setPrintPageText(QStringLiteral("/c/rPage #/p"));
    grid.setPrintSwitchA(true);
    grid.setPrintOrientation(1);
}

void printWhole() {
    QPdfWriter writer(pdfPath());
    writer.setPageSize(QPageSize(QPageSize::Letter));
    const int pages = paintGridPrintout(*printedGrid, writer);
    static bool told = false;
    if (!told) {
        told = true;
        std::fprintf(stderr, "grid-print: %d pages\n", pages);
    }
}

// The plainest painting of the same cells: every text at a point, the same number of rows a
// page, no lines, shading, alignment or clipping.
void printPlain() {
    QPdfWriter writer(pdfPath());
    writer.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&writer);
    const GridData& data = printedGrid->gridData();
    const int rowHeight = writer.logicalDpiY() / 5;
    const int rowsPerPage = 47;
    for (int r = 1; r <= data.RowCount(); ++r) {
        if (r > 1 && (r - 1) % rowsPerPage == 0) {
            writer.newPage();
        }
        const int y = rowHeight * (1 + (r - 1) % rowsPerPage);
        for (int c = 0; c <= data.ColumnCount(); ++c) {
            painter.drawText(QPointF(c * rowHeight * 4, y), data.ShownText(c, r));
        }
    }
}

const bench::Registrar gridPrint{{
    .name = "grid-print",
    .setup = setUp,
    .ours = printWhole,
    .reference = printPlain,
    .runs = 3,
}};

} // namespace
