#include "DialogDriver.h"
#include "ModalAnswer.h"
#include "ViewerFixture.h"
#include "test_print_support.h"

#include "common/ValueConvert.h"
#include "printing/GridPrintouts.h"
#include "printing/InstalledPrinters.h"
#include "recordfiles/SpreadGrid.h"
#include "shell/CommonDialog.h"
#include "shell/SharedState.h"
#include "viewer/frmHistory.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

const QString kNoPrinter =
    QStringLiteral("There is no default printer!Please install or select a default printer.");

// The print dialog: picks `printer` (an entry of its printer list), a file name when that entry
// prints to a file, and the number of copies; then prints.
ModalAnswer::Action printOn(const QString& printer, const QString& file = {}, int copies = 1) {
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<QPrintDialog*>(w);
        auto* printers = w->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = w->findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* copyCount = w->findChild<QSpinBox*>(QStringLiteral("copies"));
        if (dlg == nullptr || printers == nullptr || printers->findText(printer) < 0 ||
            fileName == nullptr || copyCount == nullptr) {
            ModalAnswer::reject()(w);
            return;
        }
        printers->setCurrentIndex(printers->findText(printer));
        if (!file.isEmpty()) {
            fileName->setText(file);
        }
        copyCount->setValue(copies);
        dlg->accept();
        if (dlg->isVisible()) {
            dlg->reject(); // it refused what was chosen: never leave the test hanging
        }
    };
}

ModalAnswer::Action printToFile(const QString& file) {
    return printOn(QStringLiteral("Print to File (PDF)"), file);
}

void selectBlock(SpreadGrid& grid, int firstRow, int firstColumn, int lastRow, int lastColumn) {
    const QAbstractItemModel* model = grid.view()->model();
    grid.view()->selectionModel()->select(
        QItemSelection(model->index(firstRow - 1, firstColumn - 1),
                       model->index(lastRow - 1, lastColumn - 1)),
        QItemSelectionModel::ClearAndSelect);
}

// The viewer with a data log (10 rows of 4 columns) and operator events loaded, as the readers
// leave them; the other files are not loaded.
class Printouts : public ::testing::Test {
protected:
    void SetUp() override {
        viewer = &startViewer(dir.path());
        dataLog = writeGridFile(dir.path(), 10, 4);
        ASSERT_TRUE(loadGrid(*viewer->vaGrid, dataLog));
        ASSERT_TRUE(loadGrid(*viewer->opEvGrid, writeGridFile(dir.path(), 3, 2, "plant.evt.csv")));
        pubVars().dataFilePath = dataLog;
    }
    void TearDown() override {
        setInstalledPrintersSource({});
        setPrintoutClock({});
    }

    QTemporaryDir dir;
    frmHistory* viewer = nullptr;
    QString dataLog;
};

} // namespace

TEST_F(Printouts, WithoutTheirFileOnlyTheGuardSpeaks) {
    pubVars().dataFilePath.clear();
    const struct {
        void (*print)();
        QString message;
    } cases[] = {
        {&printDataGrid, "Data file has not been opened!\r\nUse the open file icon to load a "
                         "data file."},
        {&printOpEventGrid, "Data file has not been opened!\r\nUse the open file icon to load a "
                            "data file."},
        {&printAuditGrid, "Audit file has not been opened!\r\nUse the open file icon to load an "
                          "audit file."},
        {&printAlarmGrid, "Alarm History file has not been opened!\r\nUse the open file icon to "
                          "load an alarm file."},
    };
    for (const auto& c : cases) {
        ModalAnswer answer;
        answer.thenClick(QMessageBox::Ok);
        c.print();
        ASSERT_EQ(answer.seen().size(), 1U) << c.message.toStdString();
        EXPECT_EQ(answer.seen()[0].text, c.message);
        EXPECT_TRUE(answer.seen()[0].expected);
    }
    EXPECT_TRUE(viewer->vaGrid->PrintTitleText().isEmpty()) << "nothing was set up";
}

