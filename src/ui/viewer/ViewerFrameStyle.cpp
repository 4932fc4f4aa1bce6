// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/ViewerFrameStyle.h"

#include <QStyleOptionTitleBar>

namespace tarvex {
namespace {

// The title bar as the style sees it: without the window-menu hint, that is without the close
// button and the window menu button.
QStyleOptionTitleBar withoutWindowMenu(const QStyleOptionComplex* option) {
    QStyleOptionTitleBar titleBar = *qstyleoption_cast<const QStyleOptionTitleBar*>(option);
    titleBar.titleBarFlags &= ~Qt::WindowSystemMenuHint;
    titleBar.subControls &= ~(QStyle::SC_TitleBarCloseButton | QStyle::SC_TitleBarSysMenu);
    return titleBar;
}

bool isTitleBar(QStyle::ComplexControl control, const QStyleOptionComplex* option) {
    return control == QStyle::CC_TitleBar &&
           qstyleoption_cast<const QStyleOptionTitleBar*>(option) != nullptr;
}

} // namespace

void ViewerFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                          QPainter* painter, const QWidget* widget) const {
    if (!isTitleBar(control, option)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QStyleOptionTitleBar titleBar = withoutWindowMenu(option);
    QProxyStyle::drawComplexControl(control, &titleBar, painter, widget);
    // The window's icon stays where the window menu button was, as a picture only.
    if ((option->subControls & SC_TitleBarSysMenu) != 0 && !titleBar.icon.isNull()) {
        const QRect place =
            baseStyle()->subControlRect(control, option, SC_TitleBarSysMenu, widget);
        titleBar.icon.paint(painter, place, Qt::AlignCenter);
    }
}

QRect ViewerFrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                       SubControl subControl, const QWidget* widget) const {
    if (isTitleBar(control, option)) {
        const QStyleOptionTitleBar titleBar = withoutWindowMenu(option);
        return QProxyStyle::subControlRect(control, &titleBar, subControl, widget);
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

QStyle::SubControl ViewerFrameStyle::hitTestComplexControl(ComplexControl control,
                                                           const QStyleOptionComplex* option,
                                                           const QPoint& pos,
                                                           const QWidget* widget) const {
    if (isTitleBar(control, option)) {
        const QStyleOptionTitleBar titleBar = withoutWindowMenu(option);
        return QProxyStyle::hitTestComplexControl(control, &titleBar, pos, widget);
    }
    return QProxyStyle::hitTestComplexControl(control, option, pos, widget);
}

int ViewerFrameStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const {
    if (hint == SH_Workspace_FillSpaceOnMaximize) {
        return 1; // maximised, the viewer keeps its own title bar
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace tarvex
