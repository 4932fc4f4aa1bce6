// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/MsgBoxGeometry.h"
#include "core/shell/TwipsRect.h"

#include <QRect>

class QWidget;

namespace tarvex {

// The screen as the program sees it: one mouse pointer setting for the whole screen, and the
// twips-per-pixel factors (1440 / logical DPI) of the screen a widget is on (the primary
// screen for nullptr).
namespace Screen {

inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbHourglass = 11;

// One value, not a stack: setting 11 twice and then 0 leaves the default pointer. Values other
// than 0 show their pointer over the whole application (the hourglass for 11).
void setMousePointer(int pointer);
int mousePointer();

float twipsPerPixelX(const QWidget* w = nullptr);
float twipsPerPixelY(const QWidget* w = nullptr);

// The screen's size in twips with its factors, as the message box placement needs them.
ScreenTwips screenTwips(const QWidget* w = nullptr);

} // namespace Screen

// Twips to pixels (rounded to the nearest pixel) and back, at the screen of `w`. A rectangle
// has its edges rounded, so that rectangles that touch in twips touch in pixels.
int twipsToPixelsX(float twips, const QWidget* w = nullptr);
int twipsToPixelsY(float twips, const QWidget* w = nullptr);
float pixelsToTwipsX(int pixels, const QWidget* w = nullptr);
float pixelsToTwipsY(int pixels, const QWidget* w = nullptr);
QRect twipsToPixels(const TwipsRect& r, const QWidget* w = nullptr);

} // namespace tarvex
