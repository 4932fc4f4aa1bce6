// SPDX-License-Identifier: GPL-3.0-or-later
// Trend plot workloads: adding the points of a large build, drawing one frame of them, one
// wheel zoom of a full data log's trend with its redraw (also with a thousand event markers and
// the legend shown), one box zoom with its redraw, and the exports of what is shown.
#include "Bench.h"

#include "ui/trend/PlotControl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>

#include <qcustomplot.h>

#include <QApplication>
#include <QWheelEvent>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kChannels = 4;
constexpr int kPointsPerChannel = 125'000; // 500,000 points in all
constexpr double kStart = 45292.0;
constexpr double kSecond = 1.0 / 86400.0;
// A full data log: 18 channels of 32,766 records over 40 hours.
constexpr int kLogChannels = 18;
constexpr int kLogRecords = 32'766;
constexpr double kLogStep = 40.0 / 24 / kLogRecords;

// The plot needs a GUI application; the driver may not have made one.
void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tarvex-bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

// One channel's values: a slow wave with noise; every 500th value is a gap (NaN), and every
// 5,000th value one before that too, which leaves a lone value between gaps.
std::vector<double> values;

void makeValues() {
    values.resize(kPointsPerChannel);
    for (int i = 0; i < kPointsPerChannel; ++i) {
        const bool gap = i % 500 == 499 || i % 5000 == 497;
        values[i] = gap ? std::nan("") : 50.0 + 40.0 * std::sin(i * 0.001) + (i * 7) % 13;
    }
}

// What a trend build sends: start flags, then points `step` apart.
void fill(tarvex::PlotControl& plot, int channels = kChannels, int points = kPointsPerChannel,
          double step = kSecond) {
    plot.ClearPlot();
    plot.XAxis().setBuildStart(true);
    plot.YAxis().setBuildStart(true);
    for (int c = 0; c < channels; ++c) {
        tarvex::PlotChannel& channel = plot.Channel(plot.AddChannel());
        channel.setTraceLineWidth(2);
        for (int i = 0; i < points; ++i) {
            const double x = kStart + i * step;
            const double y = values[i];
            if (std::isnan(y)) {
                channel.AddEmpty(x);
            } else {
                channel.AddXY(x, y + c * 10.0);
            }
        }
    }
    plot.YAxis().setMin(0.0);
    plot.YAxis().setSpan(50.0 + 10.0 * channels);
}

// A widget cannot be destroyed once the application is gone, which is the case when statics
// are destroyed; then the process is ending and the plot is left to it.
struct DeleteWhileAppLives {
    void operator()(tarvex::PlotControl* plot) const {
        if (QCoreApplication::instance() != nullptr) {
            delete plot;
        }
    }
};
std::unique_ptr<tarvex::PlotControl, DeleteWhileAppLives> drawn;

const bench::Registrar addPoints{{
    .name = "plot-add",
    .setup =
        [] {
            ensureGuiApplication();
            makeValues();
        },
    .ours =
        [] {
            tarvex::PlotControl plot;
            fill(plot);
        },
    .reference = {},
}};

const bench::Registrar drawFrame{{
    .name = "plot-draw",
    .setup =
        [] {
            ensureGuiApplication();
            makeValues();
            drawn.reset(new tarvex::PlotControl);
            drawn->resize(1600, 900);
            fill(*drawn);
            drawn->show();
            drawn->replotNow();
        },
    .ours = [] { drawn->replotNow(); },
    .reference = {},
}};

// The whole log in view, then one notch of the wheel in the middle of the plot and the redraw
// it brings (drawn at once here; on screen the redraw follows within one replot interval).
// The reference puts the same range directly and draws.
void zoomFromFullView(bool wheel) {
    tarvex::PlotAxis& time = drawn->XAxis();
    time.setMin(kStart);
    time.setSpan((kLogRecords - 1) * kLogStep);
    if (wheel) {
        QCustomPlot* plot = drawn->customPlot();
        const QPointF middle = plot->axisRect()->rect().center();
        QWheelEvent event(middle, plot->mapToGlobal(middle), {},
                          {0, QWheelEvent::DefaultDeltasPerStep}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &event);
    } else {
        const double span = time.Span() * 0.8;
        time.setMin(kStart + (time.Span() - span) / 2);
        time.setSpan(span);
    }
    drawn->replotNow();
}

