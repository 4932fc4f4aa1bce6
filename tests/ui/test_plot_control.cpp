#include "common/TvError.h"
#include "common/ValueFormat.h"
#include "trend/OleColor.h"
#include "trend/PlotControl.h"
#include "trend/PlotDataCursor.h"
#include "trend/PlotTicker.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QFontMetrics>
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

TEST(PlotControl, StartsWithTheInitialSettings) {
    PlotControl plot;
    EXPECT_EQ(plot.TitleText(), "No Data File Loaded");
    EXPECT_EQ(toOleColor(plot.BackGroundColor()), 13948116);
    EXPECT_EQ(plot.renderImage({320, 240}).pixelColor(1, 1), QColor(212, 212, 212));
    EXPECT_DOUBLE_EQ(plot.XAxis().Span(), 0.0069);
    EXPECT_EQ(plot.XAxis().MinorCount(), 3);
    EXPECT_EQ(plot.XAxis().DateTimeFormat(), "m/d/yy h:nn:ss am/pm");
    EXPECT_DOUBLE_EQ(plot.YAxis().Span(), 100.0);
    EXPECT_FALSE(plot.DataCursor(0).Visible());
    EXPECT_THROW(plot.DataCursor(1), TvError);
    EXPECT_FALSE(plot.customPlot()->legend->visible());
    EXPECT_EQ(plot.customPlot()->xAxis->label(), "Time");
    EXPECT_EQ(plot.customPlot()->yAxis->label(), "Y-Axis 1");
    EXPECT_EQ(plot.XAxis().LabelsStyle(), PlotAxis::DateLabels);
}

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
    plot.Channel(3).setTraceLineWidth(2);
    plot.Channel(3).setTitleText("Temp 1");
    EXPECT_EQ(plot.customPlot()->graph(3)->pen().width(), 2);
    EXPECT_EQ(plot.customPlot()->graph(3)->name(), "Temp 1");

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
    const double stepSeconds = (ticks[1] - ticks[0]) * 86400.0;
    EXPECT_TRUE(QList<double>({300, 600, 900, 1800, 3600}).contains(std::round(stepSeconds)))
        << stepSeconds;
    EXPECT_NEAR(stepSeconds, std::round(stepSeconds), 1e-3) << "ticks on whole minutes";

    auto ticker = axis->ticker();
    QVector<double> major;
    QVector<double> minor;
    ticker->generate(axis->range(), QLocale::c(), 'g', 6, major, &minor, nullptr);
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
