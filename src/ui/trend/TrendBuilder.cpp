// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendBuilder.h"

#include "core/common/Int16.h"
#include "core/trend/TrendBlock.h"
#include "core/trend/TrendPoint.h"
#include "core/trend/TrendProgress.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"
#include "ui/viewer/frmHistory.h"

#include <QLabel>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tarvex {
namespace {

const auto kTooFewCells =
    QStringLiteral("you must select at least 4 cells\r\nfor historical trend!");
const auto kNotDataCells = QStringLiteral("Only data cells can be used\r\nfor historical trend!");
const auto kCancelled = QStringLiteral("Historical plot has been canceled by user.");
const auto kPlotFailed =
    QStringLiteral("Corvane data viewer encountered errors while plotting the data file!\r\n"
                   "Please check to make sure the file was created with Corvane Control.");

// True while a build is on the stack. Its event passes can reach the plot button again, and a
// second build would clear the channels that the first is still filling.
bool s_buildRunning = false;

// The viewer was closed during an event pass: there is nothing left to plot on or to tell.
struct ViewerGone {};

bool firstValueEmpty(const SpreadGrid& grid) {
    CellValue value;
    grid.GetCellValue(2, 1, value);
    return value.toText().isEmpty();
}

// Reads block `index` of the selection, addresses it as reported, and fills in whole columns.
TrendBlock addressBlock(SpreadGrid& grid, int index) {
    TrendBlock b;
    if (!grid.GetSelection(index, b.firstColumn, b.firstRow, b.lastColumn, b.lastRow)) {
        throw TvError(ErrSubscript);
    }
    grid.setCurrentColumn(b.firstColumn);
    grid.setBlockEndColumn(b.lastColumn);
    grid.setCurrentRow(b.firstRow);
    grid.setBlockEndRow(b.lastRow);
    return withWholeColumnRows(b, grid.RowCount());
}

// One run of buildTrend over the viewer's grid and plot.
class TrendBuild {
public:
    explicit TrendBuild(frmHistory& viewer)
        : viewer_(&viewer), grid_(viewer.vaGrid), plot_(viewer.iPlotX) {}

    // False when the user stopped it. Run-time errors and ViewerGone leave it by throwing.
    bool run();
    // Ends a stopped or failed build: progress hidden, pointer back, plotBusy cleared.
    void cleanUp();

private:
    void start();
    bool plotBlock(int index);
    void plotColumn(int column, const TrendBlock& block, int columnCount, int rowSpan);
    void plotPoint(int channel, int column, int row, int columnCount, int rowSpan);
    void complete();
    double pointX(int row);
    frmHistory& viewer();

    QPointer<frmHistory> viewer_;
    QPointer<SpreadGrid> grid_;
    QPointer<PlotControl> plot_;
    bool firstValueEmpty_ = false;
    int channelCounter_ = 0;
    int pointCounter_ = 0;
    int lowestRow_ = 0;
    int highestRow_ = 0;
    double lowestValue_ = 0.0;
    double highestValue_ = 0.0;
    // The time of each row once read (NaN before): the points of a row share it, and the grid
    // cannot change during a build, as every button that loads a file waits for it to end.
    std::vector<double> rowTimes_;
};

frmHistory& TrendBuild::viewer() {
    if (viewer_.isNull() || grid_.isNull() || plot_.isNull()) {
        throw ViewerGone{};
    }
    return *viewer_;
}

bool TrendBuild::run() {
    start();
    firstValueEmpty_ = firstValueEmpty(*grid_);
    const int blocks = grid_->SelectionCount();
    for (int i = 0; i < blocks; ++i) {
        if (!plotBlock(i)) {
            return false;
        }
    }
    complete();
    return true;
}

void TrendBuild::start() {
    frmHistory& v = viewer();
    pubVars().plotBusy = kTrue16;
    Screen::setMousePointer(Screen::vbHourglass);
    plot_->ClearPlot();
    v.YSlider->setPosition(0);
    v.DateSlider->setPosition(0);
    plot_->XAxis().setBuildStart(true);
    plot_->YAxis().setBuildStart(true);
    plot_->XAxis().setAxisMode(0);
    plot_->YAxis().setAxisMode(0);
    v.DcryLabel->show();
    v.ProgBar->show();
    v.ProgBar->setPositionMax(100);
}

bool TrendBuild::plotBlock(int index) {
    const TrendBlock block =
        withWholeRowColumns(addressBlock(*grid_, index), firstValueEmpty_, grid_->ColumnCount());
    if (index == 0) {
        lowestRow_ = block.firstRow;
        highestRow_ = block.lastRow;
    } else {
        lowestRow_ = std::min(lowestRow_, block.firstRow);
        highestRow_ = std::max(highestRow_, block.lastRow);
    }
    const int rowSpan = highestRow_ - lowestRow_;
    const int columnCount = block.lastColumn - block.firstColumn + 1;
    for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
        // The stop button is honoured between columns only: a column once begun is finished.
        if (pubVars().plotBusy == kFalse16) {
            return false;
        }
        plotColumn(column, block, columnCount, rowSpan);
        ++channelCounter_;
    }
    return true;
}

