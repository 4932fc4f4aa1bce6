#include "ViewerFixture.h"

#include "shell/AppInfo.h"
#include "shell/SharedState.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "viewer/frmHistory.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// A runtime directory of this test's own, so that parallel tests do not share the lock.
class StartUp : public ::testing::Test {
protected:
    StartUp() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }

    QTemporaryDir runtime;
};
using SingleInstance = StartUp;

} // namespace

// A second instance, which shows a message and ends, is covered end to end.
TEST_F(StartUp, LoadSetsUpTheSharedStateAndHandsOverOnTheTenthTick) {
    frmSplash& splash = frmSplash::instance();
    splash.Timer1->stop(); // ticked by hand below
    EXPECT_EQ(pubVars().startDir, QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_EQ(appHelpFile(), QDir(pubVars().startDir).filePath("VELTRIS DATA VIEWER HELP.hlp"));
    ASSERT_NE(frmMain::existing(), nullptr);
    EXPECT_EQ(pubVars().fileDialog, frmMain::instance().cmdFile);
    EXPECT_FALSE(frmMain::instance().isVisible());
    for (int tick = 1; tick <= 9; ++tick) {
        splash.Timer1_Timer();
    }
    EXPECT_EQ(frmHistory::existing(), nullptr);
    splash.Timer1_Timer();
    ASSERT_NE(frmHistory::existing(), nullptr);
    EXPECT_TRUE(frmHistory::existing()->isVisible());
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_EQ(frmSplash::existing(), nullptr);
}

TEST_F(StartUp, TheTimerHandsOverByItself) {
    QPointer<frmSplash> splash = &frmSplash::instance();
    splash->show();
    EXPECT_TRUE(test::waitUntil(
        [] { return frmHistory::existing() != nullptr && frmHistory::existing()->isVisible(); }));
    EXPECT_TRUE(test::waitUntil([&] { return splash.isNull(); }));
}

TEST_F(SingleInstance, TakesOverALockLeftByAProcessThatEnded) {
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QFile stale(instanceLockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(deadPid) + "\ntarvex-viewer\n\n");
    stale.close();
    EXPECT_FALSE(previousInstanceRunning());
    QLockFile other(instanceLockPath());
    EXPECT_FALSE(other.tryLock(0)); // now held by this process
    releaseInstanceLock();
    EXPECT_TRUE(other.tryLock(0));
}
