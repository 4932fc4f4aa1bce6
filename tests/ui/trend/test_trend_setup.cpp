// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendLog.h"

#include "ui/shell/CommonDialog.h"
#include "ui/trend/NumericInput.h"
#include "ui/trend/TrendSetup.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tarvex;
using namespace tarvex::test;

namespace {

class TrendSetupDialog : public TrendTest {
protected:
    // A trend of `channels` channels, from a log with that many value columns.
    void buildTrend(int channels) {
        QStringList titles;
        for (int c = 0; c < channels; ++c) {
            titles << QStringLiteral("TI%1").arg(101 + c);
        }
        loadLog(logText(titles, countingValues(6, channels)));
        select({{2, 1, 1 + channels, 6}});
        pressPlot();
        ASSERT_EQ(plot().ChannelCount(), channels);
    }
    // Opens the dialog with the setup button; `inside` runs on the open dialog and must close
    // it. The modal windows it opens in turn take the actions of `then`. Returns what every
    // modal window showed, the dialog first.
    std::vector<ModalAnswer::Seen> openSetup(const std::function<void(TrendSetup&)>& inside,
                                             const std::vector<ModalAnswer::Action>& then = {}) {
        ModalAnswer answer;
        answer.then([inside](QWidget* w) {
            auto& dlg = dynamic_cast<TrendSetup&>(*w);
            inside(dlg);
            EXPECT_FALSE(dlg.isVisible());
        });
        for (const auto& action : then) {
            answer.then(action);
        }
        openTrendSetup(main, &iPlotX, state.fileDialog);
        EXPECT_EQ(answer.pending(), 0);
        EXPECT_TRUE(std::ranges::all_of(answer.seen(), [](const auto& s) { return s.expected; }));
        EXPECT_EQ(TrendSetup::existing(), nullptr);
        return answer.seen();
    }
    PlotControl& plot() { return iPlotX; }
};

} // namespace

TEST_F(TrendSetupDialog, IsFilledFromThePlotAndOkAppliesItsSettingsToTwelveChannels) {
    buildTrend(15);
    std::vector<QColor> colors;
    colors.reserve(15);
    for (int i = 0; i < 15; ++i) {
        colors.push_back(plot().Channel(i).Color());
    }
    const auto ySpan = history->historyYspan;
    openSetup([this](TrendSetup& dlg) {
        // Filled from the plot; only the pens in use can be edited.
        EXPECT_EQ(dlg.XminorTicks->value(), plot().XAxis().MinorCount());
        EXPECT_EQ(dlg.XscaleFormat->currentText(), plot().XAxis().DateTimeFormat());
        for (std::size_t i = 0; i < TrendSetup::kPens; ++i) {
            EXPECT_TRUE(dlg.PWidth[i]->isEnabled() && dlg.PenClrBtn[i]->isEnabled()) << i;
            EXPECT_FALSE(dlg.PenAssign[i]->isEnabled()) << i;
        }
        dlg.TrendZeroAnalog->setValue(-5);
        dlg.TrendSpanAnalog->setValue(20);
        dlg.XscaleFormat->setCurrentIndex(0);
        dlg.XminorTicks->setValue(7);
        dlg.PWidth[0]->setValue(4);
        dlg.PWidth[11]->setValue(5);
        TrendSetup::setSwatchColor(dlg.PenClr[1], Qt::blue);
        dlg.OKButton->click();
    });
    EXPECT_EQ(std::tuple(plot().YAxis().Min(), plot().YAxis().Span(), history->historyYspan),
              std::tuple(-5.0, 25.0, ySpan)); // the zoom still scales from the build
    EXPECT_EQ(plot().XAxis().DateTimeFormat(), QStringLiteral("hh:nn:ss"));
    EXPECT_EQ(std::tuple(plot().XAxis().MinorCount(), plot().XAxis().LabelsStyle(),
                         plot().XAxis().AxisMode()),
              std::tuple(7, 3, 3));
    EXPECT_EQ(std::tuple(plot().Channel(0).TraceLineWidth(), plot().Channel(1).TraceLineWidth(),
                         plot().Channel(11).TraceLineWidth()),
              std::tuple(4, 2, 5));
    EXPECT_EQ(plot().Channel(1).Color(), QColor(Qt::blue));
    EXPECT_EQ(plot().Channel(0).Color(), colors[0]);
    for (int i = 12; i < 15; ++i) {
        EXPECT_EQ(plot().Channel(i).TraceLineWidth(), 1) << i;
        EXPECT_EQ(plot().Channel(i).Color(), colors[static_cast<std::size_t>(i)]) << i;
    }
}

TEST_F(TrendSetupDialog, AZeroNotBelowTheSpanIsRefusedAndCancelAppliesNothing) {
    buildTrend(1);
    const double yMin = plot().YAxis().Min();
    const double ySpan = plot().YAxis().Span();
    const auto seen = openSetup(
        [&](TrendSetup& dlg) {
            EXPECT_FALSE(dlg.PWidth[1]->isEnabled() || dlg.PenClrBtn[1]->isEnabled());
            EXPECT_EQ(dlg.TrendZeroAnalog->value(), plot().YAxis().Min());
            EXPECT_EQ(dlg.TrendSpanAnalog->value(), plot().YAxis().Max());
            dlg.TrendZeroAnalog->setValue(10);
            dlg.TrendSpanAnalog->setValue(10);
            dlg.OKButton->click(); // the message, answered by the queued OK
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_EQ(dlg.TrendZeroAnalog->value(), 10);
            dlg.CancelButton->click();
        },
        {ModalAnswer::click(QMessageBox::Ok)});
    ASSERT_EQ(seen.size(), 2U);
    EXPECT_EQ(seen[1].text, QStringLiteral("Trend Zero must be less than trend span time!"));
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), yMin);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), ySpan);
}

