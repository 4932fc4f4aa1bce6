// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/frmHistory.h"

#include "core/common/Int16.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Forms.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/PlotControl.h"
#include "ui/viewer/ViewerFrameStyle.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMoveEvent>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace tarvex {
namespace {

frmHistory* s_instance = nullptr;

using Member = ViewerActions::Action ViewerActions::*;

// The buttons without follow-up calls, by index; nullptr where the click handler has its own.
constexpr std::array<Member, 6> kDataActions{
    nullptr, &ViewerActions::plotSelection,  &ViewerActions::printDataGrid,
    nullptr, &ViewerActions::exportHistData, &ViewerActions::verifyDataSignature};
constexpr std::array<Member, 2> kOpActions{&ViewerActions::printOpEventGrid,
                                           &ViewerActions::exportOpEventData};
constexpr std::array<Member, 4> kAuditActions{nullptr, &ViewerActions::printAuditGrid,
                                              &ViewerActions::exportAuditTrailData,
                                              &ViewerActions::verifyAuditSignature};
constexpr std::array<Member, 3> kAlarmActions{
    &ViewerActions::getAlmFile, &ViewerActions::printAlarmGrid, &ViewerActions::exportAlmData};
constexpr std::array<Member, 4> kHistActions{
    &ViewerActions::openTrendSetup, &ViewerActions::toggleTrendCursor,
    &ViewerActions::saveTrendJpeg, &ViewerActions::printTrendPlot};

template <std::size_t N> bool inGroup(int index, const std::array<Member, N>&) {
    return index >= 0 && static_cast<std::size_t>(index) < N;
}

} // namespace

frmHistory& frmHistory::load(SharedState& state) {
    if (s_instance == nullptr) {
        frmMain& main = frmMain::load(state);
        s_instance = new frmHistory(state, main);
        main.mdiArea->addSubWindow(s_instance);
        s_instance->Form_Load();
    }
    return *s_instance;
}

frmHistory* frmHistory::existing() {
    return s_instance;
}

frmHistory::frmHistory(SharedState& state, frmMain& main)
    : state_(state), main_(main), client_(new QWidget), frameStyle_(new ViewerFrameStyle) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Data Viewer"));
    // Minimise and maximise buttons, but no close button and no Close in the window menu
    // (Ctrl+W): the viewer is shown once and stays until the program ends.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinMaxButtonsHint);
    frameStyle_->setParent(this);
    setStyle(frameStyle_);
    removeWindowMenuClose();
    setAttribute(Qt::WA_DeleteOnClose); // closing it unloads it
    setWindowIcon(QIcon(appIcon().pixmap(16, 16)));
    client_->setObjectName(QStringLiteral("frmHistoryClient"));
    setWidget(client_);
    buildControls();
    placeControls();
    bindActions();
    addKeys();
    Forms::add(this);
}

frmHistory::~frmHistory() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

void frmHistory::showViewer() {
    show();
    if (!main_.isVisible()) {
        main_.show();
    }
}

void frmHistory::Form_Load() {
    ignoreErrors([this] { main_.setStatusText(QStringLiteral("No Data File Loaded.")); });
    for (SpreadGrid* grid : {vaGrid, digiSigGrid, opEvGrid, auditGrid, auditSigGrid, alarmGrid}) {
        ignoreErrors([grid] { grid->setPresentationFlagA(true); });
        ignoreErrors([grid] { grid->setPresentationFlagB(true); });
    }
    ignoreErrors([this] { setTabAvailable(TabOperatorEvents, false); });
    ignoreErrors([this] { DataTab->setCurrentIndex(TabData); });
}

void frmHistory::closeEvent(QCloseEvent* event) {
    if (Forms::isLoaded(this)) {
        event->ignore(); // a close asked for by the user, not an unload
        return;
    }
    // Unload: forget the instance; the next use creates a new viewer.
    if (s_instance == this) {
        s_instance = nullptr;
    }
    QMdiSubWindow::closeEvent(event);
}

void frmHistory::removeWindowMenuClose() {
    QMenu* menu = systemMenu();
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    if (menu == nullptr || closeKeys.isEmpty()) {
        return;
    }
    for (QAction* action : menu->actions()) {
        if (action->shortcuts() == closeKeys) {
            action->setShortcuts({});
            menu->removeAction(action);
            removeAction(action); // the window holds the menu's actions for their shortcuts
        }
    }
}

void frmHistory::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    // Dragging the title bar or the window menu's keyboard move must not take the viewer out of
    // the main window's inner area.
    const QMdiArea* area = mdiArea();
    if (area == nullptr || isMaximized()) {
        return;
    }
    const QSize room = area->viewport()->size() - size();
    const QPoint inside(std::clamp(x(), 0, std::max(room.width(), 0)),
                        std::clamp(y(), 0, std::max(room.height(), 0)));
    if (inside != pos()) {
        ignoreErrors([&] { move(inside); });
    }
}

bool frmHistory::event(QEvent* event) {
    if (event->type() == QEvent::DeferredDelete && recordOperationRunning_) {
        deleteWhenOperationEnds_ = true; // the running operation still refers to the viewer
        return true;
    }
    return QMdiSubWindow::event(event);
}

bool frmHistory::TabAvailable(int tab) const {
    if (tab < 0 || tab >= DataTab->count()) {
        throw TvError(ErrInvalidCall);
    }
    return DataTab->isTabEnabled(tab);
}

void frmHistory::setTabAvailable(int tab, bool available) {
    if (tab < 0 || tab >= DataTab->count()) {
        throw TvError(ErrInvalidCall);
    }
    DataTab->setTabEnabled(tab, available);
}

