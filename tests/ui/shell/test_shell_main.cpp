// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "ui/shell/CommonDialog.h"
#include "ui/shell/ProgramEnd.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

using namespace tarvex;
using namespace tarvex::test;

using MainWindow = ProcedureTest;

// Yes, which ends the program, and a second instance are covered end to end.
TEST_F(MainWindow, CloseIsRefusedWhileATrendIsBuiltAndKeepsEverythingOnNo) {
    main->show();
    std::vector<int> ends;
    setEndProgramHook([&](int code) { ends.push_back(code); });
    state.plotBusy = -1;
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::No);
    EXPECT_FALSE(main->close());
    state.plotBusy = 0;
    main->mnuFileExit->trigger();
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[0].text, "History viewer is busy with an operation, please wait!");
    EXPECT_EQ(answer.seen()[1].text, "Exit - are you sure?");
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(ends.empty());
}

TEST_F(MainWindow, ALongPathInTheStatusBarLeavesTheWindowOnTheScreen) {
    frmMain& main = *this->main;
    main.showNormal();
    main.setStatusText("Current File is /" + QString(300, QLatin1Char('d')) + "/log.csv");
    QApplication::processEvents();
    const int screen = main.screen()->availableGeometry().width();
    EXPECT_LE(main.geometry().width(), screen);
    EXPECT_LE(main.minimumSizeHint().width(), screen);
}

// A runtime directory of the test's own, so that parallel tests do not share the lock.
class StartUp : public ::testing::Test {
protected:
    StartUp() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }
    QTemporaryDir runtime;
};

TEST_F(StartUp, TheInstanceLockLeftByAProcessThatEndedIsTakenOver) {
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const QByteArray pid = QByteArray::number(gone.processId());
    ASSERT_TRUE(gone.waitForFinished());
    writeFile(instanceLockPath(), pid + "\ntarvex-viewer\n\n");
    EXPECT_FALSE(previousInstanceRunning());
    QLockFile other(instanceLockPath());
    EXPECT_FALSE(other.tryLock(0)); // now held by this process
    releaseInstanceLock();
    EXPECT_TRUE(other.tryLock(0));
}

TEST(CommonDialog, SaveAddsTheDefaultExtensionAndCancelRaisesOnlyWhenAsked) {
    QTemporaryDir dir;
    CommonDialog cmdFile(nullptr);
    cmdFile.CancelError = true;
    cmdFile.InitDir = dir.path();
    cmdFile.DefaultExt = ".csv";
    ModalAnswer answer;
    answer.then(ModalAnswer::chooseFile("new"))
        .then(ModalAnswer::reject())
        .then(ModalAnswer::reject());
    cmdFile.ShowSave();
    const QString saved = QDir::toNativeSeparators(dir.filePath("new.csv"));
    EXPECT_EQ(cmdFile.FileName, saved);
    EXPECT_EQ(errorOf([&] { cmdFile.ShowOpen(); }), ErrCancel);
    cmdFile.CancelError = false;
    EXPECT_EQ(errorOf([&] { cmdFile.ShowSave(); }), 0);
    EXPECT_EQ(cmdFile.FileName, saved);
    EXPECT_EQ(answer.seen().size(), 3U);
}
