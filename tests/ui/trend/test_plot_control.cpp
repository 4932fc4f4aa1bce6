// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "core/common/ValueFormat.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/PlotDataCursor.h"
#include "ui/trend/PlotTicker.h"

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

// A value between gaps has no line to show it: it is a round mark of the trace's colour, at
// least 5 pixels across also where it sits on the axis lines in a corner; a trace along the end
// of the value range lies over the axis line. The read-out keys each channel by its colour.
TEST_F(PlotCursor, LoneValuesAreMarksOverTheAxisLinesAndTheReadOutKeysEachChannel) {
    const QColor colour(200, 0, 150);
    PlotChannel& lone = plot.Channel(plot.AddChannel());
    lone.setColor(colour);
    const std::pair<double, double> marks[] = {{0.0, 0.0}, {7.0, 50.0}, {10.0, 100.0}};
    for (const auto& [seconds, value] : marks) {
        lone.AddXY(at(seconds), value);
        lone.AddEmpty(at(seconds + 0.5));
    }
    const QColor flat(0, 160, 0);
    PlotChannel& zero = plot.Channel(plot.AddChannel());
    zero.setColor(flat);
    zero.setTraceLineWidth(2);
    zero.AddXY(at(2), 0);
    zero.AddXY(at(4), 0);
    QImage image = plot.renderImage(plot.size());
    const auto isColour = [&](QColor c) { return c == colour; };
    for (const auto& [seconds, value] : marks) {
        const QPoint centre =
            plot.customPlot()->graph(2)->coordsToPixels(at(seconds), value).toPoint();
        EXPECT_GE(pixelsIn(image, {centre.x() - 4, centre.y(), 9, 1}, isColour), 5) << seconds;
        EXPECT_GE(pixelsIn(image, {centre.x(), centre.y() - 4, 1, 9}, isColour), 5) << seconds;
    }
    const QCPAxis& x = *plot.customPlot()->xAxis;
    const int axisLine = x.axisRect()->bottom();
    EXPECT_EQ(image.pixelColor(static_cast<int>(x.coordToPixel(at(3))), axisLine), flat);
    const int marked = pixelsIn(image, image.rect(), isColour);
    cursor.setVisible(true);
    image = plot.renderImage(plot.size());
    EXPECT_GE(pixelsIn(image, image.rect(), isColour), marked + 15) << "the key";
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
            // Over two days the time of day gains the date.
            const QString pattern =
                qSharedPointerDynamicCast<PlotTicker>(axis.ticker())->labelPattern(axis.range());
            EXPECT_EQ(labels.front(), formatDateSerial(day + first / 1440, pattern)) << first;
            EXPECT_EQ(labels.back(), formatDateSerial(day + last / 1440, pattern)) << last;
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

// The cursor stands on record times: the mouse puts it on the nearest one, the arrow keys step
// through the record times of every shown channel, and a range moved away takes it along.
TEST_F(PlotCursor, StandsOnRecordTimesOfEveryShownChannelAndStaysInTheRange) {
    send(QEvent::MouseButtonPress, 3);
    EXPECT_FALSE(cursor.Visible()) << "a hidden cursor takes no clicks";
    cursor.setVisible(true);
    send(QEvent::MouseButtonPress, 2.3);
    EXPECT_DOUBLE_EQ(cursor.position(), at(2)) << "the line where the box's time says";
    send(QEvent::MouseMove, 7.8);
    send(QEvent::MouseButtonRelease, 7.8, Qt::NoButton);
    send(QEvent::MouseMove, 1, Qt::NoButton);
    EXPECT_DOUBLE_EQ(cursor.position(), at(8)) << "released: stays";
    PlotChannel& c = plot.Channel(plot.AddChannel());
    c.setTitleText("C");
    c.AddXY(at(8.25), 1);
    c.AddXY(at(8.75), 2);
    const double expected[] = {8.25, 8.75, 9, 10, 10};
    for (const double seconds : expected) {
        key(Qt::Key_Right);
        EXPECT_DOUBLE_EQ(cursor.position(), at(seconds));
    }
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(cursor.position(), at(8.75));
    plot.setChannelVisible(2, false);
    key(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(cursor.position(), at(8)) << "a hidden channel's times are passed by";
    EXPECT_FALSE(cursor.readout().contains("C:"));
    plot.XAxis().setSpan(5 * kSecond); // as a double-click restores a build's range
    plot.replotNow();
    EXPECT_DOUBLE_EQ(cursor.position(), at(5));
    plot.ClearPlot();
    key(Qt::Key_Right);
    const QCPAxis* axis = plot.customPlot()->xAxis;
    EXPECT_NEAR(cursor.position(), at(5), 1e-9) << "no points: a pixel, but not out of range";
    key(Qt::Key_Left);
    EXPECT_NEAR(cursor.position(), at(5) - (axis->pixelToCoord(1) - axis->pixelToCoord(0)), 1e-9)
        << "no points: one pixel";
}
