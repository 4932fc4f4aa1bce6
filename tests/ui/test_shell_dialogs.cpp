#include "DialogDriver.h"
#include "ModalAnswer.h"

#include "common/TvError.h"
#include "shell/CommonDialog.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

int cancelNumber(const std::function<void()>& show) {
    try {
        show();
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(CommonDialog, NameFiltersComeFromTheFilterText) {
    EXPECT_EQ(nameFiltersOf("Log Files(*.csv)|*.csv"), QStringList{"Log Files(*.csv)"});
    EXPECT_EQ(nameFiltersOf("Text|*.csv;*.txt|All Files|*.*"),
              (QStringList{"Text (*.csv *.txt)", "All Files (*.*)"}));
    EXPECT_TRUE(nameFiltersOf({}).isEmpty());
}

TEST(CommonDialog, OpenShowsTheSetUpDialogAndReturnsTheChosenPath) {
    QTemporaryDir dir;
    touch(dir.filePath("plant.csv"));
    CommonDialog cmdFile(nullptr);
    cmdFile.CancelError = true;
    cmdFile.Flags = 4100;
    cmdFile.Filter = "Log Files(*.csv)|*.csv";
    cmdFile.DialogTitle = "Open Log File (.csv)";
    cmdFile.InitDir = dir.path() + "/";
    QString openedIn;
    ModalAnswer answer;
    QFileDialog::FileMode mode{};
    answer.then([&](QWidget* w) {
        mode = qobject_cast<QFileDialog*>(w)->fileMode();
        DialogDriver::chooseFile("plant.csv", &openedIn)(w);
    });
    cmdFile.ShowOpen();
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].objectName, "cmdFileOpen");
    EXPECT_EQ(answer.seen()[0].title, "Open Log File (.csv)");
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(openedIn, QDir(dir.path()).absolutePath());
    EXPECT_EQ(cmdFile.FileName, QDir::toNativeSeparators(dir.filePath("plant.csv")));
}

TEST(CommonDialog, CancelRaisesTheCancelErrorOnlyWhenAskedTo) {
    CommonDialog cmdFile(nullptr);
    cmdFile.FileName = "kept.csv";
    cmdFile.InitDir = "/no/such/folder";
    ModalAnswer answer;
    answer.then(DialogDriver::cancel()).then(DialogDriver::cancel()).then(DialogDriver::cancel());
    cmdFile.CancelError = true;
    EXPECT_EQ(cancelNumber([&] { cmdFile.ShowOpen(); }), ErrCancel);
    EXPECT_EQ(cancelNumber([&] { cmdFile.ShowColor(); }), ErrCancel);
    cmdFile.CancelError = false;
    EXPECT_EQ(cancelNumber([&] { cmdFile.ShowSave(); }), 0);
    EXPECT_EQ(cmdFile.FileName, "kept.csv");
    EXPECT_EQ(answer.seen().size(), 3U);
}

TEST(CommonDialog, SaveAddsTheDefaultExtensionAndAsksBeforeOverwriting) {
    QTemporaryDir dir;
    touch(dir.filePath("old.csv"));
    CommonDialog cmdFile(nullptr);
    cmdFile.CancelError = true;
    cmdFile.Flags = 6;
    cmdFile.DefaultExt = ".csv";
    cmdFile.InitDir = dir.path();
    ModalAnswer answer;
    answer.then(DialogDriver::chooseFile("new"))
        .then(DialogDriver::chooseFile("old.csv"))
        .thenClick(QMessageBox::Yes);
    cmdFile.ShowSave();
    EXPECT_EQ(cmdFile.FileName, QDir::toNativeSeparators(dir.filePath("new.csv")));
    cmdFile.ShowSave();
    EXPECT_EQ(cmdFile.FileName, QDir::toNativeSeparators(dir.filePath("old.csv")));
    ASSERT_EQ(answer.seen().size(), 3U);
    EXPECT_EQ(answer.seen()[0].objectName, "cmdFileSave");
    EXPECT_TRUE(answer.seen()[2].text.contains("old.csv")); // the overwrite question
}

TEST(CommonDialog, ColourStartsFromTheGivenColourWithoutTheCustomPart) {
    CommonDialog cmdFile(nullptr);
    cmdFile.Flags = 5;
    cmdFile.Color = QColor(212, 212, 212);
    QColor startedFrom;
    bool customPartShown = true;
    ModalAnswer answer;
    answer.then([&](QWidget* w) {
        customPartShown = false;
        for (auto* b : w->findChildren<QPushButton*>()) {
            customPartShown |=
                b->text() == QColorDialog::tr("&Add to Custom Colors") && b->isVisible();
        }
        DialogDriver::chooseColor(Qt::blue, &startedFrom)(w);
    });
    cmdFile.ShowColor();
    EXPECT_EQ(startedFrom, QColor(212, 212, 212));
    EXPECT_FALSE(customPartShown);
    EXPECT_EQ(cmdFile.Color, QColor(Qt::blue));
}

TEST(CommonDialog, PrintDialogOffersNeitherSelectionNorPageNumbersWithFlags12) {
    CommonDialog cmdFile(nullptr);
    cmdFile.CancelError = true;
    cmdFile.Flags = 12;
    bool selection = true;
    bool pageRange = true;
    ModalAnswer answer;
    answer.then([&](QWidget* w) {
        auto* dlg = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        selection = dlg->testOption(QAbstractPrintDialog::PrintSelection);
        pageRange = dlg->testOption(QAbstractPrintDialog::PrintPageRange);
        dlg->reject();
    });
    EXPECT_EQ(cancelNumber([&] { cmdFile.ShowPrinter(); }), ErrCancel);
    EXPECT_FALSE(selection);
    EXPECT_FALSE(pageRange);
    EXPECT_EQ(answer.seen().size(), 1U);
}
