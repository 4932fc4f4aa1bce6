#include "ViewerTestFiles.h"

#include "trend/LedBar.h"
#include "trend/PlotControl.h"

#include <QLabel>

using namespace tarvex;
using namespace tarvex::test;

namespace {

class DataLogTest : public RecordViewerTest {
protected:
    std::vector<ModalAnswer::Seen> openLog(const QString& path, int messages = 0) {
        return open(viewer->DataBarBtn[0], path, messages);
    }
    [[nodiscard]] SpreadGrid& grid() const { return *viewer->vaGrid; }
};

QByteArray logOfRecords(int records) {
    QByteArray text = "Date,Time,Flow\r\n";
    for (int r = 0; r < records; ++r) {
        text += "3/4/2024,13:05:09," + QByteArray::number(r) + "\r\n";
    }
    return text;
}

} // namespace

TEST_F(DataLogTest, OpenLoadsTheLogWithItsTimesRewrittenAndNamesThePlotAfterIt) {
    const QString path =
        write("plant.2024.csv", crlfLines({"Date,Time,Temp,Press", "3/4/2024,13:05:09,21.5,1.01",
                                           "3/4/2024,00:00:30,22,1.02", "3/5/2024,12:00,23,1.03"}));
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
    EXPECT_EQ(statusWhileLoading, "Loading File, please wait!");
    EXPECT_EQ(pointerWhileLoading, Screen::vbHourglass);
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].objectName, "cmdFileOpen");
    EXPECT_EQ(seen.title, "Open Log File (.csv)");
    EXPECT_EQ(seen.filters, QStringList{"Log Files(*.csv)"});
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());

    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(rowTexts(grid(), 0), (QStringList{"Date", "Time", "Temp", "Press"}));
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/4/2024", "01:05:09 PM", "21.5", "1.01"}));
    EXPECT_EQ(rowTexts(grid(), 2), (QStringList{"3/4/2024", "12:00:30 AM", "22", "1.02"}));
    EXPECT_EQ(rowTexts(grid(), 3), (QStringList{"3/5/2024", "12:00:00 PM", "23", "1.03"}));
    EXPECT_EQ(grid().RowCount(), 3);
    EXPECT_EQ(grid().ColumnWidth(3), 14);
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + path);
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: plant");
    EXPECT_FALSE(viewer->TabAvailable(frmHistory::TabOperatorEvents)); // the first value is set
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}

TEST_F(DataLogTest, ATitleOnlyLogHasNoRowsAndMakesOperatorEventsUsable) {
    openLog(write("empty.csv", "Date,Time,Flow\r\n"));
    EXPECT_EQ(grid().RowCount(), 0);
    EXPECT_EQ(rowTexts(grid(), 0), (QStringList{"Date", "Time", "Flow"}));
    EXPECT_TRUE(viewer->TabAvailable(frmHistory::TabOperatorEvents));
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: empty");
}

TEST_F(DataLogTest, CancelChangesNothingButTheFollowUpsRunAgainForALoadedLog) {
    EXPECT_TRUE(openLog(QString()).empty());
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_TRUE(followUps.isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");

    const QString path = write("plant.csv", crlfLines({"Date,Time,Flow", "3/4/2024,08:00:00,1.5"}));
    openLog(path);
    followUps.clear();
    frmMain::instance().setStatusText("after the follow-ups");
    EXPECT_TRUE(openLog(QString()).empty());
    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/4/2024", "08:00:00 AM", "1.5"}));
    EXPECT_EQ(frmMain::instance().statusText(), "after the follow-ups");
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}

TEST_F(DataLogTest, ARefusedLoadIsReportedAsErrorZeroAndEmptiesTheDataView) {
    openLog(write("plant.csv",
                  crlfLines({"Date,Time,Flow", "3/4/2024,08:00:00,1.5", "3/4/2024,08:01:00,2"})));
    viewer->digiSigGrid->SetCellText(1, 1, "signature");
    viewer->opEvGrid->SetCellText(2, 3, "event");
    viewer->DcryLabel->show();
    viewer->ProgBar->show();
    followUps.clear();

    const auto shown = openLog(refusedFile("huge.csv"), 1);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, reportText(0, "", "getHistFile"));
    EXPECT_EQ(shown[0].icon, QMessageBox::NoIcon);
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
    const QString most = write("most.csv", logOfRecords(32'766));
    openLog(most);
    EXPECT_EQ(grid().RowCount(), 32'766);
    EXPECT_EQ(rowTexts(grid(), 32'766), (QStringList{"3/4/2024", "01:05:09 PM", "32765"}));
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + most);

    const auto shown = openLog(write("too-many.csv", logOfRecords(32'767)), 1);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, reportText(6, "Overflow", "getHistFile"));
    EXPECT_TRUE(allCellsEmpty(grid()));
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
}

TEST_F(DataLogTest, ACommaSplitsAFieldAndAShorterLogLeavesNothingOfTheLongerOne) {
    openLog(write("longer.csv", crlfLines({"Date,Time,A,B,C", "3/4/2024,08:00:00,1,2,3",
                                           "3/4/2024,08:01:00,4,5,6", "3/4/2024,08:02:00,7,8,9"})));
    ASSERT_EQ(grid().RowCount(), 3);
    // The value "1,5" was meant as one field: nothing can quote it.
    openLog(write("shorter.csv", crlfLines({"Date,Time,Note", "3/5/2024,14:30:00,1,5"})));
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(grid().ColumnCount(), 3);
    EXPECT_EQ(rowTexts(grid(), 0), (QStringList{"Date", "Time", "Note", ""}));
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/5/2024", "02:30:00 PM", "1", "5"}));
    EXPECT_EQ(grid().gridData().CellText(1, 2), "");
    EXPECT_EQ(grid().gridData().CellText(4, 1), "");
}
