// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerFiles.h"

#include "ui/trend/PlotControl.h"

#include <QLabel>

#include <array>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// One of the three readers behind an open button, with what it shows and leaves behind.
struct Reader {
    const char* name;
    int index; // data log, audit trail, alarm history
    QString SharedState::*path;
    const char* filters; // joined by "|"
    const char* status;  // after a load, before the follow-ups
    const char* followUps;
    const char* procName;
    const char* titles; // a line before the records
    const char* record;
    bool overflows; // past 32,766 records
    bool keepsPathOnFailure;
    int pointerAfterFailure;
};

const Reader kReaders[] = {
    {"DataLog", 0, &SharedState::dataFilePath, "Log Files(*.csv)", "Current File is ",
     "loadSigFile loadOpEventsFile", "getHistFile", "Date,Time,Flow\r\n",
     "3/4/2024,13:05:09,1.5\r\n", true, false, Screen::vbDefault},
    {"AuditTrail", 1, &SharedState::auditFilePath, "Audit Files(*.aud)|Audit Files(*.csv)",
     "Loading audit trail file, please wait...", "loadAuditSigFile", "getAuditFile", "",
     "3/4/2024,08:00:00,Maria Keller,Logged in\r\n", false, true, Screen::vbHourglass},
    {"AlarmHistory", 2, &SharedState::alarmFilePath, "Alarm Files(*.csv)",
     "Loading alarm history file, please wait...", "", "getAlmFile", "",
     "Low Flow,3/4/2024,06:30:00\r\n", true, true, Screen::vbHourglass}};

void PrintTo(const Reader& r, std::ostream* os) {
    *os << r.name;
}

class RecordReaders : public RecordViewerTest, public ::testing::WithParamInterface<Reader> {
protected:
    QString write(const QString& name, int records) {
        const Reader& r = GetParam();
        return RecordViewerTest::write(name, r.titles + QByteArray(r.record).repeated(records));
    }
    // The label that names the loaded file.
    [[nodiscard]] QString label() const {
        return std::array{viewer->iPlotX->TitleText(), viewer->auditNameLab->text(),
                          viewer->almNameLab->text()}[GetParam().index];
    }
};

} // namespace

TEST_P(RecordReaders, CancelKeepsTheFileAShorterOneLeavesNothingAndAFailureEmptiesTheGrid) {
    const Reader& r = GetParam();
    QToolButton* button =
        std::array{viewer->DataBarBtn[0], viewer->auditBarBtn[0], viewer->almBarBtn[0]}[r.index];
    const SpreadGrid& grid =
        *std::array{viewer->vaGrid, viewer->auditGrid, viewer->alarmGrid}[r.index];
    EXPECT_TRUE(open(button, {}).empty());
    EXPECT_TRUE((pubVars().*r.path).isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");
    const QString longer = write("long.2024.csv", 3);
    DialogSeen seen;
    open(button, longer, 0, &seen);
    EXPECT_EQ(seen.filters.join(u'|'), r.filters);
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
    EXPECT_TRUE(frmMain::instance().statusText().startsWith(r.status));
    EXPECT_EQ(label().section(": ", 1), "long");
    EXPECT_EQ(followUps.join(u' '), r.followUps);
    open(button, {});
    EXPECT_EQ(pubVars().*r.path, longer);
    EXPECT_EQ(grid.RowCount(), 3);
    open(button, write("short.csv", 1));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(rowTexts(grid, 2), QStringList(grid.ColumnCount() + 1, QString()));
    std::vector<std::tuple<QString, int, QString>> failures{{refusedFile("huge.csv"), 0, {}}};
    if (r.overflows) {
        failures.emplace_back(write("too-many.csv", 32'767), ErrOverflow, "Overflow");
    }
    for (const auto& [path, number, description] : failures) {
        open(button, write("short.csv", 1));
        const auto boxes = open(button, path, 1);
        ASSERT_EQ(boxes.size(), 1U) << number;
        EXPECT_EQ(boxes[0].text, errorReportText(r.procName, number, description));
        EXPECT_TRUE(allCellsEmpty(grid)) << number;
        EXPECT_EQ(pubVars().*r.path, r.keepsPathOnFailure ? path : QString());
        EXPECT_EQ(Screen::mousePointer(), r.pointerAfterFailure);
        EXPECT_EQ(label().section(": ", 1), "short") << "the label stays";
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