// An OK that changed nothing keeps the time axis and the value axis: its start where Trend Zero
// can hold it, else at Trend Zero's nearest end, which still shows every value above -10000; its
// end to the last place. Values can be typed to their last digit.
TEST_F(TrendSetupDialog, AnUnchangedDialogHidesNoDataAndTakesEveryDigit) {
    const std::vector<QStringList> large = {
        {"4000000000"}, {"4500000000"}, {"5000000000"}, {"5500000000"}};
    loadLog(logText({"FT101"}, large));
    select({{2, 1, 2, 4}});
    pressPlot();
    const auto shown = [this] {
        return std::ranges::all_of(channelPoints(plot(), 0), [this](double value) {
            return value >= plot().YAxis().Min() && value <= plot().YAxis().Max();
        });
    };
    ASSERT_TRUE(shown());
    openSetup([](TrendSetup& dlg) { dlg.OKButton->click(); });
    EXPECT_TRUE(shown()) << plot().YAxis().Min() << ".." << plot().YAxis().Max();
    const struct {
        double min, max, zero; // zero: where the axis starts after OK
    } cases[] = {{4e9, 5.5e9, 10000},
                 {0.0, 0.0047, 0.0},
                 {0.123, 0.987, 0.123},
                 {5.0, 5.000001, 5.0},
                 {-10000, -9999.999999, -10000},
                 {-3.5, 1e12, -3.5},
                 {1e12, 1.000001e12, 10000},
                 {-1e-6, 0.0, -1e-6}};
    for (const auto& c : cases) {
        plot().YAxis().setMin(c.min);
        plot().YAxis().setSpan(c.max - c.min);
        const double max = plot().YAxis().Max();
        const auto x = std::pair(plot().XAxis().Min(), plot().XAxis().Span());
        openSetup([&](TrendSetup& dlg) {
            TrendSetup::setSwatchColor(dlg.PenClr[0], Qt::blue); // a colour change only
            dlg.OKButton->click();
        });
        EXPECT_EQ(plot().YAxis().Min(), c.zero) << c.min;
        EXPECT_LE(std::abs(plot().YAxis().Max() - max), std::nextafter(max, 1e300) - max) << c.max;
        EXPECT_EQ(std::pair(plot().XAxis().Min(), plot().XAxis().Span()), x) << c.min;
    }
    openSetup([&](TrendSetup& dlg) {
        for (NumericInput* box : {dlg.TrendZeroAnalog, dlg.TrendSpanAnalog}) {
            box->selectAll();
            QTest::keyClicks(box, box == dlg.TrendZeroAnalog ? "-0.0001234" : "9876.54321");
            box->interpretText();
        }
        dlg.OKButton->click();
    });
    EXPECT_EQ(plot().YAxis().Min(), -0.0001234);
    EXPECT_EQ(plot().YAxis().Span(), 9876.54321 + 0.0001234);
}

// A JPEG save leaves the cancel error on; a cancelled colour still keeps the swatch.
TEST_F(TrendSetupDialog, ColourButtonsEditTheirSwatchesAndOkAppliesThem) {
    buildTrend(2);
    const QColor xScale = plot().XAxis().ScaleColor();
    const QColor yScale = plot().YAxis().ScaleColor();
    state.fileDialog->CancelError = true;
    state.fileDialog->DialogTitle = QStringLiteral("Open Log File (.csv)");
    QColor startedFrom;
    const auto seen = openSetup(
        [&](TrendSetup& dlg) {
            dlg.YscaleColor->click(); // the X frame's button
            dlg.Xscalecolor->click(); // the Y frame's button: cancelled
            dlg.PenClrBtn[0]->click();
            dlg.trendBgColor->click();
            EXPECT_EQ(TrendSetup::swatchColor(dlg.XcolorLabel), QColor(Qt::red));
            EXPECT_EQ(TrendSetup::swatchColor(dlg.YcolorLabel), yScale);
            dlg.OKButton->click();
        },
        {ModalAnswer::chooseColor(Qt::red, &startedFrom), ModalAnswer::reject(),
         ModalAnswer::chooseColor(Qt::green), ModalAnswer::chooseColor(Qt::white)});
    EXPECT_EQ(startedFrom, xScale);
    EXPECT_NE(seen.at(1).title, state.fileDialog->DialogTitle); // the file dialogs' own
    EXPECT_EQ(plot().XAxis().ScaleColor(), QColor(Qt::red));
    EXPECT_EQ(plot().XAxis().SecondScaleColor(), QColor(Qt::red));
    EXPECT_EQ(plot().YAxis().ScaleColor(), yScale);
    EXPECT_EQ(plot().Channel(0).Color(), QColor(Qt::green));
    EXPECT_EQ(plot().BackGroundColor(), QColor(Qt::white));
}
