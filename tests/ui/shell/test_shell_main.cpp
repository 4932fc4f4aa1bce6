#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "shell/ProgramEnd.h"
#include "shell/Screen.h"
#include "shell/SharedState.h"
#include "shell/StatusPanels.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "viewer/frmHistory.h"

#include <QDate>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;
using test::ModalAnswer;

TEST(MainWindow, ShowsTheStatusTheDateAndTheTimeInItsPanels) {
    test::startViewer();
    frmMain& main = frmMain::instance();
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

// Yes, which ends the program, is covered end to end.
TEST(MainWindow, CloseIsRefusedWhileATrendIsBuiltAndKeepsEverythingOnNo) {
    test::startViewer();
    std::vector<int> ends;
    setEndProgramHook([&](int code) { ends.push_back(code); });
    pubVars().plotBusy = -1;
    pubVars().dataFilePath = "/logs/plant.csv";
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok).thenClick(QMessageBox::No);
    EXPECT_FALSE(frmMain::instance().close());
    pubVars().plotBusy = 0;
    frmMain::instance().mnuFileExit->trigger();
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[0].text, "History viewer is busy with an operation, please wait!");
    EXPECT_EQ(answer.seen()[0].icon, QMessageBox::Information);
    EXPECT_EQ(answer.seen()[1].text, "Exit - are you sure?");
    EXPECT_EQ(answer.seen()[1].buttons, (QStringList{"&Yes", "&No"}));
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_NE(frmHistory::existing(), nullptr);
    EXPECT_EQ(pubVars().dataFilePath, "/logs/plant.csv");
    EXPECT_TRUE(ends.empty());
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
        return main.frameGeometry().size();
    };
    EXPECT_EQ(resizeOuter(minW - 1, minH + 40), QSize(minW, minH));
    EXPECT_EQ(resizeOuter(minW + 100, minH - 1), QSize(minW, minH));
    EXPECT_EQ(resizeOuter(minW + 100, minH + 50), QSize(minW + 100, minH + 50));
    // The viewer fills the area left for child windows.
    EXPECT_EQ(viewer.geometry(), main.mdiArea->viewport()->rect());
}

// The About box's system information: the first tool found on the path, or a message.
TEST(AboutBox, StartsTheFirstSystemInformationToolOnThePathOrSaysItIsUnavailable) {
    test::startViewer();
    const QTemporaryDir bin;
    qputenv("PATH", bin.path().toLocal8Bit());
    const auto pressSysInfo = [](QWidget* w) {
        qobject_cast<frmAbout*>(w)->cmdSysInfo->click(); // over the About box, which stays
        QTest::keyClick(w, Qt::Key_Escape);
    };
    ModalAnswer answer;
    answer.then(pressSysInfo).thenClick(QMessageBox::Ok).then(pressSysInfo);
    frmMain::instance().mnuHelpAbout->trigger();
    ASSERT_EQ(answer.seen().size(), 2U);
    EXPECT_EQ(answer.seen()[1].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(frmAbout::existing(), nullptr);

    const QString marker = bin.filePath("started");
    QFile tool(bin.filePath("kinfocenter"));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\necho started > '%1'\n").arg(marker).toUtf8());
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    frmMain::instance().mnuHelpAbout->trigger();
    EXPECT_EQ(answer.seen().size(), 3U); // no "unavailable" box
    EXPECT_TRUE(test::waitUntil([&] { return QFile::exists(marker); }));
}