TEST_F(Printouts, NoPrinterIsToldBeforeAnyDialogAndOnlyWithAFileLoaded) {
    setInstalledPrintersSource([] { return QStringList(); });
    pubVars().auditFilePath = dir.filePath("audit.aud");
    pubVars().alarmFilePath = dir.filePath("alarms.csv");
    for (void (*print)() : {&printDataGrid, &printOpEventGrid, &printAuditGrid, &printAlarmGrid}) {
        ModalAnswer answer;
        answer.thenClick(QMessageBox::Ok);
        print();
        ASSERT_EQ(answer.seen().size(), 1U) << "the message and no dialog";
        const ModalAnswer::Seen& box = answer.seen()[0];
        EXPECT_EQ(box.text, kNoPrinter);
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.title, QStringLiteral("Tarvex Data Viewer"));
        EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
    }

    pubVars().alarmFilePath.clear();
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    printAlarmGrid();
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_TRUE(answer.seen()[0].text.startsWith(QStringLiteral("Alarm History file")))
        << "the guard first";
}

TEST_F(Printouts, CancelPrintsNothingAndSaysNothing) {
    selectBlock(*viewer->vaGrid, 5, 2, 7, 3);
    ModalAnswer answer;
    answer.then(DialogDriver::cancel());
    viewer->DataBarBtn_Click(2);
    ASSERT_EQ(answer.seen().size(), 1U) << "the print dialog only";
    EXPECT_EQ(answer.seen()[0].objectName, QStringLiteral("cmdFilePrint"));
    EXPECT_TRUE(viewer->vaGrid->PrintTitleText().isEmpty());
    EXPECT_EQ(viewer->vaGrid->PrintRangeMode(), 0);
    EXPECT_TRUE(pubVars().fileDialog->CancelError);
    EXPECT_EQ(pubVars().fileDialog->Flags, 12);
}

TEST_F(Printouts, DataPrintoutPrintsASelectionOfThreeRowsOrMoreAsABlock) {
    const double start = toDateSerial(QDateTime::currentDateTime());
    SpreadGrid& grid = *viewer->vaGrid;
    selectBlock(grid, 5, 2, 7, 3);
    const QString block = dir.filePath("block.pdf");
    ModalAnswer answer;
    answer.then(printToFile(block));
    viewer->DataBarBtn_Click(2);
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(grid.PrintRangeMode(), 1);
    EXPECT_EQ(grid.CurrentRow(), 5);
    EXPECT_EQ(grid.CurrentColumn(), 2);
    EXPECT_EQ(grid.BlockEndRow(), 7);
    EXPECT_EQ(grid.BlockEndColumn(), 3);
    EXPECT_TRUE(grid.PrintSwitchA());
    EXPECT_FALSE(grid.PrintSwitchB());
    EXPECT_EQ(grid.PrintPageText(), QStringLiteral("/c/rPage #/p"));
    const QString title = grid.PrintTitleText();
    ASSERT_TRUE(title.startsWith(QStringLiteral("Data History Printout At: ")));
    const auto printedAt = parseDateTime(title.mid(26));
    ASSERT_TRUE(printedAt.has_value()) << title.toStdString();
    EXPECT_GE(*printedAt, start - 1.0 / 86400);
    EXPECT_LE(*printedAt, toDateSerial(QDateTime::currentDateTime()) + 1.0 / 86400);

    const QString text = pdfText(block);
    EXPECT_TRUE(text.contains(title)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("File printout for fileName ") + dataLog));
    EXPECT_TRUE(hasWord(text, QStringLiteral("Page 1")));
    for (const char* word : {"r5c2", "r5c3", "r6c2", "r7c3", "Title2", "H7"}) {
        EXPECT_TRUE(hasWord(text, QLatin1String(word))) << word;
    }
    for (const char* word : {"r4c2", "r8c3", "r5c1", "r6c4", "r1c1", "Title4", "H1"}) {
        EXPECT_FALSE(hasWord(text, QLatin1String(word))) << word;
    }

    selectBlock(grid, 5, 2, 6, 3);
    const QString whole = dir.filePath("whole.pdf");
    answer.then(printToFile(whole));
    viewer->DataBarBtn_Click(2);
    EXPECT_EQ(grid.PrintRangeMode(), 0);
    const QString all = pdfText(whole);
    for (const char* word : {"r1c1", "r10c4", "r5c2", "Title1", "H10"}) {
        EXPECT_TRUE(hasWord(all, QLatin1String(word))) << word;
    }
}

