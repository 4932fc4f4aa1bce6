// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tarvex {

// A screen rectangle in pixels as the window system reports it: right and bottom lie just past
// the last pixel, so width = right - left and height = bottom - top.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    [[nodiscard]] std::int32_t width() const { return right - left; }
    [[nodiscard]] std::int32_t height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// The screen as the message box placement sees it: its size in twips and the twips per pixel
// in each direction (1440 / logical DPI).
struct ScreenTwips {
    float widthTwips = 0;
    float heightTwips = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
};

// The box's rectangle centred over the owner. Every half truncates toward zero and the sums are
// 32-bit; a result outside 32 bits raises the overflow error. An owner of all zeros centres the
// box on the point (0, 0).
ScreenRect centredOver(const ScreenRect& owner, const ScreenRect& box);

// Moves the rectangle so that it lies on the screen, keeping its size: first the left and top
// edges, then the right and bottom ones, so a rectangle larger than the screen ends flush with
// the screen's right (bottom) edge and starts outside it.
void KeepOnScreen(ScreenRect& rect, const ScreenTwips& screen);

} // namespace tarvex
