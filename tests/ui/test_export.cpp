#include "ViewerTestFiles.h"

#include "recordfiles/CsvExport.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class ExportTest : public RecordViewerTest {
protected:
    void SetUp() override {
        RecordViewerTest::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkdir("Export Data"));
    }

    [[nodiscard]] QString exported(const QString& name) const {
        return file("Export Data/" + name);
    }

    void loadSamples() {
        dataLog = write("plant.2024.csv", crlfLines({"Date,Time,Temp", "3/4/2024,13:05:09,21.5",
                                                     "3/4/2024,13:06:09,21.7"}));
        press(viewer->DataBarBtn[0], dataLog);
        auditTrail =
            write("audit.aud", crlfLines({"3/4/2024,08:00:00,Maria Keller,Logged in,OS-1"}));
        press(viewer->auditBarBtn[0], auditTrail);
        alarms =
            write("alarms.csv",
                  crlfLines({"High Temp Zone 1,3/4/2024,14:07:00", "Low Flow,3/4/2024,06:30:59"}));
        press(viewer->almBarBtn[0], alarms);
    }

    QString dataLog;
    QString auditTrail;
    QString alarms;
};

} // namespace

TEST_F(ExportTest, EachGuardTellsWhichFileIsMissingAndStopsItsExport) {
    struct Case {
        QToolButton* button;
        const char* text;
    };
    const char* data =
        "Data file has not been opened!\r\nUse the open file icon to load a data file.";
    const Case cases[] = {
        {viewer->DataBarBtn[4], data},
        {viewer->opBarBtn[1], data},
        {viewer->auditBarBtn[2],
         "Audit file has not been opened!\r\nUse the open file icon to load an audit file."},
        {viewer->almBarBtn[2], "Alarm History file has not been opened!\r\nUse the open file "
                               "icon to load an alarm file."},
    };
    viewer->setTabAvailable(frmHistory::TabOperatorEvents, true); // so that its button works
    for (const Case& c : cases) {
        ModalAnswer answer;
        answer.thenClick(QMessageBox::Ok);
        c.button->click();
        ASSERT_EQ(answer.seen().size(), 1U) << c.text;
        const ModalAnswer::Seen& box = answer.seen()[0];
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.buttons, QStringList{"OK"});
        EXPECT_EQ(box.title, "Tarvex Data Viewer");
    }
    EXPECT_TRUE(QDir(file("Export Data")).isEmpty());
    EXPECT_TRUE(isDataFileOpen("/logs/plant.csv"));
    EXPECT_TRUE(isAuditFileOpen("/logs/audit.aud"));
    EXPECT_TRUE(isAlarmFileOpen("/logs/alarms.csv"));
}

TEST_F(ExportTest, EachExportProposesANameAfterItsFileAndWritesTheShownCells) {
    loadSamples();
    viewer->setTabAvailable(frmHistory::TabOperatorEvents, true);
    viewer->opEvGrid->SetCellText(0, 0, "Date");
    viewer->opEvGrid->SetCellText(1, 1, "Batch started");
    frmMain::instance().setStatusText("status before");
    struct Case {
        QToolButton* button;
        const char* title;
        const char* filter;
        const char* proposed;
        QByteArray bytes;
    };
    const Case cases[] = {
        {viewer->DataBarBtn[4], "Export data file as?", "Exported Data Files (*.csv)", "plant.csv",
         "Date,Time,Temp\r\n3/4/2024,01:05:09 PM,21.5\r\n3/4/2024,01:06:09 PM,21.7\r\n"},
        {viewer->opBarBtn[1], "Export Op Event File as?", "Exported Op Event Files (*.csv)",
         "Op Event plant.csv", "Date,\r\n1,Batch started\r\n"},
        {viewer->auditBarBtn[2], "Export Audit Trail File as?", "Exported Audit Files (*.csv)",
         "Audit audit.csv",
         "Date,Time,User Full Name,User Action,\r\n3/4/2024,08:00:00,Maria Keller,Logged "
         "in,OS-1\r\n"},
        {viewer->almBarBtn[2], "Export Alarm History File as?",
         "Exported Alarm History Files (*.csv)", "Alarm alarms.csv",
         "Alarm#,Alarm Description,Date,Time\r\n1,High Temp Zone 1,3/4/2024,02:07 PM\r\n"
         "2,Low Flow,3/4/2024,06:30 AM\r\n"},
    };
    for (const Case& c : cases) {
        DialogSeen seen;
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            recordDialog(w, seen);
            DialogDriver::chooseFile(seen.proposedName)(w); // the proposed name as it stands
        });
        c.button->click();
        ASSERT_EQ(answer.seen().size(), 1U) << c.title;
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.filters, QStringList{c.filter});
        EXPECT_EQ(seen.proposedName, c.proposed);
        EXPECT_EQ(seen.folder, QDir(file("Export Data")).absolutePath());
        EXPECT_TRUE(seen.save);
        EXPECT_TRUE(seen.confirmsOverwrite);
        EXPECT_EQ(readBytes(exported(c.proposed)), c.bytes) << c.title;
    }
    EXPECT_EQ(QDir(file("Export Data")).entryList(QDir::Files).size(), 4);
    EXPECT_EQ(frmMain::instance().statusText(), "status before");
    EXPECT_EQ(pubVars().dataFilePath, dataLog);
    EXPECT_EQ(viewer->vaGrid->gridData().CellText(1, 1), "01:05:09 PM");
}

