#include "ViewerTestFiles.h"

#include <QLabel>

using namespace tarvex;
using namespace tarvex::test;

namespace {

class AlarmHistoryTest : public RecordViewerTest {
protected:
    std::vector<ModalAnswer::Seen> openAlarms(const QString& path, int messages = 0,
                                              DialogSeen* seen = nullptr) {
        return open(viewer->almBarBtn[0], path, messages, seen);
    }
    [[nodiscard]] SpreadGrid& grid() const { return *viewer->alarmGrid; }

    // Row r as the grid shows it, the running alarm number included.
    [[nodiscard]] QStringList shownRow(int row) const {
        QStringList texts;
        for (int c = 0; c <= grid().ColumnCount(); ++c) {
            texts << grid().gridData().ShownText(c, row);
        }
        return texts;
    }
};

QByteArray alarmsOf(int count) {
    return QByteArray("Low Flow,3/4/2024,06:30:00\r\n").repeated(count);
}

} // namespace

TEST_F(AlarmHistoryTest, NumbersTheAlarmsAndShowsTheirTimesAsHoursAndMinutes) {
    const QString path =
        write("alarms.2024.csv",
              crlfLines({"High Temp Zone 1,3/4/2024,14:07:00", "Low Level Tank 2,3/4/2024,09:30:59",
                         "Pump P-1, tripped,3/4/2024,23:15:00"}));
    DialogSeen seen;
    openAlarms(path, 0, &seen);
    EXPECT_EQ(seen.title, "Open Alarm History File (.csv)");
    EXPECT_EQ(seen.filters, QStringList{"Alarm Files(*.csv)"});
    EXPECT_EQ(pubVars().alarmFilePath, path);
    EXPECT_EQ(shownRow(0), (QStringList{"Alarm#", "Alarm Description", "Date", "Time", ""}));
    EXPECT_EQ(shownRow(1), (QStringList{"1", "High Temp Zone 1", "3/4/2024", "02:07 PM", ""}));
    EXPECT_EQ(shownRow(2), (QStringList{"2", "Low Level Tank 2", "3/4/2024", "09:30 AM", ""}));
    // A comma in the description pushes the date into the time column, where it is formatted
    // as a time, and the time into column 4, where it stays as it was.
    EXPECT_EQ(shownRow(3), (QStringList{"3", "Pump P-1", " tripped", "12:00 AM", "23:15:00"}));
    const double widths[] = {8, 40, 12, 12};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid().ColumnWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(viewer->almNameLab->text(), "Alarm History File: alarms");
    EXPECT_EQ(frmMain::instance().statusText(), "Loading alarm history file, please wait...");
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
}

TEST_F(AlarmHistoryTest, CancelChangesNothingAndAShorterFileLeavesNothingOfTheLongerOne) {
    openAlarms(QString());
    EXPECT_TRUE(pubVars().alarmFilePath.isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");

    const QString longer = write("long.csv", alarmsOf(5));
    openAlarms(longer);
    openAlarms(QString());
    EXPECT_EQ(pubVars().alarmFilePath, longer);
    EXPECT_EQ(grid().RowCount(), 5);

    openAlarms(write("short.csv", crlfLines({"High Temp Zone 1,3/5/2024,14:07:00"})));
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(shownRow(1), (QStringList{"1", "High Temp Zone 1", "3/5/2024", "02:07 PM"}));
    EXPECT_TRUE(grid().gridData().CellText(1, 2).isEmpty());
    EXPECT_EQ(viewer->almNameLab->text(), "Alarm History File: short");

    openAlarms(write("none.csv", ""));
    EXPECT_EQ(grid().RowCount(), 0);
    EXPECT_EQ(shownRow(0), (QStringList{"Alarm#", "Alarm Description", "Date", "Time"}));
}

TEST_F(AlarmHistoryTest, ShowsAtMost32766AlarmsAndAFailureEmptiesTheGrid) {
    openAlarms(write("most.csv", alarmsOf(32'766)));
    EXPECT_EQ(grid().RowCount(), 32'766);
    EXPECT_EQ(shownRow(32'766), (QStringList{"32766", "Low Flow", "3/4/2024", "06:30 AM"}));

    const QString tooMany = write("too-many.csv", alarmsOf(32'767));
    auto shown = openAlarms(tooMany, 1);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, reportText(6, "Overflow", "getAlmFile"));
    EXPECT_TRUE(allCellsEmpty(grid()));
    EXPECT_EQ(pubVars().alarmFilePath, tooMany);
    EXPECT_EQ(viewer->almNameLab->text(), "Alarm History File: most");

    shown = openAlarms(refusedFile("huge.csv"), 1);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, reportText(0, "", "getAlmFile"));
    EXPECT_TRUE(allCellsEmpty(grid()));
    EXPECT_EQ(grid().RowCount(), 0);
    // The pointer stays an hourglass until the next action that sets it.
    EXPECT_EQ(Screen::mousePointer(), Screen::vbHourglass);
}
