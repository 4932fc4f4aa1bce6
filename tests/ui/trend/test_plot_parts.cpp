#include "trend/LedBar.h"
#include "trend/OleColor.h"
#include "trend/SliderControl.h"
#include "trend/TraceColors.h"

#include <gtest/gtest.h>

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

TEST(LedBar, KeepsThePositionInRangeAndRepaintsOnlyWhenALitSegmentChanges) {
    LedBar bar;
    bar.setPosition(150);
    EXPECT_EQ(bar.Position(), 100);
    bar.setPosition(-5);
    EXPECT_EQ(bar.Position(), 0);
    bar.setPosition(80);
    bar.setPositionMax(50);
    EXPECT_EQ(bar.Position(), 50) << "a lower maximum pulls the position down";
    bar.setPositionMax(0);
    EXPECT_EQ(bar.PositionMax(), 1);
    bar.setPositionMax(100);

    bar.resize(202, 18); // 20 segments of 8 with gaps of 2 and a border of 2
    bar.show();
    bar.setPosition(50);
    ASSERT_EQ(bar.segmentCount(), 20);
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
    EXPECT_LE(counter.paints, 20) << "one repaint per newly lit segment";
}

TEST(SliderControl, CodeChangesAreKeptInRangeAndSignalledOnce) {
    SliderControl slider(Qt::Horizontal);
    QSignalSpy changes(&slider, &SliderControl::PositionChange);
    slider.setPosition(50.0);
    slider.setPosition(50.0);
    ASSERT_EQ(changes.size(), 1) << "no event without a change";
    EXPECT_DOUBLE_EQ(changes[0][0].toDouble(), 50.0);
    EXPECT_EQ(slider.slider()->value(), 50);
    slider.setPosition(37.5);
    EXPECT_DOUBLE_EQ(slider.Position(), 37.5) << "code may put a fraction";
    slider.setPosition(250.0);
    EXPECT_DOUBLE_EQ(slider.Position(), 100.0);
    slider.setPosition(-1000.0);
    EXPECT_DOUBLE_EQ(slider.Position(), -100.0);
    EXPECT_EQ(changes.size(), 4);
    slider.setPositionMin(-10.0);
    EXPECT_DOUBLE_EQ(slider.Position(), -10.0) << "a narrower range moves the position";
    EXPECT_EQ(changes.size(), 5);
}

TEST(TraceColors, AreAllDifferentAndStandOutFromTheBackground) {
    QSet<QRgb> seen{qRgb(212, 212, 212)};
    for (int i = 0; i < 400; ++i) {
        EXPECT_FALSE(seen.contains(traceColor(i).rgb())) << "channel " << i;
        seen.insert(traceColor(i).rgb());
    }
    EXPECT_EQ(fromOleColor(13948116), QColor(212, 212, 212));
    EXPECT_EQ(fromOleColor(static_cast<std::int32_t>(0x80123456)), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toOleColor(QColor::fromHsv(0, 255, 255)), 0x0000FF) << "an HSV colour";
}
