#include "viewer/ViewerLayout.h"

#include <gtest/gtest.h>

using namespace tarvex;
using enum LayoutItem;

namespace {

constexpr LayoutItem kSized[] = {
    DataTab,      dataFrame,      vaGrid,    sigFrame,      digiSigGrid,  opEvGrid,
    auditNameLab, auditDataFrame, auditGrid, auditSigFrame, auditSigGrid, almNameLab,
    alarmGrid,    ProgBar,        iPlotX,    YSlider,       DateSlider};

ViewerLayout resizedTo(float w, float h) {
    ViewerLayout l;
    l.applyResize(w, h);
    return l;
}

} // namespace

TEST(ViewerLayout, FitsEveryControlToTheTabSize) {
    const ViewerLayout l = resizedTo(12000, 9000);
    EXPECT_EQ(l[Viewer], (TwipsRect{0, 0, 12000, 9000}));
    EXPECT_EQ(l[DataTab], (TwipsRect{45, 90, 11810, 8400}));
    EXPECT_EQ(l[dataFrame], (TwipsRect{165, 795, 11555, 5590}));
    EXPECT_EQ(l[vaGrid], (TwipsRect{135, 210, 11305, 5270}));
    EXPECT_EQ(l[sigFrame], (TwipsRect{150, 6400, 11555, 1815}));
    EXPECT_EQ(l[digiSigGrid], (TwipsRect{135, 255, 11275, 1500}));
    EXPECT_EQ(l[auditDataFrame], (TwipsRect{165, 795, 11555, 5590}));
    EXPECT_EQ(l[auditGrid], (TwipsRect{135, 210, 11305, 5270}));
    EXPECT_EQ(l[auditSigFrame], (TwipsRect{165, 6400, 11555, 1815}));
    EXPECT_EQ(l[auditSigGrid], (TwipsRect{135, 225, 11275, 1500}));
    EXPECT_EQ(l[auditNameLab], (TwipsRect{1860, 450, 9810, 270}));
    EXPECT_EQ(l[opEvGrid], (TwipsRect{135, 810, 11555, 7450}));
    EXPECT_EQ(l[alarmGrid], (TwipsRect{135, 810, 11555, 7450}));
    EXPECT_EQ(l[almNameLab], (TwipsRect{1455, 450, 10010, 270}));
    EXPECT_EQ(l[DcryLabel], (TwipsRect{2760, 503, 1890, 225}));
    EXPECT_EQ(l[ProgBar], (TwipsRect{4670, 480, 7010, 270}));
}

TEST(ViewerLayout, SlidersFollowThePlotsWidthAndHeightNotItsEdges) {
    for (const auto& [w, h] : {std::pair{12000.0F, 9000.0F}, {8740.0F, 5725.0F}, {20000, 14000}}) {
        const ViewerLayout l = resizedTo(w, h);
        const TwipsRect& plot = l[iPlotX];
        EXPECT_EQ(plot.width, l[DataTab].width - 950);
        EXPECT_EQ(plot.height, l[DataTab].height - 1500);
        EXPECT_EQ(l[YSlider].left, plot.width + 70);
        EXPECT_EQ(l[YSlider].top, plot.top - 40);
        EXPECT_EQ(l[YSlider].height, plot.height + 120);
        EXPECT_EQ(l[YSlider].width, 765);
        EXPECT_EQ(l[DateSlider].top, plot.height + 740);
        EXPECT_EQ(l[DateSlider].left, plot.left - 95);
        EXPECT_EQ(l[DateSlider].width, plot.width + 220);
        EXPECT_EQ(l[DateSlider].height, 705);
        // With the plot at 135, 810 the sliders overlap its right and bottom edges slightly.
        EXPECT_EQ(plot.left + plot.width - l[YSlider].left, 65);
        EXPECT_EQ(plot.top + plot.height - l[DateSlider].top, 70);
    }
}

TEST(ViewerLayout, TheMinimumMainWindowKeepsEverySizePositive) {
    // The main window at its minimum places the viewer at 8740 x 5725; its inner area is smaller
    // still once frame, caption, menu and status bar are taken off.
    for (const auto& [w, h] : {std::pair{8740.0F, 5725.0F}, {8820.0F, 5400.0F}}) {
        const ViewerLayout l = resizedTo(w, h);
        EXPECT_EQ(l[Viewer].width, w);
        for (LayoutItem item : kSized) {
            EXPECT_GT(l[item].width, 0) << static_cast<int>(item);
            EXPECT_GT(l[item].height, 0) << static_cast<int>(item);
        }
    }
}

TEST(ViewerLayout, ARefusedNegativeSizeLeavesTheControlAndLaterRulesReadItsOldValue) {
    const ViewerLayout design;
    const ViewerLayout l = resizedTo(2000, 2400); // W = 1810, H = 1800
    EXPECT_EQ(l[DataTab].width, 1810);
    EXPECT_EQ(l[DataTab].height, 1800);
    // H - 2810 < 0: the data frame keeps its design size, and the grid rule reads that size.
    EXPECT_EQ(l[dataFrame], design[dataFrame]);
    EXPECT_EQ(l[vaGrid].width, design[dataFrame].width - 250);
    EXPECT_EQ(l[vaGrid].height, design[dataFrame].height - 320);
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

TEST(ViewerLayout, RefusedViewerOrTabSizesKeepTheirPreviousValues) {
    ViewerLayout l;
    l.applyResize(12000, 9000);
    l.applyResize(100, 500); // DataTab would be -90 x -100
    EXPECT_EQ(l[Viewer].width, 100);
    EXPECT_EQ(l[DataTab].width, 11810);
    EXPECT_EQ(l[DataTab].height, 8400);
    EXPECT_EQ(l[iPlotX].width, 10860);
}

TEST(ViewerLayout, ResizingTwiceGivesTheSameLayout) {
    ViewerLayout l;
    l.applyResize(15000, 11000);
    ViewerLayout again = l;
    again.applyResize(15000, 11000);
    for (std::size_t i = 0; i < static_cast<std::size_t>(Count); ++i) {
        EXPECT_EQ(l[static_cast<LayoutItem>(i)], again[static_cast<LayoutItem>(i)]);
    }
}

TEST(ViewerLayout, ToolbarButtonsTouchInOneRow) {
    for (int i = 0; i < 6; ++i) {
        const TwipsRect b = toolbarButtonRect(i);
        EXPECT_EQ(b.top, 390);
        EXPECT_EQ(b.width, 405);
        EXPECT_EQ(b.height, 360);
        EXPECT_EQ(b.left, 135 + 405 * i);
        if (i > 0) {
            const TwipsRect prev = toolbarButtonRect(i - 1);
            EXPECT_EQ(prev.left + prev.width, b.left);
        }
    }
}
