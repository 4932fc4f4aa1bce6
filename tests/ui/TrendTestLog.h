#pragma once

// Data logs in the viewer's grid for the trend tests, loaded the way the data log reader
// leaves them: titles in row 0, the date in column 0, the time rewritten as "hh:mm:ss AM/PM"
// in column 1, values from column 2.

#include "ViewerFixture.h"

#include "common/ValueConvert.h"
#include "common/ValueFormat.h"
#include "recordfiles/GridModel.h"
#include "recordfiles/SpreadGrid.h"
#include "shell/SharedState.h"
#include "trend/PlotControl.h"
#include "viewer/frmHistory.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTemporaryDir>

#include <qcustomplot.h>

#include <gtest/gtest.h>

#include <vector>

namespace tarvex::test {

// Records one `stepMinutes` apart from 3/4/2024 10:00:00, one value list per record.
inline QString logText(const QStringList& titles, const std::vector<QStringList>& values,
                       int stepMinutes = 1) {
    QString text = QStringLiteral("Date,Time,") + titles.join(QLatin1Char(',')) + "\r\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int minutes = 10 * 60 + static_cast<int>(i) * stepMinutes;
        text += QStringLiteral("3/4/2024,%1:%2:00,")
                    .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                    .arg(minutes % 60, 2, 10, QLatin1Char('0')) +
                values[i].join(QLatin1Char(',')) + "\r\n";
    }
    return text;
}

// The date serial of record `i` of logText.
inline double recordTime(int i, int stepMinutes = 1) {
    return dateSerial(2024, 3, 4) + timeSerial(10, 0, 0) + i * stepMinutes / 1440.0;
}

// Loads `text` into vaGrid as the data log `dir`/plant.csv, with nothing selected.
inline void loadLog(frmHistory& v, const QTemporaryDir& dir, const QString& text) {
    const QString path = dir.filePath(QStringLiteral("plant.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toLatin1());
    file.close();
    SpreadGrid& grid = *v.vaGrid;
    grid.view()->clearSelection();
    ASSERT_TRUE(grid.LoadDelimitedText(path, QString(), QStringLiteral(","), QStringLiteral("\r\n"),
                                       3, QString()));
    grid.setColumnCount(grid.FilledColumnCount());
    for (int row = 0; row <= grid.RowCount(); ++row) {
        CellValue time;
        grid.GetCellValue(1, row, time);
        grid.SetCellText(1, row, formatValue(time, u"hh:mm:ss AM/PM"));
    }
    grid.updateView();
    pubVars().dataFilePath = path;
}

// Adds a block of cells (grid columns and rows, inclusive) to vaGrid's selection.
inline void selectBlock(frmHistory& v, int firstColumn, int firstRow, int lastColumn, int lastRow) {
    SpreadGrid& grid = *v.vaGrid;
    const QItemSelection block(grid.model()->index(firstRow - 1, firstColumn - 1),
                               grid.model()->index(lastRow - 1, lastColumn - 1));
    grid.view()->selectionModel()->select(block, QItemSelectionModel::Select);
}

// The values of a channel's points, NaN for a gap.
inline std::vector<double> channelValues(PlotControl& plot, int channel) {
    std::vector<double> values;
    for (const QCPGraphData& point : *plot.Channel(channel).graph()->data()) {
        values.push_back(point.value);
    }
    return values;
}

inline std::vector<double> channelKeys(PlotControl& plot, int channel) {
    std::vector<double> keys;
    for (const QCPGraphData& point : *plot.Channel(channel).graph()->data()) {
        keys.push_back(point.key);
    }
    return keys;
}

// Values 0, 1, 2, ... of `columns` columns in `records` records.
inline std::vector<QStringList> countingValues(int records, int columns) {
    std::vector<QStringList> rows;
    for (int r = 0; r < records; ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c) {
            row << QString::number(r + c * 100);
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace tarvex::test
