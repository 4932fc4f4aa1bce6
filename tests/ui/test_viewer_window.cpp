#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "common/TvError.h"
#include "recordfiles/SpreadGrid.h"
#include "shell/Screen.h"
#include "shell/SharedState.h"
#include "shell/frmMain.h"
#include "trend/LedBar.h"
#include "trend/PlotControl.h"
#include "trend/SliderControl.h"
#include "viewer/frmHistory.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// Replaces every toolbar action with one that records its name.
QStringList& watchActions(frmHistory& v) {
    static QStringList calls;
    calls.clear();
    ViewerActions& a = v.actions;
    const auto rec = [](const char* name) { return [name] { calls << QLatin1String(name); }; };
    a.getHistFile = rec("getHistFile");
    a.loadSigFile = rec("loadSigFile");
    a.loadOpEventsFile = rec("loadOpEventsFile");
    a.plotSelection = rec("plotSelection");
    a.printDataGrid = rec("printDataGrid");
    a.exportHistData = rec("exportHistData");
    a.verifyDataSignature = rec("verifyDataSignature");
    a.printOpEventGrid = rec("printOpEventGrid");
    a.exportOpEventData = rec("exportOpEventData");
    a.getAuditFile = rec("getAuditFile");
    a.loadAuditSigFile = rec("loadAuditSigFile");
    a.printAuditGrid = rec("printAuditGrid");
    a.exportAuditTrailData = rec("exportAuditTrailData");
    a.verifyAuditSignature = rec("verifyAuditSignature");
    a.getAlmFile = rec("getAlmFile");
    a.printAlarmGrid = rec("printAlarmGrid");
    a.exportAlmData = rec("exportAlmData");
    a.openTrendSetup = rec("openTrendSetup");
    a.toggleTrendCursor = rec("toggleTrendCursor");
    a.saveTrendJpeg = rec("saveTrendJpeg");
    a.printTrendPlot = rec("printTrendPlot");
    return calls;
}

QStringList tooltips(const auto& group) {
    QStringList result;
    for (const QToolButton* b : group) {
        result << b->toolTip();
    }
    return result;
}

// A control's place in twips-converted pixels, counted from DataTab's top left corner.
QRect inTab(const frmHistory& v, const QWidget* w) {
    return {w->mapTo(v.DataTab, QPoint()), w->size()};
}

} // namespace

TEST(HistoryViewer, LoadsWithNoFileOnTheDataTabWithOperatorEventsUnusable) {
    frmHistory& v = test::startViewer();
    EXPECT_EQ(frmMain::instance().statusText(), "No Data File Loaded.");
    EXPECT_EQ(v.windowTitle(), "Data Viewer");
    EXPECT_FALSE(v.windowIcon().isNull());
    ASSERT_EQ(v.DataTab->count(), 5);
    EXPECT_EQ(v.DataTab->currentIndex(), 0);
    const QStringList captions{"Data", "Operator Events", "Audit Trail", "Alarm History",
                               "Trend Data"};
    for (int tab = 0; tab < 5; ++tab) {
        EXPECT_EQ(v.DataTab->tabText(tab), captions[tab]);
        EXPECT_EQ(v.TabAvailable(tab), tab != 1) << tab;
    }
    EXPECT_TRUE(pubVars().dataFilePath.isEmpty());
    EXPECT_FALSE(v.historyXspan.has_value());
    EXPECT_FALSE(v.DcryLabel->isVisible());
    EXPECT_FALSE(v.ProgBar->isVisible());
    EXPECT_EQ(v.DcryLabel->text(), "Plotting Please Wait:");
    EXPECT_EQ(v.dataFrame->title(), "File Data:");
    EXPECT_EQ(v.sigFrame->title(), "Digital Signatures:");
    EXPECT_EQ(v.auditNameLab->text(), "Audit Trail File:");
    EXPECT_EQ(v.auditDataFrame->title(), "Audit Trail Data");
    EXPECT_EQ(v.auditSigFrame->title(), "Audit Trail Digital Signatures");
    EXPECT_EQ(v.almNameLab->text(), "Alarm History File:");
}

