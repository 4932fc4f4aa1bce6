// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswer.h"
#include "PrintSupport.h"
#include "ViewerFixture.h"

#include "core/common/ValueConvert.h"
#include "ui/printing/GridPrintouts.h"
#include "ui/printing/InstalledPrinters.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/SharedState.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include <array>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// The print dialog: picks `printer` (an entry of its printer list), a file name when that entry
// prints to a file, and the number of copies; then prints.
ModalAnswer::Action printOn(const QString& printer, const QString& file = {}, int copies = 1) {
    return [=](QWidget* w) {
        auto* printers = w->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->findText(printer));
        if (!file.isEmpty()) {
            w->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
        }
        w->findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(copies);
        auto* dlg = qobject_cast<QPrintDialog*>(w);
        dlg->accept();
        if (dlg->isVisible()) {
            dlg->reject(); // it refused what was chosen: never leave the test hanging
        }
    };
}

ModalAnswer::Action printToFile(const QString& file) {
    return printOn(QStringLiteral("Print to File (PDF)"), file);
}

// What the print dialog lets the user choose pages with: its shown choices and boxes.
QStringList pageChoices(QWidget& dialog) {
    QStringList shown;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().contains(QStringLiteral("Options")) && button->isVisible()) {
            button->click(); // the dialog's options, page choices among them, open folded
        }
    }
    for (const QRadioButton* choice : dialog.findChildren<QRadioButton*>()) {
        if (choice->isVisible() && choice->text().contains(QStringLiteral("Page"))) {
            shown << choice->text();
        }
    }
    for (const QWidget* box : dialog.findChildren<QAbstractSpinBox*>()) {
        if (box->isVisible() && box->objectName() != QStringLiteral("copies")) {
            shown << box->objectName();
        }
    }
    return shown;
}

void selectBlock(SpreadGrid& grid, int firstRow, int firstColumn, int lastRow, int lastColumn) {
    const QAbstractItemModel* model = grid.view()->model();
    grid.view()->selectionModel()->select(
        QItemSelection(model->index(firstRow - 1, firstColumn - 1),
                       model->index(lastRow - 1, lastColumn - 1)),
        QItemSelectionModel::ClearAndSelect);
}

// A data log (10 rows of 4 columns) and operator events loaded into bare grids, as the readers
// leave them; the other files are not loaded.
class Printouts : public ProcedureTest {
protected:
    void SetUp() override {
        dataLog = writeGridFile(dir.path(), 10, 4);
        ASSERT_TRUE(loadGrid(vaGrid, dataLog));
        ASSERT_TRUE(loadGrid(opEvGrid, writeGridFile(dir.path(), 3, 2, "plant.evt.csv")));
        state.dataFilePath = dataLog;
    }
    // Runs a printout through the print dialog; returns what it showed.
    static std::vector<ModalAnswer::Seen> print(const std::function<void()>& printout,
                                                const ModalAnswer::Action& action) {
        ModalAnswer answer;
        answer.then(action);
        printout();
        return answer.seen();
    }

    SpreadGrid vaGrid;
    SpreadGrid opEvGrid;
    SpreadGrid auditGrid;
    SpreadGrid alarmGrid;
    const std::function<void()> printData = [this] { printDataGrid(state, vaGrid); };
    QString dataLog;
};

} // namespace

// The guard speaks first; only with a file loaded does a missing printer come up, and then
// before any dialog.
TEST_F(Printouts, GuardThenNoPrinterMessageBeforeAnyDialog) {
    setInstalledPrintersSource([] { return QStringList(); });
    const QString dataGuard = QStringLiteral(
        "Data file has not been opened!\r\nUse the open file icon to load a data file.");
    const std::tuple<std::function<void()>, QString SharedState::*, QString> cases[] = {
        {printData, &SharedState::dataFilePath, dataGuard},
        {[this] { printOpEventGrid(state, opEvGrid); }, &SharedState::dataFilePath, dataGuard},
        {[this] { printAuditGrid(state, auditGrid); }, &SharedState::auditFilePath,
         "Audit file has not been opened!\r\nUse the open file icon to load an audit file."},
        {[this] { printAlarmGrid(state, alarmGrid); }, &SharedState::alarmFilePath,
         "Alarm History file has not been opened!\r\nUse the open file icon to load an alarm "
         "file."}};
    for (const auto& [printout, path, guard] : cases) {
        ModalAnswer answer;
        answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::Ok);
        state.*path = QString();
        printout();
        state.*path = dir.filePath(QStringLiteral("record.csv"));
        printout();
        ASSERT_EQ(answer.seen().size(), 2U) << "two messages and no dialog";
        EXPECT_EQ(answer.seen()[0].text, guard);
        EXPECT_EQ(answer.seen()[1].text,
                  "There is no default printer!Please install or select a default printer.");
        EXPECT_EQ(answer.seen()[1].icon, QMessageBox::Critical);
    }
    EXPECT_TRUE(vaGrid.PrintTitleText().isEmpty()) << "nothing was set up";
}

