// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The trend's controls without the viewer, and data logs in their grid loaded the way the data
// log reader leaves them: titles in row 0, the date in column 0, the time rewritten as
// "hh:mm:ss AM/PM" in column 1, values from column 2.

#include "CoreTestHelpers.h"
#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"
#include "ui/trend/TrendBuilder.h"
#include "ui/trend/TrendView.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <qcustomplot.h>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tarvex::test {

// Records one `stepMinutes` apart from 3/4/2024 10:00:00, one value list per record.
inline QString logText(const QStringList& titles, const std::vector<QStringList>& values,
                       int stepMinutes = 1) {
    QString text = QStringLiteral("Date,Time,") + titles.join(QLatin1Char(',')) + "\r\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QTime time = QTime(10, 0).addSecs(static_cast<int>(i) * stepMinutes * 60);
        text +=
            "3/4/2024," + time.toString("hh:mm:ss,") + values[i].join(QLatin1Char(',')) + "\r\n";
    }
    return text;
}

// The date serial of record `i` of logText.
inline double recordTime(int i, int stepMinutes = 1) {
    return dateSerial(2024, 3, 4) + timeSerial(10, 0, 0) + i * stepMinutes / 1440.0;
}

// Values r + 100 c of `columns` columns in `records` records.
inline std::vector<QStringList> countingValues(int records, int columns) {
    std::vector<QStringList> rows(records);
    for (int r = 0; r < records; ++r) {
        for (int c = 0; c < columns; ++c) {
            rows[r] << QString::number(r + c * 100);
        }
    }
    return rows;
}

// The trend's controls on a window of their own, wired to the zoom and the double-click as the
// viewer wires them; the ranges of the last completed build kept as the viewer keeps them.
class TrendTest : public ProcedureTest {
protected:
    TrendTest() {
        window.resize(900, 600);
        iPlotX.setGeometry(0, 0, 860, 560);
        YSlider.setGeometry(860, 0, 40, 560);
        DateSlider.setGeometry(0, 560, 860, 40);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        QObject::connect(&DateSlider, &SliderControl::PositionChange, &window,
                         [this] { DateSlider_PositionChange(controls(), history); });
        QObject::connect(&YSlider, &SliderControl::PositionChange, &window,
                         [this] { YSlider_PositionChange(controls(), history); });
        QObject::connect(&iPlotX, &PlotControl::DblClick, &window,
                         [this] { iPlotX_DblClick(controls(), history); });
    }

    TrendControls controls() {
        return {&vaGrid, &iPlotX, &YSlider, &DateSlider, &DcryLabel, &ProgBar};
    }

    // Loads `text` into vaGrid as the data log `dir`/plant.csv, with nothing selected.
    void loadLog(const QString& text) {
        const QString path = writeFile(dir.filePath(QStringLiteral("plant.csv")), text.toLatin1());
        vaGrid.view()->clearSelection();
        ASSERT_TRUE(vaGrid.LoadDelimitedText(path, QString(), QStringLiteral(","),
                                             QStringLiteral("\r\n"), 3, QString()));
        vaGrid.setColumnCount(vaGrid.FilledColumnCount());
        for (int row = 0; row <= vaGrid.RowCount(); ++row) {
            CellValue time;
            vaGrid.GetCellValue(1, row, time);
            vaGrid.SetCellText(1, row, formatValue(time, u"hh:mm:ss AM/PM"));
        }
        vaGrid.updateView();
        state.dataFilePath = path;
    }

    // Replaces vaGrid's selection with blocks of cells (first column and row, last column and
    // row).
    void select(const std::vector<std::array<int, 4>>& blocks) {
        const QAbstractItemModel& model = *vaGrid.model();
        vaGrid.view()->clearSelection();
        for (const auto& [c1, r1, c2, r2] : blocks) {
            vaGrid.view()->selectionModel()->select(
                QItemSelection(model.index(r1 - 1, c1 - 1), model.index(r2 - 1, c2 - 1)),
                QItemSelectionModel::Select);
        }
    }

    // Runs "Plot History File" and answers a message, if one is expected, with OK; returns what
    // it showed. `completed` tells whether the build completed.
    ModalAnswer::Seen pressPlot(bool message = false) {
        ModalAnswer answer;
        if (message) {
            answer.thenClick(QMessageBox::Ok);
        }
        const std::optional<HistorySpans> spans = plotSelection(state, *main, controls());
        completed = spans.has_value();
        if (spans) {
            history = spans;
        }
        EXPECT_EQ(answer.pending(), 0);
        EXPECT_EQ(answer.seen().size(), message ? 1U : 0U);
        return answer.seen().empty() ? ModalAnswer::Seen{} : answer.seen().front();
    }

    QWidget window;
    SpreadGrid vaGrid;
    PlotControl iPlotX{&window};
    SliderControl YSlider{Qt::Vertical, &window};
    SliderControl DateSlider{Qt::Horizontal, &window};
    QLabel DcryLabel;
    LedBar ProgBar;
    std::optional<HistorySpans> history;
    bool completed = false;
};

// The keys (`keys`) or values of a channel's points, NaN for a gap.
inline std::vector<double> channelPoints(PlotControl& plot, int channel, bool keys = false) {
    std::vector<double> points;
    for (const QCPGraphData& point : *plot.Channel(channel).graph()->data()) {
        points.push_back(keys ? point.key : point.value);
    }
    return points;
}

} // namespace tarvex::test
