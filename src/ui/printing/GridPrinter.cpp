// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPrinter.h"

#include "core/common/SafeFileName.h"
#include "core/recordfiles/AtomicFile.h"
#include "ui/printing/GridPageLayout.h"
#include "ui/printing/GridPagePainter.h"
#include "ui/printing/PrintedColumns.h"
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
constexpr double kMarginMillimetres = 10; // also where a printer could print closer to the edge
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
    // A selection prints only its cells; the whole grid keeps who and when on every page.
    const GridRoles& roles = grid.roles();
    for (std::size_t i = 0; i < content.columns.size(); ++i) {
        const int column = content.columns[i];
        const bool key = std::find(roles.keyColumns.begin(), roles.keyColumns.end(), column) !=
                         roles.keyColumns.end();
        if (key && !block) {
            content.keyColumns.push_back(static_cast<int>(i));
        } else if (column == roles.wrapColumn) {
            content.wrapColumn = static_cast<int>(i);
        }
    }
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
    input.keyColumns = content.keyColumns;
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

// Columns print as wide as their texts need, never wider than on screen: a title wraps over more
// lines rather than widen a column of short values.
void fitColumnsToTexts(const SpreadGrid& grid, const GridPrintContent& content,
                       const GridPrintStyle& style, const QPaintDevice& device,
                       GridPageLayout::Input& input) {
    std::vector<int> columns = content.columns;
    if (content.headerColumn) {
        columns.insert(columns.begin(), 0);
    }
    const std::vector<ColumnNeed> needs = columnNeeds(grid.gridData(), columns, content.firstRow,
                                                      content.rowCount, style.font, device);
    const auto fitted = [&](const ColumnNeed& need, double shown) {
        const double text = std::max({need.cells, need.titleWord, style.padding});
        return std::min(shown, text + 2 * style.padding);
    };
    auto need = needs.begin();
    if (content.headerColumn) {
        input.headerColumnWidth = fitted(*need++, input.headerColumnWidth);
    }
    for (double& width : input.columnWidths) {
        width = fitted(*need++, width);
    }
}

// The header row as high as its tallest title.
double headerRowHeight(const SpreadGrid& grid, const GridPrintContent& content,
                       const GridPagePainter& painter, const GridPageLayout::Input& input) {
    const GridData& data = grid.gridData();
    double height = 0;
    if (content.headerColumn) {
        height = painter.wrappedRowHeight(data.ShownText(0, 0), input.headerColumnWidth);
    }
    for (std::size_t i = 0; i < content.columns.size(); ++i) {
        height = std::max(height, painter.wrappedRowHeight(data.ShownText(content.columns[i], 0),
                                                           input.columnWidths[i]));
    }
    return height;
}

// The wrapping column narrowed to stand beside the key columns, and every row as high as its
// text there.
void fitWrappedColumn(const GridPrintContent& content, const GridPagePainter& painter,
                      GridPageLayout::Input& input) {
    if (content.wrapColumn < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(content.wrapColumn);
    const double width = GridPageLayout::wrappedWidth(input, content.wrapColumn);
    input.columnWidths[index] = width;
    input.rowHeights.resize(static_cast<std::size_t>(content.rowCount));
    const int column = content.columns[index] - 1;
    for (int n = 0; n < content.rowCount; ++n) {
        const QModelIndex cell = content.model->index(content.firstRow + n - 1, column);
        input.rowHeights[std::size_t(n)] =
            painter.wrappedRowHeight(content.model->data(cell).toString(), width);
    }
}

// The page within margins of at least kMarginMillimetres, in the painter's coordinates (which
// start at the printable area's corner).
QRectF marginBox(const QPagedPaintDevice& device) {
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QRectF paper = layout.fullRectPixels(dpi);
    const QRectF printable = layout.paintRectPixels(dpi);
    const double margin = kMarginMillimetres / 25.4 * dpi;
    const QRectF inside = paper.adjusted(margin, margin, -margin, -margin) & printable;
    return inside.translated(-printable.topLeft());
}

QString jobName(const SpreadGrid& grid) {
    const QString name = safeFileName(grid.PrintTitleText());
    return name.isEmpty() ? kAppTitle : name;
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
    GridPagePainter pagePainter(painter, content, style, marginBox(device));
    GridPageLayout::Input input = layoutInput(grid, content, device, pagePainter.gridBox());
    fitColumnsToTexts(grid, content, style, device, input);
    fitWrappedColumn(content, pagePainter, input);
    input.headerRowHeight = headerRowHeight(grid, content, pagePainter, input);
    const GridPageLayout layout(std::move(input));
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
