// SPDX-License-Identifier: GPL-3.0-or-later
// The comma-separated record files as the viewer and the batch tool load and export them: any
// bytes load as a data log, audit trail or alarm history (the first byte picks which) or are
// refused, and what loads exports, and loads again with exactly the cells the grid showed.
#include "FuzzCheck.h"

#include "core/common/TvError.h"
#include "core/recordfiles/GridData.h"
#include "core/recordfiles/RecordLayouts.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace tarvex;

namespace {

bool writeFile(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace

FUZZ_TARGET(delimited_text) {
    static const QTemporaryDir dir;
    static const QString input = dir.filePath(QStringLiteral("input.csv"));
    static const QString exported = dir.filePath(QStringLiteral("export.csv"));
    if (size == 0) {
        return 0;
    }
    const auto kind = static_cast<RecordKind>(data[0] % 3);
    FUZZ_CHECK(writeFile(input, QByteArrayView(reinterpret_cast<const char*>(data + 1),
                                               static_cast<qsizetype>(size - 1))));
    GridData grid;
    try {
        loadRecordFile(grid, kind, input);
    } catch (const TvError& e) {
        FUZZ_CHECK(e.number() == 0 || e.number() == ErrOverflow);
        return 0;
    }
    QFile::remove(exported);
    saveRecordText(grid, exported); // a refusal escapes as an error, which ends the run
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
