#include "CoreTestHelpers.h"
#include "common/ValueFormat.h"
#include "trend/OleColor.h"
#include "trend/PlotControl.h"
#include "trend/PlotDataCursor.h"
#include "trend/PlotTicker.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>

#include <cmath>

using namespace tarvex;

namespace {

constexpr double kStart = 45292.25; // 1/1/2024 6:00 am
constexpr double kSecond = 1.0 / 86400.0;

// What a trend build does before it adds points.
void startBuild(PlotControl& plot) {
    plot.ClearPlot();
    plot.XAxis().setBuildStart(true);
    plot.YAxis().setBuildStart(true);
    plot.XAxis().setAxisMode(0);
    plot.YAxis().setAxisMode(0);
}

bool columnHasColour(const QImage& image, int x, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y) == colour) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(PlotControl, NumbersChannelsInOrderWithDistinctColours) {
    PlotControl plot;
    QSet<QRgb> colours;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(plot.AddChannel(), i);
        colours.insert(plot.Channel(i).Color().rgb());
    }
    EXPECT_EQ(plot.ChannelCount(), 16);
    EXPECT_EQ(colours.size(), 16);
    EXPECT_THROW(plot.Channel(16), TvError);
    EXPECT_THROW(plot.DataCursor(1), TvError);

    plot.Channel(0).AddXY(kStart, 1.0);
    plot.ClearPlot();
    EXPECT_EQ(plot.ChannelCount(), 0);
    EXPECT_EQ(plot.customPlot()->graphCount(), 0);
    EXPECT_EQ(plot.AddChannel(), 0) << "numbering starts again";
}

TEST(PlotControl, AddEmptyBreaksTheLineAndAddXYJoinsIt) {
    PlotControl plot;
    plot.resize(800, 600);
    const int c = plot.AddChannel();
    PlotChannel& channel = plot.Channel(c);
    channel.setColor(QColor(255, 0, 0));
    channel.setTraceLineWidth(3);
    for (int i = 0; i <= 10; ++i) {
        const double x = kStart + i * kSecond;
        EXPECT_EQ(i == 5 ? channel.AddEmpty(x) : channel.AddXY(x, 50.0), i);
    }
    EXPECT_THROW(channel.AddXY(std::nan(""), 1.0), TvError);
    const auto data = plot.customPlot()->graph(c)->data();
    ASSERT_EQ(data->size(), 11);
    EXPECT_DOUBLE_EQ(data->at(5)->key, kStart + 5 * kSecond);
    EXPECT_TRUE(std::isnan(data->at(5)->value));

    plot.XAxis().setMin(kStart);
    plot.XAxis().setSpan(10 * kSecond);
    plot.YAxis().setMin(0.0);
    const QImage image = plot.renderImage(plot.size());
    const QCPAxis* x = plot.customPlot()->xAxis;
    const auto column = [&](double seconds) {
        return static_cast<int>(std::lround(x->coordToPixel(kStart + seconds * kSecond)));
    };
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_TRUE(columnHasColour(image, column(2.5), red)) << "line before the gap";
    EXPECT_TRUE(columnHasColour(image, column(7.5), red)) << "line after the gap";
    EXPECT_FALSE(columnHasColour(image, column(4.5), red)) << "no line into the gap";
    EXPECT_FALSE(columnHasColour(image, column(5.5), red)) << "no line out of the gap";
}

