// Trend build workload: the plot button's build over a full data log, as the user runs it.
#include "Bench.h"

#include "common/ValueFormat.h"
#include "recordfiles/GridModel.h"
#include "recordfiles/SpreadGrid.h"
#include "shell/SharedState.h"
#include "shell/frmSplash.h"
#include "trend/PlotControl.h"
#include "trend/TrendBuilder.h"
#include "viewer/frmHistory.h"

#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>

#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kRecords = 32'766;
constexpr int kValueColumns = 4;

QString logPath() {
    return bench::scratchDir() + QStringLiteral("/trendlog.csv");
}

// Five-second records with a slow wave per channel; every 200th value a probe fault text.
bool generateLog() {
    QFile file(logPath());
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "trend-build: cannot write %s\n", qPrintable(logPath()));
        return false;
    }
    file.write("Date,Time,TI101,PI102,FI103,LI104\r\n");
    for (int r = 0; r < kRecords; ++r) {
        const int s = 8 * 3600 + r * 5;
        QByteArray line = QByteArray::number(3 + s / 86400) + "/4/2024,";
        line += QString::asprintf("%02d:%02d:%02d", s / 3600 % 24, s / 60 % 60, s % 60).toLatin1();
        for (int c = 0; c < kValueColumns; ++c) {
            line +=
                r % 200 == 199
                    ? QByteArray(",Bad Input")
                    : ',' + QByteArray::number(50.0 + 40.0 * ((r * (c + 3)) % 997) / 997.0, 'f', 2);
        }
        file.write(line + "\r\n");
    }
    return true;
}

// The viewer with the data log loaded as its reader leaves it, and the value columns selected.
void loadViewer() {
    frmSplash::createSharedObjects();
    frmHistory& v = frmHistory::instance();
    v.showViewer();
    SpreadGrid& grid = *v.vaGrid;
    if (!generateLog() || !grid.LoadDelimitedText(logPath(), QString(), QStringLiteral(","),
                                                  QStringLiteral("\r\n"), 3, QString())) {
        std::fprintf(stderr, "trend-build: the data log did not load\n");
        return;
    }
    grid.setColumnCount(grid.FilledColumnCount());
    for (int row = 0; row <= grid.RowCount(); ++row) {
        CellValue time;
        grid.GetCellValue(1, row, time);
        grid.SetCellText(1, row, formatValue(time, u"hh:mm:ss AM/PM"));
    }
    grid.updateView();
    pubVars().dataFilePath = logPath();
    const QItemSelection columns(grid.model()->index(0, 1),
                                 grid.model()->index(kRecords - 1, kValueColumns));
    grid.view()->selectionModel()->select(columns, QItemSelectionModel::Select);
    QApplication::processEvents();
}

const bench::Registrar trendBuild{{
    .name = "trend-build",
    .setup = loadViewer,
    .ours =
        [] {
            frmHistory& v = frmHistory::instance();
            // Pressed on the "Data" tab, as the user does; the build ends on the trend.
            v.DataTab->setCurrentIndex(frmHistory::TabData);
            buildTrend();
            if (v.iPlotX->ChannelCount() != kValueColumns) {
                std::fprintf(stderr, "trend-build: %d channels\n", v.iPlotX->ChannelCount());
            }
        },
    .reference = {},
    .runs = 3,
}};

} // namespace