void frmHistory::run(Member action) {
    ignoreErrors([&] { (actions.*action)(); });
}

template <class F> void frmHistory::runOperation(F&& procedures) {
    if (recordOperationRunning_) {
        return; // a second load or export on top of the running one would find it half done
    }
    recordOperationRunning_ = true;
    // An unload while the procedures let events run only closes the viewer; it is destroyed
    // once they have returned.
    const QScopeGuard done([this] {
        recordOperationRunning_ = false;
        if (deleteWhenOperationEnds_) {
            deleteLater();
        }
    });
    std::forward<F>(procedures)();
}

void frmHistory::DataBarBtn_Click(int Index) {
    if (!inGroup(Index, kDataActions)) {
        return;
    }
    if (Index == 3) {
        state_.plotBusy = kFalse16; // the build stops at its next step
        return;
    }
    runOperation([this, Index] {
        if (Index != 0) {
            run(kDataActions.at(static_cast<std::size_t>(Index)));
            return;
        }
        run(&ViewerActions::getHistFile);
        // Also after a cancelled dialog, as long as a data log is loaded.
        if (existing() == this && !state_.dataFilePath.isEmpty()) {
            run(&ViewerActions::loadSigFile);
            if (existing() == this) {
                run(&ViewerActions::loadOpEventsFile);
            }
        }
    });
}

void frmHistory::opBarBtn_Click(int Index) {
    if (inGroup(Index, kOpActions)) {
        runOperation([this, Index] { run(kOpActions.at(static_cast<std::size_t>(Index))); });
    }
}

void frmHistory::auditBarBtn_Click(int Index) {
    if (!inGroup(Index, kAuditActions)) {
        return;
    }
    runOperation([this, Index] {
        if (Index != 0) {
            run(kAuditActions.at(static_cast<std::size_t>(Index)));
            return;
        }
        run(&ViewerActions::getAuditFile);
        if (existing() == this && !state_.auditFilePath.isEmpty()) {
            run(&ViewerActions::loadAuditSigFile);
        }
    });
}

void frmHistory::almBarBtn_Click(int Index) {
    if (inGroup(Index, kAlarmActions)) {
        runOperation([this, Index] { run(kAlarmActions.at(static_cast<std::size_t>(Index))); });
    }
}

void frmHistory::histBarBtn_Click(int Index) {
    if (inGroup(Index, kHistActions)) {
        runOperation([this, Index] { run(kHistActions.at(static_cast<std::size_t>(Index))); });
    }
}

void frmHistory::iPlotX_ExportRequested(PlotExport format) {
    runOperation([this, format] { ignoreErrors([&] { actions.exportTrend(format); }); });
}

void frmHistory::BarBtn_MouseUp() {
    ignoreErrors([this] {
        if (DataTab->currentIndex() == TabTrendData) {
            iPlotX->setFocus(Qt::MouseFocusReason);
        } else {
            DataTab->setFocus(Qt::MouseFocusReason);
        }
    });
}

bool frmHistory::eventFilter(QObject* watched, QEvent* event) {
    const auto page = std::ranges::find(pages_, watched);
    if (page != pages_.end() && (*page)->acceptDrops() &&
        pageDropEvent(static_cast<Tab>(page - pages_.begin()), event)) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && qobject_cast<QToolButton*>(watched)) {
        BarBtn_MouseUp();
    } else if (event->type() == QEvent::Resize &&
               std::ranges::find(pages_, watched) != pages_.end()) {
        ignoreErrors([this] { placeControls(); });
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void frmHistory::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    ignoreErrors([this] { Form_Resize(); });
}

void frmHistory::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    ignoreErrors([this] { Form_Resize(); });
}

void frmHistory::Form_Resize() {
    if (isMinimized() || resizing_) {
        return;
    }
    resizing_ = true;
    const QSize inner = mdiArea() != nullptr ? mdiArea()->viewport()->size() : size();
    layout_.applyResize(pixelsToTwipsX(inner.width(), this), pixelsToTwipsY(inner.height(), this));
    // A hidden window would take the size without its resize event, leaving its frame's own
    // layout behind; it is fitted when it is shown.
    if (isVisible()) {
        ignoreErrors([this] {
            resize(twipsToPixelsX(layout_[LayoutItem::Viewer].width, this),
                   twipsToPixelsY(layout_[LayoutItem::Viewer].height, this));
        });
    }
    ignoreErrors([this] { placeControls(); });
    resizing_ = false;
}

// Moves every control to its laid-out place. Tab positions count from the tab control's top
// left corner, like the layout's, so a page's own offset inside DataTab is taken off.
void frmHistory::placeControls() {
    const auto offsetOf = [this](const QWidget* w) {
        const QWidget* parent = w->parentWidget();
        return std::ranges::find(pages_, parent) != pages_.end() ? parent->mapTo(DataTab, QPoint())
                                                                 : QPoint();
    };
    for (std::size_t i = 0; i < laidOut_.size(); ++i) {
        QWidget* w = laidOut_.at(i);
        if (w != nullptr) {
            const QRect r = twipsToPixels(layout_[static_cast<LayoutItem>(i)], this);
            w->setGeometry(r.translated(-offsetOf(w)));
        }
    }
    const auto placeButtons = [&](auto& group) {
        for (std::size_t i = 0; i < group.size(); ++i) {
            const QRect r = twipsToPixels(toolbarButtonRect(static_cast<int>(i)), this);
            group.at(i)->setGeometry(r.translated(-offsetOf(group.at(i))));
        }
    };
    placeButtons(DataBarBtn);
    placeButtons(opBarBtn);
    placeButtons(auditBarBtn);
    placeButtons(almBarBtn);
    placeButtons(histBarBtn);
}

} // namespace tarvex
