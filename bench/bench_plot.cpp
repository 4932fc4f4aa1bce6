// Trend plot workloads: adding the points of a large build, and drawing one frame of them.
#include "Bench.h"

#include "trend/PlotControl.h"

#include <QApplication>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kChannels = 4;
constexpr int kPointsPerChannel = 125'000; // 500,000 points in all
constexpr double kStart = 45292.0;
constexpr double kSecond = 1.0 / 86400.0;

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

// One channel's values: a slow wave with noise; every 500th value is a gap (NaN).
std::vector<double> values;

void makeValues() {
    values.resize(kPointsPerChannel);
    for (int i = 0; i < kPointsPerChannel; ++i) {
        values[i] =
            i % 500 == 499 ? std::nan("") : 50.0 + 40.0 * std::sin(i * 0.001) + (i * 7) % 13;
    }
}

// What a trend build sends: start flags, then points one second apart.
void fill(tarvex::PlotControl& plot) {
    plot.ClearPlot();
    plot.XAxis().setBuildStart(true);
    plot.YAxis().setBuildStart(true);
    for (int c = 0; c < kChannels; ++c) {
        tarvex::PlotChannel& channel = plot.Channel(plot.AddChannel());
        channel.setTraceLineWidth(2);
        for (int i = 0; i < kPointsPerChannel; ++i) {
            const double x = kStart + i * kSecond;
            const double y = values[i];
            if (std::isnan(y)) {
                channel.AddEmpty(x);
            } else {
                channel.AddXY(x, y + c * 10.0);
            }
        }
    }
    plot.YAxis().setMin(0.0);
    plot.YAxis().setSpan(110.0);
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

} // namespace
