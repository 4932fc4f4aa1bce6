// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendLog.h"
#include "ViewerFiles.h"

#include "ui/recordfiles/GridFindBar.h"
#include "ui/recordfiles/GridGoToBar.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/shell/Forms.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <array>
#include <tuple>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// The viewer with every toolbar action replaced by one that records its name in `calls`.
class ViewerWindow : public ProcedureTest {
protected:
    ViewerWindow() : v(startViewer(state)) {
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
    EXPECT_EQ(statusText(), "No Data File Loaded.");
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
    EXPECT_FALSE(frmHistory::load(state).TabAvailable(1));
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
    state.plotBusy = -1;
    v.DataBarBtn_Click(3);
    EXPECT_EQ(state.plotBusy, 0);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(ViewerWindow, OpenButtonsReadFollowUpFilesOnlyWhileAPathIsSet) {
    v.DataBarBtn_Click(0); // cancelled, nothing loaded
    v.auditBarBtn_Click(0);
    EXPECT_EQ(calls, (QStringList{"getHistFile", "getAuditFile"}));
    calls.clear();
    v.actions.getHistFile = [&] {
        calls << "getHistFile";
        state.dataFilePath = "/logs/plant.csv";
    };
    v.DataBarBtn_Click(0);
    v.actions.getHistFile = [&] { calls << "getHistFile"; }; // cancelled, a file stays loaded
    v.DataBarBtn_Click(0);
    state.auditFilePath = "/logs/audit.aud";
    v.auditBarBtn_Click(0);
    EXPECT_EQ(calls,
              (QStringList{"getHistFile", "loadSigFile", "loadOpEventsFile", "getHistFile",
                           "loadSigFile", "loadOpEventsFile", "getAuditFile", "loadAuditSigFile"}));
}

// The keys press the current tab's Open, Print and Export buttons (Save To Jpeg on the trend).
TEST_F(ViewerWindow, CtrlOPAndEPressTheCurrentTabsButtons) {
    v.setTabAvailable(frmHistory::TabOperatorEvents, true);
    const std::array<QStringList, frmHistory::TabCount> pressed{
        {{"getHistFile", "printDataGrid", "exportHistData"},
         {"printOpEventGrid", "exportOpEventData"},
         {"getAuditFile", "printAuditGrid", "exportAuditTrailData"},
         {"getAlmFile", "printAlarmGrid", "exportAlmData"},
         {"printTrendPlot", "saveTrendJpeg"}}};
    for (int tab = 0; tab < frmHistory::TabCount; ++tab) {
        v.DataTab->setCurrentIndex(tab);
        calls.clear();
        for (Qt::Key key : {Qt::Key_O, Qt::Key_P, Qt::Key_E}) {
            QTest::keyClick(main, key, Qt::ControlModifier);
        }
        EXPECT_EQ(calls, pressed.at(tab)) << tab;
    }
}

TEST_F(ViewerWindow, FollowsTheLayoutRulesAfterTheMainWindowResizes) {
    frmMain& main = *this->main;
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

// The viewer gives every grid the find bar and the four record grids the go-to box.
TEST_F(ViewerWindow, EveryGridFindsAndTheRecordGridsGoToATime) {
    v.setTabAvailable(frmHistory::TabOperatorEvents, true);
    const std::array<std::tuple<SpreadGrid*, int, bool>, 6> grids{{
        {v.vaGrid, 0, true},
        {v.digiSigGrid, 0, false},
        {v.opEvGrid, 1, true},
        {v.auditGrid, 2, true},
        {v.auditSigGrid, 2, false},
        {v.alarmGrid, 3, true},
    }};
    for (const auto& [grid, tab, goesToTime] : grids) {
        v.DataTab->setCurrentIndex(tab);
        grid->view()->setFocus();
        QApplication::processEvents();
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_G));
        EXPECT_EQ(grid->findChild<GridGoToBar*>() != nullptr, goesToTime)
            << qPrintable(grid->objectName());
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_F));
        const auto* bar = grid->findChild<GridFindBar*>();
        EXPECT_TRUE(bar != nullptr && bar->isVisible()) << qPrintable(grid->objectName());
    }
}

