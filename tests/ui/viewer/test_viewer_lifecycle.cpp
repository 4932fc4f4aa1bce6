// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer stays for the life of the program; the program may still end while a reader lets
// events run, and nothing may then touch the viewer that is gone. The readers beside a data log
// pass over what is not a regular file and stop at a line no record can have.
#include "ViewerFiles.h"

#include "core/common/TvError.h"
#include "ui/shell/ProgramEnd.h"

#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <sys/stat.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Calls `call` once, the first time events run while the status bar reads `status`.
class WhenStatusReads {
public:
    WhenStatusReads(const QString& status, const std::function<void()>& call) {
        QObject::connect(&timer_, &QTimer::timeout, [this, status, call] {
            if (frmMain::instance().statusText() == status) {
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

class EventFileInputs : public ViewerFilesTest {};

} // namespace

TEST(ViewerLifecycle, TheUserCanNeitherCloseItNorMoveItOutOfTheMainWindow) {
    frmHistory& v = startViewer();
    frmMain& main = frmMain::instance();
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
    const WhenStatusReads closer(QLatin1StringView(GetParam().decryptingText),
                                 [] { frmMain::instance().close(); });
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

TEST_F(EventFileInputs, PassedOverWhenNotRegularStoppedAtAnOverlongLineNoRowWhenEmpty) {
    const QString log = write(QStringLiteral("plant.csv"), kDataLog);
    const QString evt = file(QStringLiteral("plant.evt"));
    struct Case {
        const char* what;
        std::function<void()> make;
        int error; // reported under loadOpEventsFile; 0: none
        int rows;
    };
    const std::vector<Case> cases{
        {"fifo", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(evt), 0600), 0); }, 0, 0},
        {"folder", [&] { ASSERT_TRUE(QDir().mkdir(evt)); }, 0, 0},
        {"a line of 2 MiB", [&] { writeFile(evt, QByteArray(2 << 20, 'A')); }, ErrOutOfMemory, 0},
        {"an empty record inside",
         [&] {
             writeFile(evt, encipheredLines({"a,b,c,d", "", "e,f,g,h"}));
         },
         0, 3},
        {"an empty record last",
         [&] {
             writeFile(evt, encipheredLines({"a,b,c,d", ""}));
         },
         0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir().rmdir(evt);
        QFile::remove(evt);
        c.make();
        const auto boxes = openDataLog(log, c.error != 0 ? 1 : 0);
        ASSERT_EQ(boxes.size(), c.error != 0 ? 1U : 0U);
        if (c.error != 0) {
            EXPECT_EQ(boxes[0].text, errorReportText("loadOpEventsFile", 7, "Out of memory"));
            EXPECT_TRUE(pubVars().dataFilePath.isEmpty()); // the data view was emptied
            continue;
        }
        EXPECT_EQ(pubVars().dataFilePath, log);
        EXPECT_EQ(viewer->opEvGrid->RowCount(), c.rows);
        EXPECT_EQ(rowTexts(*viewer->opEvGrid, 2, 3), QStringList(4, QString()));
    }
}
