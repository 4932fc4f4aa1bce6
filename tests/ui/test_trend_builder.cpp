#include "ModalAnswer.h"
#include "TrendTestLog.h"

#include "shell/Forms.h"
#include "shell/Screen.h"
#include "shell/frmMain.h"
#include "trend/LedBar.h"
#include "trend/SliderControl.h"

#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace tarvex;
using tarvex::test::ModalAnswer;

namespace {

const QString kTooFew = QStringLiteral("you must select at least 4 cells\r\nfor historical trend!");
const QString kNotData = QStringLiteral("Only data cells can be used\r\nfor historical trend!");
const QString kCancelled = QStringLiteral("Historical plot has been canceled by user.");
const QString kFailed =
    QStringLiteral("Corvane data viewer encountered errors while plotting the data file!\r\n"
                   "Please check to make sure the file was created with Corvane Control.");

class TrendBuilding : public ::testing::Test {
protected:
    TrendBuilding() : v(test::startViewer()) {
        v.DataTab->setCurrentIndex(frmHistory::TabData);
        stop_.setSingleShot(true);
        stop_.callOnTimeout(v.DataBarBtn[3], [this] { v.DataBarBtn[3]->click(); });
    }

    void load(const QString& text) { test::loadLog(v, dir, text); }
    // Four value columns TI101..TI104 with values r + 100 c, in `records` records.
    void loadCounting(int records) {
        load(test::logText({"TI101", "TI102", "TI103", "TI104"}, test::countingValues(records, 4)));
    }
    void select(int c1, int r1, int c2, int r2) { test::selectBlock(v, c1, r1, c2, r2); }
    // Presses "Plot History File" as the user does, expecting no message.
    void pressPlot() {
        ModalAnswer answer;
        v.DataBarBtn[1]->click();
        for (const auto& seen : answer.seen()) {
            ADD_FAILURE() << "unexpected message: " << seen.text.toStdString();
        }
    }
    // Presses it expecting one message, answered with OK; returns what the box showed.
    ModalAnswer::Seen pressPlotForMessage() {
        ModalAnswer answer;
        answer.thenClick(QMessageBox::Ok);
        v.DataBarBtn[1]->click();
        EXPECT_EQ(answer.pending(), 0);
        return answer.seen().empty() ? ModalAnswer::Seen{} : answer.seen().front();
    }
    QStringList channelTitles() {
        QStringList titles;
        for (int i = 0; i < plot().ChannelCount(); ++i) {
            titles << plot().Channel(i).TitleText();
        }
        return titles;
    }
    PlotControl& plot() { return *v.iPlotX; }
    // Presses "Cancel History Plot" at the build's first event pass.
    void pressStopSoon() { stop_.start(0); }
    void expectIdle() {
        EXPECT_EQ(pubVars().plotBusy, 0);
        EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
        EXPECT_TRUE(v.DcryLabel->isHidden());
        EXPECT_TRUE(v.ProgBar->isHidden());
        EXPECT_EQ(frmMain::instance().statusText(),
                  QStringLiteral("Current File is ") + pubVars().dataFilePath);
    }

