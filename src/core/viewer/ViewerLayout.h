// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/TwipsRect.h"

#include <array>
#include <cstddef>

namespace tarvex {

// The history viewer's laid-out controls. A control on a tab is placed relative to the tab
// control's top-left corner, a control inside a frame relative to the frame; the viewer and
// DataTab relative to the viewer.
enum class LayoutItem : std::size_t {
    Viewer,
    DataTab,
    DcryLabel,
    ProgBar,
    dataFrame,
    vaGrid,
    sigFrame,
    digiSigGrid,
    opEvGrid,
    auditNameLab,
    auditDataFrame,
    auditGrid,
    auditSigFrame,
    auditSigGrid,
    almNameLab,
    alarmGrid,
    iPlotX,
    YSlider,
    DateSlider,
    Count
};

// Every control's extent in twips.
class ViewerLayout {
public:
    // The design positions.
    ViewerLayout();

    const TwipsRect& operator[](LayoutItem item) const {
        return rects_[static_cast<std::size_t>(item)];
    }

    // The resize rules, in their order, for a viewer fitted to the given inner area of the main
    // window (twips, single precision). Each rule sets one control; a rule that would give its
    // control a negative width or height is refused and leaves that control as it was, and the
    // later rules read the values actually in force.
    void applyResize(float innerWidth, float innerHeight);

private:
    struct Change;
    void set(LayoutItem item, const Change& change);
    TwipsRect& at(LayoutItem item) { return rects_[static_cast<std::size_t>(item)]; }

    std::array<TwipsRect, static_cast<std::size_t>(LayoutItem::Count)> rects_{};
};

// Toolbar button `index` of any tab: they stand in one row and touch each other.
TwipsRect toolbarButtonRect(int index);

} // namespace tarvex
