// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/viewer/ViewerLayout.h"

#include <gtest/gtest.h>

using namespace tarvex;
using enum LayoutItem;

namespace {

ViewerLayout resizedTo(float w, float h) {
    ViewerLayout l;
    l.applyResize(w, h);
    return l;
}

} // namespace

TEST(ViewerLayout, SlidersFollowThePlotsWidthAndHeightNotItsEdges) {
    for (const auto& [w, h] : {std::pair{12000.0F, 9000.0F}, {8740.0F, 5725.0F}, {20000, 14000}}) {
        const ViewerLayout l = resizedTo(w, h);
        const TwipsRect& plot = l[iPlotX];
        EXPECT_EQ(plot, (TwipsRect{135, 810, l[DataTab].width - 950, l[DataTab].height - 1500}));
        // The sliders overlap the plot's right and bottom edges slightly.
        EXPECT_EQ(l[YSlider], (TwipsRect{plot.width + 70, plot.top - 40, 765, plot.height + 120}));
        EXPECT_EQ(l[DateSlider],
                  (TwipsRect{plot.left - 95, plot.height + 740, plot.width + 220, 705}));
    }
}

TEST(ViewerLayout, ARefusedNegativeSizeLeavesTheControlAndLaterRulesReadItsOldValue) {
    const ViewerLayout design;
    const ViewerLayout l = resizedTo(2000, 2400); // W = 1810, H = 1800
    EXPECT_EQ(l[DataTab], (TwipsRect{45, 90, 1810, 1800}));
    // H - 2810 < 0: the data frame keeps its design size, and the grid rule reads that size.
    EXPECT_EQ(l[dataFrame], design[dataFrame]);
    EXPECT_EQ(l[vaGrid].width, design[dataFrame].width - 250);
    // The signature frame's rule sets top and width together; the width is fine here.
    EXPECT_EQ(l[sigFrame].top, -200);
    EXPECT_EQ(l[sigFrame].width, 1555);
    // W - 4800 < 0: the bar keeps its width but still moves next to the label.
    EXPECT_EQ(l[ProgBar].width, design[ProgBar].width);
    EXPECT_EQ(l[ProgBar].left, 2760 + 1890 + 20);
    // W - 950 > 0 but H - 1500 = 300: the plot is resized; the sliders follow it.
    EXPECT_EQ(l[iPlotX].height, 300);
    EXPECT_EQ(l[DateSlider].top, 1040);
}

TEST(ViewerLayout, RefusedTabSizesKeepTheirPreviousValuesUntilTheNextFit) {
    ViewerLayout l;
    l.applyResize(12000, 9000);
    l.applyResize(100, 500); // DataTab would be -90 x -100
    EXPECT_EQ(l[Viewer].width, 100);
    EXPECT_EQ(l[DataTab], resizedTo(12000, 9000)[DataTab]);
    // Back at a size that fits, the layout is the one a fresh resize gives.
    l.applyResize(15000, 11000);
    const ViewerLayout fresh = resizedTo(15000, 11000);
    for (std::size_t i = 0; i < static_cast<std::size_t>(Count); ++i) {
        EXPECT_EQ(l[static_cast<LayoutItem>(i)], fresh[static_cast<LayoutItem>(i)]) << i;
    }
}

TEST(ViewerLayout, ToolbarButtonsTouchInOneRow) {
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(toolbarButtonRect(i), (TwipsRect{135.0F + 405 * i, 390, 405, 360})) << i;
    }
}
