#include "RecordTestFiles.h"
#include "ViewerFixture.h"

#include "recordfiles/SpreadGrid.h"
#include "shell/Screen.h"
#include "shell/SharedState.h"
#include "shell/frmMain.h"
#include "trend/LedBar.h"
#include "trend/PlotControl.h"
#include "viewer/frmHistory.h"

#include <QDir>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

class DataLogTest : public RecordViewerTest {
protected:
    std::vector<ModalAnswer::Seen>
    open(const QString& path, DialogSeen* seen = nullptr,
         QMessageBox::StandardButton report = QMessageBox::NoButton) {
        return press(viewer->DataBarBtn[0], path, seen, report);
    }

    [[nodiscard]] SpreadGrid& grid() const { return *viewer->vaGrid; }
};

QByteArray logOfRecords(int records) {
    QByteArray text = "Date,Time,Flow\r\n";
    text.reserve(records * 24 + 32);
    for (int r = 0; r < records; ++r) {
        text += "3/4/2024,13:05:09," + QByteArray::number(r) + "\r\n";
    }
    return text;
}

} // namespace

TEST_F(DataLogTest, OpenLoadsTheLogWithItsTimesRewrittenAndNamesThePlotAfterIt) {
    const QString path = file("plant.2024.csv");
    writeFile(path, crlfLines({"Date,Time,Temp,Press", "3/4/2024,13:05:09,21.5,1.01",
                               "3/4/2024,00:00:30,22,1.02", "3/5/2024,12:00,23,1.03"}));
    const FileState before = fileState(path);
    DialogSeen seen;
    viewer->iPlotX->setTitleText("old title");
    // Posted as the dialog closes, it runs at the reader's one pass of pending events.
    QString statusWhileLoading;
    int pointerWhileLoading = -1;
    ModalAnswer answer;
    answer.then([&](QWidget* w) {
        QTimer::singleShot(0, viewer, [&] {
            statusWhileLoading = frmMain::instance().statusText();
            pointerWhileLoading = Screen::mousePointer();
        });
        answerFileDialog(path, &seen)(w);
    });
    viewer->DataBarBtn[0]->click();
    const auto& shown = answer.seen();
    EXPECT_EQ(statusWhileLoading, "Loading File, please wait!");
    EXPECT_EQ(pointerWhileLoading, Screen::vbHourglass);

    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].objectName, "cmdFileOpen");
    EXPECT_EQ(seen.title, "Open Log File (.csv)");
    EXPECT_EQ(seen.filters, QStringList{"Log Files(*.csv)"});
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
    EXPECT_FALSE(seen.save);

    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(rowTexts(grid(), 0), (QStringList{"Date", "Time", "Temp", "Press"}));
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/4/2024", "01:05:09 PM", "21.5", "1.01"}));
    EXPECT_EQ(rowTexts(grid(), 2), (QStringList{"3/4/2024", "12:00:30 AM", "22", "1.02"}));
    EXPECT_EQ(rowTexts(grid(), 3), (QStringList{"3/5/2024", "12:00:00 PM", "23", "1.03"}));
    EXPECT_EQ(grid().RowCount(), 3);
    EXPECT_EQ(grid().ColumnCount(), 3);
    EXPECT_EQ(grid().ColumnWidth(0), 14);
    EXPECT_EQ(grid().ColumnWidth(3), 14);
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + path);
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: plant");
    EXPECT_FALSE(viewer->TabAvailable(frmHistory::TabOperatorEvents)); // the first value is set
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
    EXPECT_EQ(fileState(path), before);
}

TEST_F(DataLogTest, ATitleOnlyLogHasNoRowsAndMakesOperatorEventsUsable) {
    const QString path = file("empty.csv");
    writeFile(path, "Date,Time,Flow\r\n");
    open(path);
    EXPECT_EQ(grid().RowCount(), 0);
    EXPECT_EQ(rowTexts(grid(), 0), (QStringList{"Date", "Time", "Flow"}));
    EXPECT_TRUE(viewer->TabAvailable(frmHistory::TabOperatorEvents));
    QTabBar* tabs = viewer->DataTab->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(viewer->DataTab->currentIndex(), frmHistory::TabOperatorEvents);
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: empty");
}

