// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendLog.h"
#include "ViewerFiles.h"

#include "core/recordfiles/SampleData.h"
#include "core/recordfiles/SampleDataLog.h"
#include "core/recordfiles/SampleRecords.h"
#include "ui/recordfiles/GridFindBar.h"
#include "ui/recordfiles/GridGoToBar.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/shell/Forms.h"
#include "ui/trend/LedBar.h"
#include "ui/trend/PictureSizeDialog.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"

#include <qcustomplot.h>

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
#include <map>
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

namespace {

// The viewer with the sample data set's log, signatures, operator events and alarms loaded, and
// a trend of two of the log's columns built.
class SampleTrendTest : public ViewerFilesTest {
protected:
    void SetUp() override {
        ViewerFilesTest::SetUp();
        sample = writeSampleData(dir.filePath(QStringLiteral("sample")));
        openDataLog(sample.dataLog);
        open(viewer->almBarBtn[0], sample.alarmHistory);
        SpreadGrid& grid = *viewer->vaGrid;
        grid.updateView();
        grid.view()->selectionModel()->select(
            QItemSelection(grid.model()->index(0, 5), grid.model()->index(grid.RowCount() - 1, 6)),
            QItemSelectionModel::ClearAndSelect);
        viewer->DataBarBtn[1]->click();
        ASSERT_EQ(viewer->DataTab->currentIndex(), frmHistory::TabTrendData);
    }

    SampleFiles sample;
};

} // namespace

// The sample log's trend carries on its time line its operator events and alarms,
// the signature made that afternoon and the last record it still covers; the two signatures of
// the next morning fall outside it.
TEST_F(SampleTrendTest, TheTimeLineShowsTheEventsAlarmsAndSignaturesOfItsRange) {
    std::map<MarkerKind, std::vector<TrendMarker>> byKind;
    for (const TrendMarker& m : viewer->iPlotX->markers()) {
        byKind[m.kind].push_back(m);
    }
    // All events and alarms lie within the log's day.
    EXPECT_EQ(byKind[MarkerKind::OperatorEvent].size(), SampleRecords::operatorEvents().size());
    EXPECT_EQ(byKind[MarkerKind::Alarm].size(), SampleRecords::alarmHistory().size());

    const SampleRecords::Signature first = SampleRecords::dataLogSignatures().front();
    ASSERT_EQ(byKind[MarkerKind::Signature].size(), 1U);
    EXPECT_EQ(byKind[MarkerKind::Signature][0].who, first.user);
    EXPECT_NEAR(byKind[MarkerKind::Signature][0].time,
                dateSerial(2024, 3, 4) + timeSerial(15, 56, 10), 1e-9);
    ASSERT_EQ(byKind[MarkerKind::CoverageEnd].size(), 1U);
    EXPECT_EQ(byKind[MarkerKind::CoverageEnd][0].what, first.comment);
    const double minute = 1.0 / 1440;
    EXPECT_NEAR(byKind[MarkerKind::CoverageEnd][0].time,
                dateSerial(2024, 3, 4) + (first.records - 1) * minute, 1e-9)
        << "the time of the last record signed";
}

// The context menu's exports write the picture at the size confirmed and the shown records;
// the name proposed is the viewer's; a loaded record file is never replaced.
TEST_F(SampleTrendTest, ExportsWriteWhatIsShownAndNeverARecordFile) {
    const auto exportAs = [this](PlotExport format, const QString& path,
                                 std::vector<ModalAnswer::Action> then) {
        ModalAnswer answer;
        DialogSeen seen;
        answer.then(answerFileDialog(path, &seen));
        for (auto& action : then) {
            answer.then(std::move(action));
        }
        emit viewer->iPlotX->exportRequested(format);
        EXPECT_EQ(answer.pending(), 0);
        return std::pair(seen.proposedName, answer.seen());
    };
    const auto sizeTo = [](int width, int height) -> ModalAnswer::Action {
        return [width, height](QWidget* w) {
            auto& dialog = dynamic_cast<PictureSizeDialog&>(*w);
            dialog.widthInput->setValue(width);
            dialog.heightInput->setValue(height);
            dialog.accept();
        };
    };
    const QString png = dir.filePath(QStringLiteral("trend.png"));
    EXPECT_EQ(exportAs(PlotExport::Png, png, {sizeTo(900, 500)}).first, "Data Viewer.png");
    EXPECT_EQ(QImage(png).size(), QSize(900, 500));

    const QString csv = dir.filePath(QStringLiteral("shown.csv"));
    exportAs(PlotExport::Csv, csv, {});
    const QList<QByteArray> lines = readBytes(csv).split('\n');
    ASSERT_EQ(lines.size(), SampleDataLog::kRecords + 2); // titles, records, the last line end
    EXPECT_TRUE(lines[0].startsWith("Time,Jacket Temp")) << lines[0].toStdString();

    const QByteArray signatures = readBytes(sample.dataSignatures);
    const auto refused =
        exportAs(PlotExport::Svg, sample.dataSignatures, {ModalAnswer::click(QMessageBox::Ok)});
    ASSERT_EQ(refused.second.size(), 2U); // the Save dialog and its refusal
    EXPECT_TRUE(refused.second[1].text.contains("never overwritten"));
    EXPECT_EQ(readBytes(sample.dataSignatures), signatures);
    // A folder that takes no new files, whoever runs the test.
    const auto failed = exportAs(PlotExport::Csv, QStringLiteral("/proc/shown.csv"),
                                 {ModalAnswer::click(QMessageBox::Ok)});
    ASSERT_EQ(failed.second.size(), 2U);
    EXPECT_EQ(failed.second[1].text, "File can not be saved. Check filename or disk space");
}

// On the viewer's plot, Shift with a drag zooms to the box; Backspace goes back to the build's
// view and Shift+Backspace forward again; a double-click after a slider move restores the build.
TEST_F(SampleTrendTest, BoxZoomAndBackOnTheViewersPlot) {
    QCustomPlot& custom = *viewer->iPlotX->customPlot();
    const auto send = [&](QEvent::Type type, QPointF pos, Qt::KeyboardModifiers modifiers) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, custom.mapToGlobal(pos), Qt::LeftButton, held, modifiers);
        QApplication::sendEvent(&custom, &event);
    };
    const auto viewOf = [&] { return viewer->iPlotX->view(); };
    const PlotView built = viewOf();
    const QRect area = custom.axisRect()->rect();
    const QPointF from = area.topLeft() + QPointF(area.width() * 0.25, area.height() * 0.25);
    const QPointF to = area.topLeft() + QPointF(area.width() * 0.5, area.height() * 0.75);
    for (const auto type :
         {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
        send(type, type == QEvent::MouseButtonPress ? from : to, Qt::ShiftModifier);
    }
    const PlotView boxed = viewOf();
    EXPECT_NEAR(boxed.time.span, built.time.span / 4, built.time.span / area.width());
    EXPECT_NEAR(boxed.value.span, built.value.span / 2, built.value.span / area.height());
    QTest::keyClick(&custom, Qt::Key_Backspace);
    EXPECT_EQ(viewOf(), built);
    QTest::keyClick(&custom, Qt::Key_Backspace, Qt::ShiftModifier);
    EXPECT_EQ(viewOf(), boxed);
    viewer->DateSlider->setPosition(50);
    QTest::mouseDClick(&custom, Qt::LeftButton, {}, area.center());
    EXPECT_EQ(viewOf(), built);
}
