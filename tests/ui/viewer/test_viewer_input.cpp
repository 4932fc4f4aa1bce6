// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerFiles.h"

#include "ui/trend/LedBar.h"
#include "ui/trend/PlotControl.h"
#include "ui/trend/SliderControl.h"

#include <QAccessible>
#include <QDropEvent>
#include <QMimeData>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <qcustomplot.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Drags `urls` in over `target` and drops them there, as the window system would.
void drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
}

} // namespace

// A file dropped on a tab opens as its Open button would open it; anything else is refused.
TEST_F(RecordViewerTest, ADroppedFileOpensOnItsTabAndAFolderIsRefused) {
    // Dropped on the grids: the tab's page takes what they do not.
    const std::array<std::tuple<frmHistory::Tab, SpreadGrid*, QString*>, 3> tabs{
        {{frmHistory::TabData, viewer->vaGrid, &state.dataFilePath},
         {frmHistory::TabAuditTrail, viewer->auditGrid, &state.auditFilePath},
         {frmHistory::TabAlarmHistory, viewer->alarmGrid, &state.alarmFilePath}}};
    const QString path = write("plant.csv", kDataLog);
    for (auto [tab, grid, loaded] : tabs) {
        viewer->DataTab->setCurrentIndex(tab);
        drop(grid->view()->viewport(), {QUrl::fromLocalFile(path)});
        EXPECT_TRUE(QTest::qWaitFor([&, l = loaded] { return *l == path; })) << tab;
    }
    ModalAnswer answer;
    answer.thenClick(QMessageBox::Ok);
    viewer->DataTab->setCurrentIndex(frmHistory::TabData);
    drop(viewer->vaGrid->view()->viewport(), {QUrl::fromLocalFile(dir.path())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.pending() == 0; }));
    EXPECT_TRUE(answer.seen().front().text.contains("is a folder"));
    EXPECT_EQ(state.dataFilePath, path);
}

// F5 opens the current tab's file again as it now is, without a dialog; with no file it does
// nothing, and leaves no answer behind for the next Open dialog.
TEST_F(RecordViewerTest, F5OpensTheCurrentTabsFileAgainWithoutADialog) {
    const QString path = write("alarms.csv", "High Temp Zone 1,3/4/2024,14:07:00\r\n");
    open(viewer->almBarBtn[0], path);
    ASSERT_EQ(viewer->alarmGrid->RowCount(), 1);
    write("alarms.csv", "High Temp Zone 1,3/4/2024,14:07:00\r\nLow Flow,3/4/2024,14:09:00\r\n");
    viewer->DataTab->setCurrentIndex(frmHistory::TabAlarmHistory);
    main->activateWindow(); // back from the dialog
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_F5);
    EXPECT_EQ(viewer->alarmGrid->RowCount(), 2);
    viewer->DataTab->setCurrentIndex(frmHistory::TabData);
    QTest::keyClick(main, Qt::Key_F5);
    EXPECT_TRUE(state.dataFilePath.isEmpty());
    EXPECT_EQ(open(viewer->DataBarBtn[0], "").size(), 0U); // the dialog came, and was cancelled
}

// Every grid, slider, label, the plot and the progress bar has a name for assistive tools, on
// the part that takes the focus; no two are alike but the labels, which say what they are.
TEST_F(RecordViewerTest, EveryControlHasAnAccessibleName) {
    const auto nameOf = [](QWidget* w) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        return face == nullptr ? QString() : face->text(QAccessible::Name);
    };
    QList<QWidget*> controls;
    for (auto* grid : viewer->findChildren<SpreadGrid*>()) {
        controls << grid->view();
    }
    for (auto* slider : viewer->findChildren<SliderControl*>()) {
        controls << slider->slider();
    }
    for (auto* plot : viewer->findChildren<PlotControl*>()) {
        controls << plot->customPlot();
    }
    controls << viewer->findChildren<LedBar*>().front();
    ASSERT_EQ(controls.size(), 10);
    QSet<QString> names;
    for (QWidget* control : controls) {
        const QString name = nameOf(control);
        EXPECT_FALSE(name.isEmpty()) << control->parentWidget()->objectName().toStdString();
        names << name;
    }
    EXPECT_EQ(names.size(), controls.size());
    for (auto* label : viewer->findChildren<QLabel*>()) {
        EXPECT_FALSE(nameOf(label).isEmpty()) << label->objectName().toStdString();
    }
}
