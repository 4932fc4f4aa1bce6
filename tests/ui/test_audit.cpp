#include "ViewerTestFiles.h"

#include <QLabel>

using namespace tarvex;
using namespace tarvex::test;

namespace {

class AuditTrailTest : public RecordViewerTest {
protected:
    std::vector<ModalAnswer::Seen> openAudit(const QString& path, int messages = 0,
                                             DialogSeen* seen = nullptr) {
        return open(viewer->auditBarBtn[0], path, messages, seen);
    }
    [[nodiscard]] SpreadGrid& grid() const { return *viewer->auditGrid; }
    [[nodiscard]] bool columnHidden(int column) const {
        grid().setCurrentColumn(column);
        return grid().ColumnHidden();
    }
};

const QStringList kTitles{"Date", "Time", "User Full Name", "User Action"};

} // namespace

TEST_F(AuditTrailTest, LoadsWithOurTitlesAndWidthsAndTheFurtherFieldsInAHiddenColumn) {
    const QString path = write(
        "audit.aud", crlfLines({"3/4/2024,08:00:00,Maria Keller,Logged in",
                                "3/4/2024,13:05:09,Maria Keller,Changed setpoint,from 25 to 78",
                                "3/4/2024,14:00:00,Daniel Okafor,Logged out,station OS-1"}));
    DialogSeen seen;
    openAudit(path, 0, &seen);
    EXPECT_EQ(seen.title, "Open Audit Trail File");
    EXPECT_EQ(seen.filters, (QStringList{"Audit Files(*.aud)", "Audit Files(*.csv)"}));
    EXPECT_EQ(pubVars().auditFilePath, path);
    EXPECT_EQ(rowTexts(grid(), 0), kTitles + QStringList{""});
    // The times stay as the file has them; a comma in an action continues in column 4.
    EXPECT_EQ(rowTexts(grid(), 2), (QStringList{"3/4/2024", "13:05:09", "Maria Keller",
                                                "Changed setpoint", "from 25 to 78"}));
    EXPECT_EQ(grid().RowCount(), 3);
    const double widths[] = {12, 12, 25, 100};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid().ColumnWidth(c), widths[c]) << c;
        EXPECT_FALSE(columnHidden(c)) << c;
    }
    EXPECT_TRUE(columnHidden(4));
    EXPECT_EQ(viewer->auditNameLab->text(), "Audit Trail File: audit");
    EXPECT_EQ(frmMain::instance().statusText(), "Loading audit trail file, please wait...");
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    EXPECT_EQ(followUps, QStringList{"loadAuditSigFile"});
}

TEST_F(AuditTrailTest, TheCsvFilterOpensACsvAuditTrailTheSameWay) {
    const QString path =
        write("audit.2024.csv", crlfLines({"3/4/2024,08:00:00,Maria Keller,Logged in"}));
    ModalAnswer answer;
    answer.then([&](QWidget* w) {
        qobject_cast<QFileDialog*>(w)->selectNameFilter("Audit Files(*.csv)");
        DialogDriver::chooseFile(path)(w);
    });
    viewer->auditBarBtn[0]->click();
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(rowTexts(grid(), 1),
              (QStringList{"3/4/2024", "08:00:00", "Maria Keller", "Logged in"}));
    EXPECT_EQ(viewer->auditNameLab->text(), "Audit Trail File: audit");
}

TEST_F(AuditTrailTest, CancelChangesNothingAndAShorterFileLeavesNothingOfTheLongerOne) {
    openAudit(QString());
    EXPECT_TRUE(pubVars().auditFilePath.isEmpty());
    EXPECT_TRUE(followUps.isEmpty());

    const QString longer =
        write("long.aud", crlfLines({"3/4/2024,08:00:00,A,one", "3/4/2024,09:00:00,B,two,2",
                                     "3/4/2024,10:00:00,C,three"}));
    openAudit(longer);
    openAudit(QString());
    EXPECT_EQ(pubVars().auditFilePath, longer);
    EXPECT_EQ(grid().RowCount(), 3);
    EXPECT_EQ(followUps, (QStringList{"loadAuditSigFile", "loadAuditSigFile"}));

    openAudit(write("short.aud", crlfLines({"3/5/2024,11:00:00,D,four"})));
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(grid().ColumnCount(), 3);
    EXPECT_EQ(rowTexts(grid(), 0), kTitles);
    EXPECT_EQ(rowTexts(grid(), 1), (QStringList{"3/5/2024", "11:00:00", "D", "four"}));
    EXPECT_TRUE(grid().gridData().CellText(4, 2).isEmpty());
    EXPECT_TRUE(grid().gridData().CellText(0, 3).isEmpty());
}

TEST_F(AuditTrailTest, ARefusedLoadIsReportedAndEmptiesOnlyTheGrid) {
    openAudit(write("audit.aud", crlfLines({"3/4/2024,08:00:00,Maria Keller,Logged in"})));
    followUps.clear();
    const QString refused = refusedFile("huge.aud");
    const auto shown = openAudit(refused, 1);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, reportText(0, "", "getAuditFile"));
    EXPECT_TRUE(allCellsEmpty(grid()));
    // The path, the label, the status text and the pointer stay as the failure left them; the
    // signature reader runs next for the path.
    EXPECT_EQ(pubVars().auditFilePath, refused);
    EXPECT_EQ(viewer->auditNameLab->text(), "Audit Trail File: audit");
    EXPECT_EQ(frmMain::instance().statusText(), "Loading audit trail file, please wait...");
    EXPECT_EQ(Screen::mousePointer(), Screen::vbHourglass);
    EXPECT_EQ(followUps, QStringList{"loadAuditSigFile"});
}
