// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// The main window's smallest outer size, in twips.
inline constexpr float kMainMinWidthTwips = 8940.0F;
inline constexpr float kMainMinHeightTwips = 6765.0F;

// What the main window's resize handler does for a given outer size (twips).
struct MainResizeAction {
    enum class Kind {
        Nothing,     // minimised: leave everything as it is
        PlaceViewer, // place the viewer at (0, 0) with the size below
        Snap, // set the outer height, then the width, to the minimum; the viewer is untouched
    };
    Kind kind = Kind::Nothing;
    float width = 0;  // PlaceViewer: viewer width; Snap: main window width
    float height = 0; // PlaceViewer: viewer height; Snap: main window height
};

MainResizeAction mainResizeAction(bool minimised, float outerWidthTwips, float outerHeightTwips);

} // namespace tarvex
