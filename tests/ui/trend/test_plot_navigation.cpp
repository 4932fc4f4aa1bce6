// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "ui/trend/PlotActions.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/PlotMarkers.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>

using namespace tarvex;

namespace {

constexpr double kStart = 45355.5; // 3/4/2024 noon
constexpr double kSecond = 1.0 / 86400.0;

double at(double seconds) {
    return kStart + seconds * kSecond;
}

// A shown plot of 800 x 600 over ten seconds: "A" rises from 0 to 100, "B" sits at 30.
class PlotNavigating : public ::testing::Test {
protected:
    PlotNavigating() {
        plot.resize(800, 600);
        for (const QString title : {"A", "B"}) {
            PlotChannel& c = plot.Channel(plot.AddChannel());
            c.setTitleText(title);
            for (int i = 0; i <= 10; ++i) {
                c.AddXY(at(i), title == "A" ? 10.0 * i : 30.0);
            }
        }
        plot.XAxis().setMin(at(0));
        plot.XAxis().setSpan(10 * kSecond);
        plot.show();
        plot.replotNow();
    }
    QPoint pixel(double seconds, double value) {
        plot.replotNow(); // the axes as last changed
        return plot.customPlot()->graph(0)->coordsToPixels(at(seconds), value).toPoint();
    }
    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, pos, plot.customPlot()->mapToGlobal(pos), button, held, modifiers);
        QApplication::sendEvent(plot.customPlot(), &event);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseMove, to, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, modifiers);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(plot.customPlot(), &event);
    }
    // The time and value range shown, in seconds from the start and in values.
    std::array<double, 4> shown() {
        const PlotView v = plot.view();
        return {(v.time.min - kStart) / kSecond, v.time.span / kSecond, v.value.min, v.value.span};
    }
    std::unique_ptr<QMenu> menu() {
        return plot.customPlot()->findChild<PlotActions*>()->contextMenu();
    }
    QAction* action(QMenu& m, const QString& text) {
        for (QAction* a : m.actions()) {
            if (a->text().section('\t', 0, 0) == text) {
                return a;
            }
        }
        ADD_FAILURE() << "no " << text.toStdString();
        return nullptr;
    }

    PlotControl plot;
};

void expectShown(const std::array<double, 4>& actual, const std::array<double, 4>& expected,
                 double pixelSeconds, double pixelValue, const char* what) {
    EXPECT_NEAR(actual[0], expected[0], pixelSeconds) << what;
    EXPECT_NEAR(actual[1], expected[1], 2 * pixelSeconds) << what;
    EXPECT_NEAR(actual[2], expected[2], pixelValue) << what;
    EXPECT_NEAR(actual[3], expected[3], 2 * pixelValue) << what;
}

} // namespace

// Shift with a drag zooms to the box, F fits the values to what is shown, and Backspace, Shift
// with Backspace and the mouse's side buttons go back and forward through the views.
TEST_F(PlotNavigating, BoxZoomFitAndTheZoomHistory) {
    const auto whole = shown();
    const double pixelSeconds = 10.0 / plot.customPlot()->axisRect()->width();
    const double pixelValue = 100.0 / plot.customPlot()->axisRect()->height();
    drag(pixel(1.5, 90), pixel(6.5, 10), Qt::ShiftModifier);
    const auto boxed = shown();
    expectShown(boxed, {1.5, 5, 10, 80}, pixelSeconds, pixelValue, "the box");
    key(Qt::Key_F);
    const auto fitted = shown();
    EXPECT_DOUBLE_EQ(fitted[2], 20) << "A's lowest value from second 2 on";
    EXPECT_DOUBLE_EQ(fitted[2] + fitted[3], 60) << "and its highest up to second 6";
    drag(pixel(3, 50), pixel(3.02, 50.2), Qt::ShiftModifier);
    EXPECT_EQ(shown(), fitted) << "a box of a pixel or two is a slip";
    key(Qt::Key_Backspace);
    EXPECT_EQ(shown(), boxed);
    key(Qt::Key_Backspace);
    EXPECT_EQ(shown(), whole);
    key(Qt::Key_Backspace);
    EXPECT_EQ(shown(), whole) << "nothing before the first view";
    key(Qt::Key_Backspace, Qt::ShiftModifier);
    EXPECT_EQ(shown(), boxed);
    mouse(QEvent::MouseButtonPress, pixel(5, 50), Qt::ForwardButton);
    EXPECT_EQ(shown(), fitted);
    mouse(QEvent::MouseButtonPress, pixel(5, 50), Qt::BackButton);
    EXPECT_EQ(shown(), boxed);
    // From the menu: the next drag draws the box, without Shift.
    action(*menu(), "Zoom to Box")->trigger();
    drag(pixel(3, 40), pixel(4, 30));
    expectShown(shown(), {3, 1, 30, 10}, pixelSeconds / 2, pixelValue, "the menu's box");
    drag(pixel(3.2, 35), pixel(3.6, 35));
    EXPECT_NEAR(shown()[0], 3 - 0.4, 0.01) << "then a drag pans again";
    plot.ClearPlot();
    EXPECT_FALSE(plot.zoomHistory().canGoBack()) << "a new build starts a new history";
}