    QTemporaryDir dir;
    frmHistory& v;
    QTimer stop_;
};

TEST_F(TrendBuilding, RefusesSelectionsWithoutFourRowsOfDataCellsAndKeepsThePlot) {
    loadCounting(8);
    select(2, 1, 2, 8);
    pressPlot();
    ASSERT_EQ(plot().ChannelCount(), 1);
    frmMain::instance().setStatusText(QStringLiteral("before"));

    v.vaGrid->view()->clearSelection();
    const auto none = pressPlotForMessage();
    EXPECT_EQ(none.text, kTooFew);
    EXPECT_EQ(none.icon, QMessageBox::Question);
    EXPECT_EQ(none.title, QStringLiteral("Tarvex Data Viewer"));

    select(3, 2, 4, 4); // 3 rows
    EXPECT_EQ(pressPlotForMessage().text, kTooFew);

    v.vaGrid->view()->clearSelection();
    select(1, 1, 3, 5); // starts at the time column
    const auto time = pressPlotForMessage();
    EXPECT_EQ(time.text, kNotData);
    EXPECT_EQ(time.icon, QMessageBox::Question);

    v.vaGrid->view()->clearSelection();
    select(2, 1, 2, 5);
    select(3, 1, 3, 3); // a later block that is too short spoils the lot
    EXPECT_EQ(pressPlotForMessage().text, kTooFew);

    EXPECT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(plot().Channel(0).PointCount(), 8);
    EXPECT_EQ(frmMain::instance().statusText(), QStringLiteral("before"));
}

TEST_F(TrendBuilding, AnEmptyFirstValueMovesTheDataColumnsPastTheNotes) {
    load(test::logText({"Batch", "Operator", "Event", "TI101"}, {{"", "", "", "5"},
                                                                 {"B1", "", "", "6"},
                                                                 {"", "", "", "7"},
                                                                 {"", "", "", "8"},
                                                                 {"", "", "", "9"}}));
    for (int column : {2, 4}) {
        v.vaGrid->view()->clearSelection();
        select(column, 1, 5, 4);
        EXPECT_EQ(pressPlotForMessage().text, kNotData) << column;
    }
    v.vaGrid->view()->clearSelection();
    select(5, 1, 5, 4);
    pressPlot();
    ASSERT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(test::channelValues(plot(), 0), (std::vector<double>{5, 6, 7, 8}));
}

TEST_F(TrendBuilding, OneBlockOfFourRowsGivesOneChannelOfFourPoints) {
    loadCounting(10);
    v.DateSlider->setPosition(40);
    v.YSlider->setPosition(-20);
    select(3, 2, 3, 5);
    pressPlot();

    ASSERT_EQ(plot().ChannelCount(), 1);
    PlotChannel& channel = plot().Channel(0);
    EXPECT_EQ(channel.TitleText(), QStringLiteral("TI102"));
    EXPECT_EQ(channel.TraceLineWidth(), 2);
    EXPECT_EQ(test::channelValues(plot(), 0), (std::vector<double>{101, 102, 103, 104}));
    const auto keys = test::channelKeys(plot(), 0);
    ASSERT_EQ(keys.size(), 4U);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(keys[i], test::recordTime(i + 1), 1e-9) << i;
    }
    // The X axis covers the points; the Y axis runs from 0 to the highest value.
    EXPECT_NEAR(plot().XAxis().Min(), test::recordTime(1), 1e-9);
    EXPECT_NEAR(plot().XAxis().Span(), 3.0 / 1440, 1e-9);
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), 0);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 104);
    ASSERT_TRUE(v.historyXspan.has_value());
    EXPECT_DOUBLE_EQ(*v.historyXspan, plot().XAxis().Span());
    ASSERT_TRUE(v.historyYspan.has_value());
    EXPECT_DOUBLE_EQ(*v.historyYspan, 104);
    EXPECT_EQ(v.DateSlider->Position(), 0);
    EXPECT_EQ(v.YSlider->Position(), 0);
    EXPECT_EQ(v.DataTab->currentIndex(), frmHistory::TabTrendData);
    expectIdle();
}

TEST_F(TrendBuilding, WholeColumnsCoverEveryRecord) {
    loadCounting(7);
    SpreadGrid& grid = *v.vaGrid;
    // Reported with rows -1.
    grid.view()->selectionModel()->select(
        grid.model()->index(0, 3), QItemSelectionModel::Select | QItemSelectionModel::Columns);
    pressPlot();
    ASSERT_EQ(channelTitles(), QStringList{"TI103"});
    EXPECT_EQ(test::channelValues(plot(), 0),
              (std::vector<double>{200, 201, 202, 203, 204, 205, 206}));
}

TEST_F(TrendBuilding, BlocksGiveChannelsInBlockOrderAndAColumnInBothGivesTwo) {
    loadCounting(12);
    select(5, 1, 5, 4);
    select(2, 6, 3, 12);
    select(5, 6, 5, 12);
    pressPlot();
    EXPECT_EQ(channelTitles(), (QStringList{"TI104", "TI101", "TI102", "TI104"}));
    EXPECT_EQ(plot().Channel(0).PointCount(), 4);
    EXPECT_EQ(plot().Channel(1).PointCount(), 7);
    EXPECT_EQ(plot().Channel(3).PointCount(), 7);
    // The X axis spans every block's points.
    EXPECT_NEAR(plot().XAxis().Min(), test::recordTime(0), 1e-9);
    EXPECT_NEAR(plot().XAxis().Max(), test::recordTime(11), 1e-9);
}

TEST_F(TrendBuilding, TheValueAxisAlwaysIncludesZeroAndTextIsAGap) {
    load(test::logText({"A", "B", "C"},
                       {{"5", "-2", "5"}, {"8", "3", "OVR"}, {"7", "0", ""}, {"7", "1", "7"}}));
    select(2, 1, 2, 4);
    pressPlot();
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), 0);
    EXPECT_DOUBLE_EQ(plot().YAxis().Max(), 8);

    v.vaGrid->view()->clearSelection();
    select(3, 1, 3, 4);
    pressPlot();
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), -2);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 5);

    v.vaGrid->view()->clearSelection();
    select(4, 1, 4, 4);
    pressPlot();
    const auto values = test::channelValues(plot(), 0);
    ASSERT_EQ(values.size(), 4U);
    EXPECT_EQ(values[0], 5);
    EXPECT_TRUE(std::isnan(values[1]));
    EXPECT_TRUE(std::isnan(values[2]));
    EXPECT_EQ(values[3], 7);
    EXPECT_DOUBLE_EQ(plot().YAxis().Max(), 7);
}

