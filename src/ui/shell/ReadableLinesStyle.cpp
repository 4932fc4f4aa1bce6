// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/ReadableLinesStyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWidget>

#include <cmath>

namespace tarvex {
namespace {

// Part of the way from the background to the text: far enough to be seen, not as loud as text.
QColor between(const QColor& background, const QColor& text, double share) {
    const auto mix = [share](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * share));
    };
    return {mix(background.red(), text.red()), mix(background.green(), text.green()),
            mix(background.blue(), text.blue())};
}

constexpr double kTickShare = 0.55;
constexpr double kGridShare = 0.35;

} // namespace

void ReadableLinesStyle::applyTo(QWidget* widget) {
    auto* style = new ReadableLinesStyle;
    style->setParent(widget); // a widget does not own the style it is given
    widget->setStyle(style);
}

bool ReadableLinesStyle::isDark(const QPalette& palette) {
    return palette.color(QPalette::WindowText).lightness() >
           palette.color(QPalette::Window).lightness();
}

void ReadableLinesStyle::drawComplexControl(ComplexControl control,
                                            const QStyleOptionComplex* option, QPainter* painter,
                                            const QWidget* widget) const {
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_Slider || slider == nullptr ||
        (slider->subControls & SC_SliderTickmarks) == 0 || !isDark(option->palette)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The style's own order: groove, tick marks, handle.
    QStyleOptionSlider part = *slider;
    part.subControls = slider->subControls & SC_SliderGroove;
    QProxyStyle::drawComplexControl(control, &part, painter, widget);
    part.subControls = SC_SliderTickmarks;
    drawTicks(part, painter, widget);
    part.subControls = slider->subControls & ~(SC_SliderGroove | SC_SliderTickmarks);
    QProxyStyle::drawComplexControl(control, &part, painter, widget);
}

// The style draws the marks on a clear layer, which is then filled with the readable colour
// wherever the style drew.
void ReadableLinesStyle::drawTicks(const QStyleOptionComplex& ticks, QPainter* painter,
                                   const QWidget* widget) const {
    const QRect area = ticks.rect;
    const qreal ratio = painter->device()->devicePixelRatioF();
    QImage layer(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter onLayer(&layer);
        onLayer.translate(-area.topLeft());
        QProxyStyle::drawComplexControl(CC_Slider, &ticks, &onLayer, widget);
        onLayer.setCompositionMode(QPainter::CompositionMode_SourceIn);
        onLayer.fillRect(area, between(ticks.palette.color(QPalette::Window),
                                       ticks.palette.color(QPalette::WindowText), kTickShare));
    }
    painter->drawImage(area.topLeft(), layer);
}

int ReadableLinesStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                  QStyleHintReturn* returnData) const {
    if (hint == SH_Table_GridLineColor && option != nullptr) {
        const QPalette& palette = option->palette;
        if (palette.color(QPalette::Text).lightness() > palette.color(QPalette::Base).lightness()) {
            return static_cast<int>(
                between(palette.color(QPalette::Base), palette.color(QPalette::Text), kGridShare)
                    .rgba());
        }
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace tarvex
