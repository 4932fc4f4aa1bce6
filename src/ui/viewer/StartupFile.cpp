// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/StartupFile.h"

#include "ui/shell/CommonDialog.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/viewer/frmHistory.h"

#include <QEvent>
#include <QTimer>

#include <utility>

namespace tarvex {
namespace {

// Waits for the main window's first Show, then lets the hand-over finish before opening.
class OpenOnShow : public QObject {
public:
    OpenOnShow(QObject* window, QString path) : QObject(window), path_(std::move(path)) {
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] {
            openHistoryFile(path_);
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

void openHistoryFileWhenShown(const QString& path) {
    new OpenOnShow(&frmMain::instance(), path); // owned by the main window
}

void openHistoryFile(const QString& path) {
    fileDialog().answerNextOpen(path);
    frmHistory::instance().DataBarBtn_Click(0);
}

} // namespace tarvex
