// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/StartupFile.h"

#include "ui/shell/CommonDialog.h"
#include "ui/shell/SharedState.h"
#include "ui/viewer/frmHistory.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace tarvex {
namespace {

// Waits for the main window's first Show, then lets the hand-over finish before opening.
class OpenOnShow : public QObject {
public:
    OpenOnShow(QObject* window, SharedState& state, QString path)
        : QObject(window), path_(std::move(path)) {
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this, &state] {
            openHistoryFile(state, path_);
            deleteLater();
        });
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            timer_.start(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString path_;
    QTimer timer_;
};

} // namespace

void openHistoryFileWhenShown(QWidget& mainWindow, SharedState& state, const QString& path) {
    new OpenOnShow(&mainWindow, state, path); // owned by the main window
}

void openHistoryFile(SharedState& state, const QString& path) {
    fileDialog(state).answerNextOpen(path);
    frmHistory::load(state).DataBarBtn_Click(0);
}

} // namespace tarvex
