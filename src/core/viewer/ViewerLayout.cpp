// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/viewer/ViewerLayout.h"

#include <optional>

namespace tarvex {

using enum LayoutItem;

struct ViewerLayout::Change {
    std::optional<float> left = std::nullopt;
    std::optional<float> top = std::nullopt;
    std::optional<float> width = std::nullopt;
    std::optional<float> height = std::nullopt;
};

ViewerLayout::ViewerLayout() {
    at(Viewer) = {0, 0, 8850, 6390};
    at(DataTab) = {45, 90, 8760, 6255};
    at(DcryLabel) = {2760, 503, 1890, 225};
    at(ProgBar) = {4665, 480, 3960, 270};
    at(dataFrame) = {165, 795, 8520, 3450};
    at(vaGrid) = {135, 210, 8265, 3150};
    at(sigFrame) = {150, 4305, 8520, 1815};
    at(digiSigGrid) = {135, 255, 8265, 1500};
    at(opEvGrid) = {135, 810, 8535, 5355};
    at(auditNameLab) = {1860, 450, 6735, 270};
    at(auditDataFrame) = {165, 795, 8520, 3450};
    at(auditGrid) = {135, 210, 8265, 3150};
    at(auditSigFrame) = {165, 4305, 8520, 1815};
    at(auditSigGrid) = {135, 225, 8265, 1500};
    at(almNameLab) = {1455, 450, 7140, 270};
    at(alarmGrid) = {135, 810, 8535, 5355};
    at(iPlotX) = {135, 810, 7845, 4710};
    at(YSlider) = {7905, 765, 765, 4770};
    at(DateSlider) = {60, 5475, 7995, 705};
}

void ViewerLayout::set(LayoutItem item, const Change& change) {
    if (change.width.value_or(0) < 0 || change.height.value_or(0) < 0) {
        return; // the control refuses a negative size and stays as it was
    }
    TwipsRect& r = at(item);
    r.left = change.left.value_or(r.left);
    r.top = change.top.value_or(r.top);
    r.width = change.width.value_or(r.width);
    r.height = change.height.value_or(r.height);
}

void ViewerLayout::applyResize(float innerWidth, float innerHeight) {
    const auto& r = *this;
    set(Viewer, {.width = innerWidth, .height = innerHeight});
    set(DataTab, {.width = r[Viewer].width - 190});
    set(DataTab, {.height = r[Viewer].height - 600});
    const float w = r[DataTab].width;
    const float h = r[DataTab].height;

    set(dataFrame, {.width = w - 255, .height = h - 2810});
    set(vaGrid, {.width = r[dataFrame].width - 250, .height = r[dataFrame].height - 320});
    set(sigFrame, {.top = h - 2000, .width = w - 255});
    set(digiSigGrid, {.width = r[sigFrame].width - 280});
    set(auditDataFrame, {.width = w - 255, .height = h - 2810});
    // The audit grid follows the data frame, whose size equals the audit data frame's.
    set(auditGrid, {.width = r[dataFrame].width - 250, .height = r[dataFrame].height - 320});
    set(auditSigFrame, {.top = h - 2000, .width = w - 255});
    set(auditSigGrid, {.width = r[auditSigFrame].width - 280});
    set(auditNameLab, {.width = w - 2000});
    set(opEvGrid, {.width = w - 255, .height = h - 950});
    set(alarmGrid, {.width = w - 255, .height = h - 950});
    set(almNameLab, {.width = w - 1800});
    set(ProgBar, {.left = r[DcryLabel].left + r[DcryLabel].width + 20});
    set(ProgBar, {.width = w - 4800});

    // The sliders follow the plot's width and height, not its right and bottom edges.
    set(iPlotX, {.width = w - 950, .height = h - 1500});
    set(YSlider, {.top = r[iPlotX].top - 40});
    set(YSlider, {.height = r[iPlotX].height + 120});
    set(YSlider, {.left = r[iPlotX].width + 70});
    set(DateSlider, {.top = r[iPlotX].height + 740});
    set(DateSlider, {.left = r[iPlotX].left - 95});
    set(DateSlider, {.width = r[iPlotX].width + 220});
}

TwipsRect toolbarButtonRect(int index) {
    return {135.0F + 405.0F * static_cast<float>(index), 390, 405, 360};
}

} // namespace tarvex
