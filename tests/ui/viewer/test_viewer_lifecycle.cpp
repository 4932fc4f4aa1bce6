// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer comes with the first message or at the start-up window's hand-over and stays for
// the life of the program; the program may still end while a reader or a trend build lets
// events run, and nothing may then touch the viewer that is gone.
#include "TrendLog.h"
#include "ViewerFiles.h"

#include "core/common/TvError.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/Forms.h"
#include "ui/shell/ProgramEnd.h"
#include "ui/shell/ReportError.h"
#include "ui/shell/frmSplash.h"
#include "ui/trend/TrendBuilder.h"
#include "ui/viewer/ProgramStart.h"

#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QTest>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Calls `call` once, the first time events run while the status bar reads `status`.
class WhenStatusReads {
public:
    WhenStatusReads(const frmMain& main, const QString& status, const std::function<void()>& call) {
        QObject::connect(&timer_, &QTimer::timeout, [this, &main, status, call] {
            if (main.statusText() == status) {
                timer_.stop();
                call();
            }
        });
        timer_.start(0);
    }

private:
    QTimer timer_;
};

struct EndCase {
    const char* extension;
    const char* decryptingText;
};

void PrintTo(const EndCase& c, std::ostream* out) {
    *out << c.extension;
}

class EndWhileDeciphering : public ViewerFilesTest,
                            public ::testing::WithParamInterface<EndCase> {};

using ViewerLifecycle = ProcedureTest;

} // namespace

// Start-up sets up the shared state; a message before the hand-over on the tenth tick creates
// the viewer, which the hand-over then shows. A runtime directory of the test's own keeps the
// instance lock from other tests.
TEST_F(ViewerLifecycle, AMessageBeforeTheHandOverCreatesTheViewerWhichTheHandOverShows) {
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    frmSplash& splash = startProgram(state);
    splash.Timer1->stop(); // ticked by hand below
    EXPECT_EQ(state.startDir, QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_EQ(appHelpFile(), QDir(state.startDir).filePath("VELTRIS DATA VIEWER HELP.hlp"));
    EXPECT_EQ(state.fileDialog, main->cmdFile);
    ASSERT_EQ(frmHistory::existing(), nullptr);
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    ReportError("getAuditFile", TvError(ErrFileNotFound));
    ASSERT_EQ(answer.seen().size(), 1U);
    frmHistory* viewer = frmHistory::existing();
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(viewer->isVisible());
    for (int tick = 1; tick <= 10; ++tick) {
        EXPECT_FALSE(viewer->isVisible()) << tick;
        splash.Timer1_Timer();
    }
    EXPECT_EQ(frmHistory::existing(), viewer);
    EXPECT_TRUE(viewer->isVisible() && frmMain::existing()->isVisible());
    EXPECT_EQ(frmSplash::existing(), nullptr);
}

TEST_F(ViewerLifecycle, TheUserCanNeitherCloseItNorMoveItOutOfTheMainWindow) {
    frmHistory& v = startViewer(state);
    frmMain& main = *this->main;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_TRUE(std::ranges::none_of(v.systemMenu()->actions(), [](const QAction* a) {
        return a->isVisible() && a->text().contains(QStringLiteral("Close"));
    }));
    const int titleBar = v.widget()->geometry().top();
    const std::vector<std::pair<const char*, std::function<void()>>> attempts{
        {"Ctrl+W", [&] { QTest::keyClick(v.DataTab, Qt::Key_W, Qt::ControlModifier); }},
        {"a close request", [&] { v.close(); }},
        {"a drag past the top left", [&] { v.move(-300, -200); }},
        {"a drag past the bottom right", [&] { v.move(5000, 4000); }},
        {"a click where the close button was",
         [&] {
             QTest::mouseClick(&v, Qt::LeftButton, {}, {v.width() - 8, titleBar / 2});
         }},
    };
    for (const auto& [what, attempt] : attempts) {
        SCOPED_TRACE(what);
        v.showNormal();
        attempt();
        QCoreApplication::processEvents();
        EXPECT_EQ(frmHistory::existing(), &v);
        EXPECT_TRUE(v.isVisible());
        EXPECT_TRUE(main.mdiArea->viewport()->rect().contains(v.geometry()));
    }
    // Minimise, maximise and restore stay.
    v.showMaximized();
    EXPECT_TRUE(v.isMaximized());
    v.showNormal();
    v.showMinimized();
    EXPECT_TRUE(v.isMinimized());
    v.showNormal();
    EXPECT_FALSE(v.isMinimized() || v.isMaximized());
}

// Answering Yes to "Exit - are you sure?" unloads the viewer while a reader deciphers; the
// reader and the open button's follow-up calls must then leave it alone (run under the
// sanitizers by scripts/check-hardening.sh).
TEST_P(EndWhileDeciphering, YesToExitEndsTheProgramAndNothingTouchesTheViewerAfter) {
    write(QStringLiteral("plant") + QLatin1StringView(GetParam().extension),
          encipheredLines(QStringList(200, QStringLiteral("3/4/2024,08:00:00,Operator,Event"))));
    const QString log = write(QStringLiteral("plant.csv"), kDataLog);
    std::vector<int> ends;
    setEndProgramHook([&](int code) { ends.push_back(code); });
    const QPointer<frmHistory> gone(viewer);
    ModalAnswer answer;
    answer.then(answerFileDialog(log)).thenClick(QMessageBox::Yes);
    const WhenStatusReads closer(*main, QLatin1StringView(GetParam().decryptingText),
                                 [this] { main->close(); });
    viewer->DataBarBtn[0]->click();
    setEndProgramHook([](int code) { ADD_FAILURE() << "the program was ended with " << code; });
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[1].text, "Exit - are you sure?");
    EXPECT_EQ(ends, std::vector<int>{0});
    EXPECT_EQ(frmHistory::existing(), nullptr);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return gone.isNull(); })); // destroyed once the click returned
}

INSTANTIATE_TEST_SUITE_P(
    Readers, EndWhileDeciphering,
    ::testing::Values(EndCase{".sig", "Decrypting signature file, please wait..."},
                      EndCase{".evt", "Decrypting operator event file, please wait..."}),
    [](const auto& info) { return std::string(info.param.extension + 1); });

// The build goes on with the closed viewer's controls, which stay until it returns.
TEST_F(ViewerFilesTest, ClosingTheViewerDuringATrendBuildLeavesNothingBusy) {
    pointerEndsDefault = false;
    openDataLog(write("plant.csv", logText({"A", "B"}, countingValues(40, 2)).toLatin1()));
    SpreadGrid& grid = *viewer->vaGrid;
    grid.updateView();
    grid.view()->selectionModel()->select(
        QItemSelection(grid.model()->index(0, 1), grid.model()->index(39, 2)),
        QItemSelectionModel::ClearAndSelect);
    const QPointer<frmHistory> gone(viewer);
    QTimer::singleShot(0, viewer, [this] { Forms::unload(viewer); });
    viewer->DataBarBtn[1]->click();
    EXPECT_EQ(frmHistory::existing(), nullptr); // unloaded while the build was running
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); })); // destroyed once it returned
    EXPECT_EQ(state.plotBusy, 0);
    EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
}