TEST_F(Printouts, OtherPrintoutsPrintTheWholeGridUnderTheirOwnTitles) {
    selectBlock(*viewer->opEvGrid, 1, 1, 3, 2); // a block, which only the data printout heeds
    pubVars().fileDialog->Orientation = CommonDialog::Landscape; // as left by an earlier print
    const QString events = dir.filePath("events.pdf");
    ModalAnswer answer;
    answer.then(printToFile(events));
    viewer->opBarBtn_Click(0);
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(viewer->opEvGrid->PrintRangeMode(), 0);
    const QString text = pdfText(events);
    EXPECT_TRUE(text.contains(QStringLiteral("Operator Event Printout At: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("File printout for fileName ") + dataLog))
        << "the operator events belong to the data log";
    EXPECT_TRUE(hasWord(text, QStringLiteral("r3c2")));
    const QStringList size = pdfInfo(events, QStringLiteral("Page size")).split(QLatin1Char(' '));
    ASSERT_GE(size.size(), 3);
    EXPECT_GT(size[0].toDouble(), size[2].toDouble()) << "the dialog's landscape orientation";
    EXPECT_EQ(viewer->opEvGrid->PrintOrientation(), CommonDialog::Landscape);

    const struct {
        SpreadGrid* grid;
        QString SharedState::*path;
        void (frmHistory::*click)(int);
        const char* title;
    } cases[] = {{viewer->auditGrid, &SharedState::auditFilePath, &frmHistory::auditBarBtn_Click,
                  "Audit Trail Printout At: "},
                 {viewer->alarmGrid, &SharedState::alarmFilePath, &frmHistory::almBarBtn_Click,
                  "Alarm History Printout At: "}};
    for (const auto& c : cases) {
        ASSERT_TRUE(
            loadGrid(*c.grid, writeGridFile(dir.path(), 2, 2, c.title[0] + QString(".csv"))));
        pubVars().*c.path = dir.filePath(QStringLiteral("record %1.csv").arg(c.title[0]));
        const QString pdf = dir.filePath(c.title[0] + QStringLiteral(".pdf"));
        answer.then(printToFile(pdf));
        (viewer->*c.click)(1);
        const QString printed = pdfText(pdf);
        EXPECT_TRUE(printed.contains(QLatin1String(c.title))) << c.title;
        EXPECT_TRUE(
            printed.contains(QStringLiteral("File printout for fileName ") + pubVars().*c.path));
        EXPECT_TRUE(hasWord(printed, QStringLiteral("r2c2")));
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
    const QString pattern = QStringLiteral("Data_History_Printout_At__3_4_%1_*.pdf").arg(year);
    ModalAnswer answer;
    answer.then(printOn(QStringLiteral("PDF"), {}, 3));
    viewer->DataBarBtn_Click(2);
    ASSERT_EQ(answer.seen().size(), 1U);

    const QStringList pdfs = awaitFiles(cupsPdfFolder(), pattern, 3);
    QStringList titles;
    for (const QString& pdf : pdfs) {
        titles << pdfInfo(pdf, QStringLiteral("Title"));
        EXPECT_EQ(pdfPages(pdf), 1) << "one copy a job";
        QFile::remove(pdf);
    }
    titles.sort();
    const QString at = QStringLiteral("(Data History Printout At: 3/4/%1 10:00:0%2 AM)");
    EXPECT_EQ(titles, (QStringList{at.arg(year).arg(0), at.arg(year).arg(1), at.arg(year).arg(2)}));
}
