#include "ViewerTestFiles.h"

#include "integrity/SignatureVerification.h"
#include "recordfiles/GridModel.h"
#include "shell/frmMain.h"

#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// A message box as the verifier showed it, with the wait display of that moment.
struct Shown {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString status;
    int pointer = -1;
};

class VerifyTest : public ViewerFilesTest {
protected:
    // A data log with signatures: row 1 of an earlier state, row 2 of the file as it is.
    QString signedDataLog() {
        QString log = write("plant.csv", kDataLog.left(kDataLog.indexOf("3/4/2024,08:02")));
        const QString earlier = fileHash(log);
        write("plant.csv", kDataLog);
        write("plant.sig",
              encipheredLines({"3/4/2024,08:01:30,Shift Lead,Batch start," + earlier,
                               "3/4/2024,08:03:00,Quality,Released," + fileHash(log)}));
        EXPECT_TRUE(openDataLog(log).empty());
        return log;
    }

    QString signedAuditTrail() {
        QString audit = write("audit.aud", kAuditTrail);
        write("audit.sig",
              encipheredLines({"3/4/2024,08:10:00,Shift Lead,Reviewed," + fileHash(audit)}));
        EXPECT_TRUE(openAuditTrail(audit).empty());
        return audit;
    }

    // Selects a row of a signature grid with the mouse (0: clears the selection).
    static void selectRow(SpreadGrid& grid, int row) {
        grid.updateView();
        grid.view()->clearSelection();
        if (row > 0) {
            const QRect cell = grid.view()->visualRect(grid.model()->index(row - 1, 0));
            QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cell.center());
        }
        EXPECT_EQ(grid.ActiveRow(), row);
    }

    // Presses a verify button and answers the one message box it shows.
    static Shown press(QToolButton* button) {
        Shown shown;
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            shown.status = frmMain::instance().statusText();
            shown.pointer = Screen::mousePointer();
            ModalAnswer::click(QMessageBox::Ok)(w);
        });
        button->click();
        EXPECT_EQ(answer.pending(), 0);
        if (answer.seen().size() == 1) {
            shown.text = answer.seen()[0].text;
            shown.icon = answer.seen()[0].icon;
        } else {
            ADD_FAILURE() << answer.seen().size() << " message boxes";
        }
        return shown;
    }

    [[nodiscard]] Shown verifyData() const { return press(viewer->DataBarBtn[5]); }
    [[nodiscard]] Shown verifyAudit() const { return press(viewer->auditBarBtn[3]); }

    static void expectWaitDisplay(const Shown& shown) {
        EXPECT_EQ(shown.status, "Verifying digital signature, please wait!");
        EXPECT_EQ(shown.pointer, Screen::vbHourglass);
    }
    static void expectRestored(const QString& path) {
        EXPECT_EQ(frmMain::instance().statusText(), "Current File is " + path);
        EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    }
};

const QString kDataFailed =
    QStringLiteral("Digital signature of file failed!\r\nData File has been altered or corrupted.");

} // namespace

TEST_F(VerifyTest, TheSelectedRowsHashDecides) {
    const QString log = signedDataLog();
    selectRow(*viewer->digiSigGrid, 2);
    Shown shown = verifyData();
    EXPECT_EQ(shown.text, "Digital signature of file confirmed!");
    EXPECT_EQ(shown.icon, QMessageBox::Information);
    expectWaitDisplay(shown);
    expectRestored(log);

    selectRow(*viewer->digiSigGrid, 1);
    shown = verifyData();
    EXPECT_EQ(shown.text, kDataFailed);
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    expectWaitDisplay(shown);
    expectRestored(log);
}

TEST_F(VerifyTest, OneChangedByteFailsAndTheHashIsComparedExactly) {
    const QString log = signedDataLog();
    SpreadGrid& grid = *viewer->digiSigGrid;
    const QString stored = grid.gridData().CellText(4, 2);
    for (const QString& altered : {stored.toLower(), " " + stored, stored + " "}) {
        grid.SetCellText(4, 2, altered);
        selectRow(grid, 2);
        EXPECT_EQ(verifyData().text, kDataFailed) << altered.toStdString();
    }
    grid.SetCellText(4, 2, stored);
    EXPECT_EQ(verifyData().text, "Digital signature of file confirmed!");

    QByteArray changed = kDataLog;
    changed[changed.indexOf("21.7")] = '3';
    write("plant.csv", changed);
    EXPECT_EQ(verifyData().text, kDataFailed);
    expectRestored(log);
}

TEST_F(VerifyTest, NoSelectedRowIsToldWithTheWaitDisplayShownThenRestored) {
    const QString log = signedDataLog();
    selectRow(*viewer->digiSigGrid, 0);
    const Shown shown = verifyData();
    EXPECT_EQ(shown.text, "No digital signature selected from grid!");
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    expectWaitDisplay(shown);
    expectRestored(log);
}

TEST_F(VerifyTest, WithoutALoadedFileThereIsNothingToVerifyEvenWithRowsShown) {
    const QString noSignature = QStringLiteral(
        "No signature to verify!\r\n\r\nUse the open file icon to load a data file.");
    frmMain::instance().setStatusText("before");
    Shown shown = verifyData();
    EXPECT_EQ(shown.text, noSignature);
    EXPECT_EQ(shown.icon, QMessageBox::Question);
    EXPECT_EQ(shown.status, "before");
    EXPECT_EQ(shown.pointer, Screen::vbDefault);

    SpreadGrid& grid = *viewer->digiSigGrid;
    grid.SetCellText(4, 1, fileHash(write("plant.csv", kDataLog)));
    selectRow(grid, 1);
    shown = verifyData();
    EXPECT_EQ(shown.text, noSignature);
    EXPECT_EQ(frmMain::instance().statusText(), "before");

    // A loaded file without signatures.
    openDataLog(file("plant.csv"));
    EXPECT_EQ(verifyData().text, noSignature);
}

TEST_F(VerifyTest, ARecordFileDeletedAfterLoadingGivesTheErrorWithItsNumber) {
    const QString log = signedDataLog();
    remove(log);
    selectRow(*viewer->digiSigGrid, 2);
    const Shown shown = verifyData();
    EXPECT_EQ(shown.text, "Error Number 53. - Digital verification of file failed!\r\n"
                          "Please contact Factory with this error.");
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    expectWaitDisplay(shown);
    expectRestored(log);
    EXPECT_EQ(viewer->digiSigGrid->RowCount(), 2);
}

TEST_F(VerifyTest, TheAuditTrailHasItsOwnTextsAndStatusAlsoBesideADataLog) {
    signedDataLog();
    const QString audit = signedAuditTrail();
    viewer->DataTab->setCurrentIndex(frmHistory::TabAuditTrail);
    selectRow(*viewer->auditSigGrid, 1);
    Shown shown = verifyAudit();
    EXPECT_EQ(shown.text, "Digital signature of audit trail confirmed!");
    EXPECT_EQ(shown.icon, QMessageBox::Information);
    expectWaitDisplay(shown);
    expectRestored(audit);

    write("audit.aud", kAuditTrail + "3/4/2024,09:00:00,Somebody,Edited\r\n");
    shown = verifyAudit();
    EXPECT_EQ(shown.text, "Digital signature of file failed!\r\n"
                          "Audit trail has been altered or corrupted.");
    expectRestored(audit);

    remove(audit);
    shown = verifyAudit();
    EXPECT_EQ(shown.text, "Error Number 53. - Digital verification of audit trail failed!\r\n"
                          "Please contact Factory with this error.");
    expectRestored(audit);
}
