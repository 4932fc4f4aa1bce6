// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerFiles.h"

#include "ui/shell/Forms.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QMdiArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <array>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// The viewer with every toolbar action replaced by one that records its name in `calls`.
class ViewerWindow : public ::testing::Test {
protected:
    ViewerWindow() : v(startViewer()) {
        ViewerActions& a = v.actions;
#define WATCH(name) std::pair<ViewerActions::Action*, const char*>(&a.name, #name)
        for (auto [action, name] :
             {WATCH(getHistFile),          WATCH(loadSigFile),          WATCH(loadOpEventsFile),
              WATCH(plotSelection),        WATCH(printDataGrid),        WATCH(exportHistData),
              WATCH(verifyDataSignature),  WATCH(printOpEventGrid),     WATCH(exportOpEventData),
              WATCH(getAuditFile),         WATCH(loadAuditSigFile),     WATCH(printAuditGrid),
              WATCH(exportAuditTrailData), WATCH(verifyAuditSignature), WATCH(getAlmFile),
              WATCH(printAlarmGrid),       WATCH(exportAlmData),        WATCH(openTrendSetup),
              WATCH(toggleTrendCursor),    WATCH(saveTrendJpeg),        WATCH(printTrendPlot)}) {
            *action = [this, label = name] { calls << label; };
        }
#undef WATCH
    }
    // Clicks every button of every group with index from `first` to `last`, but "Cancel
    // History Plot".
    void clickEveryButton(int first = -1, int last = 6) {
        for (int i = first; i <= last; ++i) {
            if (i != 3) {
                v.DataBarBtn_Click(i);
            }
            v.opBarBtn_Click(i);
            v.auditBarBtn_Click(i);
            v.almBarBtn_Click(i);
            v.histBarBtn_Click(i);
        }
    }

    frmHistory& v;
    QStringList calls;
};

} // namespace

TEST_F(ViewerWindow, LoadsWithOnlyTheOperatorEventsTabUnusableAndUnloadsWhenClosed) {
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");
    for (int tab = 0; tab < 5; ++tab) {
        EXPECT_EQ(v.TabAvailable(tab), tab != frmHistory::TabOperatorEvents) << tab;
    }
    const auto clickTab = [this] {
        QTest::mouseClick(v.DataTab->tabBar(), Qt::LeftButton, {},
                          v.DataTab->tabBar()->tabRect(1).center());
    };
    clickTab();
    EXPECT_EQ(v.DataTab->currentIndex(), 0);
    v.setTabAvailable(1, true);
    clickTab();
    EXPECT_EQ(v.DataTab->currentIndex(), 1);
    EXPECT_EQ(errorOf([&] { v.setTabAvailable(5, true); }), ErrInvalidCall);
    // Unloading forgets it; the next use loads a new viewer.
    QPointer<frmHistory> old = &v;
    Forms::unload(&v);
    EXPECT_EQ(frmHistory::existing(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return old.isNull(); }));
    EXPECT_FALSE(frmHistory::instance().TabAvailable(1));
}

