// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/GridClipboard.h"

#include "ui/recordfiles/SpreadGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <vector>

namespace tarvex {
namespace {

// A field that a spreadsheet would split or unquote is quoted, its quotes doubled.
QString field(const QString& text) {
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.startsWith(QLatin1Char('"'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString selectionAsText(const SpreadGrid& grid) {
    const QTableView& view = *grid.view();
    const QItemSelection blocks =
        view.selectionModel() != nullptr ? view.selectionModel()->selection() : QItemSelection();
    // Model rows and columns of every block, in order.
    std::vector<bool> rowTaken(static_cast<std::size_t>(view.model()->rowCount()), false);
    std::vector<bool> columnTaken(static_cast<std::size_t>(view.model()->columnCount()), false);
    for (const QItemSelectionRange& block : blocks) {
        std::fill(rowTaken.begin() + block.top(), rowTaken.begin() + block.bottom() + 1, true);
        std::fill(columnTaken.begin() + block.left(), columnTaken.begin() + block.right() + 1,
                  true);
    }
    std::vector<int> columns;
    for (std::size_t c = 0; c < columnTaken.size(); ++c) {
        if (columnTaken[c] && !view.isColumnHidden(static_cast<int>(c))) {
            columns.push_back(static_cast<int>(c));
        }
    }
    if (columns.empty()) {
        return {};
    }
    const GridData& data = grid.gridData();
    const bool rowTitles = !view.verticalHeader()->isHidden();
    // One line: the row title, then a cell of each column that `text` gives.
    QString out;
    const auto line = [&](int gridRow, const auto& text) {
        QStringList fields;
        if (rowTitles) {
            fields << field(data.ShownText(0, gridRow));
        }
        for (const int c : columns) {
            fields << field(text(c));
        }
        out += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    line(0, [&](int c) { return data.ShownText(c + 1, 0); });
    for (std::size_t r = 0; r < rowTaken.size(); ++r) {
        if (!rowTaken[r]) {
            continue;
        }
        const int row = static_cast<int>(r);
        line(row + 1, [&](int c) {
            const bool held = blocks.contains(view.model()->index(row, c));
            return held ? data.ShownText(c + 1, row + 1) : QString();
        });
    }
    return out;
}

void copySelection(const SpreadGrid& grid) {
    const QString text = selectionAsText(grid);
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

} // namespace tarvex