using RecordOperationGuard = ViewerWindow;

TEST_F(RecordOperationGuard, WhileAnOpenRunsNoButtonStartsAnythingButCancelStopsAPlot) {
    v.actions.getHistFile = [&] {
        calls << "getHistFile";
        state.dataFilePath = "/logs/plant.csv";
    };
    // The follow-up readers let events run, so clicks can arrive while they work.
    v.actions.loadSigFile = [&] {
        calls << "loadSigFile";
        clickEveryButton(0, 5);
        state.plotBusy = -1;
        v.DataBarBtn_Click(3);
    };
    v.DataBarBtn_Click(0);
    EXPECT_EQ(calls, (QStringList{"getHistFile", "loadSigFile", "loadOpEventsFile"}));
    EXPECT_EQ(state.plotBusy, 0);
    // An operation that fails still ends the guard.
    calls.clear();
    v.actions.exportHistData = [] { throw TvError(ErrDeviceIo); };
    v.DataBarBtn_Click(4);
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
    EXPECT_EQ(state.dataFilePath, path);
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}

TEST_F(ViewerWindow, TheMainWindowSnapsToItsMinimumSizeAndPlacesTheViewerOnceItFits) {
    frmMain& main = *this->main;
    main.showNormal();
    const QSize min(twipsToPixelsX(8940), twipsToPixelsY(6765));
    const QSize frame = main.frameGeometry().size() - main.size();
    for (const QSize& asked : {min + QSize(-1, 40), min + QSize(100, -1), min + QSize(100, 50)}) {
        main.resize(asked - frame);
        const bool fits = asked.width() >= min.width() && asked.height() >= min.height();
        EXPECT_EQ(main.frameGeometry().size(), fits ? asked : min);
    }
    // The viewer fills the area left for child windows.
    EXPECT_EQ(v.geometry(), main.mdiArea->viewport()->rect());
    // A minimised viewer stays as it was.
    v.showMinimized();
    const QSize before = v.size();
    main.resize(main.size() + QSize(40, 30));
    EXPECT_TRUE(v.isMinimized());
    EXPECT_EQ(v.size(), before);
}

// What only the viewer does after its procedures: the tab that a data log's events need, the
// plot's title, the trend tab after a completed build, the zoom from that build, and the
// picture named after the viewer.
TEST_F(RecordViewerTest, TheViewerFollowsUpOnItsProcedures) {
    openDataLog(write("notes.csv", crlfLines({"Date,Time,Batch,Temp", "3/4/2024,08:00:00,,20"})));
    EXPECT_TRUE(viewer->TabAvailable(frmHistory::TabOperatorEvents));
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: notes");
    const std::vector<QStringList> temps{{"B1", "20"}, {"B1", "24"}, {"B1", "22"}, {"B1", "21"}};
    openDataLog(write("plant.csv", logText({"Batch", "Temp"}, temps).toLatin1()));
    EXPECT_FALSE(viewer->TabAvailable(frmHistory::TabOperatorEvents));
    EXPECT_EQ(viewer->iPlotX->TitleText(), "Data File: plant");

    SpreadGrid& grid = *viewer->vaGrid;
    grid.updateView();
    grid.view()->selectionModel()->select(
        QItemSelection(grid.model()->index(0, 2), grid.model()->index(3, 2)),
        QItemSelectionModel::ClearAndSelect);
    viewer->DataBarBtn[1]->click();
    EXPECT_EQ(viewer->DataTab->currentIndex(), frmHistory::TabTrendData);
    viewer->YSlider->setPosition(50);
    EXPECT_DOUBLE_EQ(viewer->iPlotX->YAxis().Span(), 12); // half the build's 0 to 24

    ModalAnswer answer;
    QString proposed;
    answer.then([&](QWidget* w) {
        proposed = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        ModalAnswer::reject()(w);
    });
    viewer->histBarBtn[2]->click();
    EXPECT_EQ(proposed, "Data Viewer.jpg");
}
