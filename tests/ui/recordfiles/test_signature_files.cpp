#include "ViewerFiles.h"

#include "recordfiles/SignatureFiles.h"

#include <QTableView>

using namespace tarvex;
using namespace tarvex::test;

namespace {

const QStringList kTitles{"Date", "Time", "User Full Name", "Comment"};

class SignatureFileTest : public ViewerFilesTest {
protected:
    [[nodiscard]] SpreadGrid& sigGrid() const { return *viewer->digiSigGrid; }
};

} // namespace

TEST_F(SignatureFileTest, WithoutASignatureFileOnlyTheTitlesAreShownAndNothingIsSaid) {
    sigGrid().SetCellText(2, 5, "left from before");
    pubVars().dataFilePath = write("plant.csv", kDataLog);
    ModalAnswer answer;
    loadSigFile();
    EXPECT_TRUE(answer.seen().empty());
    EXPECT_EQ(sigGrid().RowCount(), 0);
    EXPECT_EQ(rowTexts(sigGrid(), 0, 3), kTitles);
    EXPECT_TRUE(sigGrid().gridData().CellText(2, 5).isEmpty());
    EXPECT_EQ(frmMain::instance().statusText(), "Loading signature file, please wait...");
    EXPECT_FALSE(pubVars().dataFilePath.isEmpty());
}

TEST_F(SignatureFileTest, FieldsFillTheColumnsWithTheHashInTheHiddenColumn) {
    write("plant.sig", encipheredLines({"1/2/2024,10:00:00,Shift Lead,Approved,3F A 0",
                                        "3/4/2024,18:00:00,Quality,Released, with notes,3F"}));
    // Runs at the reader's first pass of pending events, after the file is open.
    QString statusWhileReading;
    int pointerWhileReading = -1;
    const AtNextEvents probe([&] {
        statusWhileReading = frmMain::instance().statusText();
        pointerWhileReading = Screen::mousePointer();
    });
    pubVars().dataFilePath = write("plant.csv", kDataLog);
    loadSigFile();
    EXPECT_EQ(statusWhileReading, "Decrypting signature file, please wait...");
    EXPECT_EQ(pointerWhileReading, Screen::vbHourglass);
    ASSERT_EQ(sigGrid().RowCount(), 2);
    EXPECT_EQ(rowTexts(sigGrid(), 0, 3), kTitles);
    EXPECT_EQ(rowTexts(sigGrid(), 1, 4),
              (QStringList{"1/2/2024", "10:00:00", "Shift Lead", "Approved", "3F A 0"}));
    // A comma in the comment shifts the hash one column on.
    EXPECT_EQ(rowTexts(sigGrid(), 2, 5),
              (QStringList{"3/4/2024", "18:00:00", "Quality", "Released", " with notes", "3F"}));
    // The hash is there to compare, not to be seen.
    sigGrid().updateView();
    EXPECT_TRUE(sigGrid().view()->isColumnHidden(3));
    EXPECT_FALSE(sigGrid().view()->isColumnHidden(2));
}

// Through the open button; the line ends are bare line feeds here.
TEST_F(SignatureFileTest, ADataLogNamedWithSeveralDotsFindsTheSignatureFileOfItsBaseName) {
    write("plant.sig", encipheredLines({"3/4/2024,08:03:00,Shift Lead,Approved,1 2",
                                        "3/4/2024,08:04:00,Quality,Released,3 4"},
                                       "\n"));
    write("plant.rev2.sig", encipheredLines({"3/4/2024,08:03:00,Somebody,Wrong file,1 2"}));
    EXPECT_TRUE(openDataLog(write("plant.rev2.csv", kDataLog)).empty());
    ASSERT_EQ(sigGrid().RowCount(), 2);
    EXPECT_EQ(rowTexts(sigGrid(), 2, 4),
              (QStringList{"3/4/2024", "08:04:00", "Quality", "Released", "3 4"}));
}

