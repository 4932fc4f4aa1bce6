#include "Bench.h"

#include "common/Int16.h"
#include "common/ValueFormat.h"
#include "recordfiles/GridData.h"
#include "recordfiles/GridModel.h"
#include "recordfiles/SpreadGrid.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTableView>

#include <algorithm>
#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kRecords = 32'766;
constexpr int kValueColumns = 100;

QString logPath() {
    return bench::scratchDir() + QStringLiteral("/datalog.csv");
}

// A data log as the controller writes it: titles, then date, 24-hour time and the values.
void generateLog() {
    if (QFile::exists(logPath())) {
        return;
    }
    QFile file(logPath());
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(logPath()));
        return;
    }
    QByteArray line = "Date,Time";
    for (int c = 1; c <= kValueColumns; ++c) {
        line += ",Channel " + QByteArray::number(c);
    }
    file.write(line + "\r\n");
    quint32 seed = 12345;
    for (int r = 0; r < kRecords; ++r) {
        const int seconds = 8 * 3600 + r * 5;
        line = QByteArray::number(3 + seconds / 86400) + "/4/2024,";
        const int s = seconds % 86400;
        line += QString::asprintf("%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60).toLatin1();
        for (int c = 0; c < kValueColumns; ++c) {
            seed = seed * 1664525U + 1013904223U;
            line += ',' + QByteArray::number(double(seed >> 12) / 1000.0 - 150.0, 'f', 2);
        }
        file.write(line + "\r\n");
    }
    std::fprintf(stderr, "grid-load: data log of %.1f MB\n",
                 double(QFileInfo(logPath()).size()) / (1024 * 1024));
}

// The data log reader's work on the grid: load, widths, counts, the time rewrite, settings.
void loadLikeTheReader(SpreadGrid& grid) {
    if (!grid.LoadDelimitedText(logPath(), "", ",", "\r\n", 3, "")) {
        std::fprintf(stderr, "grid-load: load failed\n");
        return;
    }
    grid.setColumnWidth(0, 14);
    grid.setColumnWidth(-1, 14);
    grid.setPresentationNumberA(250);
    grid.setPresentationNumberC(5);
    grid.setColumnCount(grid.FilledColumnCount());
    const std::int16_t rows = toInt16(grid.RowCount());
    for (std::int16_t r = 0; r <= rows && r >= 0; ++r) {
        CellValue value;
        grid.GetCellValue(1, r, value);
        grid.SetCellText(1, r, formatValue(value, u"hh:mm:ss AM/PM"));
    }
    grid.setPresentationFlagA(true);
    grid.setPresentationFlagB(true);
    grid.setPresentationFlagC(true);
    CellValue first;
    grid.GetCellValue(2, 1, first);
    grid.updateView(); // what the user sees includes the view catching up
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
        std::fprintf(stderr, "grid-load: unexpected counts\n");
    }
}

// One untimed load first: fonts, styles and the page cache are set up once per process.
void setUpLoad() {
    generateLog();
    SpreadGrid grid;
    loadLikeTheReader(grid);
    std::fprintf(stderr, "grid-load: cell storage %.1f MB\n",
                 double(grid.gridData().memoryUsage()) / (1024 * 1024));
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
}};

// Shown for the whole run: widgets must not outlive the application, so it is never deleted.
SpreadGrid* paintedGrid = nullptr;

void setUpPaint() {
    generateLog();
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
