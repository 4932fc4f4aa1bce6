// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFiles.h"

#include "ui/recordfiles/AlarmHistoryFile.h"

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
    const char* status;  // after a load
    const char* procName;
    const char* titles; // a line before the records
    const char* record;
    bool overflows; // past 32,766 records
    bool keepsPathOnFailure;
    int pointerAfterFailure;
};

const Reader kReaders[] = {
    {"DataLog", 0, &SharedState::dataFilePath, "Log Files(*.csv)", "Current File is ",
     "getHistFile", "Date,Time,Flow\r\n", "3/4/2024,13:05:09,1.5\r\n", true, false,
     Screen::vbDefault},
    {"AuditTrail", 1, &SharedState::auditFilePath, "Audit Files(*.aud)|Audit Files(*.csv)",
     "Loading audit trail file, please wait...", "getAuditFile", "",
     "3/4/2024,08:00:00,Maria Keller,Logged in\r\n", false, true, Screen::vbHourglass},
    {"AlarmHistory", 2, &SharedState::alarmFilePath, "Alarm Files(*.csv)",
     "Loading alarm history file, please wait...", "getAlmFile", "",
     "Low Flow,3/4/2024,06:30:00\r\n", true, true, Screen::vbHourglass}};

void PrintTo(const Reader& r, std::ostream* os) {
    *os << r.name;
}

class RecordReaders : public RecordFilesTest, public ::testing::WithParamInterface<Reader> {
protected:
    RecordReaders() { pointerEndsDefault = false; }
    QString write(const QString& name, int records) {
        const Reader& r = GetParam();
        return RecordFilesTest::write(name, r.titles + QByteArray(r.record).repeated(records));
    }
    // Runs the reader with its Open dialog answered by `path`.
    std::vector<ModalAnswer::Seen> open(const QString& path, int okClicks = 0,
                                        DialogSeen* seen = nullptr) {
        const std::array<std::function<void()>, 3> readers{
            [this] { getHistFile(state, *main, grids.dataLog()); },
            [this] { getAuditFile(state, *main, grids.auditTrail()); },
            [this] { getAlmFile(state, *main, grids.alarmGrid, grids.almNameLab); }};
        return answered(readers.at(GetParam().index), path, okClicks, seen);
    }
    // The grid filled, and the label that names the loaded file (the data log's is the viewer's
    // plot title).
    [[nodiscard]] const SpreadGrid& grid() const {
        return *std::array{&grids.vaGrid, &grids.auditGrid, &grids.alarmGrid}[GetParam().index];
    }
    [[nodiscard]] QString label() const {
        return std::array{QString(), grids.auditNameLab.text(),
                          grids.almNameLab.text()}[GetParam().index];
    }
};

} // namespace

TEST_P(RecordReaders, CancelKeepsTheFileAShorterOneLeavesNothingAndAFailureEmptiesTheGrid) {
    const Reader& r = GetParam();
    main->setStatusText("No Data File Loaded.");
    EXPECT_TRUE(open({}).empty());
    EXPECT_TRUE((state.*r.path).isEmpty());
    EXPECT_EQ(statusText(), "No Data File Loaded.");
    const QString longer = write("long.2024.csv", 3);
    DialogSeen seen;
    open(longer, 0, &seen);
    EXPECT_EQ(seen.filters.join(u'|'), r.filters);
    EXPECT_EQ(seen.folder, QDir(dir.path()).absolutePath());
    EXPECT_TRUE(statusText().startsWith(r.status));
    if (r.index > 0) {
        EXPECT_EQ(label().section(": ", 1), "long");
    }
    open({});
    EXPECT_EQ(state.*r.path, longer);
    EXPECT_EQ(grid().RowCount(), 3);
    open(write("short.csv", 1));
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(rowTexts(grid(), 2), QStringList(grid().ColumnCount() + 1, QString()));
    std::vector<std::tuple<QString, int, QString>> failures{{refusedFile("huge.csv"), 0, {}}};
    if (r.overflows) {
        failures.emplace_back(write("too-many.csv", 32'767), ErrOverflow, "Overflow");
    }
    for (const auto& [path, number, description] : failures) {
        open(write("short.csv", 1));
        const QString labelBefore = label();
        const auto boxes = open(path, 1);
        ASSERT_EQ(boxes.size(), 1U) << number;
        EXPECT_EQ(boxes[0].text, errorReportText(r.procName, number, description));
        EXPECT_TRUE(allCellsEmpty(grid())) << number;
        EXPECT_EQ(state.*r.path, r.keepsPathOnFailure ? path : QString());
        EXPECT_EQ(Screen::mousePointer(), r.pointerAfterFailure);
        EXPECT_EQ(label(), labelBefore) << "the label stays";
    }
}

INSTANTIATE_TEST_SUITE_P(OpenButtons, RecordReaders, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordFilesTest, TheDataLogRewritesItsTimesWhileTheHourglassShows) {
    pointerEndsDefault = false;
    const QString path = write(
        "plant.csv", crlfLines({"Date,Time,Temp", "3/4/2024,00:00:30,22", "3/5/2024,12:00,23"}));
    QString statusWhileLoading;
    int pointerWhileLoading = -1;
    {
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            // Posted as the dialog closes, it runs at the reader's one pass of pending events.
            QTimer::singleShot(0, main, [&] {
                statusWhileLoading = statusText();
                pointerWhileLoading = Screen::mousePointer();
            });
            ModalAnswer::chooseFile(path)(w);
        });
        EXPECT_TRUE(getHistFile(state, *main, grids.dataLog()));
    }
    EXPECT_EQ(statusWhileLoading, "Loading File, please wait!");
    EXPECT_EQ(pointerWhileLoading, Screen::vbHourglass);
    EXPECT_EQ(rowTexts(grids.vaGrid, 1), (QStringList{"3/4/2024", "12:00:30 AM", "22"}));
    EXPECT_EQ(rowTexts(grids.vaGrid, 2), (QStringList{"3/5/2024", "12:00:00 PM", "23"}));
}

TEST_F(RecordFilesTest, TheAuditTrailTakesOurTitlesAndHidesTheFurtherFields) {
    openAuditTrail(write("audit.aud", crlfLines({"3/4/2024,13:05:09,Maria,Changed A,from 25"})));
    SpreadGrid& grid = grids.auditGrid;
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