// The wheel zooms out no further than dates can be labelled: here a hundred times ten seconds
// is less than a day, which is the least it allows.
TEST_F(PlotNavigating, TheWheelZoomsOutNoFurtherThanADay) {
    const QPointF middle = plot.customPlot()->axisRect()->rect().center();
    for (int i = 0; i < 200; ++i) {
        QWheelEvent wheel(middle, plot.customPlot()->mapToGlobal(middle), {}, {0, -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot.customPlot(), &wheel);
    }
    EXPECT_LE(plot.view().time.span, 1.0);
    EXPECT_GT(plot.view().time.span, 0.8 * 1.0);
    key(Qt::Key_Backspace);
    EXPECT_DOUBLE_EQ(plot.view().time.span, 10 * kSecond) << "a burst of notches is one zoom";
}

// The menu names every action with its key; the legend and the markers start hidden, their
// keys and menu entries toggle them, a click on a legend entry hides or shows its channel, and
// the exports and the whole trend go to the plot's owner.
TEST_F(PlotNavigating, TheMenuNamesEachActionsKeyAndTheLegendHidesChannels) {
    QStringList texts;
    const auto opened = menu();
    for (const QAction* a : opened->actions()) {
        if (!a->isSeparator()) {
            texts << a->text();
        }
    }
    EXPECT_EQ(texts, QStringList({"Zoom to Box\tShift+Drag", "Back\tBackspace",
                                  "Forward\tShift+Backspace", "Fit Values to Visible Time\tF",
                                  "Whole Trend\tDouble-Click", "Legend\tL", "Event Markers\tE",
                                  "Export Visible Data as CSV...", "Save Picture as PNG...",
                                  "Save Picture as SVG...", "Save Picture as PDF..."}));
    EXPECT_FALSE(action(*menu(), "Back")->isEnabled());
    EXPECT_FALSE(plot.legendVisible());
    EXPECT_FALSE(plot.markersVisible());
    key(Qt::Key_L);
    key(Qt::Key_E);
    EXPECT_TRUE(plot.legendVisible() && plot.markersVisible());
    EXPECT_TRUE(action(*menu(), "Legend")->isChecked());
    action(*menu(), "Event Markers")->trigger();
    EXPECT_FALSE(plot.markersVisible());

    plot.replotNow();
    QCPLegend& legend = *plot.customPlot()->legend;
    const QPoint entryB = legend.item(1)->outerRect().center();
    mouse(QEvent::MouseButtonPress, entryB);
    mouse(QEvent::MouseButtonRelease, entryB);
    EXPECT_FALSE(plot.Channel(1).visible());
    EXPECT_TRUE(plot.Channel(0).visible());
    plot.XAxis().setMin(at(0));
    plot.XAxis().setSpan(2 * kSecond);
    key(Qt::Key_F);
    EXPECT_NEAR(plot.view().value.min, 0, 1e-9) << "fitted to A alone: B's 30 is hidden";
    EXPECT_NEAR(plot.view().value.span, 20, 1e-9);
    mouse(QEvent::MouseButtonPress, entryB);
    EXPECT_TRUE(plot.Channel(1).visible()) << "a second click shows it again";

    QSignalSpy exports(&plot, &PlotControl::exportRequested);
    QSignalSpy whole(&plot, &PlotControl::DblClick);
    action(*menu(), "Save Picture as SVG...")->trigger();
    action(*menu(), "Export Visible Data as CSV...")->trigger();
    action(*menu(), "Whole Trend")->trigger();
    ASSERT_EQ(exports.size(), 2);
    EXPECT_EQ(exports[0][0].value<PlotExport>(), PlotExport::Svg);
    EXPECT_EQ(exports[1][0].value<PlotExport>(), PlotExport::Csv);
    EXPECT_EQ(whole.size(), 1);
}

// Markers stand at their times in their kinds' colours, only while shown; the tip under the
// pointer tells what they are.
TEST_F(PlotNavigating, MarkersStandAtTheirTimesAndTellWhatTheyAre) {
    plot.setMarkers({{at(7), MarkerKind::Alarm, "", "High level"},
                     {at(2), MarkerKind::OperatorEvent, "Ann", "Opened valve 3"},
                     {at(5), MarkerKind::CoverageEnd, "", ""},
                     {at(20), MarkerKind::Signature, "Bo", "Approved"}});
    ASSERT_EQ(plot.markers().front().time, at(2)) << "kept in time order";
    const auto columnHits = [&](const QImage& image, double seconds, MarkerKind kind) {
        const QCPAxis& x = *plot.customPlot()->xAxis;
        const int column = static_cast<int>(std::round(x.coordToPixel(at(seconds))));
        const QRect area = x.axisRect()->rect();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            n += image.pixelColor(column, y) == PlotMarkers::kindColor(kind) ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(columnHits(plot.renderImage(plot.size()), 2, MarkerKind::OperatorEvent), 0);
    plot.setMarkersVisible(true);
    const QImage image = plot.renderImage(plot.size());
    const int height = plot.customPlot()->axisRect()->height();
    EXPECT_GT(columnHits(image, 2, MarkerKind::OperatorEvent), height / 2);
    EXPECT_GT(columnHits(image, 7, MarkerKind::Alarm), height / 2);
    EXPECT_GT(columnHits(image, 5, MarkerKind::CoverageEnd), height / 4) << "dashed";
    EXPECT_EQ(columnHits(image, 4, MarkerKind::OperatorEvent), 0);
    const QCPAxis& x = *plot.customPlot()->xAxis;
    const auto near = plot.markerLayer().markersNear(x.coordToPixel(at(2)) + 2, 4);
    ASSERT_EQ(near.size(), 1U);
    EXPECT_EQ(markerTip(near), "Operator event, 3/4/2024 12:00:02 PM\nAnn: Opened valve 3");
    EXPECT_EQ(markerTip(plot.markers(), 2), "Operator event, 3/4/2024 12:00:02 PM\n"
                                            "Ann: Opened valve 3\n\n"
                                            "End of what the signature covers, "
                                            "3/4/2024 12:00:05 PM\n\n... and 2 more");
}
