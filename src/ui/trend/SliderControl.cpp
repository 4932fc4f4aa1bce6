// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/SliderControl.h"

#include "ui/shell/ReadableLinesStyle.h"

#include <QBoxLayout>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

constexpr int kPageStep = 10;
constexpr int kTickInterval = 10;

} // namespace

SliderControl::SliderControl(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), slider_(new QSlider(orientation, this)) {
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider_);
    slider_->setSingleStep(1);
    slider_->setPageStep(kPageStep);
    slider_->setTickInterval(kTickInterval);
    slider_->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow
                                                           : QSlider::TicksRight);
    slider_->setFocusPolicy(Qt::StrongFocus);
    ReadableLinesStyle::applyTo(slider_);
    setFocusProxy(slider_);
    applyRange();
    connect(slider_, &QSlider::valueChanged, this, &SliderControl::userMoved);
}

void SliderControl::setPosition(double position) {
    const double clamped = std::clamp(position, min_, max_);
    if (clamped == position_) {
        return;
    }
    position_ = clamped;
    {
        const QSignalBlocker blocker(slider_);
        slider_->setValue(static_cast<int>(std::lround(clamped)));
    }
    emit PositionChange(position_);
}

void SliderControl::setPositionMin(double min) {
    min_ = min;
    max_ = std::max(max_, min_);
    applyRange();
}

void SliderControl::setPositionMax(double max) {
    max_ = max;
    min_ = std::min(min_, max_);
    applyRange();
}

void SliderControl::userMoved(int value) {
    const double position = std::clamp(static_cast<double>(value), min_, max_);
    if (position == position_) {
        return;
    }
    position_ = position;
    emit PositionChange(position_);
}

void SliderControl::applyRange() {
    {
        const QSignalBlocker blocker(slider_);
        slider_->setRange(static_cast<int>(std::ceil(min_)), static_cast<int>(std::floor(max_)));
        slider_->setValue(static_cast<int>(std::lround(std::clamp(position_, min_, max_))));
    }
    setPosition(position_);
}

} // namespace tarvex
