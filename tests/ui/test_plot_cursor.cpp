#include "common/ValueFormat.h"
#include "trend/PlotControl.h"
#include "trend/PlotDataCursor.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace tarvex;

namespace {

constexpr double kStart = 45292.25;
constexpr double kSecond = 1.0 / 86400.0;

// A shown plot of 800 x 600 over ten seconds with two channels: "A" has a point every second
// (value = second, a gap at second 4), "B" only at seconds 0 and 10.
class PlotCursor : public ::testing::Test {
protected:
    void SetUp() override {
        plot.resize(800, 600);
        plot.AddChannel();
        plot.Channel(0).setTitleText("A");
        for (int i = 0; i <= 10; ++i) {
            if (i == 4) {
                plot.Channel(0).AddEmpty(at(i));
            } else {
                plot.Channel(0).AddXY(at(i), i);
            }
        }
        plot.AddChannel();
        plot.Channel(1).setTitleText("B");
        plot.Channel(1).AddXY(at(0), -1.5);
        plot.Channel(1).AddXY(at(10), 2.5);
        plot.XAxis().setMin(kStart);
        plot.XAxis().setSpan(10 * kSecond);
        plot.show();
        plot.replotNow();
    }

    static double at(double seconds) { return kStart + seconds * kSecond; }
    [[nodiscard]] int pixelAt(double seconds) const {
        return static_cast<int>(plot.customPlot()->xAxis->coordToPixel(at(seconds)));
    }
    void mouse(QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPointF pos(x, 300);
        QMouseEvent event(type, pos, plot.customPlot()->mapToGlobal(pos), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(plot.customPlot(), &event);
    }
    void key(Qt::Key k) {
        QKeyEvent event(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(plot.customPlot(), &event);
    }

    PlotControl plot;
    PlotDataCursor& cursor = plot.DataCursor(0);
};

} // namespace

TEST_F(PlotCursor, ShowsInTheMiddleAndTogglesBackToHidden) {
    cursor.setVisible(!cursor.Visible());
    EXPECT_TRUE(cursor.Visible());
    EXPECT_NEAR(cursor.position(), at(5), 1e-9);
    plot.replotNow();
    const auto* layer = plot.customPlot()->layer("cursor");
    ASSERT_NE(layer, nullptr);
    ASSERT_EQ(layer->children().size(), 2);
    EXPECT_TRUE(layer->children().at(0)->visible());

    cursor.setVisible(!cursor.Visible());
    EXPECT_FALSE(cursor.Visible());
    EXPECT_FALSE(layer->children().at(0)->visible());
    EXPECT_FALSE(layer->children().at(1)->visible());
}

TEST_F(PlotCursor, ReadsEachChannelsNearestValue) {
    cursor.setVisible(true);
    cursor.setPosition(at(6.2));
    const QString time = formatDateSerial(at(6.2), plot.XAxis().DateTimeFormat());
    EXPECT_EQ(cursor.readout(), time + "\nA: 6\nB: 2.5");
    cursor.setPosition(at(4.1));
    EXPECT_TRUE(cursor.readout().contains("A: no value")) << "the gap";
    EXPECT_TRUE(cursor.readout().contains("B: -1.5"));
    cursor.setPosition(at(-30));
    EXPECT_NEAR(cursor.position(), at(0), 1e-12) << "kept in the visible range";
    plot.ClearPlot();
    EXPECT_EQ(cursor.readout(), formatDateSerial(at(0), plot.XAxis().DateTimeFormat()));
}

TEST_F(PlotCursor, FollowsTheMouseWhileDragged) {
    mouse(QEvent::MouseButtonPress, pixelAt(3), Qt::LeftButton);
    EXPECT_FALSE(cursor.Visible()) << "a hidden cursor takes no clicks";

    cursor.setVisible(true);
    mouse(QEvent::MouseButtonPress, pixelAt(2), Qt::LeftButton);
    EXPECT_NEAR(cursor.position(), at(2), 0.1 * kSecond);
    mouse(QEvent::MouseMove, pixelAt(8), Qt::LeftButton);
    EXPECT_NEAR(cursor.position(), at(8), 0.1 * kSecond);
    mouse(QEvent::MouseButtonRelease, pixelAt(8), Qt::NoButton);
    mouse(QEvent::MouseMove, pixelAt(1), Qt::NoButton);
    EXPECT_NEAR(cursor.position(), at(8), 0.1 * kSecond) << "released: stays";
}

TEST_F(PlotCursor, ArrowKeysStepFromPointToPoint) {
    cursor.setVisible(true);
    cursor.setPosition(at(6.5));
    key(Qt::Key_Right);
    EXPECT_DOUBLE_EQ(cursor.position(), at(7));
    key(Qt::Key_Right);
    EXPECT_DOUBLE_EQ(cursor.position(), at(8));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(cursor.position(), at(6));

    plot.ClearPlot();
    cursor.setPosition(at(5));
    key(Qt::Key_Right);
    const double pixel =
        plot.customPlot()->xAxis->pixelToCoord(1) - plot.customPlot()->xAxis->pixelToCoord(0);
    EXPECT_NEAR(cursor.position(), at(5) + pixel, 1e-12) << "no points: one pixel";
}
