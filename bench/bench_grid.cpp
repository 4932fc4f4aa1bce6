// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "BenchFiles.h"

#include "core/recordfiles/GridData.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTableView>

#include <algorithm>
#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kRecords = bench::kLogRecords;
constexpr int kValueColumns = 100;

QString logPath() {
    return bench::dataLogFile(kValueColumns, false);
}

// The data log reader's work on the grid (as "Open History File" does it, without the dialog),
// and the view catching up, which is part of what the user waits for.
void loadLikeTheReader(SpreadGrid& grid) {
    loadDataLogGrid(grid, logPath());
    CellValue first;
    grid.GetCellValue(2, 1, first);
    grid.updateView();
}

void countLinesAndCommas() {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray bytes = file.readAll();
    const auto lines = std::count(bytes.begin(), bytes.end(), '\n');
    const auto commas = std::count(bytes.begin(), bytes.end(), ',');
    if (lines != kRecords + 1 || commas != qsizetype(lines) * (kValueColumns + 1)) {
        bench::note("unexpected counts");
    }
}

// One untimed load first: fonts, styles and the page cache are set up once per process.
void setUpLoad() {
    SpreadGrid grid;
    loadLikeTheReader(grid);
    bench::note("cell storage %.1f MB", double(grid.gridData().memoryUsage()) / (1024 * 1024));
}

const bench::Registrar gridLoad{{
    .name = "grid-load",
    .setup = setUpLoad,
    .ours =
        [] {
            SpreadGrid grid;
            loadLikeTheReader(grid);
        },
    .reference = countLinesAndCommas,
    .runs = 5,
    .files = [] { logPath(); },
}};

// Shown for the whole run: widgets must not outlive the application, so it is never deleted.
SpreadGrid* paintedGrid = nullptr;

void setUpPaint() {
    paintedGrid = new SpreadGrid;
    loadLikeTheReader(*paintedGrid);
    paintedGrid->resize(1600, 900);
    paintedGrid->show();
    QCoreApplication::processEvents();
    const GridModel* model = paintedGrid->model();
    paintedGrid->view()->scrollTo(model->index(model->rowCount() / 2, model->columnCount() / 2),
                                  QAbstractItemView::PositionAtCenter);
    QCoreApplication::processEvents();
    QImage warmUp(paintedGrid->size(), QImage::Format_ARGB32_Premultiplied);
    paintedGrid->render(&warmUp);
}

const bench::Registrar gridPaint{{
    .name = "grid-paint",
    .setup = setUpPaint,
    .ours =
        [] {
            QImage frame(paintedGrid->size(), QImage::Format_ARGB32_Premultiplied);
            paintedGrid->render(&frame);
        },
    .reference = {},
    .runs = 21,
}};

// The signature and event readers' pattern: a shown grid filled a row per pass of the event
// loop. Reference: the same writes into the cell storage alone.
template <typename Grid> void fillRowByRow(Grid& grid, bool passEvents) {
    for (int c = 0; c < 4; ++c) {
        grid.SetCellText(c, 0, QStringLiteral("Title %1").arg(c));
    }
    for (int n = 0; n < kRecords; ++n) {
        if (passEvents) {
            QCoreApplication::processEvents();
        }
        for (int i = 0; i < 5; ++i) {
            grid.setRowCount(n + 1);
            grid.SetCellText(i, n + 1, QStringLiteral("field %1 of line %2").arg(i).arg(n));
        }
    }
}

const bench::Registrar gridFill{{
    .name = "grid-fill",
    .setup = {},
    .ours =
        [] {
            SpreadGrid grid;
            grid.resize(1600, 900);
            grid.show();
            fillRowByRow(grid, true);
            grid.updateView();
        },
    .reference =
        [] {
            GridData grid;
            fillRowByRow(grid, false);
        },
    .runs = 3,
}};

} // namespace
