// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/common/ValueConvert.h"
#include "core/trend/AxisScale.h"
#include "core/trend/DateTickStep.h"
#include "core/trend/TrendBlock.h"
#include "core/trend/TrendCsv.h"
#include "core/trend/TrendPoint.h"
#include "core/trend/TrendProgress.h"
#include "core/trend/TrendZoom.h"
#include "core/trend/ZoomHistory.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvex;
using tarvex::test::errorOf;

// A block as the grid reports it (-1 for whole rows or columns), addressed as the builder does
// in a grid of 10 rows and 8 columns, with and without note columns (an empty first value).
TEST(TrendBlock, WholeRowsColumnsAndTheCornerAreAddressedAndChecked) {
    using enum TrendBlockCheck;
    const struct {
        TrendBlock reported;
        bool notes;
        TrendBlock addressed;
        TrendBlockCheck check;
    } cases[] = {{{-1, 3, -1, 6}, false, {2, 3, 8, 6}, Ok}, // whole rows
                 {{-1, 3, -1, 6}, true, {5, 3, 8, 6}, Ok},  // whole rows past the notes
                 {{-1, 3, -1, 5}, false, {2, 3, 8, 5}, TooFewRows},
                 {{3, -1, 4, -1}, false, {3, 1, 4, 10}, Ok}, // whole columns
                 {{3, -1, 4, -1}, true, {3, 1, 4, 10}, NotDataCells},
                 {{-1, -1, -1, -1}, false, {2, 1, 8, 10}, Ok}, // the corner: everything
                 {{-1, -1, -1, -1}, true, {5, 1, 8, 10}, Ok},
                 {{2, 1, 2, 4}, false, {2, 1, 2, 4}, Ok},
                 {{2, 1, 2, 4}, true, {2, 1, 2, 4}, NotDataCells},
                 {{5, 1, 5, 4}, true, {5, 1, 5, 4}, Ok},
                 {{1, 1, 3, 5}, false, {1, 1, 3, 5}, NotDataCells}, // the time column
                 {{2, 2, 4, 4}, false, {2, 2, 4, 4}, TooFewRows}};
    for (const auto& c : cases) {
        const TrendBlock rows = withWholeColumnRows(c.reported, 10);
        EXPECT_EQ(withWholeRowColumns(rows, c.notes, 8), c.addressed)
            << c.reported.firstColumn << "," << c.reported.firstRow << " notes " << c.notes;
        EXPECT_EQ(checkTrendBlock(rows, c.notes), c.check)
            << c.reported.firstColumn << "," << c.reported.firstRow << " notes " << c.notes;
    }
}

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
    EXPECT_EQ(trendProgress(40, 2, 3), 100);    // a later block's counter runs on
    EXPECT_EQ(errorOf([] { (void)trendProgress(1, 1, 0); }), 11);
    EXPECT_EQ(errorOf([] { (void)trendProgress(0, 0, 5); }), ErrOverflow);
}

TEST(TrendPoint, TakesTheDateOfOneCellAndTheTimeOfTheOther) {
    const double expected = dateSerial(2024, 3, 4) + timeSerial(13, 5, 9);
    EXPECT_DOUBLE_EQ(trendPointX(valueFromText(u"3/4/2024"), valueFromText(u"01:05:09 PM")),
                     expected);
    // A date-time in either cell gives up the other part.
    EXPECT_DOUBLE_EQ(
        trendPointX(valueFromText(u"3/4/2024 11:00 PM"), valueFromText(u"1/1/2000 1:05:09 PM")),
        expected);
    // Before day 0 the time still counts forward from the start of the day.
    EXPECT_DOUBLE_EQ(trendPointX(valueFromText(u"12/29/1899"), valueFromText(u"06:00")), -0.75);
    const CellValue time = valueFromText(u"10:00:00 AM");
    for (const char16_t* bad : {u"", u"Bad Input", u"45355", u"13/45/2024"}) {
        const CellValue cell = valueFromText(bad);
        EXPECT_EQ(errorOf([&] { (void)trendPointX(cell, time); }), ErrTypeMismatch);
        EXPECT_EQ(errorOf([&] { (void)trendPointX(time, cell); }), ErrTypeMismatch);
    }
}

