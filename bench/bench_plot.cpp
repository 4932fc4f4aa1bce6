// SPDX-License-Identifier: GPL-3.0-or-later
// Trend plot workloads: adding the points of a large build, drawing one frame of them, and
// one wheel zoom of a full data log's trend with its redraw.
#include "Bench.h"

#include "ui/trend/PlotControl.h"

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

const bench::Registrar zoomFrame{{
    .name = "zoom-frame",
    .setup =
        [] {
            ensureGuiApplication();
            makeValues();
            values.resize(kLogRecords);
            drawn.reset(new tarvex::PlotControl);
            drawn->resize(1600, 900);
            fill(*drawn, kLogChannels, kLogRecords, kLogStep);
            drawn->show();
            drawn->replotNow();
        },
    .ours = [] { zoomFromFullView(true); },
    .reference = [] { zoomFromFullView(false); },
    .runs = 9,
}};

} // namespace
