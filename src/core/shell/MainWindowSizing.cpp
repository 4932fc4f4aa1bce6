// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/MainWindowSizing.h"

namespace tarvex {

MainResizeAction mainResizeAction(bool minimised, float outerWidthTwips, float outerHeightTwips) {
    if (minimised) {
        return {};
    }
    if (outerHeightTwips >= kMainMinHeightTwips && outerWidthTwips >= kMainMinWidthTwips) {
        // Room for the frame, caption, menu and status bar; the viewer then fits itself to the
        // main window's inner area.
        return {MainResizeAction::Kind::PlaceViewer, outerWidthTwips - 200.0F,
                outerHeightTwips - 1040.0F};
    }
    return {MainResizeAction::Kind::Snap, kMainMinWidthTwips, kMainMinHeightTwips};
}

} // namespace tarvex