TEST(AxisScale, FollowsDataUntilARangeIsPutThenKeepsTheOtherValue) {
    AxisScale scale(10.0, 5.0);
    scale.followData();
    EXPECT_DOUBLE_EQ(scale.Span(), 5.0) << "no data yet: the last fixed range";
    for (const double v : {45000.5, 45000.25, std::nan(""), 45000.75}) {
        scale.includeData(v);
    }
    EXPECT_DOUBLE_EQ(scale.Min(), 45000.25);
    EXPECT_DOUBLE_EQ(scale.Span(), 0.5);
    scale.setMin(45000.0);
    EXPECT_FALSE(scale.followsData());
    EXPECT_DOUBLE_EQ(scale.Span(), 0.5) << "putting Min keeps the followed Span";
    scale.includeData(46000.0);
    EXPECT_DOUBLE_EQ(scale.Max(), 45000.5) << "a put range ignores new data";
    EXPECT_EQ(errorOf([&] { scale.setSpan(std::nan("")); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([&] { scale.setMin(INFINITY); }), ErrInvalidCall);
    EXPECT_DOUBLE_EQ(scale.Span(), 0.5);
}

TEST(DateTickStep, ChoosesWholeClockUnitsWithoutExceedingTheTickCount) {
    constexpr double second = 1.0 / 86400.0;
    EXPECT_NEAR(dateTickStep(2.0 / 24.0, 4), 1800 * second, 1e-12);
    EXPECT_NEAR(dateTickStep(3.0, 4), 1.0, 1e-12);
    EXPECT_NEAR(dateTickStep(second, 4), 0.5 * second, 1e-12) << "below a second: 1-2-5";
    EXPECT_NEAR(dateTickStep(60.0, 4), 20.0, 1e-9) << "beyond two weeks: 1-2-5 days";
    EXPECT_GT(dateTickStep(0.0, 4), 0.0);
    for (int i = 0; i < 40; ++i) {
        const double span = 1e-6 * std::pow(1.7, i);
        const double ticks = span / dateTickStep(span, 5);
        EXPECT_TRUE(ticks > 0.9 && ticks <= 5.0 + 1e-6) << "span " << span;
    }
}

TEST(TrendZoom, TheWheelKeepsThePointUnderThePointerAndADragMovesTheOtherWay) {
    const AxisRange range{100.0, 10.0};
    const struct {
        double anchor;
        double notches;
        AxisRange zoomed;
    } cases[] = {{105.0, 1.0, {101.0, 8.0}},  // a notch forward: four fifths about the middle
                 {100.0, 2.0, {100.0, 6.4}},  // at the start the start stays
                 {110.0, -1.0, {97.5, 12.5}}, // back: five fourths, the end stays
                 {102.0, 0.5, {102.0 - 2.0 * std::sqrt(0.8), 10.0 * std::sqrt(0.8)}}};
    for (const auto& c : cases) {
        const AxisRange zoomed = wheelZoomed(range, c.anchor, c.notches);
        EXPECT_NEAR(zoomed.min, c.zoomed.min, 1e-12) << c.anchor << " " << c.notches;
        EXPECT_NEAR(zoomed.span, c.zoomed.span, 1e-12) << c.anchor << " " << c.notches;
    }
    const AxisRange there = wheelZoomed(wheelZoomed(range, 104.0, 3.0), 104.0, -3.0);
    EXPECT_NEAR(there.min, 100.0, 1e-12);
    EXPECT_NEAR(there.span, 10.0, 1e-12);
    // Past what an axis resolves or draws, the range stays; the other way it still zooms.
    const AxisRange fine{45000.0, 1e-7};
    EXPECT_DOUBLE_EQ(wheelZoomed(fine, 45000.0, 1.0).span, fine.span);
    EXPECT_DOUBLE_EQ(wheelZoomed(fine, 45000.0, -1.0).span, 1.25e-7);
    EXPECT_DOUBLE_EQ(wheelZoomed(range, 105.0, -3000.0).span, range.span);
    const AxisRange panned = dragPanned(range, 0.25);
    EXPECT_DOUBLE_EQ(panned.min, 97.5);
    EXPECT_DOUBLE_EQ(panned.span, 10.0);
}

// Back and forward run through the views zoomed through, as a browser's pages; a new zoom after
// going back forgets what lay ahead.
TEST(ZoomHistory, GoesBackAndForwardAndANewZoomForgetsTheViewsAhead) {
    const auto view = [](double min) { return PlotView{{min, 1.0}, {0.0, 10.0}}; };
    ZoomHistory history;
    EXPECT_FALSE(history.back(view(0)));
    history.record(view(0)); // zoomed from 0 to 1
    history.record(view(1)); // from 1 to 2
    history.record(view(1)); // a zoom that changed nothing: kept once
    EXPECT_EQ(history.back(view(2)), view(1));
    EXPECT_EQ(history.back(view(1)), view(0));
    EXPECT_FALSE(history.canGoBack());
    EXPECT_EQ(history.forward(view(0)), view(1));
    history.record(view(1)); // zoomed from 1 to 5
    EXPECT_FALSE(history.canGoForward()) << "the view 2 ahead is forgotten";
    EXPECT_EQ(history.back(view(5)), view(1));
    EXPECT_EQ(history.forward(view(1)), view(5));
    for (int i = 0; i < 150; ++i) {
        history.record(view(10 + i));
    }
    int steps = 0;
    while (history.back(view(0))) {
        ++steps;
    }
    EXPECT_EQ(steps, static_cast<int>(ZoomHistory::kMostViews));
}

// The time axis zooms out no further than a hundred times its data (at least a day) and never
// past the dates a label can name.
TEST(TrendZoom, TheTimeAxisStaysWhereDatesCanBeLabelled) {
    const double start = dateSerial(2024, 3, 4);
    EXPECT_TRUE(timeRangeLabelled({start, 100 * 2.0}, 2.0));
    EXPECT_FALSE(timeRangeLabelled({start, 100 * 2.0 + 1}, 2.0));
    EXPECT_TRUE(timeRangeLabelled({start, 1.0}, 0.0)) << "a day, however short the data";
    EXPECT_FALSE(timeRangeLabelled({start, 1.5}, 0.0));
    EXPECT_FALSE(timeRangeLabelled({dateSerial(9999, 12, 1), 60.0}, 60.0)) << "past 9999";
    EXPECT_FALSE(timeRangeLabelled({dateSerial(100, 1, 1) - 2, 10.0}, 10.0)) << "before 100";
}

// One line per record time of any channel, each channel's own text there, empty where it has
// no record; quoting only where a field needs it; milliseconds only when a time has them.
TEST(TrendCsv, MergesTheChannelsRecordTimesAndKeepsTheirTexts) {
    const double t0 = dateSerial(2024, 3, 4) + timeSerial(23, 59, 58);
    const double s = timeSerial(0, 0, 1);
    const std::vector<CsvChannel> channels{
        {"Flow", {t0, t0 + s, t0 + 2 * s}, {"1.00", "Bad Input", "37.90"}},
        {"Temp, inlet", {t0 + s, t0 + 3 * s}, {"20", "say \"hi\""}},
        {"Empty", {}, {}}};
    EXPECT_EQ(trendCsv(channels), QByteArray("Time,Flow,\"Temp, inlet\",Empty\r\n"
                                             "3/4/2024 11:59:58 PM,1.00,,\r\n"
                                             "3/4/2024 11:59:59 PM,Bad Input,20,\r\n"
                                             "3/5/2024 12:00:00 AM,37.90,,\r\n"
                                             "3/5/2024 12:00:01 AM,,\"say \"\"hi\"\"\",\r\n"));
    const std::vector<CsvChannel> fine{{"A", {t0, t0 + s / 4}, {"1", "2\u00b0"}}};
    EXPECT_EQ(trendCsv(fine), QByteArray("Time,A\r\n3/4/2024 11:59:58.000 PM,1\r\n"
                                         "3/4/2024 11:59:58.250 PM,2\xb0\r\n"));
}
