#include "ViewerFiles.h"

#include "recordfiles/OperatorEventFile.h"

#include <optional>

using namespace tarvex;
using namespace tarvex::test;

namespace {

const QStringList kTitles{"Date", "Time", "User Full Name", "Event Message"};

class OperatorEventFileTest : public ViewerFilesTest {
protected:
    [[nodiscard]] SpreadGrid& evGrid() const { return *viewer->opEvGrid; }
};

QStringList numberedEvents(int count) {
    QStringList records;
    for (int i = 0; i < count; ++i) {
        records << QStringLiteral("3/4/2024,08:00:00,Operator,Event %1").arg(i + 1);
    }
    return records;
}

} // namespace

TEST_F(OperatorEventFileTest, EventsFillTheirColumnsOrOnlyTheTitlesWithoutAFile) {
    evGrid().SetCellText(3, 4, "left from before");
    const QString log = write("plant.csv", kDataLog);
    EXPECT_TRUE(openDataLog(log).empty());
    EXPECT_EQ(evGrid().RowCount(), 0);
    EXPECT_EQ(rowTexts(evGrid(), 0, 3), kTitles);
    EXPECT_TRUE(evGrid().gridData().CellText(3, 4).isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "Loading operator event file, please wait...");

    write("plant.evt", encipheredLines({"3/4/2024,08:00:00,Shift Lead,Batch B1 started",
                                        "3/4/2024,08:30:00,Operator,Setpoint 85, then 90, ok"}));
    EXPECT_TRUE(openDataLog(log).empty());
    ASSERT_EQ(evGrid().RowCount(), 2);
    EXPECT_EQ(rowTexts(evGrid(), 0, 3), kTitles);
    EXPECT_EQ(rowTexts(evGrid(), 1, 3),
              (QStringList{"3/4/2024", "08:00:00", "Shift Lead", "Batch B1 started"}));
    // Two commas in the text carry it on into columns 4 and 5, which stay visible.
    EXPECT_EQ(rowTexts(evGrid(), 2, 5),
              (QStringList{"3/4/2024", "08:30:00", "Operator", "Setpoint 85", " then 90", " ok"}));
    evGrid().setCurrentColumn(4);
    EXPECT_FALSE(evGrid().ColumnHidden());
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + log);
}

TEST_F(OperatorEventFileTest, AnEmptyLineInsideTheFileEmptiesTheWholeDataView) {
    write("plant.sig", encipheredLines({"3/4/2024,08:03:00,A,one,1"}));
    const QByteArray events = encipheredLines({"3/4/2024,08:00:00,Shift Lead,Started"});
    write("plant.evt", events + "\r\n" + events);
    const auto boxes = openDataLog(write("plant.csv", kDataLog), 1);
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, errorReportText("loadOpEventsFile", 9, "Subscript out of range"));
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_TRUE(allCellsEmpty(*viewer->vaGrid));
    EXPECT_TRUE(allCellsEmpty(*viewer->digiSigGrid));
    EXPECT_TRUE(allCellsEmpty(evGrid()));
    EXPECT_TRUE(frmMain::instance().statusText().isEmpty());
}

TEST_F(OperatorEventFileTest, MoreThan32767LinesOverflowTheLineCounter) {
    const QByteArray full = encipheredLines(numberedEvents(32'767));
    pubVars().dataFilePath = write("plant.csv", kDataLog);
    write("plant.evt", full);
    loadOpEventsFile();
    ASSERT_EQ(evGrid().RowCount(), 32'767);
    EXPECT_EQ(evGrid().gridData().CellText(3, 32'767), "Event 32767");

    write("plant.evt", full + encipheredLines({"3/4/2024,09:00:00,Operator,One too many"}));
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    loadOpEventsFile();
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].text, errorReportText("loadOpEventsFile", 6, "Overflow"));
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
}

// Window events run while a long file is read, and a load started meanwhile takes over.
TEST_F(OperatorEventFileTest, StaysResponsiveAndGivesWayToALoadStartedMeanwhile) {
    pubVars().dataFilePath = write("long.csv", kDataLog);
    write("long.evt", encipheredLines(numberedEvents(30'000)));
    const QString other = write("short.csv", kDataLog);
    write("short.evt", encipheredLines({"3/5/2024,10:00:00,Quality,Other log"}));
    // The first call runs where the file has just been opened, the second one within the loop.
    int rowsWhenInterrupted = -1;
    std::optional<AtNextEvents> second;
    const AtNextEvents first([&] {
        second.emplace([&] {
            rowsWhenInterrupted = evGrid().RowCount();
            pubVars().dataFilePath = other;
            loadOpEventsFile();
        });
    });
    loadOpEventsFile();
    EXPECT_GT(rowsWhenInterrupted, 0);
    EXPECT_LT(rowsWhenInterrupted, 30'000);
    ASSERT_EQ(evGrid().RowCount(), 1);
    EXPECT_EQ(rowTexts(evGrid(), 1, 3),
              (QStringList{"3/5/2024", "10:00:00", "Quality", "Other log"}));
    EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + other);
}
