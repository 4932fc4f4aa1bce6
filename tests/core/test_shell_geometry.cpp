#include "shell/ErrorReportText.h"
#include "shell/MainWindowSizing.h"
#include "shell/MsgBoxGeometry.h"

#include "common/TvError.h"

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

TEST(KeepOnScreen, LeavesARectangleInsideTheScreenAlone) {
    EXPECT_EQ(kept({10, 20, 110, 70}), (ScreenRect{10, 20, 110, 70}));
    EXPECT_EQ(kept({1500, 950, 1600, 1000}), (ScreenRect{1500, 950, 1600, 1000}));
}

TEST(KeepOnScreen, MovesNegativeLeftAndTopToZeroKeepingTheSize) {
    EXPECT_EQ(kept({-10, 5, 90, 55}), (ScreenRect{0, 5, 100, 55}));
    EXPECT_EQ(kept({5, -30, 105, 20}), (ScreenRect{5, 0, 105, 50}));
    EXPECT_EQ(kept({-7, -9, 3, 1}), (ScreenRect{0, 0, 10, 10}));
}

TEST(KeepOnScreen, ShiftsARectanglePastTheRightOrBottomEdgeBack) {
    EXPECT_EQ(kept({1550, 10, 1650, 60}), (ScreenRect{1500, 10, 1600, 60}));
    EXPECT_EQ(kept({10, 980, 110, 1030}), (ScreenRect{10, 950, 110, 1000}));
}

TEST(KeepOnScreen, ARectangleLargerThanTheScreenEndsFlushWithTheFarEdge) {
    // Left is settled first, then the right edge wins and pushes left off the screen.
    EXPECT_EQ(kept({-50, 0, 1750, 50}), (ScreenRect{-200, 0, 1600, 50}));
    EXPECT_EQ(kept({0, -5, 40, 1195}), (ScreenRect{0, -200, 40, 1000}));
}

TEST(KeepOnScreen, RoundsScreenTwipsAndTwipsPerPixelBeforeDividing) {
    // 110 DPI: 13.09 twips per pixel, rounded to 13, so the screen counts as 1007 pixels wide
    // while the comparison itself still runs in twips.
    const float tpp = 1440.0F / 110.0F;
    const ScreenTwips screen{1000 * tpp, 800 * tpp, tpp, tpp};
    EXPECT_EQ(kept({900, 0, 1000, 10}, screen), (ScreenRect{900, 0, 1000, 10}));
    EXPECT_EQ(kept({950, 0, 1050, 10}, screen), (ScreenRect{907, 0, 1007, 10}));
}

TEST(KeepOnScreen, UsesEachDirectionsOwnTwipsPerPixel) {
    const ScreenTwips screen{800.0F * 12, 600.0F * 20, 12, 20};
    EXPECT_EQ(kept({790, 590, 810, 610}, screen), (ScreenRect{780, 580, 800, 600}));
}

TEST(CentredOver, TruncatesBothHalvesWithOddSizes) {
    const ScreenRect owner{100, 100, 401, 301}; // 301 x 201
    const ScreenRect box{0, 0, 101, 51};
    // left = 100 + 150 - 50, top = 100 + 100 - 25
    EXPECT_EQ(centredOver(owner, box), (ScreenRect{200, 175, 301, 226}));
}

TEST(CentredOver, KeepsTheBoxSizeWherever) {
    const ScreenRect box{500, 600, 740, 730};
    const ScreenRect r = centredOver({1000, 10, 1600, 410}, box);
    EXPECT_EQ(r.width(), 240);
    EXPECT_EQ(r.height(), 130);
    EXPECT_EQ(r.left, 1000 + 300 - 120);
}

TEST(CentredOver, AnOwnerNamingNoWindowCentresOnTheOriginAndIsKeptAtTheCorner) {
    ScreenRect r = centredOver({}, {0, 0, 200, 100});
    EXPECT_EQ(r, (ScreenRect{-100, -50, 100, 50}));
    KeepOnScreen(r, screen1600x1000());
    EXPECT_EQ(r, (ScreenRect{0, 0, 200, 100}));
}

TEST(CentredOver, AnOwnerNearTheRightEdgeShiftsTheBoxLeftKeepingItsWidth) {
    ScreenRect r = centredOver({1400, 100, 1600, 300}, {0, 0, 300, 80});
    KeepOnScreen(r, screen1600x1000());
    EXPECT_EQ(r, (ScreenRect{1300, 160, 1600, 240}));
}

TEST(CentredOver, ResultsPast32BitsRaiseOverflow) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max() - 10;
    try {
        centredOver({big, 0, big, 0}, {0, 0, 100, 100});
        ADD_FAILURE() << "no error raised";
    } catch (const TvError& e) {
        EXPECT_EQ(e.number(), ErrOverflow);
    }
}

TEST(MainResizeRule, SnapsUntilBothMinimaAreMet) {
    const auto narrow = mainResizeAction(false, 8939, 6765);
    EXPECT_EQ(narrow.kind, MainResizeAction::Kind::Snap);
    EXPECT_EQ(narrow.width, 8940);
    EXPECT_EQ(narrow.height, 6765);
    EXPECT_EQ(mainResizeAction(false, 8940, 6764).kind, MainResizeAction::Kind::Snap);
    EXPECT_EQ(mainResizeAction(false, 100, 100).kind, MainResizeAction::Kind::Snap);
}

TEST(MainResizeRule, PlacesTheViewerOnceBothMinimaAreMet) {
    const auto at = mainResizeAction(false, 8940, 6765);
    EXPECT_EQ(at.kind, MainResizeAction::Kind::PlaceViewer);
    EXPECT_EQ(at.width, 8740);
    EXPECT_EQ(at.height, 5725);
    const auto big = mainResizeAction(false, 24000, 15000);
    EXPECT_EQ(big.width, 23800);
    EXPECT_EQ(big.height, 13960);
}

TEST(MainResizeRule, DoesNothingWhileMinimised) {
    EXPECT_EQ(mainResizeAction(true, 100, 100).kind, MainResizeAction::Kind::Nothing);
    EXPECT_EQ(mainResizeAction(true, 9000, 7000).kind, MainResizeAction::Kind::Nothing);
}

TEST(ErrorReportText, IsExactlyTheTwoLinesOfTheErrorMessage) {
    EXPECT_EQ(errorReportText("getAuditFile", 53, "File not found"),
              QStringLiteral("Error 53 = File not found in function getAuditFile occurred.\r\n"
                             "Please contact the manufacturer with this error."));
    EXPECT_EQ(errorReportText("x", 0, {}).split(QStringLiteral("\r\n")).size(), 2);
}

TEST(ErrorReportText, ShowsNegativeNumbersWithTheirSignAndNoPadding) {
    EXPECT_TRUE(errorReportText("splashScreenTimer1", -2147221164, "Class not registered")
                    .startsWith("Error -2147221164 = Class not registered in function "
                                "splashScreenTimer1 occurred.\r\n"));
    EXPECT_TRUE(errorReportText("p", -5, "d").startsWith("Error -5 = d in"));
}

TEST(ErrorReportText, TakesDescriptionsLiterally) {
    EXPECT_TRUE(errorReportText("getHistFile", 75, "50% of %3 done")
                    .startsWith("Error 75 = 50% of %3 done in function getHistFile occurred."));
}
