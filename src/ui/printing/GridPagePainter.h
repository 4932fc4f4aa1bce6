// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/printing/CellTextRun.h"
#include "ui/printing/CellTextWrap.h"
#include "ui/printing/GridPageLayout.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QAbstractItemModel;
class QPainter;

namespace tarvex {

// What a grid printout shows, taken from the grid when the print starts. Grid row r is model
// row r - 1 and grid column c model column c - 1; the model's header data are the header row
// and the header column.
struct GridPrintContent {
    const QAbstractItemModel* model = nullptr;
    QString corner;              // the text of cell (0, 0)
    std::vector<int> columns;    // printed data columns, in order
    std::vector<int> keyColumns; // indexes into columns: printed on every band of pages
    int wrapColumn = -1;         // the index into columns of a text that wraps; -1: none
    int firstRow = 1;            // printed data rows: firstRow to firstRow + rowCount - 1
    int rowCount = 0;
    bool headerColumn = true;
    QString titleText; // page header, first line
    QString fileText;  // page header, second line
    QString pageText;  // footer line, with the codes of pageTextParts
};

// How a printout looks. Sizes are in device units.
struct GridPrintStyle {
    QFont font;
    double rowHeight = 1;
    double padding = 0; // left and right of a cell's text
    double lineWidth = 1;
    bool gridLines = true;
    QColor headerShade;    // invalid: headers unshaded
    QColor alternateShade; // invalid: all rows white
};

// Paints the pages of one grid printout on a painter that is already open on the device.
class GridPagePainter {
public:
    // `page`: the box within the page's margins, in the painter's coordinates.
    GridPagePainter(QPainter& painter, const GridPrintContent& content, const GridPrintStyle& style,
                    const QRectF& page);

    // What is left of the page for the grid below the page header and above the footer.
    [[nodiscard]] QRectF gridBox() const { return gridBox_; }
    // The height of a row whose text in the wrapping column is `text`, at that column's
    // printed `width`.
    [[nodiscard]] double wrappedRowHeight(const QString& text, double width) const;
    void paintPage(const GridPageLayout& layout, int number);

private:
    void paintHeaderAndFooter(int number);
    void paintCells(const GridPageLayout& layout, const GridPageLayout::Page& page);
    void paintTitleRow(const std::vector<double>& xs, const std::vector<int>& columns, double y,
                       double height);
    void paintRow(const std::vector<double>& xs, const std::vector<int>& columns, int row, double y,
                  double height);
    void paintCell(const QRectF& cell, const QString& text, int alignment);
    void paintWrappedCell(const QRectF& cell, const QString& text);
    void paintTitleCell(const QRectF& cell, const QString& text);
    void paintLines(const std::vector<double>& xs, const std::vector<double>& ys);

    QPainter& painter_;
    const GridPrintContent& content_;
    const GridPrintStyle& style_;
    QRectF page_;
    QFont titleFont_;
    double titleHeight_ = 0;
    double fileHeight_ = 0;
    double footerHeight_ = 0;
    QRectF gridBox_;
    CellTextRun cellTexts_;
    CellTextWrap wrap_;
};

} // namespace tarvex
