// SPDX-License-Identifier: GPL-3.0-or-later
// The comma-separated record files as the viewer and the batch tool load and export them: any
// bytes load as a data log, audit trail or alarm history (the first byte picks which) or are
// refused, what loads exports, loads again with exactly the cells the grid showed, and the
// batch tool's line-at-a-time export writes the same bytes and refuses the same texts.
#include "FuzzCheck.h"

#include "core/common/TvError.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/RecordExport.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <variant>

using namespace tarvex;

namespace {

bool writeFile(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

// A folder in memory where there is one: every export is synced to its disk.
QString scratchTemplate() {
    const QString shm = QStringLiteral("/dev/shm");
    return QDir(shm).exists() ? shm + QStringLiteral("/tarvex-fuzz-XXXXXX")
                              : QDir::tempPath() + QStringLiteral("/tarvex-fuzz-XXXXXX");
}

using Outcome = std::variant<QByteArray, int>;

// The batch tool's export, or the error number the viewer's load reports for the same text.
Outcome streamed(RecordKind kind, QByteArrayView text) {
    const RecordExport exporter(kind, text);
    switch (exporter.problem()) {
    case RecordExport::Problem::None:
        break;
    case RecordExport::Problem::TooLarge:
        return 0;
    default:
        return int(ErrOverflow);
    }
    QByteArray out;
    FUZZ_CHECK(exporter.write([&out](QByteArrayView piece) {
        out += piece;
        return true;
    }));
    return out;
}

} // namespace

FUZZ_TARGET(delimited_text) {
    static const QTemporaryDir dir(scratchTemplate());
    static const QString input = dir.filePath(QStringLiteral("input.csv"));
    static const QString exported = dir.filePath(QStringLiteral("export.csv"));
    if (size == 0) {
        return 0;
    }
    const auto kind = static_cast<RecordKind>(data[0] % 3);
    const QByteArrayView text(reinterpret_cast<const char*>(data + 1),
                              static_cast<qsizetype>(size - 1));
    FUZZ_CHECK(writeFile(input, text));
    GridData grid;
    try {
        loadRecordFile(grid, kind, input);
    } catch (const TvError& e) {
        FUZZ_CHECK(e.number() == 0 || e.number() == ErrOverflow);
        FUZZ_CHECK(streamed(kind, text) == Outcome(e.number()));
        return 0;
    }
    QFile::remove(exported);
    saveRecordText(grid, exported); // a refusal escapes as an error, which ends the run
    QFile file(exported);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK(streamed(kind, text) == Outcome(file.readAll()));
    if (grid.ColumnCount() + 1 > GridCells::kMaxFields) {
        return 0; // the alarm numbers make one field more than the widest line held
    }
    GridData again;
    loadRecordText(again, exported,
                   GridData::kFirstLineToHeaderRow + GridData::kFirstFieldToHeaderColumn);
    for (int row = 0; row <= grid.RowCount(); ++row) {
        for (int column = 0; column <= grid.ColumnCount(); ++column) {
            FUZZ_CHECK(again.CellText(column, row) == grid.ShownText(column, row));
        }
    }
    return 0;
}
