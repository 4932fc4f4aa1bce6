// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendLog.h"

#include "ui/shell/Screen.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace tarvex;
using namespace tarvex::test;

namespace {

const QString kTooFew = QStringLiteral("you must select at least 4 cells\r\nfor historical trend!");
const QString kNotData = QStringLiteral("Only data cells can be used\r\nfor historical trend!");

using Values = std::vector<double>;
using Blocks = std::vector<std::array<int, 4>>;

class TrendBuilding : public TrendTest {
protected:
    // Four value columns TI101..TI104 with values r + 100 c, in `records` records.
    void loadCounting(int records) {
        loadLog(logText({"TI101", "TI102", "TI103", "TI104"}, countingValues(records, 4)));
    }
    QStringList channelTitles() {
        QStringList titles;
        for (int i = 0; i < plot().ChannelCount(); ++i) {
            titles << plot().Channel(i).TitleText();
        }
        return titles;
    }
    PlotControl& plot() { return iPlotX; }
    // Presses "Cancel History Plot" at the build's first event pass.
    void pressStopSoon() {
        QTimer::singleShot(0, &window, [this] { state.plotBusy = 0; });
    }
    void expectIdle() {
        EXPECT_EQ(std::tuple(state.plotBusy, Screen::mousePointer()), std::tuple(0, 0));
        EXPECT_TRUE(DcryLabel.isHidden() && ProgBar.isHidden());
        EXPECT_EQ(statusText(), "Current File is " + state.dataFilePath);
    }
};

} // namespace

TEST_F(TrendBuilding, RefusesSelectionsWithoutFourRowsOfDataCellsAndKeepsThePlot) {
    loadCounting(8);
    select({{2, 1, 2, 8}});
    pressPlot();
    ASSERT_EQ(plot().ChannelCount(), 1);
    main->setStatusText(QStringLiteral("before"));
    const std::pair<Blocks, QString> cases[] = {
        {{}, kTooFew},
        {{{3, 2, 4, 4}}, kTooFew},              // 3 rows
        {{{1, 1, 3, 5}}, kNotData},             // starts at the time column
        {{{2, 1, 2, 5}, {3, 1, 3, 3}}, kTooFew} // a later block that is too short
    };
    for (const auto& [blocks, text] : cases) {
        select(blocks);
        const auto seen = pressPlot(true);
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.icon, QMessageBox::Question);
    }
    EXPECT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(plot().Channel(0).PointCount(), 8);
    EXPECT_EQ(statusText(), QStringLiteral("before"));
}

TEST_F(TrendBuilding, AnEmptyFirstValueMovesTheDataColumnsPastTheNotes) {
    loadLog(
        logText({"Batch", "Operator", "Event", "TI101"},
                {{"", "", "", "5"}, {"B1", "", "", "6"}, {"", "", "", "7"}, {"", "", "", "8"}}));
    for (int column : {2, 4}) {
        select({{column, 1, 5, 4}});
        EXPECT_EQ(pressPlot(true).text, kNotData) << column;
    }
    select({{5, 1, 5, 4}});
    pressPlot();
    ASSERT_EQ(channelTitles(), QStringList{"TI101"});
    EXPECT_EQ(channelPoints(plot(), 0), (Values{5, 6, 7, 8}));
    // Whole rows take the value columns only, past the notes.
    select({});
    vaGrid.view()->selectionModel()->select(
        QItemSelection(vaGrid.model()->index(0, 0), vaGrid.model()->index(3, 0)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    pressPlot();
    EXPECT_EQ(channelTitles(), QStringList{"TI101"});
}

TEST_F(TrendBuilding, OneBlockOfFourRowsGivesOneChannelOfFourPoints) {
    loadCounting(10);
    DateSlider.setPosition(40);
    YSlider.setPosition(-20);
    select({{3, 2, 3, 5}});
    pressPlot();
    ASSERT_EQ(channelTitles(), QStringList{"TI102"});
    EXPECT_EQ(plot().Channel(0).TraceLineWidth(), 2);
    EXPECT_EQ(channelPoints(plot(), 0), (Values{101, 102, 103, 104}));
    const Values keys = channelPoints(plot(), 0, true);
    ASSERT_EQ(keys.size(), 4U);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(keys[i], recordTime(i + 1), 1e-9) << i;
    }
    // The X axis covers the points; the Y axis runs from 0 to the highest value.
    EXPECT_EQ(std::tuple(plot().XAxis().Min(), plot().YAxis().Min(), plot().YAxis().Span()),
              std::tuple(keys[0], 0.0, 104.0));
    EXPECT_NEAR(plot().XAxis().Max(), keys[3], 1e-9);
    ASSERT_TRUE(completed);
    EXPECT_EQ(std::tuple(history->historyXspan, history->historyYspan),
              std::tuple(plot().XAxis().Span(), 104.0));
    EXPECT_EQ(std::tuple(DateSlider.Position(), YSlider.Position()), std::tuple(0.0, 0.0));
    expectIdle();
}

TEST_F(TrendBuilding, BlocksGiveChannelsInBlockOrderAndWholeColumnsCoverEveryRecord) {
    loadCounting(12);
    select({{5, 1, 5, 4}, {2, 6, 3, 12}, {5, 6, 5, 12}});
    vaGrid.view()->selectionModel()->select(
        vaGrid.model()->index(0, 3), QItemSelectionModel::Select | QItemSelectionModel::Columns);
    pressPlot();
    EXPECT_EQ(channelTitles(), (QStringList{"TI104", "TI101", "TI102", "TI104", "TI103"}));
    const int points[] = {4, 7, 7, 7, 12};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(plot().Channel(i).PointCount(), points[i]) << i;
    }
    // The X axis spans every block's points.
    EXPECT_NEAR(plot().XAxis().Min(), recordTime(0), 1e-9);
    EXPECT_NEAR(plot().XAxis().Max(), recordTime(11), 1e-9);
}

