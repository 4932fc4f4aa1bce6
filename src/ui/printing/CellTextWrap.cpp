// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/CellTextWrap.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tarvex {
namespace {

// Lays `text` out in lines of `width`; returns the number of lines.
int layOut(QTextLayout& layout, double width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return std::max(lines, 1);
}

} // namespace

CellTextWrap::CellTextWrap(const QFont& font, QPaintDevice& device)
    : font_(font), device_(device), lineSpacing_(QFontMetricsF(font, &device).lineSpacing()) {}

int CellTextWrap::lineCount(const QString& text, double width) const {
    if (text.isEmpty() || QFontMetricsF(font_, &device_).horizontalAdvance(text) <= width) {
        return 1;
    }
    QTextLayout layout(text, font_, &device_);
    return layOut(layout, width);
}

void CellTextWrap::draw(QPainter& painter, const QRectF& box, const QString& text,
                        bool centred) const {
    QTextLayout layout(text, font_, &device_);
    layOut(layout, box.width());
    const int room = std::max(1, static_cast<int>(std::floor(box.height() / lineSpacing_)));
    for (int i = 0; i < std::min(room, layout.lineCount()); ++i) {
        QTextLine line = layout.lineAt(i);
        const double x = centred ? (box.width() - line.naturalTextWidth()) / 2 : 0;
        line.setPosition(QPointF(std::max(x, 0.0), lineSpacing_ * i));
        line.draw(&painter, box.topLeft());
    }
}

} // namespace tarvex
