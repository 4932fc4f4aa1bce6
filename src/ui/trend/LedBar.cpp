// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/LedBar.h"

#include <QPainter>

#include <algorithm>

namespace tarvex {

namespace {

constexpr int kSegmentWidth = 8;
constexpr int kGap = 2;
constexpr int kBorder = 2;
const QColor kLitColor(0, 220, 0);
const QColor kDarkColor(0, 70, 0);
const QColor kFrameColor(20, 20, 20);

} // namespace

LedBar::LedBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LedBar::setPosition(int position) {
    position_ = std::clamp(position, 0, max_);
    showChange();
}

void LedBar::setPositionMax(int max) {
    max_ = std::max(1, max);
    position_ = std::min(position_, max_);
    showChange();
}

int LedBar::segmentCount() const {
    return std::max(1, (width() - 2 * kBorder + kGap) / (kSegmentWidth + kGap));
}

int LedBar::litSegments() const {
    return static_cast<int>(static_cast<long long>(position_) * segmentCount() / max_);
}

QSize LedBar::sizeHint() const {
    return {264, 18};
}

void LedBar::showChange() {
    const int lit = litSegments();
    if (lit != shownLit_) {
        shownLit_ = lit;
        update();
    }
}

void LedBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    shownLit_ = litSegments();
}

void LedBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kFrameColor);
    const int height = std::max(1, this->height() - 2 * kBorder);
    for (int i = 0; i < segmentCount(); ++i) {
        const QRect segment(kBorder + i * (kSegmentWidth + kGap), kBorder, kSegmentWidth, height);
        painter.fillRect(segment, i < shownLit_ ? kLitColor : kDarkColor);
    }
}

} // namespace tarvex
