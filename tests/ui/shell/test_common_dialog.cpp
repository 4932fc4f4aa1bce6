#include "CoreTestHelpers.h"
#include "ModalAnswer.h"

#include "shell/CommonDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;
using test::errorOf;
using test::ModalAnswer;

TEST(CommonDialog, NameFiltersComeFromTheFilterText) {
    EXPECT_EQ(nameFiltersOf("Log Files(*.csv)|*.csv"), QStringList{"Log Files(*.csv)"});
    EXPECT_EQ(nameFiltersOf("Text|*.csv;*.txt|All Files|*.*"),
              (QStringList{"Text (*.csv *.txt)", "All Files (*.*)"}));
    EXPECT_TRUE(nameFiltersOf({}).isEmpty());
}

TEST(CommonDialog, OpenShowsTheSetUpDialogAndReturnsTheChosenPath) {
    QTemporaryDir dir;
    test::writeFile(dir.filePath("plant.csv"), {});
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
        ModalAnswer::chooseFile("plant.csv", &openedIn)(w);
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
    answer.then(ModalAnswer::reject()).then(ModalAnswer::reject()).then(ModalAnswer::reject());
    cmdFile.CancelError = true;
    EXPECT_EQ(errorOf([&] { cmdFile.ShowOpen(); }), ErrCancel);
    EXPECT_EQ(errorOf([&] { cmdFile.ShowColor(); }), ErrCancel);
    cmdFile.CancelError = false;
    EXPECT_EQ(errorOf([&] { cmdFile.ShowSave(); }), 0);
    EXPECT_EQ(cmdFile.FileName, "kept.csv");
    EXPECT_EQ(answer.seen().size(), 3U);
}

TEST(CommonDialog, SaveAddsTheDefaultExtensionAndColourStartsFromTheGivenColour) {
    QTemporaryDir dir;
    CommonDialog cmdFile(nullptr);
    cmdFile.CancelError = true;
    cmdFile.Flags = 6;
    cmdFile.DefaultExt = ".csv";
    cmdFile.InitDir = dir.path();
    cmdFile.Color = QColor(212, 212, 212);
    QColor startedFrom;
    ModalAnswer answer;
    answer.then(ModalAnswer::chooseFile("new"))
        .then(ModalAnswer::chooseColor(Qt::blue, &startedFrom));
    cmdFile.ShowSave();
    EXPECT_EQ(cmdFile.FileName, QDir::toNativeSeparators(dir.filePath("new.csv")));
    EXPECT_EQ(answer.seen()[0].objectName, "cmdFileSave");
    cmdFile.Flags = 5; // starting from Color
    cmdFile.ShowColor();
    EXPECT_EQ(startedFrom, QColor(212, 212, 212));
    EXPECT_EQ(cmdFile.Color, QColor(Qt::blue));
}
