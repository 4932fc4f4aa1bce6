#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "shell/ProgramEnd.h"
#include "shell/Screen.h"
#include "shell/SharedState.h"
#include "shell/StatusPanels.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "trend/PlotControl.h"
#include "viewer/frmHistory.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace tarvex;
using test::ModalAnswer;

namespace {

// Records endProgram calls instead of ending the test run; restores the failing hook after.
class EndWatch {
public:
    EndWatch() {
        setEndProgramHook([this](int code) { codes.push_back(code); });
    }
    ~EndWatch() {
        setEndProgramHook([](int code) { ADD_FAILURE() << "program ended with " << code; });
    }
    EndWatch(const EndWatch&) = delete;
    EndWatch& operator=(const EndWatch&) = delete;
    std::vector<int> codes;
};

} // namespace

TEST(MainWindow, HasItsCaptionMenusAndThreeStatusPanels) {
    test::startViewer();
    frmMain& main = frmMain::instance();
    EXPECT_EQ(main.windowTitle(), "Tarvex Data Viewer");
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.mnuFile->title(), "&File");
    EXPECT_EQ(main.mnuFileExit->text(), "E&xit");
    EXPECT_EQ(main.mnuHelp->title(), "&Help");
    EXPECT_EQ(main.mnuHelpAbout->text(), "&About ");
    EXPECT_EQ(main.mdiArea->subWindowList().size(), 1);

    EXPECT_EQ(main.statusText(), "No Data File Loaded.");
    main.setStatusText("Loading File, please wait!");
    EXPECT_EQ(main.sbStatusBar->panel(1)->text(), "Loading File, please wait!");
    const QDate today = QDate::currentDate();
    EXPECT_EQ(main.sbStatusBar->panel(2)->text(),
              QStringLiteral("%1/%2/%3").arg(today.month()).arg(today.day()).arg(today.year()));
    EXPECT_TRUE(main.sbStatusBar->panel(3)->text().contains(
        QRegularExpression("^\\d{1,2}:\\d\\d (AM|PM)$")));
    // Panel 1 takes the width left over.
    EXPECT_GT(main.sbStatusBar->panel(1)->width(), main.sbStatusBar->panel(2)->width() * 5);
}

TEST(MainWindow, CloseIsRefusedWhileATrendIsBuilt) {
    test::startViewer();
    EndWatch end;
    pubVars().plotBusy = -1;
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    EXPECT_FALSE(frmMain::instance().close());
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].text, "History viewer is busy with an operation, please wait!");
    EXPECT_EQ(answer.seen()[0].icon, QMessageBox::Information);
    EXPECT_EQ(pubVars().plotBusy, -1);
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_NE(frmHistory::existing(), nullptr);
    EXPECT_TRUE(end.codes.empty());
}

TEST(MainWindow, AnsweringNoKeepsEveryWindowAndFile) {
    test::startViewer();
    EndWatch end;
    pubVars().dataFilePath = "/logs/plant.csv";
    ModalAnswer answer;
    answer.thenClick(QMessageBox::No);
    frmMain::instance().mnuFileExit->trigger();
    ASSERT_EQ(answer.seen().size(), 1U);
    EXPECT_EQ(answer.seen()[0].text, "Exit - are you sure?");
    EXPECT_EQ(answer.seen()[0].icon, QMessageBox::Question);
    EXPECT_EQ(answer.seen()[0].buttons, (QStringList{"&Yes", "&No"}));
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_NE(frmHistory::existing(), nullptr);
    EXPECT_EQ(pubVars().dataFilePath, "/logs/plant.csv");
    EXPECT_TRUE(end.codes.empty());
}

TEST(MainWindow, AnsweringYesUnloadsTheOtherWindowsAndEndsTheProgram) {
    test::startViewer();
    EndWatch end;
    bool viewerGoneAtEnd = false;
    setEndProgramHook([&](int code) {
        end.codes.push_back(code);
        viewerGoneAtEnd = frmHistory::existing() == nullptr;
    });
    QPointer<frmHistory> viewer = frmHistory::existing();
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Yes);
    frmMain::instance().close();
    EXPECT_EQ(end.codes, std::vector<int>{0});
    EXPECT_TRUE(viewerGoneAtEnd);
    EXPECT_TRUE(test::waitUntil([&] { return viewer.isNull(); }));
    EXPECT_NE(frmMain::existing(), nullptr); // the main window is not unloaded itself
}

