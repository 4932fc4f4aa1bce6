// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace tarvex {

// The history viewer's frame inside the main window: a title bar with the minimise, maximise
// and restore buttons but no close button and no window menu button, since the viewer stays
// until the program ends. Qt ties both to the window-menu hint, which every title bar keeps, so
// the hint is taken out of what the style is told when it draws, lays out and hit-tests the
// title bar; the window's icon is drawn where the window menu button was, as a picture only.
// A maximised viewer keeps this title bar instead of putting its buttons, a close button among
// them, into the main window's menu bar. Everything else is drawn by the application's style.
class ViewerFrameStyle : public QProxyStyle {
    Q_OBJECT
public:
    ViewerFrameStyle() = default;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    [[nodiscard]] QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                       SubControl subControl, const QWidget* widget) const override;
    [[nodiscard]] SubControl hitTestComplexControl(ComplexControl control,
                                                   const QStyleOptionComplex* option,
                                                   const QPoint& pos,
                                                   const QWidget* widget) const override;
    [[nodiscard]] int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const override;
};

} // namespace tarvex
