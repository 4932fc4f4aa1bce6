// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFiles.h"

#include "core/recordfiles/SampleData.h"
#include "ui/recordfiles/AlarmHistoryFile.h"
#include "ui/recordfiles/CsvExport.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>

using namespace tarvex;
using namespace tarvex::test;

namespace {

using Procedure = std::function<void()>;

class ExportTest : public RecordFilesTest {
protected:
    ExportTest() {
        pointerEndsDefault = false;
        EXPECT_TRUE(QDir(dir.path()).mkdir("Export Data"));
    }
    [[nodiscard]] QString exported(const QString& name) const {
        return file("Export Data/" + name);
    }
    // The readers and exports of the three files, as their buttons run them.
    const Procedure openData = [this] { getHistFile(state, *main, grids.dataLog()); };
    const Procedure openAudit = [this] { getAuditFile(state, *main, grids.auditTrail()); };
    const Procedure openAlarms = [this] {
        getAlmFile(state, *main, grids.alarmGrid, grids.almNameLab);
    };
    const Procedure exportData = [this] { exportHistData(state, grids.vaGrid); };
    const Procedure exportEvents = [this] { exportOpEventData(state, grids.opEvGrid); };
    const Procedure exportAudit = [this] { exportAuditTrailData(state, grids.auditGrid); };
    const Procedure exportAlarms = [this] { exportAlmData(state, grids.alarmGrid); };

    void loadSamples() {
        dataLog = write("plant.2024.csv", crlfLines({"Date,Time,Temp", "3/4/2024,13:05:09,21.5"}));
        answered(openData, dataLog);
        auditTrail =
            write("audit.aud", crlfLines({"3/4/2024,08:00:00,Maria Keller,Logged in,OS-1"}));
        answered(openAudit, auditTrail);
        alarms = write("alarms.csv", "High Temp Zone 1,3/4/2024,14:07:00\r\n");
        answered(openAlarms, alarms);
    }
    // Opens `input` with one reader, exports it with the other procedure, and compares the file
    // that the batch tool built beside the tests writes for the same input.
    void compare(const Procedure& opener, const Procedure& save, const QString& kind,
                 const QString& input) {
        SCOPED_TRACE(input.toStdString());
        answered(opener, input);
        const QString name = file(kind + "-" + QFileInfo(input).completeBaseName());
        ASSERT_TRUE(answered(save, name + "-viewer.csv").empty());
        QProcess cli;
        cli.start(QStringLiteral(TARVEX_CLI_PATH), {"export", kind, input, name + "-cli.csv"});
        ASSERT_TRUE(cli.waitForFinished(30'000)) << cli.errorString().toStdString();
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        EXPECT_FALSE(readBytes(name + "-viewer.csv").isEmpty());
        EXPECT_EQ(readBytes(name + "-cli.csv"), readBytes(name + "-viewer.csv"));
    }

    QString dataLog;
    QString auditTrail;
    QString alarms;
};

} // namespace

TEST_F(ExportTest, EachGuardTellsWhichFileIsMissingAndStopsItsExport) {
    // The guards' texts are checked with the printouts, which share them.
    const std::pair<Procedure, const char*> cases[] = {{exportData, "Data file"},
                                                       {exportEvents, "Data file"},
                                                       {exportAudit, "Audit file"},
                                                       {exportAlarms, "Alarm History file"}};
    for (const auto& [exporter, text] : cases) {
        ModalAnswer answer;
        answer.thenClick(QMessageBox::Ok);
        exporter();
        ASSERT_EQ(answer.seen().size(), 1U) << text;
        EXPECT_TRUE(answer.seen()[0].text.startsWith(QString(text) + " has not been opened!"));
        EXPECT_EQ(answer.seen()[0].icon, QMessageBox::Question);
    }
    EXPECT_TRUE(QDir(file("Export Data")).isEmpty());
}

TEST_F(ExportTest, EachExportProposesANameAfterItsFileAndWritesTheShownCells) {
    loadSamples();
    grids.opEvGrid.SetCellText(0, 0, "Date");
    grids.opEvGrid.SetCellText(1, 1, "Batch started");
    main->setStatusText("status before");
    const std::tuple<Procedure, const char*, const char*, QByteArray> cases[] = {
        {exportData, "Exported Data Files (*.csv)", "plant.csv",
         "Date,Time,Temp\r\n3/4/2024,01:05:09 PM,21.5\r\n"},
        {exportEvents, "Exported Op Event Files (*.csv)", "Op Event plant.csv",
         "Date,\r\n1,Batch started\r\n"},
        {exportAudit, "Exported Audit Files (*.csv)", "Audit audit.csv",
         "Date,Time,User Full Name,User Action,\r\n3/4/2024,08:00:00,Maria Keller,Logged "
         "in,OS-1\r\n"},
        {exportAlarms, "Exported Alarm History Files (*.csv)", "Alarm alarms.csv",
         "Alarm#,Alarm Description,Date,Time\r\n1,High Temp Zone 1,3/4/2024,02:07 PM\r\n"}};
    for (const auto& [exporter, filter, proposed, bytes] : cases) {
        DialogSeen seen;
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            seen = seeDialog(w);
            ModalAnswer::chooseFile(seen.proposedName)(w); // the name as it stands
        });
        exporter();
        ASSERT_EQ(answer.seen().size(), 1U) << proposed;
        EXPECT_EQ(seen.filters, QStringList{filter});
        EXPECT_EQ(seen.folder, QDir(file("Export Data")).absolutePath());
        EXPECT_TRUE(seen.confirmsOverwrite);
        EXPECT_EQ(readBytes(exported(proposed)), bytes) << proposed;
    }
    EXPECT_EQ(statusText(), "status before");
    EXPECT_EQ(state.dataFilePath, dataLog);
}

