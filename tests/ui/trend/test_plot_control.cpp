// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "core/common/ValueFormat.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/PlotDataCursor.h"

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

// How many pixels of `area` pass `test`.
template <typename Test> int pixelsIn(const QImage& image, QRect area, Test test) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += test(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return n;
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

// A value between gaps has no line to show it: it is a dot of the trace's colour and width,
// and the read-out's key of that channel is a stroke of the same.
TEST_F(PlotCursor, ALoneValueIsADotAndTheReadOutKeysEachChannelByItsColour) {
    const QColor colour(200, 0, 150);
    PlotChannel& lone = plot.Channel(plot.AddChannel());
    lone.setColor(colour);
    lone.setTraceLineWidth(4);
    lone.AddEmpty(at(6));
    lone.AddXY(at(7), 50);
    lone.AddEmpty(at(8));
    lone.AddXY(at(10), 80);             // the last value, with a gap before it
    plot.XAxis().setSpan(12 * kSecond); // not on the edge, where half a dot is cut off
    QImage image = plot.renderImage(plot.size());
    const auto isColour = [&](QColor c) { return c == colour; };
    const int dots = pixelsIn(image, image.rect(), isColour);
    for (const auto& [seconds, value] : {std::pair{7.0, 50.0}, {10.0, 80.0}}) {
        const QPointF centre = plot.customPlot()->graph(2)->coordsToPixels(at(seconds), value);
        EXPECT_EQ(image.pixelColor(centre.toPoint()), colour) << seconds;
    }
    EXPECT_LE(dots, 2 * 4 * 4);
    cursor.setVisible(true);
    image = plot.renderImage(plot.size());
    EXPECT_GE(pixelsIn(image, image.rect(), isColour), dots + 15 * 4) << "the key: colour, width";
}

// A dense trace is drawn without smoothing, as thick as its width both where it is flat and where
// it is steep.
TEST(PlotTrace, ADenseTraceIsAsThickAsItsWidth) {
    PlotControl plot;
    plot.resize(400, 300);
    for (const int width : {1, 2, 3}) {
        plot.ClearPlot();
        PlotChannel& trace = plot.Channel(plot.AddChannel());
        trace.setTraceLineWidth(width);
        for (int i = 0; i < 4000; ++i) { // more than ten points a pixel: flat, a step, flat
            trace.AddXY(at(i), i < 2000 ? 20 : 80);
        }
        plot.XAxis().setMin(at(0));
        plot.XAxis().setSpan(4000 * kSecond);
        const QImage image = plot.renderImage(plot.size());
        const QCPGraph& graph = *plot.customPlot()->graph(0);
        const auto isTrace = [&](QColor c) { return c == graph.pen().color(); };
        const QPoint flat = graph.coordsToPixels(at(1000), 20).toPoint();
        const QPoint steep = graph.coordsToPixels(at(2000), 50).toPoint();
        EXPECT_EQ(pixelsIn(image, {flat.x(), 0, 1, image.height()}, isTrace), width) << "flat";
        EXPECT_EQ(pixelsIn(image, {0, steep.y(), image.width(), 1}, isTrace), width) << "steep";
    }
}

// Ticks on the ends of the time axis keep their labels, however the range was computed, and the
// labels are drawn, long ones included.
TEST(PlotTimeAxis, LabelsTheTicksOnItsEnds) {
    PlotControl plot;
    plot.resize(800, 400);
    plot.show();
    const double day = 45355.0;
    const std::pair<double, double> ranges[] = {
        {0, 3}, {600, 603}, {600, 720}, {1380, 1500}, {-1440, 1440}}; // minutes
    for (const QString format : {"hh:nn:ss", "m/d/yy h:nn:ss am/pm"}) {
        plot.XAxis().setDateTimeFormat(format);
        for (const auto& [first, last] : ranges) {
            plot.ClearPlot();
            plot.XAxis().setBuildStart(true);
            plot.Channel(plot.AddChannel()).AddXY(day + first / 1440, 1);
            plot.Channel(0).AddXY(day + last / 1440, 2);
            const QImage image = plot.renderImage(plot.size());
            const QCPAxis& axis = *plot.customPlot()->xAxis;
            const QVector<QString> labels = axis.tickVectorLabels();
            ASSERT_FALSE(labels.isEmpty());
            EXPECT_EQ(labels.front(), formatDateSerial(day + first / 1440, format)) << first;
            EXPECT_EQ(labels.back(), formatDateSerial(day + last / 1440, format)) << last;
            // Ink below each end of the axis, where a label centred on it is drawn.
            for (const double end : {axis.range().lower, axis.range().upper}) {
                const QRect below(static_cast<int>(axis.coordToPixel(end)) - 3,
                                  axis.axisRect()->bottom() + 4, 7, 20);
                EXPECT_GT(pixelsIn(image, below, [](QColor c) { return c.lightness() < 100; }), 0)
                    << format.toStdString() << " " << first << " " << end;
            }
        }
    }
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
    EXPECT_NEAR(cursor.position(), at(5) + axis->pixelToCoord(1) - axis->pixelToCoord(0), 1e-9)
        << "no points: one pixel";
}
