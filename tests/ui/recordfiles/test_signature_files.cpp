// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFiles.h"

#include <QTableView>

#include <sys/stat.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

const QStringList kSigTitles{"Date", "Time", "User Full Name", "Comment"};
const QStringList kEventTitles{"Date", "Time", "User Full Name", "Event Message"};

QStringList numberedEvents(int count) {
    QStringList records;
    for (int i = 1; i <= count; ++i) {
        records << QStringLiteral("3/4/2024,08:00:00,Operator,Event %1").arg(i);
    }
    return records;
}

class FollowUpFiles : public RecordFilesTest {
protected:
    [[nodiscard]] SpreadGrid& sigGrid() { return grids.digiSigGrid; }
    [[nodiscard]] SpreadGrid& evGrid() { return grids.opEvGrid; }
    void loadSignatures() { loadSigFile(state, *main, grids.dataLog()); }
    void loadEvents() { loadOpEventsFile(state, *main, grids.dataLog()); }
};

} // namespace

TEST_F(FollowUpFiles, WithoutTheirFilesOnlyTheTitlesAreShownAndNothingIsSaid) {
    sigGrid().SetCellText(2, 5, "left from before");
    evGrid().SetCellText(3, 4, "left from before");
    EXPECT_TRUE(openDataLog(write("plant.csv", kDataLog)).empty());
    EXPECT_EQ(sigGrid().RowCount(), 0);
    EXPECT_EQ(evGrid().RowCount(), 0);
    EXPECT_EQ(rowTexts(sigGrid(), 0, 5), (kSigTitles + QStringList{"", ""}));
    EXPECT_EQ(rowTexts(evGrid(), 0, 4), (kEventTitles + QStringList{""}));
    EXPECT_TRUE(sigGrid().gridData().CellText(2, 5).isEmpty());
    EXPECT_TRUE(evGrid().gridData().CellText(3, 4).isEmpty());
    EXPECT_EQ(statusText(), "Loading operator event file, please wait...");
    EXPECT_FALSE(state.dataFilePath.isEmpty());
}

// A comma in a field shifts the rest one column on; the hash column is hidden.
TEST_F(FollowUpFiles, FieldsFillTheirColumnsAndTheStatusNamesTheDataLog) {
    write("plant.sig", encipheredLines({"1/2/2024,10:00:00,Shift Lead,Approved,3F A 0",
                                        "3/4/2024,18:00:00,Quality,Released, with notes,3F"}));
    write("plant.evt", encipheredLines({"3/4/2024,08:30:00,Operator,Setpoint 85, then 90, ok"}));
    const QString log = write("plant.csv", kDataLog);
    QString statusWhileReading;
    int pointerWhileReading = -1;
    // Runs at the signature reader's first pass of pending events, after the file is open.
    QTimer::singleShot(0, main, [&] {
        statusWhileReading = statusText();
        pointerWhileReading = Screen::mousePointer();
    });
    state.dataFilePath = log;
    loadSignatures();
    EXPECT_EQ(statusWhileReading, "Decrypting signature file, please wait...");
    EXPECT_EQ(pointerWhileReading, Screen::vbHourglass);
    loadEvents();
    EXPECT_EQ(rowTexts(sigGrid(), 1, 4),
              (QStringList{"1/2/2024", "10:00:00", "Shift Lead", "Approved", "3F A 0"}));
    EXPECT_EQ(rowTexts(sigGrid(), 2, 5),
              (QStringList{"3/4/2024", "18:00:00", "Quality", "Released", " with notes", "3F"}));
    sigGrid().updateView();
    EXPECT_TRUE(sigGrid().view()->isColumnHidden(3));
    EXPECT_FALSE(sigGrid().view()->isColumnHidden(2));
    EXPECT_EQ(rowTexts(evGrid(), 1, 5),
              (QStringList{"3/4/2024", "08:30:00", "Operator", "Setpoint 85", " then 90", " ok"}));
    evGrid().setCurrentColumn(4);
    EXPECT_FALSE(evGrid().ColumnHidden());
    EXPECT_EQ(statusText(), "Current File is " + log);
}