TEST(HistoryViewer, AnUnavailableTabCannotBeOpened) {
    frmHistory& v = test::startViewer();
    QTest::mouseClick(v.DataTab->tabBar(), Qt::LeftButton, {},
                      v.DataTab->tabBar()->tabRect(1).center());
    EXPECT_EQ(v.DataTab->currentIndex(), 0);
    v.setTabAvailable(1, true);
    QTest::mouseClick(v.DataTab->tabBar(), Qt::LeftButton, {},
                      v.DataTab->tabBar()->tabRect(1).center());
    EXPECT_EQ(v.DataTab->currentIndex(), 1);
    EXPECT_TRUE(v.TabAvailable(1));
    for (int bad : {-1, 5}) {
        try {
            v.setTabAvailable(bad, true);
            ADD_FAILURE() << "no error for tab " << bad;
        } catch (const TvError& e) {
            EXPECT_EQ(e.number(), ErrInvalidCall);
        }
    }
}

TEST(HistoryViewer, ToolbarButtonsArePictureButtonsWithTheirTooltipsInATouchingRow) {
    frmHistory& v = test::startViewer();
    EXPECT_EQ(tooltips(v.DataBarBtn),
              (QStringList{"Open History File", "Plot History File", "Print History File",
                           "Cancel History Plot", "Export Data File", "Verify Digital Signature"}));
    EXPECT_EQ(tooltips(v.opBarBtn),
              (QStringList{"Print Operator Events", "Export Operator Events"}));
    EXPECT_EQ(tooltips(v.auditBarBtn),
              (QStringList{"Open Audit Trail", "Print Audit Trail", "Export Audit Trail",
                           "Verify Digital Signature"}));
    EXPECT_EQ(tooltips(v.almBarBtn),
              (QStringList{"Open Alarm History", "Print Alarm History", "Export Alarm History"}));
    EXPECT_EQ(tooltips(v.histBarBtn), (QStringList{"Setup Hist Trend", "Show/Hide Cursor",
                                                   "Save To Jpeg", "Print History Plot"}));
    for (std::size_t i = 0; i < v.DataBarBtn.size(); ++i) {
        const QToolButton* b = v.DataBarBtn.at(i);
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_EQ(b->accessibleName(), b->toolTip());
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->iconSize(), QSize(16, 16));
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
        const QRect r = inTab(v, b);
        EXPECT_EQ(r, twipsToPixels(toolbarButtonRect(static_cast<int>(i)))) << i;
        if (i > 0) {
            EXPECT_EQ(inTab(v, v.DataBarBtn.at(i - 1)).right() + 1, r.left());
        }
    }
}

TEST(HistoryViewer, ButtonsCallTheirProceduresInTheirGroupsRangeOnly) {
    frmHistory& v = test::startViewer();
    QStringList& calls = watchActions(v);
    for (int i = -1; i <= 6; ++i) {
        v.DataBarBtn_Click(i);
        v.opBarBtn_Click(i);
        v.auditBarBtn_Click(i);
        v.almBarBtn_Click(i);
        v.histBarBtn_Click(i);
    }
    EXPECT_EQ(calls, (QStringList{"getHistFile", "printOpEventGrid", "getAuditFile", "getAlmFile",
                                  "openTrendSetup", "plotSelection", "exportOpEventData",
                                  "printAuditGrid", "printAlarmGrid", "toggleTrendCursor",
                                  "printDataGrid", "exportAuditTrailData", "exportAlmData",
                                  "saveTrendJpeg", "verifyAuditSignature", "printTrendPlot",
                                  "exportHistData", "verifyDataSignature"}));
}

TEST(HistoryViewer, OpenButtonsReadFollowUpFilesOnlyWhileAPathIsSet) {
    frmHistory& v = test::startViewer();
    QStringList& calls = watchActions(v);
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
    EXPECT_EQ(calls, (QStringList{"getHistFile", "loadSigFile", "loadOpEventsFile", "getHistFile",
                                  "loadSigFile", "loadOpEventsFile"}));

    calls.clear();
    pubVars().auditFilePath = "/logs/audit.aud";
    v.auditBarBtn_Click(0);
    EXPECT_EQ(calls, (QStringList{"getAuditFile", "loadAuditSigFile"}));
}

