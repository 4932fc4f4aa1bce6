#include "RecordTestFiles.h"

#include "common/TvError.h"
#include "shell/SharedState.h"
#include "shell/frmMain.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Every toolbar action records its name.
void watchActions(frmHistory& v, QStringList& calls) {
    ViewerActions& a = v.actions;
    const auto rec = [&calls](const char* name) { return [&calls, name] { calls << name; }; };
    for (auto [action, name] :
         std::initializer_list<std::pair<ViewerActions::Action*, const char*>>{
             {&a.getHistFile, "getHistFile"},
             {&a.loadSigFile, "loadSigFile"},
             {&a.loadOpEventsFile, "loadOpEventsFile"},
             {&a.plotSelection, "plotSelection"},
             {&a.printDataGrid, "printDataGrid"},
             {&a.exportHistData, "exportHistData"},
             {&a.verifyDataSignature, "verifyDataSignature"},
             {&a.printOpEventGrid, "printOpEventGrid"},
             {&a.exportOpEventData, "exportOpEventData"},
             {&a.getAuditFile, "getAuditFile"},
             {&a.loadAuditSigFile, "loadAuditSigFile"},
             {&a.printAuditGrid, "printAuditGrid"},
             {&a.exportAuditTrailData, "exportAuditTrailData"},
             {&a.verifyAuditSignature, "verifyAuditSignature"},
             {&a.getAlmFile, "getAlmFile"},
             {&a.printAlarmGrid, "printAlarmGrid"},
             {&a.exportAlmData, "exportAlmData"},
             {&a.openTrendSetup, "openTrendSetup"},
             {&a.toggleTrendCursor, "toggleTrendCursor"},
             {&a.saveTrendJpeg, "saveTrendJpeg"},
             {&a.printTrendPlot, "printTrendPlot"}}) {
        *action = rec(name);
    }
}

// Clicks every button of every group but "Cancel History Plot".
void clickEveryOtherButton(frmHistory& v) {
    for (int i = 0; i < 6; ++i) {
        if (i != 3) {
            v.DataBarBtn_Click(i);
        }
        v.opBarBtn_Click(i);
        v.auditBarBtn_Click(i);
        v.almBarBtn_Click(i);
        v.histBarBtn_Click(i);
    }
}

} // namespace

TEST(RecordOperationGuard, WhileAnOpenRunsNoButtonStartsAnythingButCancelStopsAPlot) {
    frmHistory& v = startViewer();
    QStringList calls;
    watchActions(v, calls);
    bool runningInside = false;
    v.actions.getHistFile = [&] {
        calls << "getHistFile";
        pubVars().dataFilePath = "/logs/plant.csv";
    };
    // The follow-up readers let events run, so clicks can arrive while they work.
    v.actions.loadSigFile = [&] {
        calls << "loadSigFile";
        runningInside = v.recordOperationRunning();
        clickEveryOtherButton(v);
        pubVars().plotBusy = -1;
        v.DataBarBtn_Click(3);
    };
    v.DataBarBtn_Click(0);
    EXPECT_TRUE(runningInside);
    EXPECT_EQ(calls, (QStringList{"getHistFile", "loadSigFile", "loadOpEventsFile"}));
    EXPECT_EQ(pubVars().plotBusy, 0);
    EXPECT_FALSE(v.recordOperationRunning());

    calls.clear();
    v.actions.loadSigFile = [&] { calls << "loadSigFile"; };
    v.almBarBtn_Click(2);
    v.DataBarBtn_Click(0);
    EXPECT_EQ(calls,
              (QStringList{"exportAlmData", "getHistFile", "loadSigFile", "loadOpEventsFile"}));
}

TEST(RecordOperationGuard, AnOperationThatFailsStillEndsTheGuard) {
    frmHistory& v = startViewer();
    QStringList calls;
    watchActions(v, calls);
    v.actions.exportHistData = [] { throw TvError(ErrDeviceIo); };
    v.DataBarBtn_Click(4);
    EXPECT_FALSE(v.recordOperationRunning());
    v.DataBarBtn_Click(2);
    EXPECT_EQ(calls, QStringList{"printDataGrid"});
}

// A click that arrives at the reader's own pass of pending events, between its dialog and its
// load, finds the open running: no guard message, no second dialog.
TEST_F(RecordViewerTest, AClickDuringTheRealLoadStartsNoExportAndNoSecondOpen) {
    const QString path = file("plant.csv");
    writeFile(path, crlfLines({"Date,Time,Flow", "3/4/2024,08:00:00,1.5"}));
    ModalAnswer answer;
    answer.then([&](QWidget* w) {
        // Posted now, they run at the next pass of pending events after the dialog has closed.
        QTimer::singleShot(0, viewer, [this] { viewer->DataBarBtn[4]->click(); });
        QTimer::singleShot(0, viewer, [this] { viewer->DataBarBtn[0]->click(); });
        DialogDriver::chooseFile(path)(w);
    });
    viewer->DataBarBtn[0]->click();
    QTest::qWait(50); // anything left over would show now
    ASSERT_EQ(answer.seen().size(), 1U) << answer.seen().back().text.toStdString();
    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}