// Through the open button; the line ends are bare line feeds here.
TEST_F(FollowUpFiles, ADataLogFindsTheSignaturesOfItsBaseNameAndASecondLogEmptiesTheFirsts) {
    write("plant.sig", encipheredLines({"3/4/2024,08:03:00,Shift Lead,Approved,1 2",
                                        "3/4/2024,08:04:00,Quality,Released,3 4",
                                        "3/4/2024,08:05:00,C,three,3,extra"},
                                       "\n"));
    write("plant.rev2.sig", encipheredLines({"3/4/2024,08:03:00,Somebody,Wrong file,1 2"}));
    openDataLog(write("plant.rev2.csv", kDataLog));
    ASSERT_EQ(sigGrid().RowCount(), 3);
    EXPECT_EQ(rowTexts(sigGrid(), 2, 4),
              (QStringList{"3/4/2024", "08:04:00", "Quality", "Released", "3 4"}));
    write("second.sig", encipheredLines({"3/5/2024,09:00:00,D,four,4"}));
    openDataLog(write("second.csv", kDataLog));
    ASSERT_EQ(sigGrid().RowCount(), 1);
    EXPECT_EQ(rowTexts(sigGrid(), 1, 4), (QStringList{"3/5/2024", "09:00:00", "D", "four", "4"}));
    EXPECT_EQ(rowTexts(sigGrid(), 3, 5), QStringList(6, QString()));
}

// An empty line, a damaged record and a value above FF each unload the data log.
TEST_F(FollowUpFiles, ADamagedSignatureOrEventFileIsReportedAndUnloadsTheDataLog) {
    const QByteArray good = encipheredLines({"3/4/2024,08:03:00,A,one,1"});
    QByteArray damaged = encipheredLines({"3/4/2024,08:04:00,B,two,2"});
    damaged.replace(0, 1, damaged.at(0) == '1' ? "2" : "1");
    const std::tuple<const char*, QByteArray, int, const char*> cases[] = {
        {"plant.sig", good + "\r\n" + good, 9, "Subscript out of range"},
        {"plant.sig", good + damaged, 5, "Invalid procedure call or argument"},
        {"plant.sig", good + "1FF 2\r\n", 6, "Overflow"},
        {"plant.evt", good + "\r\n" + good, 9, "Subscript out of range"}};
    for (const auto& [name, content, number, description] : cases) {
        write(name, content);
        const auto boxes = openDataLog(write("plant.csv", kDataLog), 1);
        ASSERT_EQ(boxes.size(), 1U) << number;
        const bool sig = QByteArray(name).endsWith("sig");
        EXPECT_EQ(boxes[0].text,
                  errorReportText(sig ? "loadSigFile" : "loadOpEventsFile", number, description));
        EXPECT_TRUE(state.dataFilePath.isEmpty());
        EXPECT_TRUE(allCellsEmpty(grids.vaGrid) && allCellsEmpty(sigGrid()));
        EXPECT_EQ(allCellsEmpty(evGrid()), !sig); // the event reader runs after the signatures
        // The button still calls the event reader, which then finds no data log to follow.
        EXPECT_EQ(statusText(), sig ? "Loading operator event file, please wait..." : "");
        remove(file(name));
    }
}