// Root may write anywhere, so the failures come from the paths themselves: a folder that is a
// regular file, and a name so long that no temporary file can be made beside it.
TEST_F(ExportTest, AFailedSaveIsReportedUnderTheExportersNameAndLeavesNoFileBehind) {
    loadSamples();
    const QString blocker = write("blocker", "a file, not a folder");
    const auto shown = answered(exportData, blocker + "/plant.csv", 1);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, errorReportText("exportHistData", 0, {}));
    const QString earlier = write("Export Data/audit.csv", "earlier export\r\n");
    ModalAnswer answer;
    answer.then(ModalAnswer::chooseFile(earlier))
        .thenClick(QMessageBox::Yes)
        .thenClick(QMessageBox::Ok);
    {
        const FileSizeLimit full(16); // a disk that fills during the write
        exportAudit();
    }
    ASSERT_EQ(answer.seen().size(), 3U);
    EXPECT_EQ(answer.seen()[2].text, errorReportText("exportAuditTrailData", 0, {}));
    EXPECT_EQ(readBytes(earlier), "earlier export\r\n");
    EXPECT_EQ(QDir(file("Export Data")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"audit.csv"});
}

// A loaded record file (or its signature file) picked as the export target is refused inside the
// Save dialog, which stays open for another name. After a failed alarm load the export writes
// the emptied grid.
TEST_F(ExportTest, TheSaveDialogRefusesALoadedRecordFileAndStaysOpen) {
    loadSamples();
    for (const QString& target : {dataLog, write("plant.sig", "1 2 3\r\n"), alarms}) {
        const QByteArray before = readBytes(target);
        bool stayedOpen = false;
        ModalAnswer answer;
        answer
            .then([&](QWidget* w) {
                auto* dlg = qobject_cast<QFileDialog*>(w);
                dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(target);
                static_cast<QDialog*>(dlg)->accept();
                stayedOpen = dlg->isVisible();
                ModalAnswer::chooseFile(exported("other.csv"))(w);
            })
            .thenClick(QMessageBox::Ok);
        exportData();
        ASSERT_EQ(answer.seen().size(), 2U) << qPrintable(target);
        EXPECT_TRUE(
            answer.seen()[1].text.startsWith(QFileInfo(target).fileName() + " is a record"));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(readBytes(target), before);
        EXPECT_TRUE(QFile::remove(exported("other.csv")));
    }
    answered(openAlarms, refusedFile("huge.csv"), 1);
    ASSERT_TRUE(answered(exportAlarms, "after-failure.csv").empty());
    EXPECT_EQ(readBytes(exported("after-failure.csv")), ",,,\r\n"); // the counts stay
}

TEST_F(ExportTest, TheBatchToolWritesTheSameBytesAsTheViewerForSampleAndOddFiles) {
    const SampleFiles sample = writeSampleData(file("sample"));
    compare(openData, exportData, "data", sample.dataLog);
    compare(openAudit, exportAudit, "audit", sample.auditTrail);
    compare(openAlarms, exportAlarms, "alarm", sample.alarmHistory);
    // Commas that shift fields, a date where a time belongs, short lines, bare line feeds,
    // bytes outside ASCII, a title line only.
    compare(openData, exportData, "data",
            write("odd.csv",
                  "Date,Time,Temp \xB0"
                  "C,Note\r\n3/4/2024,13:05:09,21.5,a,b\n3/4/2024,noon,\r\n3/4/2024\r\n"));
    compare(openData, exportData, "data", write("titles.csv", "Date,Time,Flow\r\n"));
    compare(
        openAudit, exportAudit, "audit",
        write("odd.aud", crlfLines({"3/4/2024,08:00:00,Jos\xE9 Ferreira,Changed A, then B",
                                    "3/4/2024,08:01:00", "3/4/2024,08:02:00,Maria,Logged out"})));
    compare(openAlarms, exportAlarms, "alarm",
            write("odd-alarms.csv", crlfLines({"Pump P-1, tripped,3/4/2024,23:15:00", "Short", "",
                                               "High Temp,3/4/2024,14:07:59"})));
}
