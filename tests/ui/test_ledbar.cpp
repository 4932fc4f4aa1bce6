#include "trend/LedBar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>

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

TEST(LedBar, KeepsThePositionInRange) {
    LedBar bar;
    EXPECT_EQ(bar.PositionMax(), 100);
    EXPECT_EQ(bar.Position(), 0);
    bar.setPosition(150);
    EXPECT_EQ(bar.Position(), 100);
    bar.setPosition(-5);
    EXPECT_EQ(bar.Position(), 0);
    bar.setPosition(80);
    bar.setPositionMax(50);
    EXPECT_EQ(bar.Position(), 50) << "a lower maximum pulls the position down";
    bar.setPositionMax(0);
    EXPECT_EQ(bar.PositionMax(), 1);
}

TEST(LedBar, LightsSegmentsInProportionAndRepaintsOnlyWhenThatChanges) {
    LedBar bar;
    bar.resize(202, 18); // 20 segments of 8 with gaps of 2 and a border of 2
    bar.show();
    QApplication::processEvents();
    ASSERT_EQ(bar.segmentCount(), 20);
    bar.setPosition(50);
    EXPECT_EQ(bar.litSegments(), 10);
    bar.setPosition(100);
    EXPECT_EQ(bar.litSegments(), 20);
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

    const QImage shown = bar.grab().toImage();
    EXPECT_EQ(shown.pixelColor(6, 9), QColor(0, 220, 0)) << "first segment lit";
    bar.setVisible(false);
    EXPECT_FALSE(bar.isVisible());
}
