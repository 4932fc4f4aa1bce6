#include "CoreTestHelpers.h"
#include "common/TvError.h"
#include "common/ValueConvert.h"
#include "trend/TrendPoint.h"
#include "trend/TrendProgress.h"

#include <gtest/gtest.h>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {} // namespace

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
