// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// A window or control extent in twips (1/1440 inch): left, top, width, height. Window layouts
// are designed and computed in twips and converted to pixels at the screen's twips per pixel.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    bool operator==(const TwipsRect&) const = default;
};

} // namespace tarvex
