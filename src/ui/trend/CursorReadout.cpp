// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/CursorReadout.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

constexpr double kPadding = 5.0;
constexpr double kKeyLength = 18.0;
const QColor kBoxFill(255, 255, 235, 230);

} // namespace

CursorReadout::CursorReadout(QCustomPlot* plot)
    : QCPAbstractItem(plot), position(createPosition(QStringLiteral("position"))) {}

double CursorReadout::selectTest(const QPointF& /*pos*/, bool /*onlySelectable*/,
                                 QVariant* /*details*/) const {
    return -1.0; // never selected
}

void CursorReadout::draw(QCPPainter* painter) {
    const QFont font = parentPlot()->font();
    const QFontMetricsF metrics(font);
    const bool keys = std::any_of(lines_.cbegin(), lines_.cend(),
                                  [](const Line& line) { return line.key.isValid(); });
    const double textLeft = kPadding + (keys ? kKeyLength + kPadding : 0.0);
    double textWidth = 0.0;
    for (const Line& line : lines_) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line.text));
    }
    const QPointF anchor = position->pixelPosition();
    const QSizeF size(textLeft + textWidth + kPadding,
                      2 * kPadding + metrics.height() * static_cast<double>(lines_.size()));
    const QRectF box(side_.testFlag(Qt::AlignRight) ? anchor.x() - size.width() : anchor.x(),
                     anchor.y(), size.width(), size.height());
    painter->setFont(font);
    painter->setPen(QPen(Qt::black));
    painter->setBrush(kBoxFill);
    painter->drawRect(box);
    double top = box.top() + kPadding;
    for (const Line& line : lines_) {
        if (line.key.isValid()) {
            // On whole pixels, so that the key shows the trace's colour unblended.
            const double width = std::max(1, line.keyWidth);
            const double keyTop = std::round(top + (metrics.height() - width) / 2);
            painter->save();
            painter->setAntialiasing(false);
            painter->fillRect(QRectF(std::round(box.left() + kPadding), keyTop, kKeyLength, width),
                              line.key);
            painter->restore();
        }
        painter->setPen(QPen(Qt::black));
        painter->drawText(QRectF(box.left() + textLeft, top, textWidth, metrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, line.text);
        top += metrics.height();
    }
}

} // namespace tarvex
