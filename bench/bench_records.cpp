#include "Bench.h"

#include "recordfiles/DataLogFile.h"
#include "recordfiles/RecordLayouts.h"
#include "recordfiles/SpreadGrid.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kRecords = 32'766;
constexpr int kValueColumns = 100;

QString logPath() {
    return bench::scratchDir() + QStringLiteral("/open-export-log.csv");
}

QString exportPath() {
    return bench::scratchDir() + QStringLiteral("/open-export-out.csv");
}

QString copyPath() {
    return bench::scratchDir() + QStringLiteral("/open-export-copy.csv");
}

// The largest data log the viewer shows: titles, then date, 24-hour time and 100 values.
void generateLog() {
    QFile file(logPath());
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "open-export: cannot write %s\n", qPrintable(logPath()));
        return;
    }
    QByteArray line = "Date,Time";
    for (int c = 1; c <= kValueColumns; ++c) {
        line += ",Channel " + QByteArray::number(c);
    }
    file.write(line + "\r\n");
    quint32 seed = 4711;
    for (int r = 0; r < kRecords; ++r) {
        const int s = (6 * 3600 + r * 2) % 86'400;
        line = "3/4/2024," + QByteArray::number(s / 3600).rightJustified(2, '0') + ':' +
               QByteArray::number(s / 60 % 60).rightJustified(2, '0') + ':' +
               QByteArray::number(s % 60).rightJustified(2, '0');
        for (int c = 0; c < kValueColumns; ++c) {
            seed = seed * 1664525U + 1013904223U;
            line += ',' + QByteArray::number(double(seed >> 12) / 1000.0 - 150.0, 'f', 2);
        }
        file.write(line + "\r\n");
    }
    file.close();
    std::fprintf(stderr, "open-export: data log of %.1f MB\n",
                 double(QFileInfo(logPath()).size()) / (1024 * 1024));
}

// The viewer's data grid exists before a file is opened into it. Widgets must not outlive the
// application, so it is never deleted.
SpreadGrid* dataGrid = nullptr;

// What "Open History File" and "Export Data File" do with the grid, without their dialogs.
void openAndExport() {
    loadDataLogGrid(*dataGrid, logPath());
    if (!saveRecordText(*dataGrid, exportPath())) {
        std::fprintf(stderr, "open-export: export failed\n");
    }
}

// The plainest way to move the same bytes: read the file whole, write it whole.
void plainCopy() {
    QFile in(logPath());
    QFile out(copyPath());
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "open-export: copy failed\n");
        return;
    }
    out.write(in.readAll());
}

void setUp() {
    generateLog();
    dataGrid = new SpreadGrid;
    openAndExport(); // fonts, styles and the page cache are set up once per process
    plainCopy();
    std::fprintf(stderr, "open-export: export of %.1f MB\n",
                 double(QFileInfo(exportPath()).size()) / (1024 * 1024));
}

const bench::Registrar openExport{{
    .name = "open-export",
    .setup = setUp,
    .ours = openAndExport,
    .reference = plainCopy,
    .runs = 7,
}};

} // namespace
