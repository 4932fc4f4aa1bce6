// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/shell/ErrorReportText.h"
#include "core/shell/MainWindowSizing.h"
#include "core/shell/MsgBoxGeometry.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

using namespace tarvex;

namespace {

// A 1600 x 1000 pixel screen at 96 DPI (15 twips per pixel).
ScreenTwips screen1600x1000() {
    return {1600.0F * 15, 1000.0F * 15, 15, 15};
}

ScreenRect kept(ScreenRect r, const ScreenTwips& screen = screen1600x1000()) {
    KeepOnScreen(r, screen);
    return r;
}

} // namespace

TEST(KeepOnScreen, MovesARectangleBackOntoTheScreenKeepingItsSize) {
    const std::pair<ScreenRect, ScreenRect> cases[] = {
        {{10, 20, 110, 70}, {10, 20, 110, 70}},
        {{1500, 950, 1600, 1000}, {1500, 950, 1600, 1000}},
        {{-10, 5, 90, 55}, {0, 5, 100, 55}},
        {{5, -30, 105, 20}, {5, 0, 105, 50}},
        {{-7, -9, 3, 1}, {0, 0, 10, 10}},
        {{1550, 10, 1650, 60}, {1500, 10, 1600, 60}},
        {{10, 980, 110, 1030}, {10, 950, 110, 1000}},
        // Larger than the screen: left is settled first, then the far edge wins.
        {{-50, 0, 1750, 50}, {-200, 0, 1600, 50}},
        {{0, -5, 40, 1195}, {0, -200, 40, 1000}}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(kept(in), out) << in.left << "," << in.top;
    }
}

TEST(KeepOnScreen, RoundsEachDirectionsTwipsPerPixelBeforeDividing) {
    // 110 DPI: 13.09 twips per pixel, rounded to 13, so the screen counts as 1007 pixels wide
    // while the comparison itself still runs in twips.
    const float tpp = 1440.0F / 110.0F;
    const ScreenTwips screen{1000 * tpp, 800 * tpp, tpp, tpp};
    EXPECT_EQ(kept({900, 0, 1000, 10}, screen), (ScreenRect{900, 0, 1000, 10}));
    EXPECT_EQ(kept({950, 0, 1050, 10}, screen), (ScreenRect{907, 0, 1007, 10}));
    // Each direction has its own factor.
    const ScreenTwips uneven{800.0F * 12, 600.0F * 20, 12, 20};
    EXPECT_EQ(kept({790, 590, 810, 610}, uneven), (ScreenRect{780, 580, 800, 600}));
}

TEST(CentredOver, TruncatesBothHalvesWithOddSizes) {
    const ScreenRect owner{100, 100, 401, 301}; // 301 x 201
    const ScreenRect box{0, 0, 101, 51};
    // left = 100 + 150 - 50, top = 100 + 100 - 25
    EXPECT_EQ(centredOver(owner, box), (ScreenRect{200, 175, 301, 226}));
}

TEST(CentredOver, WithoutAnOwnerOrNearAnEdgeTheBoxIsKeptOnTheScreen) {
    EXPECT_EQ(centredOver({}, {0, 0, 200, 100}), (ScreenRect{-100, -50, 100, 50}));
    EXPECT_EQ(kept(centredOver({}, {0, 0, 200, 100})), (ScreenRect{0, 0, 200, 100}));
    EXPECT_EQ(kept(centredOver({1400, 100, 1600, 300}, {0, 0, 300, 80})),
              (ScreenRect{1300, 160, 1600, 240}));
}

TEST(CentredOver, ResultsPast32BitsRaiseOverflow) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max() - 10;
    EXPECT_EQ(test::errorOf([&] { centredOver({big, 0, big, 0}, {0, 0, 100, 100}); }), ErrOverflow);
}

TEST(MainResizeRule, SnapsUntilBothMinimaAreMetThenPlacesTheViewer) {
    using enum MainResizeAction::Kind;
    const struct {
        bool minimised;
        int width, height;
        MainResizeAction::Kind kind;
        int resultWidth, resultHeight;
    } cases[] = {{false, 8939, 6765, Snap, 8940, 6765},
                 {false, 8940, 6764, Snap, 8940, 6765},
                 {false, 8940, 6765, PlaceViewer, 8740, 5725},
                 {false, 24000, 15000, PlaceViewer, 23800, 13960},
                 {true, 100, 100, Nothing, -1, -1},
                 {true, 9000, 7000, Nothing, -1, -1}};
    for (const auto& c : cases) {
        const auto action = mainResizeAction(c.minimised, c.width, c.height);
        EXPECT_EQ(action.kind, c.kind) << c.width << "x" << c.height;
        if (c.kind != Nothing) {
            EXPECT_EQ(action.width, c.resultWidth) << c.width;
            EXPECT_EQ(action.height, c.resultHeight) << c.height;
        }
    }
}

TEST(ErrorReportText, IsExactlyTheTwoLinesWithSignedNumbersAndLiteralDescriptions) {
    EXPECT_EQ(errorReportText("getAuditFile", 53, "File not found"),
              QStringLiteral("Error 53 = File not found in function getAuditFile occurred.\r\n"
                             "Please contact the manufacturer with this error."));
    EXPECT_TRUE(errorReportText("splashScreenTimer1", -2147221164, "Class not registered")
                    .startsWith("Error -2147221164 = Class not registered in function "
                                "splashScreenTimer1 occurred.\r\n"));
    EXPECT_TRUE(errorReportText("getHistFile", 75, "50% of %3 done")
                    .startsWith("Error 75 = 50% of %3 done in function getHistFile occurred."));
}
