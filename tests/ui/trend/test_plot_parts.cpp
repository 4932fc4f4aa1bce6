// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "core/trend/ColorDistance.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/NumericInput.h"
#include "ui/trend/SliderControl.h"
#include "ui/trend/TraceColors.h"

#include <QApplication>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using namespace tarvex;

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

// A build updates the bar at every point: it repaints only when a lit segment changes.
TEST(LedBar, KeepsThePositionInRangeAndRepaintsOnlyWhenALitSegmentChanges) {
    LedBar bar;
    bar.setPosition(150);
    EXPECT_EQ(bar.Position(), 100);
    bar.setPositionMax(50);
    EXPECT_EQ(bar.Position(), 50) << "a lower maximum pulls the position down";
    bar.setPositionMax(100);
    bar.resize(202, 18); // 20 segments of 8 with gaps of 2 and a border of 2
    bar.show();
    EXPECT_EQ(bar.litSegments(), 10);
    bar.setPosition(0);
    QApplication::processEvents();
    PaintCounter counter;
    bar.installEventFilter(&counter);
    for (int i = 0; i < 2000; ++i) {
        bar.setPosition(i / 20);
        QApplication::processEvents();
    }
    EXPECT_GE(counter.paints, 10);
    EXPECT_LE(counter.paints, 20);
}

TEST(SliderControl, CodeChangesAreKeptInRangeAndSignalledOnce) {
    SliderControl slider(Qt::Horizontal);
    QSignalSpy changes(&slider, &SliderControl::PositionChange);
    for (const double p : {37.5, 37.5, 250.0, -1000.0}) {
        slider.setPosition(p);
    }
    EXPECT_EQ(changes.size(), 3) << "no event without a change";
    EXPECT_DOUBLE_EQ(changes[0][0].toDouble(), 37.5) << "code may put a fraction";
    EXPECT_DOUBLE_EQ(changes[1][0].toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(slider.Position(), -100.0);
    slider.setPositionMin(-10.0);
    EXPECT_DOUBLE_EQ(slider.Position(), -10.0) << "a narrower range moves the position";
    EXPECT_EQ(slider.slider()->value(), -10);
}

// The rule the colours keep: past the twelfth, each channel's colour is plainly different from
// every other channel's (CIEDE2000), and all show on the background; and none repeats.
TEST(TraceColors, ChannelsPastTheTwelfthDifferClearlyFromEveryOtherAndNoneRepeats) {
    const auto lab = [](QColor c) { return labFromRgb(c.red(), c.green(), c.blue()); };
    const LabColor background = lab(QColor(kTraceBackground));
    double nearest = 1e9;
    for (int i = 0; i < kDistinctTraceColors; ++i) {
        EXPECT_GE(deltaE2000(lab(traceColor(i)), background), kLeastBackgroundDistance) << i;
        for (int j = std::max(i + 1, 12); j < kDistinctTraceColors; ++j) {
            const double distance = deltaE2000(lab(traceColor(i)), lab(traceColor(j)));
            EXPECT_GE(distance, kLeastTraceDistance) << "channels " << i + 1 << " and " << j + 1;
            nearest = std::min(nearest, distance);
        }
    }
    EXPECT_LT(nearest, kLeastTraceDistance + 3) << "the rule states what the colours reach";
    QSet<QRgb> seen{QColor(kTraceBackground).rgb()}; // the plot's background
    for (int i = 0; i < 400; ++i) {
        EXPECT_FALSE(seen.contains(traceColor(i).rgb())) << "channel " << i;
        seen.insert(traceColor(i).rgb());
    }
}

// The input shows fifteen significant digits but keeps the exact value behind them until the
// text is edited; it takes any finite value an axis can draw, typed plainly or with an exponent.
TEST(NumericInput, ShowsFifteenDigitsKeepsTheExactValueAndTakesAnyAxisValue) {
    NumericInput input;
    const struct {
        double value;
        const char* shown;
    } cases[] = {{12.345678901 + 1e-14, "12.345678901"},
                 {5.5e9, "5500000000"},
                 {1e12 + 0.5, "1000000000000.5"},
                 {-10000.000001, "-10000.000001"},
                 {1e-6 + 1e-21, "0.000001"},
                 {4.2e-9, "4.2e-09"},
                 {-3e200, "-3e+200"},
                 {0.1 + 0.2, "0.3"},
                 {0.0, "0"}};
    for (const auto& c : cases) {
        input.setValue(c.value);
        EXPECT_EQ(input.text(), c.shown) << c.shown;
        input.interpretText(); // as leaving the box does
        EXPECT_EQ(input.value(), c.value) << c.shown << ": exact behind its text";
    }
    for (const auto& [typed, value] :
         {std::pair{"12.345678901", 12.345678901}, {"4e9", 4e9}, {"-2.5E-7", -2.5e-7}}) {
        input.selectAll();
        QTest::keyClicks(&input, typed);
        input.interpretText();
        EXPECT_EQ(input.value(), value) << typed;
    }
    int at = 0;
    QString huge = "1e300";
    EXPECT_NE(input.validate(huge, at), QValidator::Acceptable) << "beyond what an axis draws";
    QString word = "1e3x";
    EXPECT_EQ(input.validate(word, at), QValidator::Invalid);
}
