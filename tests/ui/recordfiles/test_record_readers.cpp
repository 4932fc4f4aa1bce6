#include "ViewerFiles.h"

#include "trend/LedBar.h"
#include "trend/PlotControl.h"

#include <QLabel>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// One of the three readers behind an open button, with what it leaves after a failure.
struct Reader {
    const char* name;
    QToolButton* (*button)(frmHistory&);
    SpreadGrid* (*grid)(frmHistory&);
    QString SharedState::*path;
    const char* procName;
    QByteArray (*records)(int count);
    bool overflows; // past 32,766 records
    bool keepsPathOnFailure;
    int pointerAfterFailure;
};

const Reader kReaders[] = {
    {"DataLog", [](frmHistory& v) { return v.DataBarBtn[0]; },
     [](frmHistory& v) { return v.vaGrid; }, &SharedState::dataFilePath, "getHistFile",
     [](int n) {
         return "Date,Time,Flow\r\n" + QByteArray("3/4/2024,13:05:09,1.5\r\n").repeated(n);
     },
     true, false, Screen::vbDefault},
    {"AuditTrail", [](frmHistory& v) { return v.auditBarBtn[0]; },
     [](frmHistory& v) { return v.auditGrid; }, &SharedState::auditFilePath, "getAuditFile",
     [](int n) { return QByteArray("3/4/2024,08:00:00,Maria Keller,Logged in\r\n").repeated(n); },
     false, true, Screen::vbHourglass},
    {"AlarmHistory", [](frmHistory& v) { return v.almBarBtn[0]; },
     [](frmHistory& v) { return v.alarmGrid; }, &SharedState::alarmFilePath, "getAlmFile",
     [](int n) { return QByteArray("Low Flow,3/4/2024,06:30:00\r\n").repeated(n); }, true, true,
     Screen::vbHourglass},
};

class RecordReaders : public RecordViewerTest, public ::testing::WithParamInterface<Reader> {};

} // namespace

TEST_P(RecordReaders, CancelKeepsTheFileAShorterOneLeavesNothingAndAFailureEmptiesTheGrid) {
    const Reader& r = GetParam();
    QToolButton* button = r.button(*viewer);
    const SpreadGrid& grid = *r.grid(*viewer);
    EXPECT_TRUE(open(button, {}).empty());
    EXPECT_TRUE((pubVars().*r.path).isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");

    const QString longer = write("long.csv", r.records(3));
    open(button, longer);
    open(button, {});
    EXPECT_EQ(pubVars().*r.path, longer);
    EXPECT_EQ(grid.RowCount(), 3);
    open(button, write("short.csv", r.records(1)));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(rowTexts(grid, 2), QStringList(grid.ColumnCount() + 1, QString()));

    std::vector<std::tuple<QString, int, QString>> failures{
        {refusedFile("huge.csv"), 0, QString()}};
    if (r.overflows) {
        failures.emplace_back(write("too-many.csv", r.records(32'767)), ErrOverflow, "Overflow");
    }
    for (const auto& [path, number, description] : failures) {
        open(button, write("short.csv", r.records(1)));
        const auto boxes = open(button, path, 1);
        ASSERT_EQ(boxes.size(), 1U) << number;
        EXPECT_EQ(boxes[0].text, errorReportText(r.procName, number, description));
        EXPECT_TRUE(allCellsEmpty(grid)) << number;
        EXPECT_EQ(pubVars().*r.path, r.keepsPathOnFailure ? path : QString());
        EXPECT_EQ(Screen::mousePointer(), r.pointerAfterFailure);
    }
}

INSTANTIATE_TEST_SUITE_P(OpenButtons, RecordReaders, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordViewerTest, TheDataLogLoadsWithItsTimesRewrittenAndNamesThePlotAfterIt) {
    const QString path =
        write("plant.2024.csv", crlfLines({"Date,Time,Temp,Press", "3/4/2024,13:05:09,21.5,1.01",
                                           "3/4/2024,00:00:30,22,1.02", "3/5/2024,12:00,23,1.03"}));
    // Posted as the dialog closes, it runs at the reader's one pass of pending events.
    QString statusWhileLoading;
    int pointerWhileLoading = -1;
    DialogSeen seen;
    {
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            QTimer::singleShot(0, viewer, [&] {
                statusWhileLoading = frmMain::instance().statusText();
                pointerWhileLoading = Screen::mousePointer();
            });
            answerFileDialog(path, &seen)(w);
        });
        viewer->DataBarBtn[0]->click();
    }
    EXPECT_EQ(statusWhileLoading, "Loading File, please wait!");
    EXPECT_EQ(pointerWhileLoading, Screen::vbHourglass);
    EXPECT_EQ(seen.filters, QStringList{"Log Files(*.csv)"});
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(rowTexts(*viewer->vaGrid, 0), (QStringList{"Date", "Time", "Temp", "Press"}));
    EXPECT_EQ(rowTexts(*viewer->vaGrid, 1),
              (QStringList{"3/4/2024", "01:05:09 PM", "21.5", "1.01"}));
    EXPECT_EQ(rowTexts(*viewer->vaGrid, 2), (QStringList{"3/4/2024", "12:00:30 AM", "22", "1.02"}));
    EXPECT_EQ(rowTexts(*viewer->vaGrid, 3), (QStringList{"3/5/2024", "12:00:00 PM", "23", "1.03"}));
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + path);
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: plant");
    EXPECT_FALSE(viewer->TabAvailable(frmHistory::TabOperatorEvents)); // the first value is set
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));

    openDataLog(write("notes.csv", crlfLines({"Date,Time,Batch,Temp", "3/4/2024,08:00:00,,1"})));
    EXPECT_TRUE(viewer->TabAvailable(frmHistory::TabOperatorEvents));
}

