#include "CoreTestHelpers.h"

#include "common/ValueFormat.h"
#include "trend/OleColor.h"
#include "trend/PlotControl.h"
#include "trend/PlotDataCursor.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QFontMetrics>
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
class PlotTest : public ::testing::Test {
protected:
    PlotTest() {
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
using PlotCursor = PlotTest;

} // namespace

TEST_F(PlotTest, TheTimeAxisFollowsABuildAndSpanKeepsMin) {
    plot.YAxis().setSpan(20.0);
    for (int build = 0; build < 2; ++build) {
        plot.ClearPlot();
        for (PlotAxis* axis : {&plot.XAxis(), &plot.YAxis()}) {
            axis->setBuildStart(true);
            axis->setAxisMode(0);
        }
        EXPECT_EQ(plot.AddChannel(), 0) << "numbering starts again";
        plot.Channel(0).AddEmpty(at(build));
        plot.Channel(0).AddXY(at(3600 + build), 3.0);
        EXPECT_DOUBLE_EQ(plot.XAxis().Min(), at(build));
        EXPECT_DOUBLE_EQ(plot.XAxis().Max(), at(3600 + build));
        EXPECT_DOUBLE_EQ(plot.YAxis().Span(), 20.0) << "the value axis keeps its range";
    }
    // The zoom slider at 50: half the span from the same start.
    plot.XAxis().setSpan(1800 * kSecond);
    EXPECT_DOUBLE_EQ(plot.XAxis().Max(), at(1801));
    plot.replotNow();
    EXPECT_DOUBLE_EQ(plot.customPlot()->xAxis->range().upper, at(1801));
    // A span of 0 (a slider before any build) reads back as put and still draws.
    plot.XAxis().setSpan(0.0);
    plot.YAxis().setSpan(-10.0);
    EXPECT_DOUBLE_EQ(plot.XAxis().Span(), 0.0);
    plot.replotNow();
    EXPECT_GT(plot.customPlot()->xAxis->range().size(), 0.0);
    EXPECT_DOUBLE_EQ(plot.customPlot()->yAxis->range().size(), 10.0);
}

TEST_F(PlotTest, AxisSettingsReachTheDrawing) {
    PlotAxis& x = plot.XAxis();
    x.setSpan(2.0 / 24.0);
    x.setDateTimeFormat("hh:nn:ss");
    x.setMinorCount(5);
    x.setScaleColor(QColor(0, 0, 255));
    x.setSecondScaleColor(QColor(0, 255, 0));
    plot.setBackGroundColor(fromOleColor(0x00FFFF));
    plot.YAxis().setMin(0.0);
    plot.YAxis().setSpan(100.0);
    plot.replotNow();
    const QCPAxis* axis = plot.customPlot()->xAxis;
    const QVector<double> ticks = axis->tickVector();
    ASSERT_GE(ticks.size(), 3);
    const double spacing = axis->coordToPixel(ticks[1]) - axis->coordToPixel(ticks[0]);
    for (int i = 0; i < ticks.size(); ++i) {
        const QString label = axis->tickVectorLabels()[i];
        EXPECT_EQ(label, formatDateSerial(ticks[i], u"hh:nn:ss"));
        EXPECT_LT(QFontMetrics(axis->tickLabelFont()).horizontalAdvance(label), spacing);
    }
    QVector<double> major;
    QVector<double> minor;
    axis->ticker()->generate(axis->range(), QLocale::c(), 'g', 6, major, &minor, nullptr);
    EXPECT_EQ(minor.size(), (major.size() - 1) * 5);
    EXPECT_EQ(axis->tickLabelColor(), QColor(0, 0, 255));
    EXPECT_EQ(axis->subTickPen().color(), QColor(0, 255, 0));
    EXPECT_EQ(plot.renderImage({320, 240}).pixelColor(1, 1), QColor(255, 255, 0));
    EXPECT_TRUE(plot.customPlot()->yAxis->tickVectorLabels().contains("40")) << "plain numbers";
}

TEST_F(PlotCursor, ShowsInTheMiddleAndReadsEachChannelsNearestValue) {
    cursor.setVisible(true);
    EXPECT_NEAR(cursor.position(), at(5), 1e-9);
    cursor.setPosition(at(6.2));
    const QString time = formatDateSerial(at(6.2), plot.XAxis().DateTimeFormat());
    EXPECT_EQ(cursor.readout(), time + "\nA: 6\nB: 2.5");
    cursor.setPosition(at(4.1));
    EXPECT_TRUE(cursor.readout().endsWith("\nA: no value\nB: -1.5")) << "the gap";
    cursor.setPosition(at(-30));
    EXPECT_NEAR(cursor.position(), at(0), 1e-12) << "kept in the visible range";
    plot.ClearPlot();
    EXPECT_EQ(cursor.readout(), formatDateSerial(at(0), plot.XAxis().DateTimeFormat()));
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
