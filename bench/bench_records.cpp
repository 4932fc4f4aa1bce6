// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "BenchFiles.h"

#include "core/recordfiles/AtomicFile.h"
#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/SpreadGrid.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kValueColumns = 100;

QString logPath() {
    return bench::dataLogFile(kValueColumns, false);
}

QString exportPath() {
    return bench::scratchDir() + QStringLiteral("/open-export-out.csv");
}

QString copyPath() {
    return bench::scratchDir() + QStringLiteral("/open-export-copy.csv");
}

// The viewer's data grid exists before a file is opened into it. Widgets must not outlive the
// application, so it is never deleted.
SpreadGrid* dataGrid = nullptr;

// What "Open History File" and "Export Data File" do with the grid, without their dialogs.
void openAndExport() {
    loadDataLogGrid(*dataGrid, logPath());
    try {
        saveRecordText(*dataGrid, exportPath());
    } catch (const TvError&) {
        bench::note("export failed");
    }
}

// The plainest way to move the same bytes: read the file whole, write it whole, as durably as
// the export writes (synced, then renamed into place), so that the ratio is the parse's.
void plainCopy() {
    QFile in(logPath());
    if (!in.open(QIODevice::ReadOnly) || writeFileAtomically(copyPath(), in.readAll())) {
        bench::note("copy failed");
    }
}

void setUp() {
    dataGrid = new SpreadGrid;
    openAndExport(); // fonts, styles and the page cache are set up once per process
    plainCopy();
    bench::note("export of %.1f MB", double(QFileInfo(exportPath()).size()) / 1e6);
}

const bench::Registrar openExport{{
    .name = "open-export",
    .setup = setUp,
    .ours = openAndExport,
    .reference = plainCopy,
    .runs = 7,
    .files = [] { logPath(); },
}};

} // namespace