TEST_F(DataLogTest, CancelChangesNothingButTheFollowUpsRunAgainForALoadedLog) {
    DialogSeen seen;
    EXPECT_EQ(open(QString(), &seen).size(), 1U);
    EXPECT_EQ(seen.title, "Open Log File (.csv)");
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_TRUE(followUps.isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);

    const QString path = file("plant.csv");
    writeFile(path, crlfLines({"Date,Time,Flow", "3/4/2024,08:00:00,1.5"}));
    open(path);
    followUps.clear();
    frmMain::instance().setStatusText("after the follow-ups");
    EXPECT_EQ(open(QString()).size(), 1U);
    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/4/2024", "08:00:00 AM", "1.5"}));
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: plant");
    EXPECT_EQ(frmMain::instance().statusText(), "after the follow-ups");
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}

TEST_F(DataLogTest, ARefusedLoadIsReportedAsErrorZeroAndEmptiesTheDataView) {
    const QString good = file("plant.csv");
    writeFile(good, crlfLines({"Date,Time,Flow", "3/4/2024,08:00:00,1.5", "3/4/2024,08:01:00,2"}));
    open(good);
    viewer->digiSigGrid->SetCellText(1, 1, "signature");
    viewer->opEvGrid->SetCellText(2, 3, "event");
    viewer->DcryLabel->show();
    viewer->ProgBar->show();
    followUps.clear();

    const auto shown = open(refusedFile("huge.csv"), nullptr, QMessageBox::Ok);
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[1].text, reportText(0, "", "getHistFile"));
    EXPECT_EQ(shown[1].title, "Tarvex Data Viewer");
    EXPECT_EQ(shown[1].icon, QMessageBox::NoIcon);

    EXPECT_TRUE(allCellsEmpty(grid()));
    EXPECT_TRUE(allCellsEmpty(*viewer->digiSigGrid));
    EXPECT_TRUE(allCellsEmpty(*viewer->opEvGrid));
    EXPECT_EQ(grid().RowCount(), 2); // the counts stay
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "");
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_FALSE(viewer->DcryLabel->isVisible());
    EXPECT_FALSE(viewer->ProgBar->isVisible());
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: plant");
    EXPECT_TRUE(followUps.isEmpty());
}

TEST_F(DataLogTest, ShowsAtMost32766Records) {
    const QString most = file("most.csv");
    writeFile(most, logOfRecords(32'766));
    open(most);
    EXPECT_EQ(grid().RowCount(), 32'766);
    EXPECT_EQ(rowTexts(grid(), 32'766), (QStringList{"3/4/2024", "01:05:09 PM", "32765"}));
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + most);

    const QString tooMany = file("too-many.csv");
    writeFile(tooMany, logOfRecords(32'767));
    const FileState before = fileState(tooMany);
    const auto shown = open(tooMany, nullptr, QMessageBox::Ok);
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[1].text, reportText(6, "Overflow", "getHistFile"));
    EXPECT_TRUE(allCellsEmpty(grid()));
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "");
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(fileState(tooMany), before);
}

TEST_F(DataLogTest, ACommaSplitsAFieldAndAShorterLogLeavesNothingOfTheLongerOne) {
    const QString longer = file("longer.csv");
    writeFile(longer, crlfLines({"Date,Time,A,B,C", "3/4/2024,08:00:00,1,2,3",
                                 "3/4/2024,08:01:00,4,5,6", "3/4/2024,08:02:00,7,8,9"}));
    open(longer);
    ASSERT_EQ(grid().RowCount(), 3);

    const QString shorter = file("shorter.csv");
    // The value "1,5" was meant as one field: nothing can quote it.
    writeFile(shorter, crlfLines({"Date,Time,Note", "3/5/2024,14:30:00,1,5"}));
    open(shorter);
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(grid().ColumnCount(), 3);
    EXPECT_EQ(rowTexts(grid(), 0), (QStringList{"Date", "Time", "Note", ""}));
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/5/2024", "02:30:00 PM", "1", "5"}));
    EXPECT_EQ(grid().gridData().CellText(1, 2), "");
    EXPECT_EQ(grid().gridData().CellText(4, 1), "");
}
