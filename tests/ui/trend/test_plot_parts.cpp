// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "ui/trend/LedBar.h"
#include "ui/trend/SliderControl.h"
#include "ui/trend/TraceColors.h"

#include <QApplication>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>

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

TEST(TraceColors, AreAllDifferentAndStandOutFromTheBackground) {
    QSet<QRgb> seen{QColor(212, 212, 212).rgb()}; // the plot's background
    for (int i = 0; i < 400; ++i) {
        EXPECT_FALSE(seen.contains(traceColor(i).rgb())) << "channel " << i;
        seen.insert(traceColor(i).rgb());
    }
}
