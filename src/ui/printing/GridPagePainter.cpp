// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/GridPagePainter.h"

#include "ui/printing/PageTextParts.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>

namespace tarvex {
namespace {

constexpr double kTitleScale = 1.25; // the title's font size against the grid's
constexpr int kLeftAligned = Qt::AlignLeft | Qt::AlignVCenter;

double lineHeight(const QFont& font, QPainter& painter) {
    return QFontMetricsF(font, painter.device()).height();
}

int alignmentOf(const QVariant& value) {
    return value.isValid() ? static_cast<int>(value.value<Qt::Alignment>()) : kLeftAligned;
}

} // namespace

GridPagePainter::GridPagePainter(QPainter& painter, const GridPrintContent& content,
                                 const GridPrintStyle& style, const QRectF& page)
    : painter_(painter), content_(content), style_(style), page_(page), titleFont_(style.font),
      cellTexts_(style.font, *painter.device()), wrap_(style.font, *painter.device()) {
    titleFont_.setBold(true);
    titleFont_.setPointSizeF(style.font.pointSizeF() * kTitleScale);
    const double gap = style.rowHeight / 2;
    const double line = lineHeight(style.font, painter);
    titleHeight_ = content.titleText.isEmpty() ? 0 : lineHeight(titleFont_, painter);
    fileHeight_ = content.fileText.isEmpty() ? 0 : line;
    footerHeight_ = content.pageText.isEmpty() ? 0 : line;
    const double top = titleHeight_ + fileHeight_ > 0 ? titleHeight_ + fileHeight_ + gap : 0;
    const double bottom = footerHeight_ > 0 ? footerHeight_ + gap : 0;
    gridBox_ = page.adjusted(0, top, 0, -bottom);
}

void GridPagePainter::paintPage(const GridPageLayout& layout, int number) {
    painter_.setPen(Qt::black);
    paintHeaderAndFooter(number);
    paintCells(layout, layout.page(number));
}

void GridPagePainter::paintHeaderAndFooter(int number) {
    if (titleHeight_ > 0) {
        painter_.setFont(titleFont_);
        painter_.drawText(QRectF(page_.left(), page_.top(), page_.width(), titleHeight_),
                          Qt::AlignCenter | Qt::TextSingleLine, content_.titleText);
    }
    painter_.setFont(style_.font);
    if (fileHeight_ > 0) {
        painter_.drawText(
            QRectF(page_.left(), page_.top() + titleHeight_, page_.width(), fileHeight_),
            kLeftAligned | Qt::TextSingleLine, content_.fileText);
    }
    if (footerHeight_ > 0) {
        const PageTextParts parts = pageTextParts(content_.pageText, number);
        const QRectF line(page_.left(), page_.bottom() - footerHeight_, page_.width(),
                          footerHeight_);
        painter_.drawText(line, kLeftAligned | Qt::TextSingleLine, parts.left);
        painter_.drawText(line, Qt::AlignCenter | Qt::TextSingleLine, parts.centre);
        painter_.drawText(line, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                          parts.right);
    }
}

void GridPagePainter::paintCells(const GridPageLayout& layout, const GridPageLayout::Page& page) {
    // Column edges: the header column, then the page's columns; row edges: the header row, then
    // the page's rows.
    std::vector<double> xs{gridBox_.left()};
    if (content_.headerColumn) {
        xs.push_back(xs.back() + layout.headerColumnWidth());
    }
    for (const int i : page.columns) {
        xs.push_back(xs.back() + layout.columnWidth(i));
    }
    std::vector<double> ys{gridBox_.top(), gridBox_.top() + layout.headerRowHeight()};
    for (int r = page.firstRow; r <= page.lastRow; ++r) {
        ys.push_back(ys.back() + layout.rowHeight(r));
    }
    if (style_.headerShade.isValid()) {
        painter_.fillRect(QRectF(xs.front(), ys[0], xs.back() - xs.front(), ys[1] - ys[0]),
                          style_.headerShade);
        if (content_.headerColumn) {
            painter_.fillRect(QRectF(xs[0], ys[1], xs[1] - xs[0], ys.back() - ys[1]),
                              style_.headerShade);
        }
    }
    paintTitleRow(xs, page.columns, ys[0], ys[1] - ys[0]);
    for (std::size_t n = 1; n + 1 < ys.size(); ++n) {
        paintRow(xs, page.columns, content_.firstRow + page.firstRow + int(n) - 1, ys[n],
                 ys[n + 1] - ys[n]);
    }
    painter_.setFont(style_.font);
    cellTexts_.draw(painter_);
    if (style_.gridLines) {
        paintLines(xs, ys);
    }
}

// xs holds the column edges, the header column's first when it is printed; columns are the
// printed columns (indexes into content_.columns) after it.
void GridPagePainter::paintTitleRow(const std::vector<double>& xs, const std::vector<int>& columns,
                                    double y, double height) {
    std::size_t k = 0;
    if (content_.headerColumn) {
        paintTitleCell(QRectF(xs[0], y, xs[1] - xs[0], height), content_.corner);
        k = 1;
    }
    for (const int i : columns) {
        const int column = content_.columns[std::size_t(i)];
        paintTitleCell(QRectF(xs[k], y, xs[k + 1] - xs[k], height),
                       content_.model->headerData(column - 1, Qt::Horizontal).toString());
        ++k;
    }
}

void GridPagePainter::paintRow(const std::vector<double>& xs, const std::vector<int>& columns,
                               int row, double y, double height) {
    const QAbstractItemModel& model = *content_.model;
    std::size_t k = 0;
    if (content_.headerColumn) {
        paintCell(QRectF(xs[0], y, xs[1] - xs[0], style_.rowHeight),
                  model.headerData(row - 1, Qt::Vertical).toString(), kLeftAligned);
        k = 1;
    }
    if (style_.alternateShade.isValid() && (row - 1) % 2 == 1) { // as the view alternates
        painter_.fillRect(QRectF(xs[k], y, xs.back() - xs[k], height), style_.alternateShade);
    }
    for (const int i : columns) {
        const QModelIndex index = model.index(row - 1, content_.columns[std::size_t(i)] - 1);
        const QRectF cell(xs[k], y, xs[k + 1] - xs[k], style_.rowHeight);
        const QString text = model.data(index).toString();
        if (i == content_.wrapColumn && height > style_.rowHeight) {
            paintWrappedCell(QRectF(cell.topLeft(), QSizeF(cell.width(), height)), text);
        } else {
            paintCell(cell, text, alignmentOf(model.data(index, Qt::TextAlignmentRole)));
        }
        ++k;
    }
}

double GridPagePainter::wrappedRowHeight(const QString& text, double width) const {
    const int lines = wrap_.lineCount(text, width - 2 * style_.padding);
    return style_.rowHeight + (lines - 1) * wrap_.lineSpacing();
}

// The first line stands where a single line would; the others follow below it.
void GridPagePainter::paintWrappedCell(const QRectF& cell, const QString& text) {
    const double top = (style_.rowHeight - wrap_.lineSpacing()) / 2;
    painter_.setFont(style_.font);
    wrap_.draw(painter_, cell.adjusted(style_.padding, top, -style_.padding, 0), text);
}

// Texts that fit their cell join the page's run of cell texts; the others are drawn (and cut
// at the cell's edges) on their own.
void GridPagePainter::paintCell(const QRectF& cell, const QString& text, int alignment) {
    const QRectF box = cell.adjusted(style_.padding, 0, -style_.padding, 0);
    if (!text.isEmpty() && !cellTexts_.add(box, text, alignment)) {
        painter_.drawText(box, alignment | Qt::TextSingleLine, text);
    }
}

// Titles are centred, on as many lines as their column's width needs; in a header row of one
// line, a title too wide for its column shows its start.
void GridPagePainter::paintTitleCell(const QRectF& cell, const QString& text) {
    const double room = cell.width() - 2 * style_.padding;
    const bool fits = QFontMetricsF(style_.font, painter_.device()).horizontalAdvance(text) <= room;
    if (fits || cell.height() <= style_.rowHeight) {
        paintCell(cell, text, fits ? int(Qt::AlignCenter) : kLeftAligned);
        return;
    }
    const double top = (style_.rowHeight - wrap_.lineSpacing()) / 2;
    painter_.setFont(style_.font);
    wrap_.draw(painter_, cell.adjusted(style_.padding, top, -style_.padding, 0), text, true);
}

void GridPagePainter::paintLines(const std::vector<double>& xs, const std::vector<double>& ys) {
    if (xs.back() <= xs.front()) {
        return; // no column at all
    }
    std::vector<QLineF> lines;
    lines.reserve(xs.size() + ys.size());
    for (const double x : xs) {
        lines.emplace_back(x, ys.front(), x, ys.back());
    }
    for (const double y : ys) {
        lines.emplace_back(xs.front(), y, xs.back(), y);
    }
    painter_.setPen(QPen(Qt::black, style_.lineWidth));
    painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
    painter_.setPen(Qt::black);
}

} // namespace tarvex
