// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace tarvex {
namespace {

struct PointerState {
    int value = Screen::vbDefault;
    bool overridden = false; // we hold one override cursor
};

PointerState& pointerState() {
    static PointerState s;
    return s;
}

Qt::CursorShape shapeOf(int pointer) {
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case Screen::vbHourglass:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    default:
        return Qt::ArrowCursor;
    }
}

const QScreen* screenOf(const QWidget* w) {
    const QScreen* s = w != nullptr ? w->screen() : nullptr;
    return s != nullptr ? s : QGuiApplication::primaryScreen();
}

} // namespace

namespace Screen {

void setMousePointer(int pointer) {
    PointerState& s = pointerState();
    if (pointer == vbDefault) {
        if (s.overridden) {
            QGuiApplication::restoreOverrideCursor();
            s.overridden = false;
        }
    } else if (s.overridden) {
        QGuiApplication::changeOverrideCursor(QCursor(shapeOf(pointer)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shapeOf(pointer)));
        s.overridden = true;
    }
    s.value = pointer;
}

int mousePointer() {
    return pointerState().value;
}

float twipsPerPixelX(const QWidget* w) {
    return 1440.0F / static_cast<float>(screenOf(w)->logicalDotsPerInchX());
}

float twipsPerPixelY(const QWidget* w) {
    return 1440.0F / static_cast<float>(screenOf(w)->logicalDotsPerInchY());
}

ScreenTwips screenTwips(const QWidget* w) {
    const QSize size = screenOf(w)->geometry().size();
    const float tppX = twipsPerPixelX(w);
    const float tppY = twipsPerPixelY(w);
    return {static_cast<float>(size.width()) * tppX, static_cast<float>(size.height()) * tppY, tppX,
            tppY};
}

} // namespace Screen

int twipsToPixelsX(float twips, const QWidget* w) {
    return static_cast<int>(std::lround(twips / Screen::twipsPerPixelX(w)));
}

int twipsToPixelsY(float twips, const QWidget* w) {
    return static_cast<int>(std::lround(twips / Screen::twipsPerPixelY(w)));
}

float pixelsToTwipsX(int pixels, const QWidget* w) {
    return static_cast<float>(pixels) * Screen::twipsPerPixelX(w);
}

float pixelsToTwipsY(int pixels, const QWidget* w) {
    return static_cast<float>(pixels) * Screen::twipsPerPixelY(w);
}

QRect twipsToPixels(const TwipsRect& r, const QWidget* w) {
    // Round the edges, not the sizes, so that controls that touch in twips touch on the screen.
    const int left = twipsToPixelsX(r.left, w);
    const int top = twipsToPixelsY(r.top, w);
    return {left, top, twipsToPixelsX(r.left + r.width, w) - left,
            twipsToPixelsY(r.top + r.height, w) - top};
}

} // namespace tarvex