TEST(MainWindow, SnapsToItsMinimumSizeAndPlacesTheViewerOnceItFits) {
    frmHistory& viewer = test::startViewer();
    frmMain& main = frmMain::instance();
    main.showNormal();
    const int minW = twipsToPixelsX(8940);
    const int minH = twipsToPixelsY(6765);
    const QSize frame = main.frameGeometry().size() - main.size();
    const auto resizeOuter = [&](int w, int h) {
        main.resize(w - frame.width(), h - frame.height());
    };
    resizeOuter(minW - 1, minH + 40);
    EXPECT_EQ(main.frameGeometry().size(), QSize(minW, minH));
    resizeOuter(minW + 100, minH - 1);
    EXPECT_EQ(main.frameGeometry().size(), QSize(minW, minH));
    resizeOuter(minW + 100, minH + 50);
    EXPECT_EQ(main.frameGeometry().size(), QSize(minW + 100, minH + 50));
    // The viewer fills the area left for child windows.
    EXPECT_EQ(viewer.geometry(), main.mdiArea->viewport()->rect());
}

TEST(AboutBox, ShowsTitleVersionAndNoticeAndClosesWithEscOrEnter) {
    test::startViewer();
    ModalAnswer answer;
    QStringList texts;
    answer
        .then([&texts](QWidget* w) {
            auto* about = qobject_cast<frmAbout*>(w);
            ASSERT_NE(about, nullptr);
            texts << about->windowTitle() << about->lblTitle->text() << about->lblVersion->text()
                  << about->lblDisclaimer->text() << about->cmdOK->text()
                  << about->cmdSysInfo->text();
            EXPECT_TRUE(about->cmdOK->isDefault());
            QTest::keyClick(w, Qt::Key_Escape);
        })
        .then(ModalAnswer::key(Qt::Key_Return));
    frmMain::instance().mnuHelpAbout->trigger();
    EXPECT_EQ(frmAbout::existing(), nullptr);
    frmMain::instance().mnuHelpAbout->trigger();
    EXPECT_EQ(frmAbout::existing(), nullptr);
    EXPECT_EQ(answer.seen().size(), 2U);
    EXPECT_TRUE(answer.seen()[1].expected);
    ASSERT_EQ(texts.size(), 6);
    EXPECT_EQ(texts[0], "About Corvane Data Viewer");
    EXPECT_EQ(texts[1], "Tarvex Data Viewer");
    EXPECT_EQ(texts[2], "Version 0.1.0");
    EXPECT_TRUE(texts[3].startsWith("Warning: This computer program is protected by copyright"));
    EXPECT_TRUE(texts[3].endsWith("to the maximum extent possible under the law.  "));
    EXPECT_EQ(texts[4], "OK");
    EXPECT_EQ(texts[5], "&System Info...");
}

TEST(AboutBox, SaysSystemInformationIsUnavailableWithoutATool) {
    test::startViewer();
    const QTemporaryDir emptyPath;
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    ModalAnswer answer;
    answer
        .then([](QWidget* w) {
            // The system information box opens over the About box, which stays open.
            qobject_cast<frmAbout*>(w)->cmdSysInfo->click();
            QTest::keyClick(w, Qt::Key_Escape);
        })
        .thenClick(QMessageBox::Ok);
    frmMain::instance().mnuHelpAbout->trigger();
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[1].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(answer.seen()[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(answer.seen()[1].title, "Tarvex Data Viewer");
}

TEST(AboutBox, StartsTheFirstSystemInformationToolOnThePath) {
    test::startViewer();
    const QTemporaryDir bin;
    const QString marker = bin.filePath("started");
    QFile tool(bin.filePath("kinfocenter"));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\necho started > '%1'\n").arg(marker).toUtf8());
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", bin.path().toLocal8Bit());
    ModalAnswer answer;
    answer.then([](QWidget* w) {
        qobject_cast<frmAbout*>(w)->cmdSysInfo->click();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    frmMain::instance().mnuHelpAbout->trigger();
    EXPECT_EQ(answer.seen().size(), 1U); // no "unavailable" box
    EXPECT_TRUE(test::waitUntil([&] { return QFile::exists(marker); }));
}
