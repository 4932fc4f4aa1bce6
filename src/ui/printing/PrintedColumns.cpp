// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/PrintedColumns.h"

#include "core/common/Windows1252.h"
#include "core/recordfiles/GridData.h"
#include "ui/printing/CellTextRun.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>

namespace tarvex {
namespace {

// The width of every Windows-1252 character as a printed cell text places it: cells are
// measured byte by byte, as a whole grid can hold millions of them.
using Advances = std::array<double, 256>;

Advances advancesOf(const QFont& font, const QPaintDevice& device) {
    CellTextRun run(font, device);
    const QFontMetricsF metrics(font, &device);
    Advances advances{};
    for (std::size_t b = 0; b < advances.size(); ++b) {
        const QChar c(windows1252ToUnicode(static_cast<unsigned char>(b)));
        const double width = run.textWidth(QStringView(&c, 1));
        advances[b] = width >= 0 ? width : metrics.horizontalAdvance(c);
    }
    return advances;
}

double widthOf(QByteArrayView bytes, const Advances& advances) {
    double width = 0;
    for (const char byte : bytes) {
        width += advances[static_cast<unsigned char>(byte)];
    }
    return width;
}

double widestWord(const QString& title, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const QString& word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest;
}

} // namespace

std::vector<ColumnNeed> columnNeeds(const GridData& data, const std::vector<int>& columns,
                                    int firstRow, int rowCount, const QFont& font,
                                    const QPaintDevice& device) {
    const Advances advances = advancesOf(font, device);
    const QFontMetricsF metrics(font, &device);
    std::vector<ColumnNeed> needs;
    needs.reserve(columns.size());
    for (const int column : columns) {
        ColumnNeed need{0, widestWord(data.ShownText(column, 0), metrics)};
        for (int row = firstRow; row < firstRow + rowCount; ++row) {
            const QByteArrayView bytes = data.CellBytes(column, row);
            const double width = column == 0 && bytes.isEmpty()
                                     ? widthOf(QByteArray::number(row), advances)
                                     : widthOf(bytes, advances);
            need.cells = std::max(need.cells, width);
        }
        needs.push_back(need);
    }
    return needs;
}

} // namespace tarvex
