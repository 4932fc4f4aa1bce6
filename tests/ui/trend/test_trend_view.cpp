// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendLog.h"

#include "ui/shell/CommonDialog.h"
#include "ui/trend/PlotDataCursor.h"
#include "ui/trend/SliderControl.h"

#include <QFileDialog>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

using namespace tarvex;
using namespace tarvex::test;

namespace {

constexpr double kHour = 1.0 / 24;

class TrendView : public TrendTest {
protected:
    // Values 0..40 over five records half an hour apart: two hours.
    void buildTwoHours() {
        loadLog(logText({"TI101"}, {{"0"}, {"10"}, {"40"}, {"20"}, {"30"}}, 30));
        select({{2, 1, 2, 5}});
        pressPlot();
        ASSERT_NEAR(plot().XAxis().Span(), 2 * kHour, 1e-9);
    }
    PlotControl& plot() { return iPlotX; }
    // The mouse on the plot at a fraction of its plot area's width and height from the top left.
    void mouse(QEvent::Type type, double x, double y, Qt::KeyboardModifiers keys = {},
               int wheel = 0) {
        QCustomPlot* p = plot().customPlot();
        const QRect area = p->axisRect()->rect();
        const QPointF at(area.left() + x * area.width(), area.top() + y * area.height());
        if (type == QEvent::Wheel) {
            QWheelEvent event(at, p->mapToGlobal(at), {}, {0, wheel}, Qt::NoButton, keys,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(p, &event);
            return;
        }
        const auto held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, p->mapToGlobal(at), Qt::LeftButton, held, keys);
        QApplication::sendEvent(p, &event);
    }
};

} // namespace

TEST_F(TrendView, TheDateSliderZoomsTheTimeAxisFromItsStart) {
    buildTwoHours();
    const double start = plot().XAxis().Min();
    for (const auto& [position, hours] : {std::pair{50, 1.0}, {-100, 4.0}, {0, 2.0}}) {
        DateSlider.setPosition(position);
        EXPECT_NEAR(plot().XAxis().Span(), hours * kHour, 1e-9) << position;
        EXPECT_DOUBLE_EQ(plot().XAxis().Min(), start);
    }
    // The user drags it to the top: it goes back to 99, leaving a hundredth.
    QTest::keyClick(DateSlider.slider(), Qt::Key_End);
    EXPECT_EQ(DateSlider.Position(), 99);
    EXPECT_NEAR(plot().XAxis().Span(), 0.02 * kHour, 1e-9);
}

TEST_F(TrendView, TheValueSliderScalesFromTheBuildEvenAfterTheSetupDialog) {
    buildTwoHours();
    ASSERT_EQ(history->historyYspan, 40);
    plot().YAxis().setMin(-5); // as the setup dialog leaves it
    plot().YAxis().setSpan(25);
    YSlider.setPosition(50);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 20);
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), -5);
    // A new build puts both sliders back to 0.
    buildTwoHours();
    EXPECT_EQ(YSlider.Position(), 0);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 40);
}

// The wheel and a drag move the axes and leave the sliders alone; a slider still scales from the
// build's span, from where the axis now starts; a double-click goes back to the build.
TEST_F(TrendView, TheWheelZoomsADragPansAndADoubleClickGoesBackToTheBuild) {
    buildTwoHours();
    plot().replotNow();
    const double start = plot().XAxis().Min();
    for (int notch = 0; notch < 3; ++notch) { // about the time three quarters along
        mouse(QEvent::Wheel, 0.75, 0.5, Qt::NoModifier, QWheelEvent::DefaultDeltasPerStep);
    }
    EXPECT_NEAR(plot().XAxis().Span(), 2 * 0.512 * kHour, 1e-9);
    EXPECT_NEAR(plot().XAxis().Min(), start + 1.5 * (1 - 0.512) * kHour, 1e-9);
    mouse(QEvent::Wheel, 0.5, 1, Qt::ControlModifier, -QWheelEvent::DefaultDeltasPerStep);
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), 0);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 50);
    const double zoomed = plot().XAxis().Min();
    mouse(QEvent::MouseButtonPress, 0.5, 0.5);
    mouse(QEvent::MouseMove, 0.75, 0.3);
    mouse(QEvent::MouseButtonRelease, 0.75, 0.3);
    EXPECT_NEAR(plot().XAxis().Min(), zoomed - 0.256 * kHour, 1e-9) << "dragged right";
    EXPECT_EQ(DateSlider.Position(), 0);
    EXPECT_EQ(YSlider.Position(), 0);
    DateSlider.setPosition(50);
    EXPECT_NEAR(plot().XAxis().Span(), kHour, 1e-9);
    EXPECT_NEAR(plot().XAxis().Min(), zoomed - 0.256 * kHour, 1e-9);
    mouse(QEvent::MouseButtonDblClick, 0.5, 0.5);
    EXPECT_EQ(DateSlider.Position(), 0);
    EXPECT_DOUBLE_EQ(plot().XAxis().Min(), start);
    EXPECT_NEAR(plot().XAxis().Span(), 2 * kHour, 1e-9);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 40);
    // With the cursor shown a drag moves the cursor, not the axis.
    toggleTrendCursor(plot());
    plot().replotNow();
    mouse(QEvent::MouseButtonPress, 0.25, 0.5);
    mouse(QEvent::MouseMove, 0.5, 0.5);
    EXPECT_DOUBLE_EQ(plot().XAxis().Min(), start);
    EXPECT_NEAR(plot().DataCursor(0).position(), start + kHour, 0.01 * kHour);
}

// The picture itself is the plot's own test; here the dialog and messages.
TEST_F(TrendView, SaveToJpegTellsAFailureButNotACancel) {
    buildTwoHours();
    state.fileDialog->InitDir = dir.path();
    ModalAnswer answer;
    answer.then(ModalAnswer::reject());
    // A folder that takes no new files, whoever runs the test.
    answer.then(ModalAnswer::chooseFile(QStringLiteral("/proc/trend.jpg")))
        .thenClick(QMessageBox::Ok)
        .then(ModalAnswer::chooseFile(dir.filePath("trend")));
    for (int press = 0; press < 3; ++press) {
        saveTrendJpeg(state, plot(), QStringLiteral("Data Viewer.jpg"));
    }
    ASSERT_EQ(answer.seen().size(), 4U); // no message after the cancel
    EXPECT_EQ(answer.seen()[2].text, "Jpeg file can not be saved. Check filename or disk space");
    EXPECT_TRUE(QFileInfo(dir.filePath("trend.jpg")).size() > 0); // the default extension
    EXPECT_TRUE(state.fileDialog->CancelError);
}
