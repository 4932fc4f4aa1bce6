// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace tarvex {

// The application's style, except that slider tick marks and table grid lines stay readable in
// a dark palette (light text on a dark window), where styles such as Fusion draw them a shade
// darker than the dark background. In a light palette everything is the style's own. The tick
// marks keep the style's shape and place; only their colour changes.
class ReadableLinesStyle : public QProxyStyle {
    Q_OBJECT
public:
    ReadableLinesStyle() = default;

    // Gives `widget` a style of this kind, owned by the widget.
    static void applyTo(QWidget* widget);

    // A palette whose text is lighter than its background.
    static bool isDark(const QPalette& palette);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    [[nodiscard]] int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const override;

private:
    void drawTicks(const QStyleOptionComplex& ticks, QPainter* painter,
                   const QWidget* widget) const;
};

} // namespace tarvex
