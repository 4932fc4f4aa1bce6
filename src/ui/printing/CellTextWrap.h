// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QPainter;
class QPaintDevice;
class QRectF;
class QString;

namespace tarvex {

// A cell text printed on as many lines as its cell's width needs: broken between words, and
// within a word longer than a line. Measuring and drawing lay the text out alike, so that a
// row is as high as its text.
class CellTextWrap {
public:
    CellTextWrap(const QFont& font, QPaintDevice& device);

    // The lines `text` takes at `width`; 1 for a text that fits, or an empty one.
    [[nodiscard]] int lineCount(const QString& text, double width) const;
    // The distance from one line to the next.
    [[nodiscard]] double lineSpacing() const { return lineSpacing_; }
    // Draws `text` from the top of `box`, at most as many lines as the box holds; each line
    // from the box's left edge, or centred.
    void draw(QPainter& painter, const QRectF& box, const QString& text,
              bool centred = false) const;

private:
    QFont font_;
    QPaintDevice& device_;
    double lineSpacing_ = 1;
};

} // namespace tarvex
