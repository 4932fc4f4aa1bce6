// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <QColor>
#include <QString>
#include <QVector>

#include <utility>

namespace tarvex {

// The data cursor's read-out box: lines of text, each channel's line led by a short stroke of
// the channel's colour and width, since the plot has no legend. The box hangs from `position`,
// to its right or, with Qt::AlignRight, to its left.
class CursorReadout : public QCPAbstractItem {
    Q_OBJECT
public:
    struct Line {
        QString text;
        QColor key; // invalid: no stroke
        int keyWidth = 1;
    };

    explicit CursorReadout(QCustomPlot* plot);

    void setLines(QVector<Line> lines) { lines_ = std::move(lines); }
    void setSide(Qt::Alignment side) { side_ = side; }

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;

    QCPItemPosition* const position;

protected:
    void draw(QCPPainter* painter) override;

private:
    QVector<Line> lines_;
    Qt::Alignment side_ = Qt::AlignLeft;
};

} // namespace tarvex
