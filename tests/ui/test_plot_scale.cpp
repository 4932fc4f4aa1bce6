#include "common/TvError.h"
#include "trend/AxisScale.h"
#include "trend/DateTickStep.h"
#include "trend/OleColor.h"
#include "trend/TraceColors.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>

using namespace tarvex;

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

    EXPECT_THROW(scale.setSpan(std::nan("")), TvError);
    EXPECT_THROW(scale.setMin(INFINITY), TvError);
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

TEST(OleColor, ConvertsBetweenBgrNumbersAndColours) {
    EXPECT_EQ(fromOleColor(13948116), QColor(212, 212, 212));
    EXPECT_EQ(fromOleColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(fromOleColor(static_cast<std::int32_t>(0x80123456)), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toOleColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(toOleColor(QColor::fromHsv(0, 255, 255)), 0x0000FF) << "an HSV colour";
}

TEST(TraceColors, AreAllDifferentAndStandOutFromTheBackground) {
    QSet<QRgb> seen{qRgb(212, 212, 212)};
    for (int i = 0; i < 400; ++i) {
        EXPECT_FALSE(seen.contains(traceColor(i).rgb())) << "channel " << i;
        seen.insert(traceColor(i).rgb());
    }
}