TEST_F(ExportTest, ABareNameGetsTheCsvExtensionAndCancelWritesNothing) {
    loadSamples();
    press(viewer->DataBarBtn[4], QString());
    EXPECT_TRUE(QDir(file("Export Data")).isEmpty());
    const auto shown = press(viewer->DataBarBtn[4], "day one");
    EXPECT_EQ(shown.size(), 1U);
    EXPECT_TRUE(QFile::exists(exported("day one.csv")));
}

TEST_F(ExportTest, AnExistingFileIsReplacedOnlyAfterTheDialogAsks) {
    loadSamples();
    const QString target = exported("alarms.csv");
    writeFile(target, "old export\r\n");
    {
        ModalAnswer answer;
        answer.then(DialogDriver::chooseFile(target)).thenClick(QMessageBox::No);
        viewer->almBarBtn[2]->click();
        EXPECT_EQ(answer.pending(), 0);
        EXPECT_EQ(readBytes(target), "old export\r\n");
    }
    ModalAnswer again;
    again.then(DialogDriver::chooseFile(target)).thenClick(QMessageBox::Yes);
    viewer->almBarBtn[2]->click();
    ASSERT_EQ(again.seen().size(), 2U);
    EXPECT_TRUE(again.seen()[1].text.contains("already exists"));
    EXPECT_TRUE(readBytes(target).startsWith("Alarm#,Alarm Description,Date,Time\r\n"));
}

// Root may write anywhere, so the failures come from the paths themselves: a folder that is a
// regular file, and a name so long that no temporary file can be made beside it.
TEST_F(ExportTest, AFailedSaveIsReportedUnderTheExportersNameAndLeavesNoFileBehind) {
    loadSamples();
    const QString blocker = file("blocker");
    writeFile(blocker, "a file, not a folder");
    auto shown = press(viewer->DataBarBtn[4], blocker + "/plant.csv", nullptr, 1);
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[1].text, reportText(0, "", "exportHistData"));
    EXPECT_EQ(readBytes(blocker), "a file, not a folder");

    const QString longName =
        write("Export Data/" + QString(246, QLatin1Char('a')) + ".csv", "earlier export\r\n");
    ModalAnswer answer;
    answer.then(DialogDriver::chooseFile(longName))
        .thenClick(QMessageBox::Yes)
        .thenClick(QMessageBox::Ok);
    viewer->auditBarBtn[2]->click();
    ASSERT_EQ(answer.seen().size(), 3U);
    EXPECT_EQ(answer.seen()[2].text, reportText(0, "", "exportAuditTrailData"));
    EXPECT_EQ(QDir(file("Export Data")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(longName).fileName()});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"alarms.csv", "audit.aud", "blocker", "plant.2024.csv"}));
}

TEST_F(ExportTest, AfterAFailedAlarmLoadTheExportWritesTheEmptiedGrid) {
    press(viewer->almBarBtn[0], refusedFile("huge.csv"), nullptr, 1);
    ASSERT_FALSE(pubVars().alarmFilePath.isEmpty());
    const auto shown = press(viewer->almBarBtn[2], "after-failure.csv");
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(readBytes(exported("after-failure.csv")), "\r\n");
}

// The user may pick a record file as the export target and confirm the overwrite; the viewer
// still never writes it.
TEST_F(ExportTest, AnExportOntoALoadedRecordFileOrItsSignaturesIsRefused) {
    loadSamples();
    const QString signatures = write("plant.sig", "1 2 3\r\n");
    for (const QString& target : {dataLog, signatures, alarms}) {
        ModalAnswer answer;
        answer.then(DialogDriver::chooseFile(target))
            .thenClick(QMessageBox::Yes)
            .thenClick(QMessageBox::Ok);
        viewer->DataBarBtn[4]->click();
        ASSERT_EQ(answer.seen().size(), 3U) << qPrintable(target);
        EXPECT_EQ(answer.seen()[2].text, reportText(70, "Permission denied", "exportHistData"));
    }
}
