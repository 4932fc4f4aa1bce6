// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/MsgBoxGeometry.h"

#include "core/common/TvError.h"

#include <cmath>
#include <limits>

namespace tarvex {
namespace {

// The window system's arithmetic is 32-bit: a result past that range is an overflow.
std::int32_t checked32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw TvError(ErrOverflow);
    }
    return static_cast<std::int32_t>(value);
}

// Integer division of two values first rounded to whole numbers (halves to even).
std::int32_t roundedQuotient(float dividend, float divisor) {
    const auto d = static_cast<std::int64_t>(std::nearbyint(divisor));
    if (d == 0) {
        throw TvError(ErrInvalidCall);
    }
    return checked32(static_cast<std::int64_t>(std::nearbyint(dividend)) / d);
}

// The far-edge step of KeepOnScreen for one direction: `low`/`high` are left/right or
// top/bottom. The comparison is in single precision, in twips.
void keepFarEdge(std::int32_t& low, std::int32_t& high, float screenTwips, float twipsPerPixel) {
    const std::int32_t screenPixels = roundedQuotient(screenTwips, twipsPerPixel);
    if (static_cast<float>(high) * twipsPerPixel > screenTwips) {
        low = checked32(std::int64_t{screenPixels} - (std::int64_t{high} - low));
        high = screenPixels;
    }
}

} // namespace

ScreenRect centredOver(const ScreenRect& owner, const ScreenRect& box) {
    const std::int32_t boxWidth = checked32(std::int64_t{box.right} - box.left);
    const std::int32_t boxHeight = checked32(std::int64_t{box.bottom} - box.top);
    const std::int32_t ownerWidth = checked32(std::int64_t{owner.right} - owner.left);
    const std::int32_t ownerHeight = checked32(std::int64_t{owner.bottom} - owner.top);

    ScreenRect r;
    r.left = checked32(std::int64_t{owner.left} + ownerWidth / 2 - boxWidth / 2);
    r.right = checked32(std::int64_t{r.left} + boxWidth);
    r.top = checked32(std::int64_t{owner.top} + ownerHeight / 2 - boxHeight / 2);
    r.bottom = checked32(std::int64_t{r.top} + boxHeight);
    return r;
}

void KeepOnScreen(ScreenRect& rect, const ScreenTwips& screen) {
    // Left and top are both settled before right and bottom, in that order.
    if (rect.left < 0) {
        rect.right = checked32(std::int64_t{rect.right} - rect.left);
        rect.left = 0;
    }
    if (rect.top < 0) {
        rect.bottom = checked32(std::int64_t{rect.bottom} - rect.top);
        rect.top = 0;
    }
    keepFarEdge(rect.left, rect.right, screen.widthTwips, screen.twipsPerPixelX);
    keepFarEdge(rect.top, rect.bottom, screen.heightTwips, screen.twipsPerPixelY);
}

} // namespace tarvex
