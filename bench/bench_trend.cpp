// SPDX-License-Identifier: GPL-3.0-or-later
// trend-build: the plot button's build of 16 channels over a full data log, as the user runs
// it, against the same points added to the plot directly with the one pass of window events per
// point that every build makes. trend-jpeg: that build and the JPEG picture of the plot.
#include "Bench.h"
#include "BenchFiles.h"

#include "core/common/ValueConvert.h"
#include "core/trend/TrendPoint.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmSplash.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/TrendBuilder.h"
#include "ui/viewer/frmHistory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

using namespace tarvex;

namespace {

constexpr int kChannels = 16;

QString logPath() {
    return bench::dataLogFile(kChannels, true);
}

QString picturePath() {
    return QDir(bench::scratchDir()).filePath(QStringLiteral("trend.jpg"));
}

// The points of every channel as the builder makes them: x, and the value or NaN for a gap.
struct Point {
    double x;
    double y;
};
std::vector<std::vector<Point>> channelPoints;
std::vector<QString> channelTitles;

void readPoints(const SpreadGrid& grid) {
    channelPoints.assign(kChannels, {});
    channelTitles.assign(kChannels, {});
    for (int c = 0; c < kChannels; ++c) {
        channelTitles[c] = grid.gridData().CellText(c + 2, 0);
        for (int row = 1; row <= grid.RowCount(); ++row) {
            CellValue date;
            CellValue time;
            grid.GetCellValue(0, row, date);
            grid.GetCellValue(1, row, time);
            const auto value = parseNumber(grid.gridData().CellText(c + 2, row));
            channelPoints[c].push_back({trendPointX(date, time),
                                        value ? *value : std::numeric_limits<double>::quiet_NaN()});
        }
    }
}

// The viewer with the data log loaded by its reader, and the value columns selected.
void loadViewer() {
    static bool loaded = false;
    if (std::exchange(loaded, true)) {
        return;
    }
    frmSplash::createSharedObjects(bench::sharedState());
    frmHistory& v = frmHistory::load(bench::sharedState());
    v.showViewer();
    SpreadGrid& grid = *v.vaGrid;
    loadDataLogGrid(grid, logPath());
    grid.updateView();
    bench::sharedState().dataFilePath = logPath();
    const QItemSelection columns(grid.model()->index(0, 1),
                                 grid.model()->index(bench::kLogRecords - 1, kChannels));
    grid.view()->selectionModel()->select(columns, QItemSelectionModel::Select);
    QApplication::processEvents();
    readPoints(grid);
}

// Pressed on the "Data" tab, as the user does; the build ends on the trend.
void build() {
    frmHistory& v = *frmHistory::existing();
    v.DataTab->setCurrentIndex(frmHistory::TabData);
    if (buildTrend(bench::sharedState(), {.vaGrid = v.vaGrid,
                                          .iPlotX = v.iPlotX,
                                          .YSlider = v.YSlider,
                                          .DateSlider = v.DateSlider,
                                          .DcryLabel = v.DcryLabel,
                                          .ProgBar = v.ProgBar})) {
        v.DataTab->setCurrentIndex(frmHistory::TabTrendData);
    }
    if (v.iPlotX->ChannelCount() != kChannels) {
        bench::note("%d channels", v.iPlotX->ChannelCount());
    }
}

// The floor of a build: the same channels and points, with one pass of window events a point.
void addPointsDirectly() {
    frmHistory& v = *frmHistory::existing();
    v.DataTab->setCurrentIndex(frmHistory::TabData);
    PlotControl& plot = *v.iPlotX;
    plot.ClearPlot();
    plot.XAxis().setBuildStart(true);
    plot.YAxis().setBuildStart(true);
    for (int c = 0; c < kChannels; ++c) {
        PlotChannel& channel = plot.Channel(plot.AddChannel());
        channel.setTraceLineWidth(2);
        channel.setTitleText(channelTitles[c]);
        for (const Point& p : channelPoints[c]) {
            doEvents();
            if (std::isnan(p.y)) {
                channel.AddEmpty(p.x);
            } else {
                channel.AddXY(p.x, p.y);
            }
        }
    }
    v.DataTab->setCurrentIndex(frmHistory::TabTrendData);
}

const bench::Registrar trendBuild{{
    .name = "trend-build",
    .setup = loadViewer,
    .ours = build,
    .reference = addPointsDirectly,
    .runs = 3,
    .files = [] { logPath(); },
}};

// The picture as the trend's JPEG save writes it (quality 100), at 1280 x 720.
const bench::Registrar trendJpeg{{
    .name = "trend-jpeg",
    .setup = loadViewer,
    .ours =
        [] {
            build();
            frmHistory::existing()->iPlotX->SaveJpeg(picturePath(), 100, false);
        },
    .reference = {},
    .runs = 3,
    .files = [] { logPath(); },
    .teardown = [] { bench::note("picture of %lld bytes", QFileInfo(picturePath()).size()); },
}};

} // namespace
