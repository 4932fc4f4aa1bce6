// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendBuilder.h"

#include "core/common/Int16.h"
#include "core/trend/TrendBlock.h"
#include "core/trend/TrendPoint.h"
#include "core/trend/TrendProgress.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/EventPass.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/StatusSink.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"

#include <QLabel>
#include <QPointer>
#include <QScopedValueRollback>

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

// How a build ended, when no run-time error ended it. Its controls may be destroyed during an
// event pass: then there is nothing left to plot on or to tell.
enum class Outcome { Completed, Cancelled, ControlsGone };

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

// One run of buildTrend over the data log's grid and the plot.
class TrendBuild {
public:
    TrendBuild(SharedState& state, const TrendControls& trend)
        : state_(state), grid_(trend.vaGrid), plot_(trend.iPlotX), ySlider_(trend.YSlider),
          dateSlider_(trend.DateSlider), label_(trend.DcryLabel), bar_(trend.ProgBar) {}

    // Run-time errors leave it by throwing.
    Outcome run();
    // The ranges of the completed build.
    [[nodiscard]] HistorySpans spans() const;
    // Ends a stopped or failed build: progress hidden, pointer back, plotBusy cleared.
    void cleanUp();

private:
    [[nodiscard]] bool present() const;
    void start();
    Outcome plotBlock(int index);
    bool plotColumn(int column, const TrendBlock& block, int columnCount, int rowSpan);
    bool plotPoint(int channel, int column, int row, int columnCount, int rowSpan);
    void complete();
    double pointX(int row);

    SharedState& state_;
    QPointer<SpreadGrid> grid_;
    QPointer<PlotControl> plot_;
    QPointer<SliderControl> ySlider_;
    QPointer<SliderControl> dateSlider_;
    QPointer<QWidget> label_;
    QPointer<LedBar> bar_;
    // Window events run after every point, the display polled at most once a millisecond.
    EventPass events_;
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

bool TrendBuild::present() const {
    return !grid_.isNull() && !plot_.isNull() && !ySlider_.isNull() && !dateSlider_.isNull() &&
           !label_.isNull() && !bar_.isNull();
}

Outcome TrendBuild::run() {
    if (!present()) {
        return Outcome::ControlsGone;
    }
    start();
    firstValueEmpty_ = firstValueEmpty(*grid_);
    const int blocks = grid_->SelectionCount();
    for (int i = 0; i < blocks; ++i) {
        if (const Outcome outcome = plotBlock(i); outcome != Outcome::Completed) {
            return outcome;
        }
    }
    complete();
    return Outcome::Completed;
}

void TrendBuild::start() {
    state_.plotBusy = kTrue16;
    Screen::setMousePointer(Screen::vbHourglass);
    plot_->ClearPlot();
    ySlider_->setPosition(0);
    dateSlider_->setPosition(0);
    plot_->XAxis().setBuildStart(true);
    plot_->YAxis().setBuildStart(true);
    plot_->XAxis().setAxisMode(0);
    plot_->YAxis().setAxisMode(0);
    label_->show();
    bar_->show();
    bar_->setPositionMax(100);
}

// Completed: the block is plotted and the next may follow.
Outcome TrendBuild::plotBlock(int index) {
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
        if (state_.plotBusy == kFalse16) {
            return Outcome::Cancelled;
        }
        if (!plotColumn(column, block, columnCount, rowSpan)) {
            return Outcome::ControlsGone;
        }
        ++channelCounter_;
    }
    return Outcome::Completed;
}

// False when the controls went away meanwhile.
bool TrendBuild::plotColumn(int column, const TrendBlock& block, int columnCount, int rowSpan) {
    const int channel = plot_->AddChannel();
    PlotChannel& trace = plot_->Channel(channel);
    trace.setColor(trace.Color());
    trace.setTraceLineWidth(2);
    CellValue title;
    grid_->GetCellValue(column, 0, title);
    trace.setTitleText(title.toText());
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        if (!plotPoint(channel, column, row, columnCount, rowSpan)) {
            return false;
        }
    }
    return true;
}

bool TrendBuild::plotPoint(int channel, int column, int row, int columnCount, int rowSpan) {
    events_.run();
    if (!present()) {
        return false; // whatever ran may have destroyed them
    }
    const int progress = trendProgress(pointCounter_, columnCount, rowSpan);
    ++pointCounter_;
    bar_->setPosition(progress);
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
    return true;
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
    plot_->YAxis().setMin(lowestValue_);
    plot_->YAxis().setSpan(highestValue_ - lowestValue_);
    label_->hide();
    bar_->hide();
    Screen::setMousePointer(Screen::vbDefault);
    state_.plotBusy = kFalse16;
}

HistorySpans TrendBuild::spans() const {
    return {.historyXspan = plot_->XAxis().Span(),
            .historyYspan = plot_->YAxis().Span(),
            .historyXmin = plot_->XAxis().Min(),
            .historyYmin = plot_->YAxis().Min()};
}

void TrendBuild::cleanUp() {
    if (!label_.isNull()) {
        ignoreErrors([this] { label_->hide(); });
    }
    if (!bar_.isNull()) {
        ignoreErrors([this] { bar_->hide(); });
    }
    Screen::setMousePointer(Screen::vbDefault);
    state_.plotBusy = kFalse16;
}

} // namespace

std::optional<HistorySpans> plotSelection(SharedState& state, StatusSink& status,
                                          const TrendControls& trend) {
    if (s_buildRunning) {
        return std::nullopt;
    }
    SpreadGrid& grid = *trend.vaGrid;
    const bool noFirstValue = firstValueEmpty(grid);
    if (!grid.IsBlockSelected() && grid.SelectionCount() == 0) {
        msgBox(kTooFewCells, MsgStyle::Question);
        return std::nullopt;
    }
    for (int i = 0; i < grid.SelectionCount(); ++i) {
        switch (checkTrendBlock(addressBlock(grid, i), noFirstValue)) {
        case TrendBlockCheck::TooFewRows:
            msgBox(kTooFewCells, MsgStyle::Question);
            return std::nullopt;
        case TrendBlockCheck::NotDataCells:
            msgBox(kNotDataCells, MsgStyle::Question);
            return std::nullopt;
        case TrendBlockCheck::Ok:
            break;
        }
    }
    status.setStatusText(QStringLiteral("Plotting data, please wait!"));
    std::optional<HistorySpans> spans = buildTrend(state, trend);
    status.setStatusText(QStringLiteral("Current File is ") + state.dataFilePath);
    return spans;
}

std::optional<HistorySpans> buildTrend(SharedState& state, const TrendControls& trend) {
    if (s_buildRunning) {
        return std::nullopt;
    }
    const QScopedValueRollback running(s_buildRunning, true);
    TrendBuild build(state, trend);
    std::optional<Outcome> outcome; // none: a run-time error ended it
    reportErrors([](const TvError&) { msgBox(kPlotFailed, MsgStyle::Critical); },
                 [&] { outcome = build.run(); });
    if (outcome == Outcome::Completed) {
        return build.spans();
    }
    if (outcome == Outcome::Cancelled) {
        ignoreErrors([] { msgBox(kCancelled, MsgStyle::Information); });
    }
    build.cleanUp();
    return std::nullopt;
}

} // namespace tarvex