TEST_F(Printouts, DataPrintoutPrintsASelectionOfThreeRowsOrMoreAsABlock) {
    const double start = toDateSerial(QDateTime::currentDateTime());
    SpreadGrid& grid = vaGrid;
    grid.show(); // selected as the user does
    selectBlock(grid, 5, 2, 7, 3);
    const QString block = dir.filePath("block.pdf");
    QStringList offered{"not seen"};
    QString jobName;
    ASSERT_EQ(print(printData,
                    [&](QWidget* w) {
                        offered = pageChoices(*w);
                        jobName = qobject_cast<QPrintDialog*>(w)->printer()->docName();
                        printToFile(block)(w);
                    })
                  .size(),
              1U);
    EXPECT_EQ(offered, QStringList()) << "no page range to choose";
    // The dialog proposes "Print to File (PDF)" under the job's name, which must be a file name.
    EXPECT_TRUE(jobName.startsWith(QStringLiteral("Data History Printout At ")))
        << qPrintable(jobName);
    EXPECT_FALSE(jobName.contains(QLatin1Char('/')) || jobName.contains(QLatin1Char(':')));
    EXPECT_EQ(grid.PrintRangeMode(), 1);
    EXPECT_EQ((std::array{grid.CurrentRow(), grid.CurrentColumn(), grid.BlockEndRow(),
                          grid.BlockEndColumn()}),
              (std::array{5, 2, 7, 3}));
    EXPECT_TRUE(grid.PrintSwitchA());
    EXPECT_FALSE(grid.PrintSwitchB());
    const QString title = grid.PrintTitleText();
    ASSERT_TRUE(title.startsWith(QStringLiteral("Data History Printout At: ")));
    const auto printedAt = parseDateTime(title.mid(26));
    ASSERT_TRUE(printedAt.has_value()) << title.toStdString();
    EXPECT_GE(*printedAt, start - timeSerial(0, 0, 1));
    EXPECT_LE(*printedAt, toDateSerial(QDateTime::currentDateTime()) + timeSerial(0, 0, 1));
    const QString text = pdfText(block);
    EXPECT_TRUE(text.contains(title)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("File printout for fileName ") + dataLog));
    expectWords(text, {"Page #1", "r5c2", "r5c3", "r6c2", "r7c3", "Title2", "H7"}, true);
    expectWords(text, {"r4c2", "r8c3", "r5c1", "r6c4", "r1c1", "Title4", "H1"}, false);

    selectBlock(grid, 5, 2, 6, 3); // two rows: the whole grid
    const QString whole = dir.filePath("whole.pdf");
    print(printData, printToFile(whole));
    EXPECT_EQ(grid.PrintRangeMode(), 0);
    expectWords(pdfText(whole), {"r1c1", "r10c4", "r5c2", "Title1", "H10"}, true);
}

TEST_F(Printouts, OtherPrintoutsPrintTheWholeGridUnderTheirOwnTitles) {
    opEvGrid.show();
    selectBlock(opEvGrid, 1, 1, 3, 2); // a block, which only the data printout heeds
    state.fileDialog->Orientation = CommonDialog::Landscape; // as left by an earlier print
    state.auditFilePath = dir.filePath(QStringLiteral("audit.aud"));
    state.alarmFilePath = dir.filePath(QStringLiteral("alarms.csv"));
    ASSERT_TRUE(loadGrid(auditGrid, writeGridFile(dir.path(), 2, 2, "a.csv")));
    ASSERT_TRUE(loadGrid(alarmGrid, writeGridFile(dir.path(), 2, 2, "b.csv")));
    const std::tuple<std::function<void()>, const char*, QString> cases[] = {
        {[this] { printOpEventGrid(state, opEvGrid); }, "Operator Event Printout At: ", dataLog},
        {[this] { printAuditGrid(state, auditGrid); },
         "Audit Trail Printout At: ", state.auditFilePath},
        {[this] { printAlarmGrid(state, alarmGrid); },
         "Alarm History Printout At: ", state.alarmFilePath}};
    for (const auto& [printout, title, path] : cases) {
        const QString pdf = dir.filePath(QStringLiteral("%1.pdf").arg(title[0]));
        ASSERT_EQ(print(printout, printToFile(pdf)).size(), 1U) << title;
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(title) && text.contains("File printout for fileName " + path));
        expectWords(text, {"r1c1", "r2c2"}, true);
        EXPECT_TRUE(isLandscape(pdf)) << "the dialog's orientation";
    }
}

// Needs the cups-pdf printer "PDF" (scripts/start-services.sh). The titles' date is one no
// other run uses, so that this test finds its own jobs among whatever else is printed.
TEST_F(Printouts, EveryCopyIsAJobOfItsOwnWithItsOwnTime) {
    if (!installedPrinters().contains(QStringLiteral("PDF"))) {
        GTEST_SKIP() << "no cups-pdf printer named PDF";
    }
    const int year = 2100 + static_cast<int>(QCoreApplication::applicationPid() % 7000);
    double clock = dateSerial(year, 3, 4) + timeSerial(10, 0, 0);
    setPrintoutClock([&clock] {
        const double now = clock;
        clock += timeSerial(0, 0, 1);
        return now;
    });
    ASSERT_EQ(print(printData, printOn(QStringLiteral("PDF"), {}, 3)).size(), 1U);
    const QStringList pdfs =
        awaitFiles(QDir::homePath() + QStringLiteral("/PDF"),
                   QStringLiteral("Data_History_Printout_At_3-4-%1_*.pdf").arg(year), 3);
    QStringList titles;
    for (const QString& pdf : pdfs) {
        titles << pdfInfo(pdf, QStringLiteral("Title"));
        EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1")) << "a copy a job";
        QFile::remove(pdf);
    }
    titles.sort();
    const QString at = QStringLiteral("(Data History Printout At 3-4-%1 10-00-0%2 AM)");
    EXPECT_EQ(titles, (QStringList{at.arg(year).arg(0), at.arg(year).arg(1), at.arg(year).arg(2)}));
}