TEST(HistoryViewer, CancelHistoryPlotOnlyClearsPlotBusy) {
    frmHistory& v = test::startViewer();
    QStringList& calls = watchActions(v);
    pubVars().plotBusy = -1;
    v.DataBarBtn_Click(3);
    EXPECT_EQ(pubVars().plotBusy, 0);
    v.DataBarBtn_Click(3);
    EXPECT_EQ(pubVars().plotBusy, 0);
    EXPECT_TRUE(calls.isEmpty());
}

TEST(HistoryViewer, AClickHandsTheFocusToTheTabsOrOnTheTrendTabToThePlot) {
    frmHistory& v = test::startViewer();
    QStringList& calls = watchActions(v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frmMain::instance()));
    v.DataBarBtn[4]->setFocus();
    QTest::mouseClick(v.DataBarBtn[2], Qt::LeftButton);
    EXPECT_EQ(calls, QStringList{"printDataGrid"});
    EXPECT_TRUE(v.DataTab->hasFocus());

    v.DataTab->setCurrentIndex(frmHistory::TabTrendData);
    QTest::mouseClick(v.histBarBtn[1], Qt::LeftButton);
    EXPECT_EQ(calls, (QStringList{"printDataGrid", "toggleTrendCursor"}));
    EXPECT_EQ(QApplication::focusWidget(), v.iPlotX->focusProxy() != nullptr
                                               ? v.iPlotX->focusProxy()
                                               : static_cast<QWidget*>(v.iPlotX));
}

TEST(HistoryViewer, KeyboardPressesAButtonAndLeavesTheFocusOnIt) {
    frmHistory& v = test::startViewer();
    QStringList& calls = watchActions(v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frmMain::instance()));
    v.DataTab->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), v.DataBarBtn[0]);
    QTest::keyClick(v.DataBarBtn[0], Qt::Key_Tab);
    QTest::keyClick(v.DataBarBtn[1], Qt::Key_Space);
    EXPECT_EQ(calls, QStringList{"plotSelection"});
    EXPECT_EQ(QApplication::focusWidget(), v.DataBarBtn[1]);
}

TEST(HistoryViewer, FollowsTheLayoutRulesAfterTheMainWindowResizes) {
    frmHistory& v = test::startViewer();
    frmMain& main = frmMain::instance();
    main.showNormal();
    main.resize(780, 560);
    const ViewerLayout& l = v.layout();
    EXPECT_EQ(l[LayoutItem::Viewer].width, pixelsToTwipsX(main.mdiArea->viewport()->width()));
    EXPECT_EQ(v.DataTab->geometry(), twipsToPixels(l[LayoutItem::DataTab]));
    EXPECT_EQ(inTab(v, v.iPlotX), twipsToPixels(l[LayoutItem::iPlotX]));
    EXPECT_EQ(inTab(v, v.YSlider), twipsToPixels(l[LayoutItem::YSlider]));
    EXPECT_EQ(inTab(v, v.DateSlider), twipsToPixels(l[LayoutItem::DateSlider]));
    EXPECT_EQ(v.vaGrid->geometry(), twipsToPixels(l[LayoutItem::vaGrid]));
    EXPECT_EQ(l[LayoutItem::YSlider].left, l[LayoutItem::iPlotX].width + 70);
    // DataTab lies inside the viewer's inner area, and the grids inside their frames.
    EXPECT_TRUE(v.widget()->rect().contains(v.DataTab->geometry()));
    EXPECT_TRUE(v.dataFrame->rect().contains(v.vaGrid->geometry()));
    EXPECT_TRUE(v.sigFrame->rect().contains(v.digiSigGrid->geometry()));
}

TEST(HistoryViewer, UnloadingForgetsTheInstance) {
    frmHistory& first = test::startViewer();
    QPointer<frmHistory> old = &first;
    first.close();
    EXPECT_EQ(frmHistory::existing(), nullptr);
    EXPECT_TRUE(test::waitUntil([&] { return old.isNull(); }));
    frmHistory& second = frmHistory::instance();
    EXPECT_EQ(frmHistory::existing(), &second);
    EXPECT_FALSE(second.TabAvailable(1));
}
