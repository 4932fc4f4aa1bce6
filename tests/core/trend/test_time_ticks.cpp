// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"
#include "core/trend/TimeTicks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace tarvex;

namespace {

constexpr double kSecond = 1.0 / 86400.0;

// Every tick of `plan` over the range, as the axis places them: whole multiples of the step.
std::vector<double> ticksOf(const TimeTickPlan& plan, double lower, double upper) {
    std::vector<double> ticks;
    for (double k = std::ceil(lower / plan.step - 1e-9); k * plan.step <= upper + plan.step * 1e-9;
         ++k) {
        ticks.push_back(k * plan.step);
    }
    return ticks;
}

} // namespace

// Over spans from a few milliseconds to decades and every format of the setup list (and a few
// typed ones), the labels are all different, each names its own tick to the last digit it
// shows, and at least one tick is in view.
TEST(TimeTicks, LabelsAreDistinctAndNameTheirOwnTicksOverSpansAndFormats) {
    const QString formats[] = {"hh:nn:ss",
                               "hh:nn:ss.zzz",
                               "m/d hh:nn:ss",
                               "d mmm h:nn:ss am/pm",
                               "m/d/yy h:nn:ss am/pm",
                               "m/d/yyyy h:nn:ss am/pm",
                               "hh:nn",
                               "m/d/yyyy",
                               "nn:ss"};
    const double spansInSeconds[] = {0.004, 0.05,  0.7,   1.3,    2.0,    3.7,     9.0,
                                     59.0,  61.0,  600.0, 3599.0, 7200.0, 43200.0, 86400.0,
                                     1.5e5, 6.0e5, 2.6e6, 3.2e7,  6.4e7,  3.2e9};
    const double starts[] = {dateSerial(2024, 3, 4) + timeSerial(11, 57, 59, 731),
                             dateSerial(2023, 12, 31) + timeSerial(23, 59, 58)};
    for (const QString& format : formats) {
        for (const double start : starts) {
            for (const double seconds : spansInSeconds) {
                const double end = start + seconds * kSecond;
                const TimeTickPlan plan = planTimeTicks(start, end, 5, format);
                const std::string where = format.toStdString() + " over " +
                                          std::to_string(seconds) +
                                          " s: " + plan.pattern.toStdString();
                const std::vector<double> ticks = ticksOf(plan, start, end);
                ASSERT_FALSE(ticks.empty()) << where;
                ASSERT_LE(ticks.size(), 12U) << where;
                const double unit = patternResolution(plan.pattern);
                ASSERT_GT(unit, 0.0) << where;
                std::set<QString> labels;
                for (const double tick : ticks) {
                    const double units = tick / unit;
                    EXPECT_NEAR(units, std::round(units), 1e-3) << where << " tick between units";
                    EXPECT_TRUE(labels.insert(formatDateSerial(tick, plan.pattern)).second)
                        << where << " repeats "
                        << formatDateSerial(tick, plan.pattern).toStdString();
                }
            }
        }
    }
}

// The chosen format stands while it can; what it gains, it gains in its own style.
TEST(TimeTicks, KeepsTheFormatWhileItSufficesAndGainsOnlyWhatIsMissing) {
    const double noon = dateSerial(2024, 3, 4) + 0.5;
    const struct {
        const char* format;
        double seconds;
        const char* labels;
        double step;
    } cases[] = {
        {"hh:nn:ss", 3.0, "hh:nn:ss", 1.0},     // whole seconds while two fit
        {"hh:nn:ss", 0.9, "hh:nn:ss.zzz", 0.2}, // then milliseconds
        {"d mmm h:nn:ss am/pm", 0.5, "d mmm h:nn:ss.zzz am/pm", 0.1},
        {"hh:nn", 90.0, "hh:nn", 60.0},
        {"hh:nn", 50.0, "hh:nn:ss", 10.0},
        {"hh:nn:ss", 3 * 86400.0, "m/d hh:nn:ss", 86400.0}, // a day repeats the time
        {"m/d hh:nn:ss", 800 * 86400.0, "m/d/yyyy hh:nn:ss", 200 * 86400.0},
        {"d mmm h:nn", 800 * 86400.0, "d mmm yyyy h:nn", 200 * 86400.0},
        {"m/d/yy h:nn:ss am/pm", 250 * 365 * 86400.0, "m/d/yyyy h:nn:ss am/pm", 20000 * 86400.0},
        {"m/d/yyyy", 6 * 3600.0, "m/d/yyyy hh:nn", 7200.0},
    };
    for (const auto& c : cases) {
        const TimeTickPlan plan = planTimeTicks(noon, noon + c.seconds * kSecond, 5, c.format);
        EXPECT_EQ(plan.pattern, c.labels) << c.format << " over " << c.seconds;
        EXPECT_NEAR(plan.step / kSecond, c.step, c.step * 1e-6) << c.format << " " << c.seconds;
    }
}
