// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/CellTextRun.h"

#include <QFont>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringView>

namespace tarvex {
namespace {

// Windows-1252 text decodes to characters below U+2200 (U+2122 is its highest).
constexpr char16_t kCachedCharacters = 0x2200;

} // namespace

CellTextRun::CellTextRun(const QFont& font, const QPaintDevice& device)
    : font_(QRawFont::fromFont(font)), glyphs_(kCachedCharacters) {
    // The font as the device draws it: points become the device's pixels.
    font_.setPixelSize(font.pointSizeF() > 0 ? font.pointSizeF() * device.logicalDpiY() / 72.0
                                             : font.pixelSize());
    ascent_ = font_.ascent();
    height_ = font_.ascent() + font_.descent();
}

const CellTextRun::Glyph* CellTextRun::glyphOf(char16_t c) {
    if (c >= kCachedCharacters || !font_.isValid()) {
        return nullptr;
    }
    Glyph& glyph = glyphs_[c];
    if (glyph.advance < 0) {
        const QString text(QChar{c});
        const QList<quint32> indexes = font_.glyphIndexesForString(text);
        glyph.index = indexes.size() == 1 ? indexes.front() : 0;
        glyph.advance = glyph.index == 0 ? 0 : font_.advancesForGlyphIndexes({glyph.index})[0].x();
    }
    return glyph.index == 0 ? nullptr : &glyph;
}

double CellTextRun::textWidth(QStringView text) {
    double width = 0;
    for (const QChar c : text) {
        const Glyph* glyph = glyphOf(c.unicode());
        if (glyph == nullptr) {
            return -1;
        }
        width += glyph->advance;
    }
    return width;
}

bool CellTextRun::add(const QRectF& box, const QString& text, int alignment) {
    const double width = textWidth(text);
    if (width < 0 || width > box.width()) {
        return false;
    }
    double x = box.left();
    if ((alignment & (Qt::AlignRight | Qt::AlignTrailing)) != 0) {
        x = box.right() - width;
    } else if ((alignment & Qt::AlignHCenter) != 0) {
        x = box.left() + (box.width() - width) / 2;
    }
    const double baseline = box.top() + (box.height() - height_) / 2 + ascent_;
    for (const QChar c : text) {
        const Glyph& glyph = glyphs_[c.unicode()];
        indexes_.append(glyph.index);
        positions_.append(QPointF(x, baseline));
        x += glyph.advance;
    }
    return true;
}

void CellTextRun::draw(QPainter& painter) {
    if (!indexes_.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(font_);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    indexes_.clear();
    positions_.clear();
}

} // namespace tarvex
