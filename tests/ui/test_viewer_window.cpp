#include "ViewerTestFiles.h"

#include "common/TvError.h"
#include "shell/Forms.h"
#include "trend/LedBar.h"
#include "trend/PlotControl.h"
#include "trend/SliderControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace tarvex;
using test::ModalAnswer;
using namespace tarvex::test;

namespace {

// Replaces every toolbar action with one that records its name.
QStringList& watchActions(frmHistory& v) {
    static QStringList calls;
    calls.clear();
    test::watchActions(v, calls);
    return calls;
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
    Forms::unload(&first);
    EXPECT_EQ(frmHistory::existing(), nullptr);
    EXPECT_TRUE(test::waitUntil([&] { return old.isNull(); }));
    frmHistory& second = frmHistory::instance();
    EXPECT_EQ(frmHistory::existing(), &second);
    EXPECT_FALSE(second.TabAvailable(1));
}

TEST(RecordOperationGuard, WhileAnOpenRunsNoButtonStartsAnythingButCancelStopsAPlot) {
    frmHistory& v = test::startViewer();
    QStringList calls;
    test::watchActions(v, calls);
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
    frmHistory& v = test::startViewer();
    QStringList calls;
    test::watchActions(v, calls);
    v.actions.exportHistData = [] { throw TvError(ErrDeviceIo); };
    v.DataBarBtn_Click(4);
    EXPECT_FALSE(v.recordOperationRunning());
    v.DataBarBtn_Click(2);
    EXPECT_EQ(calls, QStringList{"printDataGrid"});
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
        DialogDriver::chooseFile(path)(w);
    });
    viewer->DataBarBtn[0]->click();
    QTest::qWait(50); // anything left over would show now
    ASSERT_EQ(answer.seen().size(), 1U) << answer.seen().back().text.toStdString();
    EXPECT_EQ(pubVars().dataFilePath, path);
    EXPECT_EQ(followUps, (QStringList{"loadSigFile", "loadOpEventsFile"}));
}
