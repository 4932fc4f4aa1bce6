#include "common/TvError.h"
#include "common/ValueConvert.h"
#include "trend/TrendBlock.h"
#include "trend/TrendPoint.h"
#include "trend/TrendProgress.h"
#include "trend/TrendZoom.h"

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

int errorOf(auto&& call) {
    try {
        call();
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(TrendProgress, RoundsHalvesToEvenAndShowsAnythingAbove99AsFull) {
    // 1 column, 8 rows of span: each point is 12.5 %.
    EXPECT_EQ(trendProgress(0, 1, 8), 0);
    EXPECT_EQ(trendProgress(1, 1, 8), 12);      // 12.5 -> 12
    EXPECT_EQ(trendProgress(3, 1, 8), 38);      // 37.5 -> 38
    EXPECT_EQ(trendProgress(5, 1, 8), 62);      // 62.5 -> 62
    EXPECT_EQ(trendProgress(1, 2, 3), 17);      // 16.67
    EXPECT_EQ(trendProgress(199, 1, 200), 100); // 99.5 -> 100 (even), then full
    EXPECT_EQ(trendProgress(397, 1, 400), 99);  // 99.25
    EXPECT_EQ(trendProgress(399, 1, 400), 100); // 99.75 -> 100
    // A later block's counter runs on past its own divisor.
    EXPECT_EQ(trendProgress(40, 2, 3), 100);
}

TEST(TrendProgress, AnEmptyDivisorIsARunTimeError) {
    EXPECT_EQ(errorOf([] { (void)trendProgress(1, 1, 0); }), 11);
    EXPECT_EQ(errorOf([] { (void)trendProgress(0, 0, 5); }), ErrOverflow);
}

TEST(TrendZoom, SpanIsHundredthsOfTheFullSpanLeftOfTheTop) {
    const double twoHours = 2.0 / 24;
    EXPECT_DOUBLE_EQ(zoomedSpan(0, twoHours), twoHours);
    EXPECT_DOUBLE_EQ(zoomedSpan(50, twoHours), 1.0 / 24);
    EXPECT_DOUBLE_EQ(zoomedSpan(-100, twoHours), 4.0 / 24);
    EXPECT_DOUBLE_EQ(zoomedSpan(kZoomTopPosition, 100.0), 1.0);
    EXPECT_DOUBLE_EQ(zoomedSpan(30, std::nullopt), 0.0); // no build yet
}

TEST(TrendBlock, WholeColumnRowsCoverEveryRecord) {
    EXPECT_EQ(withWholeColumnRows({3, -1, 4, -1}, 120), (TrendBlock{3, 1, 4, 120}));
    EXPECT_EQ(withWholeColumnRows({3, 7, 4, 9}, 120), (TrendBlock{3, 7, 4, 9}));
    EXPECT_EQ(withWholeRowColumns({-1, 2, -1, 8}, true, 11), (TrendBlock{5, 2, 11, 8}));
    EXPECT_EQ(withWholeRowColumns({-1, 2, -1, 8}, false, 11), (TrendBlock{2, 2, 11, 8}));
}

TEST(TrendBlock, NeedsFourRowsAndMustStartAtTheValueColumns) {
    using enum TrendBlockCheck;
    EXPECT_EQ(checkTrendBlock({2, 1, 2, 4}, false), Ok);
    EXPECT_EQ(checkTrendBlock({2, 1, 2, 3}, false), TooFewRows);
    // Rows are tested before columns.
    EXPECT_EQ(checkTrendBlock({0, 1, 2, 3}, false), TooFewRows);
    // Values start at 2 when the first value holds something, at 5 after empty note columns.
    for (int column : {0, 1}) {
        EXPECT_EQ(checkTrendBlock({column, 1, 6, 9}, false), NotDataCells) << column;
    }
    for (int column : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(checkTrendBlock({column, 1, 6, 9}, true), NotDataCells) << column;
    }
    EXPECT_EQ(checkTrendBlock({5, 1, 6, 9}, true), Ok);
    // Only the first column counts; whole rows pass.
    EXPECT_EQ(checkTrendBlock({2, 1, 0, 9}, false), Ok);
    EXPECT_EQ(checkTrendBlock({-1, 1, -1, 9}, true), Ok);
}

TEST(TrendPoint, TakesTheDateOfOneCellAndTheTimeOfTheOther) {
    const CellValue date = valueFromText(u"3/4/2024");
    const CellValue time = valueFromText(u"01:05:09 PM");
    const double expected = dateSerial(2024, 3, 4) + timeSerial(13, 5, 9);
    EXPECT_DOUBLE_EQ(trendPointX(date, time), expected);
    // A date-time in either cell gives up the other part.
    EXPECT_DOUBLE_EQ(
        trendPointX(valueFromText(u"3/4/2024 11:00 PM"), valueFromText(u"1/1/2000 1:05:09 PM")),
        expected);
    // Before day 0 the time still counts forward from the start of the day.
    EXPECT_DOUBLE_EQ(trendPointX(valueFromText(u"12/29/1899"), valueFromText(u"06:00")), -0.75);
}

TEST(TrendPoint, CellsThatAreNoDateOrTimeAreATypeMismatch) {
    const CellValue time = valueFromText(u"10:00:00 AM");
    for (const char16_t* bad : {u"", u"Bad Input", u"45355", u"13/45/2024"}) {
        const CellValue cell = valueFromText(bad);
        EXPECT_EQ(errorOf([&] { (void)trendPointX(cell, time); }), ErrTypeMismatch);
        EXPECT_EQ(errorOf([&] { (void)trendPointX(time, cell); }), ErrTypeMismatch);
    }
}