void TrendBuild::plotColumn(int column, const TrendBlock& block, int columnCount, int rowSpan) {
    const int channel = plot_->AddChannel();
    PlotChannel& trace = plot_->Channel(channel);
    trace.setColor(trace.Color());
    trace.setTraceLineWidth(2);
    CellValue title;
    grid_->GetCellValue(column, 0, title);
    trace.setTitleText(title.toText());
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        plotPoint(channel, column, row, columnCount, rowSpan);
    }
}

void TrendBuild::plotPoint(int channel, int column, int row, int columnCount, int rowSpan) {
    doEvents();
    frmHistory& v = viewer(); // whatever ran may have closed it
    const int progress = trendProgress(pointCounter_, columnCount, rowSpan);
    ++pointCounter_;
    v.ProgBar->setPosition(progress);
    const double x = pointX(row);
    grid_->setCurrentColumn(column);
    grid_->setCurrentRow(row);
    // Looked up by index each time: the event pass may have run anything.
    PlotChannel& trace = plot_->Channel(channel);
    // Text that reads as a number is the cell's value; anything else is a gap.
    if (const auto value = grid_->CellNumber()) {
        trace.AddXY(x, *value);
        lowestValue_ = std::min(lowestValue_, *value);
        highestValue_ = std::max(highestValue_, *value);
    } else {
        trace.AddEmpty(x);
    }
}

double TrendBuild::pointX(int row) {
    const auto read = [this, row] {
        CellValue date;
        CellValue time;
        grid_->GetCellValue(0, row, date);
        grid_->GetCellValue(1, row, time);
        return trendPointX(date, time);
    };
    if (row < 0 || row > grid_->RowCount()) {
        return read(); // outside the grid: as the cells read there
    }
    const auto index = static_cast<std::size_t>(row);
    if (index >= rowTimes_.size()) {
        rowTimes_.resize(std::max<std::size_t>(index + 1, grid_->RowCount() + 1),
                         std::numeric_limits<double>::quiet_NaN());
    }
    if (std::isnan(rowTimes_[index])) {
        rowTimes_[index] = read();
    }
    return rowTimes_[index];
}

void TrendBuild::complete() {
    frmHistory& v = viewer();
    plot_->YAxis().setMin(lowestValue_);
    plot_->YAxis().setSpan(highestValue_ - lowestValue_);
    v.DcryLabel->hide();
    v.ProgBar->hide();
    v.historyXspan = plot_->XAxis().Span();
    v.historyYspan = plot_->YAxis().Span();
    v.historyXmin = plot_->XAxis().Min();
    v.historyYmin = plot_->YAxis().Min();
    Screen::setMousePointer(Screen::vbDefault);
    pubVars().plotBusy = kFalse16;
    v.DataTab->setCurrentIndex(frmHistory::TabTrendData);
}

void TrendBuild::cleanUp() {
    if (!viewer_.isNull()) {
        ignoreErrors([this] { viewer_->DcryLabel->hide(); });
        ignoreErrors([this] { viewer_->ProgBar->hide(); });
    }
    Screen::setMousePointer(Screen::vbDefault);
    pubVars().plotBusy = kFalse16;
}

} // namespace

void plotSelection() {
    if (s_buildRunning) {
        return;
    }
    frmHistory& v = frmHistory::instance();
    SpreadGrid& grid = *v.vaGrid;
    const bool noFirstValue = firstValueEmpty(grid);
    if (!grid.IsBlockSelected() && grid.SelectionCount() == 0) {
        msgBox(kTooFewCells, MsgStyle::Question);
        return;
    }
    for (int i = 0; i < grid.SelectionCount(); ++i) {
        switch (checkTrendBlock(addressBlock(grid, i), noFirstValue)) {
        case TrendBlockCheck::TooFewRows:
            msgBox(kTooFewCells, MsgStyle::Question);
            return;
        case TrendBlockCheck::NotDataCells:
            msgBox(kNotDataCells, MsgStyle::Question);
            return;
        case TrendBlockCheck::Ok:
            break;
        }
    }
    frmMain::instance().setStatusText(QStringLiteral("Plotting data, please wait!"));
    buildTrend();
    frmMain::instance().setStatusText(QStringLiteral("Current File is ") + pubVars().dataFilePath);
}

void buildTrend() {
    if (s_buildRunning) {
        return;
    }
    const QScopedValueRollback running(s_buildRunning, true);
    TrendBuild build(frmHistory::instance());
    enum class Outcome { Completed, Cancelled, Failed, ViewerGone } outcome{};
    try {
        outcome = build.run() ? Outcome::Completed : Outcome::Cancelled;
    } catch (const ViewerGone&) {
        outcome = Outcome::ViewerGone; // nothing left to show a message over
    } catch (...) {
        outcome = Outcome::Failed;
    }
    if (outcome == Outcome::Completed) {
        return;
    }
    if (outcome != Outcome::ViewerGone) {
        const QString& text = outcome == Outcome::Cancelled ? kCancelled : kPlotFailed;
        const int style =
            outcome == Outcome::Cancelled ? MsgStyle::Information : MsgStyle::Critical;
        ignoreErrors([&] { msgBox(text, style); });
    }
    build.cleanUp();
}

} // namespace tarvex
