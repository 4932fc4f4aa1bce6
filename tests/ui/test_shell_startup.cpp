#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "shell/AppInfo.h"
#include "shell/CommonDialog.h"
#include "shell/ProgramEnd.h"
#include "shell/SharedState.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "viewer/frmHistory.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using namespace tarvex;
using test::ModalAnswer;

namespace {

// A runtime directory of this test's own, so that parallel tests do not share the lock.
class PrivateRuntime {
public:
    PrivateRuntime() { qputenv("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit()); }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST(StartUp, LoadSetsUpTheSharedStateAndHandsOverOnTheTenthTick) {
    PrivateRuntime runtime;
    frmSplash& splash = frmSplash::instance();
    splash.Timer1->stop(); // ticked by hand below
    EXPECT_EQ(splash.theCount, 1);
    EXPECT_EQ(pubVars().startDir, QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_EQ(appHelpFile(), QDir(pubVars().startDir).filePath("VELTRIS DATA VIEWER HELP.hlp"));
    ASSERT_NE(frmMain::existing(), nullptr);
    EXPECT_EQ(pubVars().fileDialog, frmMain::instance().cmdFile);
    EXPECT_EQ(frmMain::instance().windowTitle(), "Tarvex Data Viewer");
    EXPECT_FALSE(frmMain::instance().isVisible());
    EXPECT_EQ(splash.iLabelX1->text(), "Initializing System, Please Wait!");

    for (int tick = 1; tick <= 9; ++tick) {
        splash.Timer1_Timer();
    }
    EXPECT_EQ(splash.theCount, 10);
    EXPECT_EQ(frmHistory::existing(), nullptr);
    splash.Timer1_Timer();
    EXPECT_EQ(splash.theCount, 11);
    ASSERT_NE(frmHistory::existing(), nullptr);
    EXPECT_TRUE(frmHistory::existing()->isVisible());
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_EQ(frmSplash::existing(), nullptr);
}

TEST(StartUp, TheTimerHandsOverByItself) {
    PrivateRuntime runtime;
    QPointer<frmSplash> splash = &frmSplash::instance();
    splash->show();
    EXPECT_TRUE(test::waitUntil(
        [] { return frmHistory::existing() != nullptr && frmHistory::existing()->isVisible(); }));
    EXPECT_TRUE(test::waitUntil([&] { return splash.isNull(); }));
}

TEST(StartUp, ASecondInstanceSaysSoOverANewViewerAndEnds) {
    PrivateRuntime runtime;
    QLockFile first(instanceLockPath());
    ASSERT_TRUE(first.tryLock(0));
    std::vector<int> ends;
    setEndProgramHook([&](int code) { ends.push_back(code); });
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    frmSplash& splash = frmSplash::instance();
    setEndProgramHook([](int code) { ADD_FAILURE() << "program ended with " << code; });

    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].text, "Corvane Data Viewer is already running! Please check the\r\n"
                                     "taskbar or background window for active version.");
    EXPECT_EQ(answer.seen()[0].icon, QMessageBox::Question);
    EXPECT_EQ(answer.seen()[0].title, "Tarvex Data Viewer");
    ASSERT_EQ(ends.size(), 1U);
    EXPECT_NE(ends[0], 0);
    EXPECT_TRUE(splash.ended());
    EXPECT_FALSE(splash.Timer1->isActive());
    ASSERT_NE(frmHistory::existing(), nullptr); // created to own the message
    EXPECT_FALSE(frmMain::instance().isVisible());
}

TEST(SingleInstance, TakesOverALockLeftByAProcessThatEnded) {
    PrivateRuntime runtime;
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
