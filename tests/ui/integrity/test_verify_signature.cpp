// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFiles.h"

#include "ui/integrity/SignatureVerification.h"
#include "ui/recordfiles/GridModel.h"

#include <QTableView>
#include <QTest>

using namespace tarvex;
using namespace tarvex::test;

namespace {

const QString kConfirmed = QStringLiteral("Digital signature of file confirmed!");
const QString kDataFailed =
    QStringLiteral("Digital signature of file failed!\r\nData File has been altered or corrupted.");
const QString kNoSignature =
    QStringLiteral("No signature to verify!\r\n\r\nUse the open file icon to load a data file.");

// A message box as the verifier showed it, with the wait display of that moment.
struct Shown {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString status;
    int pointer = -1;
};

class VerifyTest : public RecordFilesTest {
protected:
    VerifyTest() {
        // The user picks a signature with the mouse.
        grids.digiSigGrid.show();
        grids.auditSigGrid.show();
    }

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

    // Selects a row of a signature grid with the mouse (0: clears the selection).
    static void selectRow(SpreadGrid& grid, int row) {
        grid.updateView();
        grid.view()->clearSelection();
        const QRect cell = grid.view()->visualRect(grid.model()->index(row - 1, 0));
        if (row > 0) {
            QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cell.center());
        }
    }

    // Runs a verifier and answers the one message box it shows.
    Shown press(const std::function<void()>& verifier) {
        Shown shown;
        ModalAnswer answer;
        answer.then([&](QWidget* w) {
            shown.status = statusText();
            shown.pointer = Screen::mousePointer();
            ModalAnswer::click(QMessageBox::Ok)(w);
        });
        verifier();
        EXPECT_EQ(answer.seen().size(), 1U);
        shown.text = answer.seen().empty() ? QString() : answer.seen()[0].text;
        shown.icon = answer.seen().empty() ? QMessageBox::NoIcon : answer.seen()[0].icon;
        return shown;
    }
    Shown verifyData() {
        return press([this] { verifyDataSignature(state, *main, grids.digiSigGrid); });
    }
    Shown verifyAudit() {
        return press([this] { verifyAuditSignature(state, *main, grids.auditSigGrid); });
    }

    // The tooltip over a signature row, the same on its cells and on its header.
    static QString rowTip(const SpreadGrid& grid, int row) {
        const QString tip =
            grid.model()->data(grid.model()->index(row - 1, 2), Qt::ToolTipRole).toString();
        EXPECT_EQ(grid.model()->headerData(row - 1, Qt::Vertical, Qt::ToolTipRole).toString(), tip);
        return tip;
    }

    // The wait display was shown with the message and is taken down after it.
    void expectWaitThenRestored(const Shown& shown, const QString& path) const {
        EXPECT_EQ(std::tuple(shown.status, shown.pointer),
                  std::tuple(QString("Verifying digital signature, please wait!"), 11));
        EXPECT_EQ(std::tuple(statusText(), Screen::mousePointer()),
                  std::tuple("Current File is " + path, 0));
    }
};

} // namespace

TEST_F(VerifyTest, TheSelectedRowsHashDecidesExactly) {
    const QString log = signedDataLog();
    SpreadGrid& grid = grids.digiSigGrid;
    const std::tuple<int, QString, QMessageBox::Icon> cases[] = {
        {2, kConfirmed, QMessageBox::Information},
        {1, kDataFailed, QMessageBox::Critical},
        {0, "No digital signature selected from grid!", QMessageBox::Critical}};
    for (const auto& [row, text, icon] : cases) {
        selectRow(grid, row);
        const Shown shown = verifyData();
        EXPECT_EQ(shown.text, text) << row;
        EXPECT_EQ(shown.icon, icon) << row;
        expectWaitThenRestored(shown, log);
    }
    // Row 1 was signed before the third record was written.
    EXPECT_EQ(rowTip(grid, 1), "Covers the first 2 records; 1 record appended after signing");
    const QString stored = grid.gridData().CellText(4, 2);
    for (const QString& altered : {stored.toLower(), " " + stored, stored + " "}) {
        grid.SetCellText(4, 2, altered);
        selectRow(grid, 2);
        EXPECT_EQ(verifyData().text, kDataFailed) << altered.toStdString();
        EXPECT_EQ(rowTip(grid, 2), "The stored hash is malformed") << altered.toStdString();
    }
    grid.SetCellText(4, 2, stored);
    EXPECT_EQ(verifyData().text, kConfirmed);
    EXPECT_EQ(rowTip(grid, 2), "");
    QByteArray changed = kDataLog;
    changed[changed.indexOf("21.7")] = '3';
    write("plant.csv", changed);
    EXPECT_EQ(verifyData().text, kDataFailed);
    EXPECT_EQ(rowTip(grid, 2), "The signed part was altered");
    openDataLog(log); // the reloaded grid holds no verdicts yet
    EXPECT_EQ(std::tuple(rowTip(grid, 1), rowTip(grid, 2)), std::tuple(QString(), QString()));
    selectRow(grid, 2);
    remove(log);
    const Shown shown = verifyData();
    EXPECT_EQ(shown.text, "Error Number 53. - Digital verification of file failed!\r\n"
                          "Please contact Factory with this error.");
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    expectWaitThenRestored(shown, log);
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(VerifyTest, WithoutALoadedFileThereIsNothingToVerifyEvenWithRowsShown) {
    main->setStatusText("before");
    const Shown shown = verifyData();
    EXPECT_EQ(std::tuple(shown.text, shown.icon, shown.status, shown.pointer),
              std::tuple(kNoSignature, QMessageBox::Question, QString("before"), 0));
    SpreadGrid& grid = grids.digiSigGrid;
    grid.SetCellText(4, 1, fileHash(write("plant.csv", kDataLog)));
    selectRow(grid, 1);
    EXPECT_EQ(verifyData().text, kNoSignature);
    EXPECT_EQ(statusText(), "before");
    openDataLog(file("plant.csv")); // a loaded file without signatures
    EXPECT_EQ(verifyData().text, kNoSignature);
}

TEST_F(VerifyTest, TheAuditTrailHasItsOwnTextsAndStatusAlsoBesideADataLog) {
    signedDataLog();
    const QString audit = write("audit.aud", kAuditTrail);
    write("audit.sig",
          encipheredLines({"3/4/2024,08:10:00,Shift Lead,Reviewed," + fileHash(audit)}));
    EXPECT_TRUE(openAuditTrail(audit).empty());
    selectRow(grids.auditSigGrid, 1);
    Shown shown = verifyAudit();
    EXPECT_EQ(shown.text, "Digital signature of audit trail confirmed!");
    EXPECT_EQ(shown.icon, QMessageBox::Information);
    expectWaitThenRestored(shown, audit);
    write("audit.aud", kAuditTrail + "3/4/2024,09:00:00,Somebody,Edited\r\n");
    shown = verifyAudit();
    EXPECT_EQ(shown.text, "Digital signature of file failed!\r\n"
                          "Audit trail has been altered or corrupted.");
    // Every line of an audit trail is a record: no title line to leave out.
    EXPECT_EQ(rowTip(grids.auditSigGrid, 1),
              "Covers the first 2 records; 1 record appended after signing");
    expectWaitThenRestored(shown, audit);
    remove(audit);
    shown = verifyAudit();
    EXPECT_EQ(shown.text, "Error Number 53. - Digital verification of audit trail failed!\r\n"
                          "Please contact Factory with this error.");
    expectWaitThenRestored(shown, audit);
}