TEST_F(TrendBuilding, TheValueAxisAlwaysIncludesZeroAndTextIsAGap) {
    loadLog(logText({"A", "B", "C"},
                    {{"5", "-2", "5"}, {"8", "3", "OVR"}, {"7", "0", ""}, {"7", "1", "7"}}));
    const std::tuple<int, double, double> cases[] = {{2, 0, 8}, {3, -2, 3}, {4, 0, 7}};
    for (const auto& [column, min, max] : cases) {
        select({{column, 1, column, 4}});
        pressPlot();
        EXPECT_DOUBLE_EQ(plot().YAxis().Min(), min) << column;
        EXPECT_DOUBLE_EQ(plot().YAxis().Max(), max) << column;
    }
    const Values values = channelPoints(plot(), 0);
    ASSERT_EQ(values.size(), 4U);
    EXPECT_TRUE(values[0] == 5 && std::isnan(values[1]) && std::isnan(values[2]) && values[3] == 7);
}

TEST_F(TrendBuilding, AnUnreadableDateStopsWithTheErrorMessageAndKeepsThePartialPlot) {
    loadCounting(6);
    select({{2, 1, 2, 6}});
    pressPlot();
    const auto before = std::tuple(plot().YAxis().Min(), plot().YAxis().Span(), history);
    vaGrid.SetCellText(0, 4, QStringLiteral("Bad Input"));
    select({{3, 2, 4, 6}});
    const auto seen = pressPlot(true);
    EXPECT_EQ(seen.text, "Corvane data viewer encountered errors while plotting the data file!\r\n"
                         "Please check to make sure the file was created with Corvane Control.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    ASSERT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(channelPoints(plot(), 0), (Values{101, 102}));
    EXPECT_EQ(std::tuple(plot().YAxis().Min(), plot().YAxis().Span(), history), before);
    EXPECT_FALSE(completed);
    expectIdle();
}

TEST_F(TrendBuilding, TheStopButtonFinishesTheColumnThenCancels) {
    loadCounting(50);
    select({{2, 1, 3, 50}});
    const auto spanBefore = history;
    pressStopSoon();
    const auto seen = pressPlot(true);
    EXPECT_EQ(seen.text, "Historical plot has been canceled by user.");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    ASSERT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(plot().Channel(0).PointCount(), 50);
    EXPECT_EQ(history, spanBefore);
    EXPECT_FALSE(completed);
    expectIdle();
    // With one column nothing further begins, so the build completes.
    select({{4, 1, 4, 50}});
    pressStopSoon();
    pressPlot();
    EXPECT_EQ(channelTitles(), QStringList{"TI103"});
    EXPECT_TRUE(completed);
}

TEST_F(TrendBuilding, ShowsProgressWhileItRunsAndIgnoresASecondPlotPress) {
    loadCounting(101);
    select({{2, 1, 3, 101}});
    std::vector<int> positions; // as each event pass finds the bar
    bool watching = true;
    // Posted anew each time: every pass delivers what is posted, polled or not.
    std::function<void()> watch = [&] {
        if (!watching) {
            return;
        }
        EXPECT_EQ(state.plotBusy, -1);
        EXPECT_FALSE(DcryLabel.isHidden() || ProgBar.isHidden());
        EXPECT_EQ(statusText(), QStringLiteral("Plotting data, please wait!"));
        positions.push_back(ProgBar.Position());
        if (positions.size() == 20) {
            plotSelection(state, *main, controls()); // a second press during the build
        }
        QMetaObject::invokeMethod(&ProgBar, watch, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&ProgBar, watch, Qt::QueuedConnection);
    pressPlot();
    watching = false;
    ASSERT_GT(positions.size(), 50U);
    // The first pass still finds the last build's bar.
    EXPECT_TRUE(std::is_sorted(positions.begin() + 1, positions.end()));
    // 2 columns over a span of 100 rows: the first column ends half way, the last point is full.
    EXPECT_NE(std::ranges::find(positions, 50), positions.end());
    EXPECT_EQ(ProgBar.Position(), 100);
    EXPECT_EQ(channelTitles(), (QStringList{"TI101", "TI102"}));
    EXPECT_EQ(plot().Channel(1).PointCount(), 101);
    expectIdle();
}