TEST_F(SignatureFileTest, ASecondDataLogEmptiesTheSignaturesOfTheFirst) {
    write("first.sig", encipheredLines({"3/4/2024,08:03:00,A,one,1", "3/4/2024,08:04:00,B,two,2",
                                        "3/4/2024,08:05:00,C,three,3,extra"}));
    write("second.sig", encipheredLines({"3/5/2024,09:00:00,D,four,4"}));
    openDataLog(write("first.csv", kDataLog));
    ASSERT_EQ(sigGrid().RowCount(), 3);
    openDataLog(write("second.csv", kDataLog));
    ASSERT_EQ(sigGrid().RowCount(), 1);
    EXPECT_EQ(rowTexts(sigGrid(), 1, 4), (QStringList{"3/5/2024", "09:00:00", "D", "four", "4"}));
    EXPECT_EQ(rowTexts(sigGrid(), 3, 5), QStringList(6, QString()));
    openDataLog(write("third.csv", kDataLog)); // no signature file
    EXPECT_EQ(sigGrid().RowCount(), 0);
    EXPECT_EQ(rowTexts(sigGrid(), 1, 4), QStringList(5, QString()));
    EXPECT_EQ(rowTexts(sigGrid(), 0, 3), kTitles);
}

// An empty line, a damaged record and a value above FF each unload the data log.
TEST_F(SignatureFileTest, ADamagedSignatureFileIsReportedAndUnloadsTheDataLog) {
    const QByteArray good = encipheredLines({"3/4/2024,08:03:00,A,one,1"});
    QByteArray damaged = encipheredLines({"3/4/2024,08:04:00,B,two,2"});
    damaged.replace(0, 1, damaged.at(0) == '1' ? "2" : "1");
    const std::tuple<QByteArray, int, const char*> cases[] = {
        {good + "\r\n" + good, 9, "Subscript out of range"},
        {good + damaged, 5, "Invalid procedure call or argument"},
        {good + "1FF 2\r\n", 6, "Overflow"}};
    for (const auto& [content, number, description] : cases) {
        write("plant.sig", content);
        const auto boxes = openDataLog(write("plant.csv", kDataLog), 1);
        ASSERT_EQ(boxes.size(), 1U) << number;
        EXPECT_EQ(boxes[0].text, errorReportText("loadSigFile", number, description));
        EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
        EXPECT_TRUE(allCellsEmpty(*viewer->vaGrid));
        EXPECT_TRUE(allCellsEmpty(sigGrid()));
        // The button still calls the event reader, which then finds no data log to follow.
        EXPECT_EQ(frmMain::instance().statusText(), "Loading operator event file, please wait...");
    }
}

TEST_F(SignatureFileTest, TheAuditTrailReadsItsOwnSignaturesAndADamagedOneEmptiesOnlyThose) {
    const QString log = write("plant.csv", kDataLog);
    openDataLog(log);
    write("plant.sig", encipheredLines({"3/4/2024,08:10:00,Shift Lead,Audit reviewed,5 6"}));
    EXPECT_TRUE(openAuditTrail(write("plant.aud", kAuditTrail)).empty());
    ASSERT_EQ(viewer->auditSigGrid->RowCount(), 1);
    EXPECT_EQ(rowTexts(*viewer->auditSigGrid, 1, 4),
              (QStringList{"3/4/2024", "08:10:00", "Shift Lead", "Audit reviewed", "5 6"}));
    EXPECT_EQ(rowTexts(*viewer->auditSigGrid, 0, 3), kTitles);

    write("audit.sig", encipheredLines({"3/4/2024,08:10:00,Shift Lead,Reviewed,5 6"}) + "\r\n");
    const QString audit = write("audit.aud", kAuditTrail);
    const auto boxes = openAuditTrail(audit, 1);
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, errorReportText("loadAuditSigFile", 9, "Subscript out of range"));
    EXPECT_TRUE(allCellsEmpty(*viewer->auditSigGrid));
    EXPECT_EQ(pubVars().auditFilePath, audit);
    EXPECT_EQ(viewer->auditGrid->RowCount(), 2);
    EXPECT_EQ(pubVars().dataFilePath, log);
    EXPECT_EQ(viewer->vaGrid->RowCount(), 3);
}
