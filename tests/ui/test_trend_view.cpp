#include "DialogDriver.h"
#include "ModalAnswer.h"
#include "TrendTestLog.h"

#include "shell/CommonDialog.h"
#include "trend/PlotDataCursor.h"
#include "trend/SliderControl.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace tarvex;
using tarvex::test::ModalAnswer;
namespace DialogDriver = tarvex::test::DialogDriver;

namespace {

const QString kJpegFailed =
    QStringLiteral("Jpeg file can not be saved. Check filename or disk space");
constexpr double kHour = 1.0 / 24;

class TrendView : public ::testing::Test {
protected:
    TrendView() : v(test::startViewer()) { pubVars().fileDialog->InitDir = dir.path(); }

    // Values 0..40 over five records half an hour apart: two hours.
    void buildTwoHours() {
        test::loadLog(v, dir,
                      test::logText({"TI101"}, {{"0"}, {"10"}, {"40"}, {"20"}, {"30"}}, 30));
        test::selectBlock(v, 2, 1, 2, 5);
        ModalAnswer none;
        v.DataBarBtn[1]->click();
        ASSERT_TRUE(none.seen().empty());
        ASSERT_NEAR(plot().XAxis().Span(), 2 * kHour, 1e-9);
    }
    // Presses "Save To Jpeg"; `actions` answer the Save dialog and what follows it.
    std::vector<ModalAnswer::Seen> saveJpeg(const std::vector<ModalAnswer::Action>& actions) {
        ModalAnswer answer;
        for (const auto& action : actions) {
            answer.then(action);
        }
        v.histBarBtn[2]->click();
        EXPECT_EQ(answer.pending(), 0);
        return answer.seen();
    }
    PlotControl& plot() { return *v.iPlotX; }

    QTemporaryDir dir;
    frmHistory& v;
};

TEST_F(TrendView, TheDateSliderZoomsTheTimeAxisFromItsStart) {
    buildTwoHours();
    const double start = plot().XAxis().Min();
    v.DateSlider->setPosition(50);
    EXPECT_NEAR(plot().XAxis().Span(), 1 * kHour, 1e-9);
    EXPECT_DOUBLE_EQ(plot().XAxis().Min(), start);
    v.DateSlider->setPosition(-100);
    EXPECT_NEAR(plot().XAxis().Span(), 4 * kHour, 1e-9);
    v.DateSlider->setPosition(0);
    EXPECT_NEAR(plot().XAxis().Span(), 2 * kHour, 1e-9);

    // The user drags it to the top: it goes back to 99, leaving a hundredth.
    v.DateSlider->setFocus();
    QTest::keyClick(v.DateSlider->slider(), Qt::Key_End);
    EXPECT_EQ(v.DateSlider->Position(), 99);
    EXPECT_NEAR(plot().XAxis().Span(), 0.02 * kHour, 1e-9);
    EXPECT_DOUBLE_EQ(plot().XAxis().Min(), start);
}

TEST_F(TrendView, TheValueSliderScalesFromTheBuildEvenAfterTheSetupDialog) {
    buildTwoHours();
    ASSERT_DOUBLE_EQ(*v.historyYspan, 40);
    plot().YAxis().setMin(-5); // as the setup dialog leaves it
    plot().YAxis().setSpan(25);
    v.YSlider->setPosition(50);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 20);
    EXPECT_DOUBLE_EQ(plot().YAxis().Min(), -5);
    // A new build puts both sliders back to 0.
    buildTwoHours();
    EXPECT_EQ(v.YSlider->Position(), 0);
    EXPECT_DOUBLE_EQ(plot().YAxis().Span(), 40);
}

TEST_F(TrendView, TheCursorButtonShowsAndHidesTheCursor) {
    buildTwoHours();
    PlotDataCursor& cursor = plot().DataCursor(0);
    const bool before = cursor.Visible();
    v.histBarBtn[1]->click();
    EXPECT_NE(cursor.Visible(), before);
    v.histBarBtn[1]->click();
    EXPECT_EQ(cursor.Visible(), before);
}

TEST_F(TrendView, TheSaveDialogProposesTheViewerCaptionAndCancelWritesNothing) {
    buildTwoHours();
    QString proposed;
    QStringList filters;
    bool asksBeforeOverwriting = false;
    QString suffix;
    const auto seen = saveJpeg({[&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        proposed = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        filters = dlg->nameFilters();
        asksBeforeOverwriting = !dlg->testOption(QFileDialog::DontConfirmOverwrite);
        suffix = dlg->defaultSuffix();
        dlg->reject();
    }});
    ASSERT_EQ(seen.size(), 1U); // no message after the cancel
    EXPECT_EQ(seen[0].objectName, QStringLiteral("cmdFileSave"));
    EXPECT_EQ(seen[0].title, QStringLiteral("Save trend jpeg as?"));
    EXPECT_EQ(proposed, QStringLiteral("Data Viewer.jpg"));
    EXPECT_EQ(filters, QStringList{"Jpeg Files(*.jpg)"});
    EXPECT_TRUE(asksBeforeOverwriting);
    EXPECT_EQ(suffix, QStringLiteral("jpg"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).filter(".jpg").isEmpty());
    EXPECT_TRUE(pubVars().fileDialog->CancelError);
}

TEST_F(TrendView, SavesTheJpeg) {
    buildTwoHours();
    const QString path = dir.filePath(QStringLiteral("trend.jpg"));
    EXPECT_EQ(saveJpeg({DialogDriver::chooseFile(path)}).size(), 1U);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(3), QByteArray("\xFF\xD8\xFF"));
}

TEST_F(TrendView, AJpegThatCannotBeWrittenIsTold) {
    buildTwoHours();
    // A folder that takes no new files, whoever runs the test.
    const auto seen = saveJpeg({DialogDriver::chooseFile(QStringLiteral("/proc/trend.jpg")),
                                ModalAnswer::click(QMessageBox::Ok)});
    ASSERT_EQ(seen.size(), 2U);
    EXPECT_EQ(seen[1].text, kJpegFailed);
    EXPECT_EQ(seen[1].icon, QMessageBox::Critical);
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/trend.jpg")));
}

} // namespace