TEST_F(RecordViewerTest, ARefusedDataLogEmptiesTheWholeDataView) {
    openDataLog(write("plant.csv", kDataLog));
    viewer->digiSigGrid->SetCellText(1, 1, "signature");
    viewer->opEvGrid->SetCellText(2, 3, "event");
    viewer->DcryLabel->show();
    viewer->ProgBar->show();
    followUps.clear();
    ASSERT_EQ(openDataLog(refusedFile("huge.csv"), 1).size(), 1U);
    EXPECT_TRUE(allCellsEmpty(*viewer->digiSigGrid));
    EXPECT_TRUE(allCellsEmpty(*viewer->opEvGrid));
    EXPECT_EQ(viewer->vaGrid->RowCount(), 3); // the counts stay
    EXPECT_EQ(frmMain::instance().statusText(), "");
    EXPECT_FALSE(viewer->DcryLabel->isVisible());
    EXPECT_FALSE(viewer->ProgBar->isVisible());
    EXPECT_TRUE(followUps.isEmpty());
}

TEST_F(RecordViewerTest, TheAuditTrailTakesOurTitlesAndHidesTheFurtherFields) {
    const QString path = write(
        "audit.2024.aud", crlfLines({"3/4/2024,08:00:00,Maria Keller,Logged in",
                                     "3/4/2024,13:05:09,Maria Keller,Changed setpoint,from 25"}));
    DialogSeen seen;
    open(viewer->auditBarBtn[0], path, 0, &seen);
    EXPECT_EQ(seen.filters, (QStringList{"Audit Files(*.aud)", "Audit Files(*.csv)"}));
    SpreadGrid& grid = *viewer->auditGrid;
    EXPECT_EQ(rowTexts(grid, 0),
              (QStringList{"Date", "Time", "User Full Name", "User Action", ""}));
    // The times stay as the file has them; a comma in an action continues in column 4.
    EXPECT_EQ(rowTexts(grid, 2),
              (QStringList{"3/4/2024", "13:05:09", "Maria Keller", "Changed setpoint", "from 25"}));
    for (int c = 0; c <= 4; ++c) {
        grid.setCurrentColumn(c);
        EXPECT_EQ(grid.ColumnHidden(), c == 4) << c;
    }
    EXPECT_EQ(viewer->auditNameLab->text(), "Audit Trail File: audit");
    EXPECT_EQ(frmMain::instance().statusText(), "Loading audit trail file, please wait...");
    EXPECT_EQ(followUps, QStringList{"loadAuditSigFile"});
}

TEST_F(RecordViewerTest, TheAlarmHistoryNumbersTheAlarmsAndShowsHoursAndMinutes) {
    DialogSeen seen;
    open(viewer->almBarBtn[0],
         write("alarms.2024.csv", crlfLines({"High Temp Zone 1,3/4/2024,14:07:00",
                                             "Pump P-1, tripped,3/4/2024,23:15:00"})),
         0, &seen);
    EXPECT_EQ(seen.filters, QStringList{"Alarm Files(*.csv)"});
    const GridData& grid = viewer->alarmGrid->gridData();
    const auto shownRow = [&](int row) {
        QStringList texts;
        for (int c = 0; c <= 4; ++c) {
            texts << grid.ShownText(c, row);
        }
        return texts;
    };
    EXPECT_EQ(shownRow(0), (QStringList{"Alarm#", "Alarm Description", "Date", "Time", ""}));
    EXPECT_EQ(shownRow(1), (QStringList{"1", "High Temp Zone 1", "3/4/2024", "02:07 PM", ""}));
    // A comma in the description pushes the date into the time column, where it is formatted
    // as a time, and the time into column 4, where it stays as it was.
    EXPECT_EQ(shownRow(2), (QStringList{"2", "Pump P-1", " tripped", "12:00 AM", "23:15:00"}));
    EXPECT_EQ(viewer->almNameLab->text(), "Alarm History File: alarms");
    EXPECT_EQ(frmMain::instance().statusText(), "Loading alarm history file, please wait...");
}
