#include "common/TvError.h"
#include "trend/AxisScale.h"
#include "trend/DateTickStep.h"
#include "trend/OleColor.h"
#include "trend/TraceColors.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>
#include <limits>

using namespace tarvex;

namespace {
constexpr double kSecond = 1.0 / 86400.0;
}

TEST(AxisScale, FollowsDataUntilARangeIsPutThenKeepsTheOtherValue) {
    AxisScale scale(10.0, 5.0);
    scale.followData();
    EXPECT_DOUBLE_EQ(scale.Min(), 10.0) << "no data yet: the last fixed range";
    EXPECT_DOUBLE_EQ(scale.Span(), 5.0);

    for (const double v : {45000.5, 45000.25, std::nan(""), 45000.75}) {
        scale.includeData(v);
    }
    EXPECT_DOUBLE_EQ(scale.Min(), 45000.25);
    EXPECT_DOUBLE_EQ(scale.Span(), 0.5);
    EXPECT_DOUBLE_EQ(scale.Max(), 45000.75);

    scale.setSpan(0.125);
    EXPECT_FALSE(scale.followsData());
    EXPECT_DOUBLE_EQ(scale.Min(), 45000.25) << "changing Span keeps Min";
    EXPECT_DOUBLE_EQ(scale.Max(), 45000.375);

    scale.includeData(46000.0);
    EXPECT_DOUBLE_EQ(scale.Span(), 0.125) << "a fixed range ignores new data";

    scale.setMin(3.0);
    EXPECT_DOUBLE_EQ(scale.Span(), 0.125) << "changing Min keeps Span";

    scale.followData();
    scale.clearData();
    EXPECT_DOUBLE_EQ(scale.Min(), 3.0);
    scale.includeData(7.0);
    EXPECT_DOUBLE_EQ(scale.Min(), 7.0);
    EXPECT_DOUBLE_EQ(scale.Span(), 0.0) << "a single point has no width";
}

TEST(AxisScale, SettingMinWhileFollowingKeepsTheFollowedSpan) {
    AxisScale scale(0.0, 100.0);
    scale.followData();
    scale.includeData(-2.0);
    scale.includeData(3.0);
    scale.setMin(-10.0);
    EXPECT_DOUBLE_EQ(scale.Span(), 5.0);
}

TEST(AxisScale, RejectsNonFiniteRanges) {
    AxisScale scale(0.0, 1.0);
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        try {
            scale.setSpan(bad);
            FAIL() << "no error for " << bad;
        } catch (const TvError& e) {
            EXPECT_EQ(e.number(), ErrInvalidCall);
        }
        EXPECT_THROW(scale.setMin(bad), TvError);
    }
    EXPECT_DOUBLE_EQ(scale.Span(), 1.0);
}

TEST(DateTickStep, ChoosesWholeClockUnits) {
    EXPECT_NEAR(dateTickStep(2.0 / 24.0, 4), 1800 * kSecond, 1e-12) << "2 hours: half hours";
    EXPECT_NEAR(dateTickStep(0.0069, 4), 300 * kSecond, 1e-12) << "about 10 minutes";
    EXPECT_NEAR(dateTickStep(10 * kSecond, 4), 5 * kSecond, 1e-12);
    EXPECT_NEAR(dateTickStep(3.0, 4), 1.0, 1e-12) << "3 days: whole days";
    EXPECT_NEAR(dateTickStep(kSecond, 4), 0.5 * kSecond, 1e-12) << "below a second: 1-2-5";
    EXPECT_NEAR(dateTickStep(60.0, 4), 20.0, 1e-9) << "beyond two weeks: 1-2-5 days";
    EXPECT_NEAR(dateTickStep(-2.0 / 24.0, 4), 1800 * kSecond, 1e-12) << "a reversed range";
    EXPECT_GT(dateTickStep(0.0, 4), 0.0);
    EXPECT_GT(dateTickStep(std::nan(""), 4), 0.0);
}

TEST(DateTickStep, NeverGivesMoreTicksThanAsked) {
    for (int i = 0; i < 40; ++i) {
        const double span = 1e-6 * std::pow(1.7, i);
        const double step = dateTickStep(span, 5);
        EXPECT_LE(span / step, 5.0 + 1e-6) << "span " << span;
        EXPECT_GT(span / step, 0.9) << "span " << span;
    }
}

TEST(OleColor, ConvertsBetweenBgrNumbersAndColours) {
    EXPECT_EQ(fromOleColor(13948116), QColor(212, 212, 212));
    EXPECT_EQ(fromOleColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(fromOleColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(fromOleColor(static_cast<std::int32_t>(0x80123456)), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toOleColor(QColor(212, 212, 212)), 13948116);
    EXPECT_EQ(toOleColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(toOleColor(QColor::fromHsv(0, 255, 255)), 0x0000FF) << "any colour spec";
}

TEST(TraceColors, AreAllDifferentAndStandOutFromTheBackground) {
    QSet<QRgb> seen;
    for (int i = 0; i < 400; ++i) {
        const QColor c = traceColor(i);
        EXPECT_FALSE(seen.contains(c.rgb())) << "channel " << i << " repeats a colour";
        seen.insert(c.rgb());
        EXPECT_NE(c, QColor(212, 212, 212));
    }
}
