#include "CoreTestHelpers.h"

#include "common/ValueFormat.h"
#include "trend/PlotControl.h"
#include "trend/PlotDataCursor.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

constexpr double kStart = 45292.25; // 1/1/2024 6:00 am
constexpr double kSecond = 1.0 / 86400.0;

double at(double seconds) {
    return kStart + seconds * kSecond;
}

// A plot of 800 x 600 over ten seconds with two channels: "A" has a point every second
// (value = second, a gap at second 4), "B" only at seconds 0 and 10.
class PlotCursor : public ::testing::Test {
protected:
    PlotCursor() {
        plot.resize(800, 600);
        plot.AddChannel();
        plot.Channel(0).setTitleText("A");
        for (int i = 0; i <= 10; ++i) {
            EXPECT_EQ(i == 4 ? plot.Channel(0).AddEmpty(at(i)) : plot.Channel(0).AddXY(at(i), i),
                      i);
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
    [[nodiscard]] int pixelAt(double seconds) const {
        return static_cast<int>(std::lround(plot.customPlot()->xAxis->coordToPixel(at(seconds))));
    }
    void send(QEvent::Type type, double seconds, Qt::MouseButtons buttons = Qt::LeftButton) {
        const QPointF pos(pixelAt(seconds), 300);
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

TEST_F(PlotCursor, ShowsInTheMiddleAndReadsEachChannelsNearestValue) {
    cursor.setVisible(true);
    EXPECT_NEAR(cursor.position(), at(5), 1e-9);
    // The time read is that of the nearest point; a channel's point elsewhere says when.
    const auto time = [&](double s) {
        return formatDateSerial(at(s), plot.XAxis().DateTimeFormat());
    };
    cursor.setPosition(at(6.2));
    EXPECT_EQ(cursor.readout(), time(6) + "\nA: 6\nB: 2.5 (" + time(10) + ")");
    cursor.setPosition(at(4.1));
    EXPECT_EQ(cursor.readout(), time(4) + "\nA: no value\nB: -1.5 (" + time(0) + ")") << "gap";
    cursor.setPosition(at(-30));
    EXPECT_NEAR(cursor.position(), at(0), 1e-12) << "kept in the visible range";
    plot.ClearPlot();
    EXPECT_EQ(cursor.readout(), time(0));
}

TEST_F(PlotCursor, FollowsTheMouseWhileDraggedAndArrowKeysStepFromPointToPoint) {
    send(QEvent::MouseButtonPress, 3);
    EXPECT_FALSE(cursor.Visible()) << "a hidden cursor takes no clicks";
    cursor.setVisible(true);
    send(QEvent::MouseButtonPress, 2);
    EXPECT_NEAR(cursor.position(), at(2), 0.1 * kSecond);
    send(QEvent::MouseMove, 8);
    send(QEvent::MouseButtonRelease, 8, Qt::NoButton);
    send(QEvent::MouseMove, 1, Qt::NoButton);
    EXPECT_NEAR(cursor.position(), at(8), 0.1 * kSecond) << "released: stays";
    cursor.setPosition(at(6.5));
    key(Qt::Key_Right);
    EXPECT_DOUBLE_EQ(cursor.position(), at(7));
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(cursor.position(), at(5));
    plot.ClearPlot();
    key(Qt::Key_Right);
    const QCPAxis* axis = plot.customPlot()->xAxis;
    EXPECT_NEAR(cursor.position(), at(5) + axis->pixelToCoord(1) - axis->pixelToCoord(0), 1e-12)
        << "no points: one pixel";
}