TEST_F(ViewerWindow, ButtonsCallTheirProceduresInTheirGroupsRangeOnly) {
    clickEveryButton();
    EXPECT_EQ(calls, (QStringList{"getHistFile", "printOpEventGrid", "getAuditFile", "getAlmFile",
                                  "openTrendSetup", "plotSelection", "exportOpEventData",
                                  "printAuditGrid", "printAlarmGrid", "toggleTrendCursor",
                                  "printDataGrid", "exportAuditTrailData", "exportAlmData",
                                  "saveTrendJpeg", "verifyAuditSignature", "printTrendPlot",
                                  "exportHistData", "verifyDataSignature"}));
    // Cancel History Plot calls nothing: it clears plotBusy.
    calls.clear();
    pubVars().plotBusy = -1;
    v.DataBarBtn_Click(3);
    EXPECT_EQ(pubVars().plotBusy, 0);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(ViewerWindow, OpenButtonsReadFollowUpFilesOnlyWhileAPathIsSet) {
    v.DataBarBtn_Click(0); // cancelled, nothing loaded
    v.auditBarBtn_Click(0);
    EXPECT_EQ(calls, (QStringList{"getHistFile", "getAuditFile"}));
    calls.clear();
    v.actions.getHistFile = [&] {
        calls << "getHistFile";
        pubVars().dataFilePath = "/logs/plant.csv";
    };
    v.DataBarBtn_Click(0);
    v.actions.getHistFile = [&] { calls << "getHistFile"; }; // cancelled, a file stays loaded
    v.DataBarBtn_Click(0);
    pubVars().auditFilePath = "/logs/audit.aud";
    v.auditBarBtn_Click(0);
    EXPECT_EQ(calls,
              (QStringList{"getHistFile", "loadSigFile", "loadOpEventsFile", "getHistFile",
                           "loadSigFile", "loadOpEventsFile", "getAuditFile", "loadAuditSigFile"}));
}

TEST_F(ViewerWindow, FollowsTheLayoutRulesAfterTheMainWindowResizes) {
    frmMain& main = frmMain::instance();
    main.showNormal();
    main.resize(780, 560);
    const ViewerLayout& l = v.layout();
    const auto inTab = [this](const QWidget* w) {
        return QRect(w->mapTo(v.DataTab, QPoint()), w->size());
    };
    EXPECT_EQ(l[LayoutItem::Viewer].width, pixelsToTwipsX(main.mdiArea->viewport()->width()));
    EXPECT_EQ(
        (std::array{inTab(v.iPlotX), inTab(v.DateSlider), v.vaGrid->geometry(),
                    inTab(v.DataBarBtn[5])}),
        (std::array{twipsToPixels(l[LayoutItem::iPlotX]), twipsToPixels(l[LayoutItem::DateSlider]),
                    twipsToPixels(l[LayoutItem::vaGrid]), twipsToPixels(toolbarButtonRect(5))}));
}

using RecordOperationGuard = ViewerWindow;

TEST_F(RecordOperationGuard, WhileAnOpenRunsNoButtonStartsAnythingButCancelStopsAPlot) {
    bool runningInside = false;
    v.actions.getHistFile = [&] {
        calls << "getHistFile";
        pubVars().dataFilePath = "/logs/plant.csv";
    };
    // The follow-up readers let events run, so clicks can arrive while they work.
    v.actions.loadSigFile = [&] {
        calls << "loadSigFile";
        runningInside = v.recordOperationRunning();
        clickEveryButton(0, 5);
        pubVars().plotBusy = -1;
        v.DataBarBtn_Click(3);
    };
    v.DataBarBtn_Click(0);
    EXPECT_TRUE(runningInside);
    EXPECT_EQ(calls, (QStringList{"getHistFile", "loadSigFile", "loadOpEventsFile"}));
    EXPECT_EQ(pubVars().plotBusy, 0);
    EXPECT_FALSE(v.recordOperationRunning());
    // An operation that fails still ends the guard.
    calls.clear();
    v.actions.exportHistData = [] { throw TvError(ErrDeviceIo); };
    v.DataBarBtn_Click(4);
    EXPECT_FALSE(v.recordOperationRunning());
    v.almBarBtn_Click(2);
    EXPECT_EQ(calls, QStringList{"exportAlmData"});
}

// A click that arrives at the reader's own pass of pending events, between its dialog and its
// load, finds the open running: no guard message, no second dialog.
TEST_F(RecordViewerTest, AClickDuringTheRealLoadStartsNoExportAndNoSecondOpen) {
    const QString path = write("plant.csv", crlfLines({"Date,Time,Flow", "3/4/2024,08:00:00,1.5"}));
    ModalAnswer answer;
    answer.then([&](QWidget* w) {
        // Posted now, they run at the next pass of pending events after the dialog has closed.
        QTimer::singleShot(0, viewer, [this] { viewer->DataBarBtn[4]->click(); });
        QTimer::singleShot(0, viewer, [this] { viewer->DataBarBtn[0]->click(); });
        ModalAnswer::chooseFile(path)(w);
    });
    viewer->DataBarBtn[0]->click();
    QTest::qWait(50); // anything left over would show now
    ASSERT_EQ(answer.seen().size(), 1U) << answer.seen().back().text.toStdString();
    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}