TEST_F(TrendBuilding, AnUnreadableDateStopsWithTheErrorMessageAndKeepsThePartialPlot) {
    loadCounting(6);
    select(2, 1, 2, 6);
    pressPlot();
    const double yMin = plot().YAxis().Min();
    const double ySpan = plot().YAxis().Span();
    const double xSpan = *v.historyXspan;
    v.DataTab->setCurrentIndex(frmHistory::TabData);

    v.vaGrid->SetCellText(0, 4, QStringLiteral("Bad Input"));
    v.vaGrid->view()->clearSelection();
    select(3, 2, 4, 6);
    const auto seen = pressPlotForMessage();
    EXPECT_EQ(seen.text, kFailed);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);

    ASSERT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(test::channelValues(plot(), 0), (std::vector<double>{101, 102}));
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), yMin);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), ySpan);
    EXPECT_DOUBLE_EQ(*v.historyXspan, xSpan);
    EXPECT_EQ(v.DataTab->currentIndex(), frmHistory::TabData);
    expectIdle();
}

TEST_F(TrendBuilding, TheStopButtonFinishesTheColumnThenCancels) {
    loadCounting(50);
    select(2, 1, 3, 50);
    const auto spanBefore = v.historyXspan;
    pressStopSoon();
    const auto seen = pressPlotForMessage();
    EXPECT_EQ(seen.text, kCancelled);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    ASSERT_EQ(plot().ChannelCount(), 1);
    EXPECT_EQ(plot().Channel(0).PointCount(), 50);
    EXPECT_EQ(v.historyXspan, spanBefore);
    EXPECT_EQ(v.DataTab->currentIndex(), frmHistory::TabData);
    expectIdle();

    // With one column nothing further begins, so the build completes.
    v.vaGrid->view()->clearSelection();
    select(4, 1, 4, 50);
    pressStopSoon();
    pressPlot();
    EXPECT_EQ(channelTitles(), QStringList{"TI103"});
    EXPECT_EQ(v.DataTab->currentIndex(), frmHistory::TabTrendData);
}

TEST_F(TrendBuilding, ShowsProgressWhileItRunsAndIgnoresASecondPlotPress) {
    loadCounting(101);
    select(2, 1, 3, 101);
    std::vector<int> positions; // as each event pass finds the bar
    QTimer watch;
    watch.callOnTimeout([&] {
        EXPECT_EQ(pubVars().plotBusy, -1);
        EXPECT_FALSE(v.DcryLabel->isHidden() || v.ProgBar->isHidden());
        EXPECT_EQ(frmMain::instance().statusText(), QStringLiteral("Plotting data, please wait!"));
        positions.push_back(v.ProgBar->Position());
        if (positions.size() == 20) {
            v.DataBarBtn[1]->click(); // a second press during the build
        }
    });
    watch.start(0);
    pressPlot();
    watch.stop();

    ASSERT_GT(positions.size(), 50U);
    // The first pass still finds the last build's bar.
    EXPECT_TRUE(std::is_sorted(positions.begin() + 1, positions.end()));
    // 2 columns over a span of 100 rows: the first column ends half way, the last point is full.
    EXPECT_NE(std::ranges::find(positions, 50), positions.end());
    EXPECT_EQ(v.ProgBar->Position(), 100);
    EXPECT_EQ(channelTitles(), (QStringList{"TI101", "TI102"}));
    EXPECT_EQ(plot().Channel(1).PointCount(), 101);
    expectIdle();
}

TEST_F(TrendBuilding, ClosingTheViewerDuringABuildLeavesNothingBusy) {
    loadCounting(40);
    select(2, 1, 3, 40);
    QTimer closer;
    closer.setSingleShot(true);
    const QPointer<frmHistory> gone(&v);
    closer.callOnTimeout([this] { Forms::unload(&v); });
    closer.start(0);
    pressPlot();
    EXPECT_EQ(frmHistory::existing(), nullptr); // unloaded while the build was running
    EXPECT_TRUE(test::waitUntil([&] { return gone.isNull(); })); // destroyed once it returned
    EXPECT_EQ(pubVars().plotBusy, 0);
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
}

} // namespace