// The full log's trend drawn at 1600 x 900, optionally with a thousand event markers spread
// over it and the legend shown.
void showFullLog(bool markersAndLegend) {
    ensureGuiApplication();
    makeValues();
    values.resize(kLogRecords);
    drawn.reset(new tarvex::PlotControl);
    drawn->resize(1600, 900);
    fill(*drawn, kLogChannels, kLogRecords, kLogStep);
    for (int c = 0; c < kLogChannels; ++c) {
        drawn->Channel(c).setTitleText(QStringLiteral("Channel %1").arg(c + 1));
    }
    if (markersAndLegend) {
        constexpr int kMarkers = 1000;
        std::vector<tarvex::TrendMarker> markers;
        for (int i = 0; i < kMarkers; ++i) {
            markers.push_back({kStart + (kLogRecords - 1) * kLogStep * i / kMarkers,
                               static_cast<tarvex::MarkerKind>(i % 4), QStringLiteral("Operator"),
                               QStringLiteral("Event %1").arg(i)});
        }
        drawn->setMarkers(std::move(markers));
        drawn->setMarkersVisible(true);
        drawn->setLegendVisible(true);
    }
    drawn->show();
    drawn->replotNow();
}

const bench::Registrar zoomFrame{{
    .name = "zoom-frame",
    .setup = [] { showFullLog(false); },
    .ours = [] { zoomFromFullView(true); },
    .reference = [] { zoomFromFullView(false); },
    .runs = 9,
}};

const bench::Registrar zoomFrameMarkers{{
    .name = "zoom-frame-markers",
    .setup = [] { showFullLog(true); },
    .ours = [] { zoomFromFullView(true); },
    .reference = [] { zoomFromFullView(false); },
    .runs = 9,
}};

// From the whole log, a Shift+drag over the middle half of the plot area, and the redraw. The
// reference puts the same ranges directly and draws.
void boxFromFullView(bool mouse) {
    tarvex::PlotAxis& time = drawn->XAxis();
    time.setMin(kStart);
    time.setSpan((kLogRecords - 1) * kLogStep);
    drawn->YAxis().setMin(0.0);
    drawn->YAxis().setSpan(50.0 + 10.0 * kLogChannels);
    drawn->replotNow();
    QCustomPlot* plot = drawn->customPlot();
    const QRect area = plot->axisRect()->rect();
    const QPoint from = area.topLeft() + QPoint(area.width() / 4, area.height() / 4);
    const QPoint to = area.bottomRight() - QPoint(area.width() / 4, area.height() / 4);
    if (mouse) {
        const auto send = [plot](QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
            QMouseEvent event(type, pos, plot->mapToGlobal(pos), Qt::LeftButton, held,
                              Qt::ShiftModifier);
            QApplication::sendEvent(plot, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    } else {
        drawn->zoomToBox(QRectF(from, to));
    }
    drawn->replotNow();
}

const bench::Registrar boxZoom{{
    .name = "box-zoom",
    .setup = [] { showFullLog(false); },
    .ours = [] { boxFromFullView(true); },
    .reference = [] { boxFromFullView(false); },
    .runs = 9,
}};

// The whole log's data as CSV, then its picture at 1280 x 720 as PNG, SVG and PDF; the time and
// size of each is noted.
const bench::Registrar trendExport{{
    .name = "trend-export",
    .setup = [] { showFullLog(false); },
    .ours =
        [] {
            const QDir out(bench::scratchDir());
            const struct {
                const char* file;
                tarvex::PlotExport format;
            } exports[] = {{"trend.csv", tarvex::PlotExport::Csv},
                           {"trend.png", tarvex::PlotExport::Png},
                           {"trend.svg", tarvex::PlotExport::Svg},
                           {"trend.pdf", tarvex::PlotExport::Pdf}};
            for (const auto& e : exports) {
                QElapsedTimer clock;
                clock.start();
                const QString path = out.filePath(QString::fromLatin1(e.file));
                if (e.format == tarvex::PlotExport::Csv) {
                    drawn->exportVisibleData(path);
                } else {
                    drawn->savePicture(path, e.format, {1280, 720});
                }
                bench::note("%s %lld ms, %lld bytes", e.file, clock.elapsed(),
                            QFileInfo(path).size());
            }
        },
    .reference = {},
    .runs = 3,
}};

} // namespace