TEST(PlotControl, TimeAxisCoversTheBuiltPointsAndSpanKeepsMin) {
    PlotControl plot;
    plot.YAxis().setMin(-5.0);
    plot.YAxis().setSpan(20.0);
    startBuild(plot);
    plot.AddChannel();
    for (int i = 0; i < 3600; ++i) {
        plot.Channel(0).AddXY(kStart + (60 + i) * kSecond, i % 7);
    }
    plot.AddChannel();
    plot.Channel(1).AddEmpty(kStart);
    const double end = kStart + 2.0 / 24.0;
    plot.Channel(1).AddXY(end, 3.0);

    EXPECT_DOUBLE_EQ(plot.XAxis().Min(), kStart);
    EXPECT_DOUBLE_EQ(plot.XAxis().Span(), end - kStart);
    EXPECT_DOUBLE_EQ(plot.XAxis().Max(), end);
    EXPECT_DOUBLE_EQ(plot.YAxis().Span(), 20.0) << "the value axis keeps its range";
    plot.replotNow();
    EXPECT_DOUBLE_EQ(plot.customPlot()->xAxis->range().upper, end);

    // The zoom slider at 50: half the span from the same start.
    plot.XAxis().setSpan(0.5 * plot.XAxis().Span());
    EXPECT_DOUBLE_EQ(plot.XAxis().Min(), kStart);
    EXPECT_DOUBLE_EQ(plot.XAxis().Span(), 0.5 * (end - kStart));
    EXPECT_DOUBLE_EQ(plot.XAxis().Max(), kStart + 0.5 * (end - kStart));

    startBuild(plot);
    plot.AddChannel();
    plot.Channel(0).AddXY(kStart + 3.0, 1.0);
    EXPECT_DOUBLE_EQ(plot.XAxis().Min(), kStart + 3.0) << "the next build follows again";

    // A span of 0 (a slider before any build) reads back as put and still draws.
    plot.XAxis().setSpan(0.0);
    plot.YAxis().setSpan(-10.0);
    EXPECT_DOUBLE_EQ(plot.XAxis().Span(), 0.0);
    EXPECT_DOUBLE_EQ(plot.YAxis().Max(), plot.YAxis().Min() - 10.0);
    plot.replotNow();
    EXPECT_GT(plot.customPlot()->xAxis->range().size(), 0.0);
    EXPECT_DOUBLE_EQ(plot.customPlot()->yAxis->range().size(), 10.0);
}

TEST(PlotControl, AxisSettingsReachTheDrawing) {
    PlotControl plot;
    plot.resize(800, 600);
    plot.show();
    PlotAxis& x = plot.XAxis();
    x.setMin(kStart);
    x.setSpan(2.0 / 24.0);
    x.setDateTimeFormat("hh:nn:ss");
    x.setMinorCount(5);
    x.setLabelsStyle(3);
    x.setScaleColor(QColor(0, 0, 255));
    x.setSecondScaleColor(QColor(0, 255, 0));
    plot.setBackGroundColor(fromOleColor(0x00FFFF));
    plot.replotNow();

    const QCPAxis* axis = plot.customPlot()->xAxis;
    const QVector<double> ticks = axis->tickVector();
    const QVector<QString> labels = axis->tickVectorLabels();
    ASSERT_GE(ticks.size(), 3);
    const QFontMetrics metrics(axis->tickLabelFont());
    const double spacing = axis->coordToPixel(ticks[1]) - axis->coordToPixel(ticks[0]);
    for (int i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(labels[i], formatDateSerial(ticks[i], u"hh:nn:ss"));
        EXPECT_LT(metrics.horizontalAdvance(labels[i]), spacing) << "labels do not touch";
    }
    QVector<double> major;
    QVector<double> minor;
    axis->ticker()->generate(axis->range(), QLocale::c(), 'g', 6, major, &minor, nullptr);
    EXPECT_EQ(minor.size(), (major.size() - 1) * 5);
    EXPECT_EQ(axis->tickLabelColor(), QColor(0, 0, 255));
    EXPECT_EQ(axis->subTickPen().color(), QColor(0, 255, 0));
    EXPECT_EQ(plot.renderImage({320, 240}).pixelColor(1, 1), QColor(255, 255, 0));

    plot.YAxis().setMin(0.0);
    plot.YAxis().setSpan(100.0);
    plot.replotNow();
    EXPECT_TRUE(plot.customPlot()->yAxis->tickVectorLabels().contains("40"))
        << "the value axis shows plain numbers";
}

namespace {

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

TEST_F(PlotCursor, ShowsInTheMiddleAndReadsEachChannelsNearestValue) {
    cursor.setVisible(true);
    EXPECT_NEAR(cursor.position(), at(5), 1e-9);
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
