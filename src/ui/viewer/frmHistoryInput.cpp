// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/frmHistory.h"

#include "core/viewer/DroppedFile.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

// Keys and drops: further ways to press the current tab's toolbar buttons.

namespace tarvex {

QToolButton* frmHistory::tabButton(Tab tab, TabButton which) const {
    // Per tab: Open, Print, Export; nullptr where the tab has no such button.
    const std::array<std::array<QToolButton*, 3>, TabCount> buttons{{
        {DataBarBtn[0], DataBarBtn[2], DataBarBtn[4]},
        {nullptr, opBarBtn[0], opBarBtn[1]},
        {auditBarBtn[0], auditBarBtn[1], auditBarBtn[2]},
        {almBarBtn[0], almBarBtn[1], almBarBtn[2]},
        {nullptr, histBarBtn[3], histBarBtn[2]},
    }};
    return buttons.at(tab).at(static_cast<std::size_t>(which));
}

QString frmHistory::tabFile(Tab tab) const {
    switch (tab) {
    case TabData:
    case TabOperatorEvents: // its events come with the data log
        return state_.dataFilePath;
    case TabAuditTrail:
        return state_.auditFilePath;
    case TabAlarmHistory:
        return state_.alarmFilePath;
    default:
        return {};
    }
}

void frmHistory::openOnTab(Tab tab, const QString& path) {
    const Tab opener = tab == TabOperatorEvents ? TabData : tab;
    QToolButton* open = tabButton(opener, TabButton::Open);
    // The answer must not be left for a later Open dialog when nothing takes it now.
    if (open == nullptr || path.isEmpty() || recordOperationRunning_ || !open->isEnabled()) {
        return;
    }
    fileDialog(state_).answerNextOpen(path);
    open->click();
}

void frmHistory::addKeys() {
    const auto addKey = [this](const QString& name, const QKeySequence& key, auto handler) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, handler] { ignoreErrors(handler); });
        addAction(action);
    };
    const auto currentTab = [this] { return static_cast<Tab>(DataTab->currentIndex()); };
    const auto press = [this, currentTab](TabButton which) {
        return [this, currentTab, which] {
            if (QToolButton* button = tabButton(currentTab(), which)) {
                button->click();
            }
        };
    };
    addKey(QStringLiteral("actOpen"), QKeySequence(Qt::CTRL | Qt::Key_O), press(TabButton::Open));
    addKey(QStringLiteral("actPrint"), QKeySequence(Qt::CTRL | Qt::Key_P), press(TabButton::Print));
    addKey(QStringLiteral("actExport"), QKeySequence(Qt::CTRL | Qt::Key_E),
           press(TabButton::Export));
    addKey(QStringLiteral("actReload"), QKeySequence(Qt::Key_F5),
           [this, currentTab] { openOnTab(currentTab(), tabFile(currentTab())); });
    for (Tab tab : {TabData, TabAuditTrail, TabAlarmHistory}) {
        pages_.at(tab)->setAcceptDrops(true);
    }
}

// Called from the event filter for the pages that take drops.
bool frmHistory::pageDropEvent(Tab tab, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
        }
        return true;
    }
    if (event->type() != QEvent::Drop) {
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const DroppedFile dropped = droppedFile(drop->mimeData()->urls());
    drop->acceptProposedAction();
    // After the drop has returned: the source waits for its answer meanwhile.
    QTimer::singleShot(0, this, [this, tab, dropped] {
        if (dropped.path.isEmpty()) {
            ignoreErrors([&] { msgBox(dropped.refusal, MsgStyle::Exclamation); });
        } else {
            ignoreErrors([&] { openOnTab(tab, dropped.path); });
        }
    });
    return true;
}

} // namespace tarvex
