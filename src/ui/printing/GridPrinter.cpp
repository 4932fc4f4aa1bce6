// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPrinter.h"

#include "core/recordfiles/AtomicFile.h"
#include "ui/printing/GridPageLayout.h"
#include "ui/printing/GridPagePainter.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/Screen.h"

#include <QHeaderView>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTableView>

#include <algorithm>

namespace tarvex {
namespace {

constexpr double kCellPaddingPixels = 3; // as the view pads its cells
constexpr double kLineWidthPoints = 0.5;
const QColor kGreyHeaderShade(235, 235, 235);

// Shows the hourglass while it lives and then puts the pointer back as it was.
class Hourglass {
public:
    Hourglass() : previous_(Screen::mousePointer()) {
        Screen::setMousePointer(Screen::vbHourglass);
    }
    ~Hourglass() { Screen::setMousePointer(previous_); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    int previous_;
};

// The printed part of one axis, count items long, from two block ends.
std::pair<int, int> printedSpan(bool block, int from, int to, int count) {
    if (!block || from == -1 || to == -1) {
        return {1, count};
    }
    return {std::max(1, std::min(from, to)), std::min(count, std::max(from, to))};
}

GridPrintContent contentOf(const SpreadGrid& grid) {
    GridPrintContent content;
    content.model = grid.model();
    content.corner = GridModel::shownText(grid.gridData(), 0, 0);
    const bool block = grid.PrintRangeMode() == 1;
    const auto [firstColumn, lastColumn] =
        printedSpan(block, grid.CurrentColumn(), grid.BlockEndColumn(), grid.ColumnCount());
    for (int c = firstColumn; c <= lastColumn; ++c) {
        if (!grid.view()->isColumnHidden(c - 1)) {
            content.columns.push_back(c);
        }
    }
    const auto [firstRow, lastRow] =
        printedSpan(block, grid.CurrentRow(), grid.BlockEndRow(), grid.RowCount());
    content.firstRow = firstRow;
    content.rowCount = std::max(0, lastRow - firstRow + 1);
    content.headerColumn = !grid.view()->verticalHeader()->isHidden();
    content.titleText = grid.PrintTitleText();
    content.fileText = grid.PrintFileText();
    content.pageText = grid.PrintPageText();
    return content;
}

// Device units per screen pixel of the view.
double scaleOf(const SpreadGrid& grid, const QPaintDevice& device) {
    return double(device.logicalDpiY()) / std::max(1, grid.view()->logicalDpiY());
}

GridPrintStyle styleOf(const SpreadGrid& grid, const QPaintDevice& device) {
    const QTableView& view = *grid.view();
    const double scale = scaleOf(grid, device);
    GridPrintStyle style;
    style.font = view.font();
    // Record texts are Windows-1252: no shaping needed, and without it cells print faster and
    // read back from a PDF as typed (no ligatures).
    style.font.setStyleStrategy(QFont::PreferNoShaping);
    if (style.font.pointSizeF() <= 0) { // a pixel size would not follow the device
        style.font.setPointSizeF(style.font.pixelSize() * 72.0 / view.logicalDpiY());
    }
    style.rowHeight = view.verticalHeader()->defaultSectionSize() * scale;
    style.padding = kCellPaddingPixels * scale;
    style.lineWidth = kLineWidthPoints * device.logicalDpiY() / 72.0;
    style.gridLines = grid.PrintSwitchA();
    if (grid.PrintSwitchB()) {
        style.headerShade = view.palette().color(QPalette::Button);
        if (view.alternatingRowColors()) {
            style.alternateShade = view.palette().color(QPalette::AlternateBase);
        }
    } else {
        style.headerShade = kGreyHeaderShade;
    }
    return style;
}

GridPageLayout::Input layoutInput(const SpreadGrid& grid, const GridPrintContent& content,
                                  const QPaintDevice& device, const QRectF& box) {
    const QTableView& view = *grid.view();
    const double scale = scaleOf(grid, device);
    GridPageLayout::Input input;
    for (const int c : content.columns) {
        input.columnWidths.push_back(view.columnWidth(c - 1) * scale);
    }
    if (content.headerColumn) {
        // A fixed width once set; otherwise the width the header asks for.
        const QHeaderView& header = *view.verticalHeader();
        const int width = header.minimumWidth() == header.maximumWidth()
                              ? header.minimumWidth()
                              : header.sizeHint().width();
        input.headerColumnWidth = width * scale;
    }
    input.rowCount = content.rowCount;
    input.rowHeight = view.verticalHeader()->defaultSectionSize() * scale;
    input.width = box.width();
    input.height = box.height();
    return input;
}

void applyOrientation(int orientation, QPagedPaintDevice& device) {
    if (orientation == CommonDialog::Portrait) {
        device.setPageOrientation(QPageLayout::Portrait);
    } else if (orientation == CommonDialog::Landscape) {
        device.setPageOrientation(QPageLayout::Landscape);
    }
}

QString jobName(const SpreadGrid& grid) {
    return grid.PrintTitleText().isEmpty() ? kAppTitle : grid.PrintTitleText();
}

// Qt's own PDF output would open the chosen file and write into it as the pages come: a
// printout to a file goes through an AtomicFile like every other file the viewer writes.
bool printToPdfFile(SpreadGrid& grid, QPrinter& printer, const QStringList& neverReplace) {
    const auto paint = [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setTitle(printer.docName());
        writer.setCreator(kAppTitle);
        return paintGridPrintout(grid, writer) > 0;
    };
    return !writeFileAtomically(printer.outputFileName(), paint, neverReplace);
}

} // namespace

int paintGridPrintout(SpreadGrid& grid, QPagedPaintDevice& device) {
    grid.updateView(); // the model must know every row and column the grid holds
    applyOrientation(grid.PrintOrientation(), device);
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    const GridPrintContent content = contentOf(grid);
    const GridPrintStyle style = styleOf(grid, device);
    const QRectF page(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    GridPagePainter pagePainter(painter, content, style, page);
    const GridPageLayout layout(layoutInput(grid, content, device, pagePainter.gridBox()));
    const auto [first, last] =
        printedPageRange(grid.PrintFirstPage(), grid.PrintLastPage(), layout.pageCount());
    for (int number = first; number <= last; ++number) {
        if (number > first && !device.newPage()) {
            painter.end();
            return 0;
        }
        pagePainter.paintPage(layout, number);
    }
    return painter.end() ? last - first + 1 : 0;
}

bool printGridOn(SpreadGrid& grid, QPrinter& printer, const QStringList& neverReplace) {
    printer.setDocName(jobName(grid));
    printer.setCopyCount(1); // the printouts print each copy as a job of its own
    printer.setPrintRange(QPrinter::AllPages);
    printer.setColorMode(grid.PrintSwitchB() ? QPrinter::Color : QPrinter::GrayScale);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        return printToPdfFile(grid, printer, neverReplace);
    }
    return paintGridPrintout(grid, printer) > 0 && printer.printerState() != QPrinter::Error;
}

bool printGrid(SpreadGrid& grid, CommonDialog* dialog, const QStringList& neverReplace) {
    const Hourglass hourglass;
    if (dialog != nullptr) {
        return printGridOn(grid, dialog->printer(), neverReplace);
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return printGridOn(grid, printer);
}

} // namespace tarvex
