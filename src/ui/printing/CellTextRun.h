// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <QRawFont>

#include <vector>

class QFont;
class QPainter;
class QPaintDevice;
class QRectF;
class QString;
class QStringView;

namespace tarvex {

// The cell texts of one printed row, drawn as one run of glyphs: a printout has hundreds of
// thousands of cells, and laying each out as a text of its own costs more than drawing it.
// Texts are placed as drawText places a single line in a box (left, right or centred, and
// centred vertically); a text that does not fit its box, or has a character the font lacks,
// is refused, for the caller to draw the usual way.
class CellTextRun {
public:
    CellTextRun(const QFont& font, const QPaintDevice& device);

    // Adds `text` in `box` with the horizontal part of `alignment`. False, and nothing added,
    // when it cannot be placed here.
    bool add(const QRectF& box, const QString& text, int alignment);
    // The width `text` takes in a run; below 0 when the font lacks one of its characters.
    [[nodiscard]] double textWidth(QStringView text);
    // Draws what was added and starts a new run.
    void draw(QPainter& painter);

private:
    struct Glyph {
        quint32 index = 0;
        double advance = -1; // below 0: not looked up yet
    };
    const Glyph* glyphOf(char16_t c);

    QRawFont font_;
    double ascent_ = 0;
    double height_ = 0;
    std::vector<Glyph> glyphs_; // by character, for the characters record texts hold
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

} // namespace tarvex
