// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "ui/shell/AppInfo.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ProgramEnd.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/viewer/frmHistory.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLockFile>
#include <QMdiArea>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvex;
using namespace tarvex::test;

// Yes, which ends the program, and a second instance are covered end to end.
TEST(MainWindow, CloseIsRefusedWhileATrendIsBuiltAndKeepsEverythingOnNo) {
    startViewer();
    std::vector<int> ends;
    setEndProgramHook([&](int code) { ends.push_back(code); });
    pubVars().plotBusy = -1;
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::No);
    EXPECT_FALSE(frmMain::instance().close());
    pubVars().plotBusy = 0;
    frmMain::instance().mnuFileExit->trigger();
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[0].text, "History viewer is busy with an operation, please wait!");
    EXPECT_EQ(answer.seen()[1].text, "Exit - are you sure?");
    EXPECT_TRUE(frmMain::instance().isVisible() && frmHistory::existing() != nullptr);
    EXPECT_TRUE(ends.empty());
}

TEST(MainWindow, SnapsToItsMinimumSizeAndPlacesTheViewerOnceItFits) {
    frmHistory& viewer = startViewer();
    frmMain& main = frmMain::instance();
    main.showNormal();
    const QSize min(twipsToPixelsX(8940), twipsToPixelsY(6765));
    const QSize frame = main.frameGeometry().size() - main.size();
    for (const QSize& asked : {min + QSize(-1, 40), min + QSize(100, -1), min + QSize(100, 50)}) {
        main.resize(asked - frame);
        const bool fits = asked.width() >= min.width() && asked.height() >= min.height();
        EXPECT_EQ(main.frameGeometry().size(), fits ? asked : min);
    }
    // The viewer fills the area left for child windows.
    EXPECT_EQ(viewer.geometry(), main.mdiArea->viewport()->rect());
}

TEST(MainWindow, ALongPathInTheStatusBarLeavesTheWindowOnTheScreen) {
    startViewer();
    frmMain& main = frmMain::instance();
    main.showNormal();
    main.setStatusText("Current File is /" + QString(300, QLatin1Char('d')) + "/log.csv");
    QApplication::processEvents();
    const int screen = main.screen()->availableGeometry().width();
    EXPECT_LE(main.geometry().width(), screen);
    EXPECT_LE(main.minimumSizeHint().width(), screen);
}

TEST(MainWindow, ResizingLeavesAMinimisedViewerAsItWas) {
    frmHistory& viewer = startViewer();
    frmMain& main = frmMain::instance();
    main.showNormal();
    viewer.showMinimized();
    const QSize before = viewer.size();
    main.resize(main.size() + QSize(40, 30));
    EXPECT_TRUE(viewer.isMinimized());
    EXPECT_EQ(viewer.size(), before);
}

// A runtime directory of the test's own, so that parallel tests do not share the lock.
class StartUp : public ::testing::Test {
protected:
    StartUp() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }
    QTemporaryDir runtime;
};

TEST_F(StartUp, LoadSetsUpTheSharedStateAndHandsOverOnTheTenthTick) {
    frmSplash& splash = frmSplash::instance();
    splash.Timer1->stop(); // ticked by hand below
    EXPECT_EQ(pubVars().startDir, QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_EQ(appHelpFile(), QDir(pubVars().startDir).filePath("VELTRIS DATA VIEWER HELP.hlp"));
    EXPECT_EQ(pubVars().fileDialog, frmMain::instance().cmdFile);
    EXPECT_FALSE(frmMain::instance().isVisible());
    for (int tick = 1; tick <= 10; ++tick) {
        EXPECT_EQ(frmHistory::existing(), nullptr) << tick;
        splash.Timer1_Timer();
    }
    ASSERT_TRUE(frmHistory::existing() != nullptr && frmHistory::existing()->isVisible());
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_EQ(frmSplash::existing(), nullptr);
}

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