TEST_F(FollowUpFiles, TheAuditTrailReadsItsOwnSignaturesAndADamagedOneEmptiesOnlyThose) {
    const QString log = write("plant.csv", kDataLog);
    openDataLog(log);
    write("plant.sig", encipheredLines({"3/4/2024,08:10:00,Shift Lead,Audit reviewed,5 6"}));
    EXPECT_TRUE(openAuditTrail(write("plant.aud", kAuditTrail)).empty());
    EXPECT_EQ(rowTexts(grids.auditSigGrid, 1, 4),
              (QStringList{"3/4/2024", "08:10:00", "Shift Lead", "Audit reviewed", "5 6"}));
    EXPECT_EQ(rowTexts(grids.auditSigGrid, 0, 3), kSigTitles);
    EXPECT_EQ(sigGrid().RowCount(), 0);
    write("audit.sig", encipheredLines({"3/4/2024,08:10:00,Shift Lead,Reviewed,5 6"}) + "\r\n");
    const QString audit = write("audit.aud", kAuditTrail);
    const auto boxes = openAuditTrail(audit, 1);
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, errorReportText("loadAuditSigFile", 9, "Subscript out of range"));
    EXPECT_TRUE(allCellsEmpty(grids.auditSigGrid));
    EXPECT_EQ(state.auditFilePath, audit);
    EXPECT_EQ(grids.auditGrid.RowCount(), 2);
    EXPECT_EQ(state.dataFilePath, log);
    EXPECT_EQ(grids.vaGrid.RowCount(), 3);
}

// Window events run while a long file is read, and a load started meanwhile takes over.
TEST_F(FollowUpFiles, TheEventReaderStaysResponsiveAndGivesWayToALoadStartedMeanwhile) {
    state.dataFilePath = write("long.csv", kDataLog);
    write("long.evt", encipheredLines(numberedEvents(30'000)));
    const QString other = write("short.csv", kDataLog);
    write("short.evt", encipheredLines({"3/5/2024,10:00:00,Quality,Other log"}));
    // The first call runs where the file has just been opened, the second one within the loop.
    int rowsWhenInterrupted = -1;
    QTimer::singleShot(0, main, [&] {
        QTimer::singleShot(0, main, [&] {
            rowsWhenInterrupted = evGrid().RowCount();
            state.dataFilePath = other;
            loadEvents();
        });
    });
    loadEvents();
    EXPECT_GT(rowsWhenInterrupted, 0);
    EXPECT_LT(rowsWhenInterrupted, 30'000);
    EXPECT_EQ(rowTexts(evGrid(), 1, 3),
              (QStringList{"3/5/2024", "10:00:00", "Quality", "Other log"}));
    EXPECT_EQ(evGrid().RowCount(), 1);
    EXPECT_EQ(statusText(), "Current File is " + other);
}

TEST_F(FollowUpFiles, PassedOverWhenNotRegularStoppedAtAnOverlongLineNoRowWhenEmpty) {
    const QString log = write(QStringLiteral("plant.csv"), kDataLog);
    const QString evt = file(QStringLiteral("plant.evt"));
    struct Case {
        const char* what;
        std::function<void()> make;
        int error; // reported under loadOpEventsFile; 0: none
        int rows;
    };
    const std::vector<Case> cases{
        {"fifo", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(evt), 0600), 0); }, 0, 0},
        {"folder", [&] { ASSERT_TRUE(QDir().mkdir(evt)); }, 0, 0},
        {"a line of 2 MiB", [&] { writeFile(evt, QByteArray(2 << 20, 'A')); }, ErrOutOfMemory, 0},
        {"an empty record inside",
         [&] {
             writeFile(evt, encipheredLines({"a,b,c,d", "", "e,f,g,h"}));
         },
         0, 3},
        {"an empty record last",
         [&] {
             writeFile(evt, encipheredLines({"a,b,c,d", ""}));
         },
         0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir().rmdir(evt);
        QFile::remove(evt);
        c.make();
        const auto boxes = openDataLog(log, c.error != 0 ? 1 : 0);
        ASSERT_EQ(boxes.size(), c.error != 0 ? 1U : 0U);
        if (c.error != 0) {
            EXPECT_EQ(boxes[0].text, errorReportText("loadOpEventsFile", 7, "Out of memory"));
            EXPECT_TRUE(state.dataFilePath.isEmpty()); // the data view was emptied
            continue;
        }
        EXPECT_EQ(state.dataFilePath, log);
        EXPECT_EQ(grids.opEvGrid.RowCount(), c.rows);
        EXPECT_EQ(rowTexts(grids.opEvGrid, 2, 3), QStringList(4, QString()));
    }
}
