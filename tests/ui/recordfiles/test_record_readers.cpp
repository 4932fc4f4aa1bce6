#include "ViewerFiles.h"

#include "trend/PlotControl.h"

#include <QLabel>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// One of the three readers behind an open button, with what it shows and leaves behind.
struct Reader {
    const char* name;
    QToolButton* (*button)(frmHistory&);
    SpreadGrid* (*grid)(frmHistory&);
    QString (*label)(frmHistory&); // names the loaded file
    QString SharedState::*path;
    QStringList filters;
    const char* status; // after a load, before the follow-ups
    QStringList followUps;
    const char* procName;
    QByteArray (*records)(int count);
    bool overflows; // past 32,766 records
    bool keepsPathOnFailure;
    int pointerAfterFailure;
};

const Reader kReaders[] = {
    {"DataLog",
     [](frmHistory& v) { return v.DataBarBtn[0]; },
     [](frmHistory& v) { return v.vaGrid; },
     [](frmHistory& v) { return v.iPlotX->TitleText(); },
     &SharedState::dataFilePath,
     {"Log Files(*.csv)"},
     "Current File is ",
     {"loadSigFile", "loadOpEventsFile"},
     "getHistFile",
     [](int n) {
         return "Date,Time,Flow\r\n" + QByteArray("3/4/2024,13:05:09,1.5\r\n").repeated(n);
     },
     true,
     false,
     Screen::vbDefault},
    {"AuditTrail",
     [](frmHistory& v) { return v.auditBarBtn[0]; },
     [](frmHistory& v) { return v.auditGrid; },
     [](frmHistory& v) { return v.auditNameLab->text(); },
     &SharedState::auditFilePath,
     {"Audit Files(*.aud)", "Audit Files(*.csv)"},
     "Loading audit trail file, please wait...",
     {"loadAuditSigFile"},
     "getAuditFile",
     [](int n) { return QByteArray("3/4/2024,08:00:00,Maria Keller,Logged in\r\n").repeated(n); },
     false,
     true,
     Screen::vbHourglass},
    {"AlarmHistory",
     [](frmHistory& v) { return v.almBarBtn[0]; },
     [](frmHistory& v) { return v.alarmGrid; },
     [](frmHistory& v) { return v.almNameLab->text(); },
     &SharedState::alarmFilePath,
     {"Alarm Files(*.csv)"},
     "Loading alarm history file, please wait...",
     {},
     "getAlmFile",
     [](int n) { return QByteArray("Low Flow,3/4/2024,06:30:00\r\n").repeated(n); },
     true,
     true,
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
    const QString longer = write("long.2024.csv", r.records(3));
    DialogSeen seen;
    open(button, longer, 0, &seen);
    EXPECT_EQ(seen.filters, r.filters);
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
    EXPECT_TRUE(frmMain::instance().statusText().startsWith(r.status));
    EXPECT_TRUE(r.label(*viewer).endsWith(": long"));
    EXPECT_EQ(followUps, r.followUps);
    open(button, {});
    EXPECT_EQ(pubVars().*r.path, longer);
    EXPECT_EQ(grid.RowCount(), 3);
    open(button, write("short.csv", r.records(1)));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(rowTexts(grid, 2), QStringList(grid.ColumnCount() + 1, QString()));
    std::vector<std::tuple<QString, int, QString>> failures{{refusedFile("huge.csv"), 0, {}}};
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
        EXPECT_TRUE(r.label(*viewer).endsWith(": short")) << "the label stays";
    }
}

INSTANTIATE_TEST_SUITE_P(OpenButtons, RecordReaders, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordViewerTest, TheDataLogRewritesItsTimesAndOffersOperatorEventsAfterAnEmptyNote) {
    const QString path = write(
        "plant.csv", crlfLines({"Date,Time,Temp", "3/4/2024,00:00:30,22", "3/5/2024,12:00,23"}));
    QString statusWhileLoading;
    int pointerWhileLoading = -1;
    {
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            // Posted as the dialog closes, it runs at the reader's one pass of pending events.
            QTimer::singleShot(0, viewer, [&] {
                statusWhileLoading = frmMain::instance().statusText();
                pointerWhileLoading = Screen::mousePointer();
            });
            ModalAnswer::chooseFile(path)(w);
        });
        viewer->DataBarBtn[0]->click();
    }
    EXPECT_EQ(statusWhileLoading, "Loading File, please wait!");
    EXPECT_EQ(pointerWhileLoading, Screen::vbHourglass);
    EXPECT_EQ(rowTexts(*viewer->vaGrid, 1), (QStringList{"3/4/2024", "12:00:30 AM", "22"}));
    EXPECT_EQ(rowTexts(*viewer->vaGrid, 2), (QStringList{"3/5/2024", "12:00:00 PM", "23"}));
    EXPECT_FALSE(viewer->TabAvailable(frmHistory::TabOperatorEvents)); // the first value is set
    openDataLog(write("notes.csv", crlfLines({"Date,Time,Batch,Temp", "3/4/2024,08:00:00,,1"})));
    EXPECT_TRUE(viewer->TabAvailable(frmHistory::TabOperatorEvents));
}

TEST_F(RecordViewerTest, TheAuditTrailTakesOurTitlesAndHidesTheFurtherFields) {
    openAuditTrail(write("audit.aud", crlfLines({"3/4/2024,13:05:09,Maria,Changed A,from 25"})));
    SpreadGrid& grid = *viewer->auditGrid;
    EXPECT_EQ(rowTexts(grid, 0),
              (QStringList{"Date", "Time", "User Full Name", "User Action", ""}));
    // The times stay as the file has them; a comma in an action continues in column 4.
    EXPECT_EQ(rowTexts(grid, 1),
              (QStringList{"3/4/2024", "13:05:09", "Maria", "Changed A", "from 25"}));
    for (int c = 0; c <= 4; ++c) {
        grid.setCurrentColumn(c);
        EXPECT_EQ(grid.ColumnHidden(), c == 4) << c;
    }
}
