// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace tarvex::test {

// Answers the program's modal windows (message boxes, dialogs) from inside a test. It polls
// QApplication::activeModalWidget() and hands each new modal window, in order, to the next
// queued action, after recording what it showed. A modal window that finds no action left is
// recorded as unexpected and rejected, so that the test fails instead of hanging.
class ModalAnswer {
public:
    using Action = std::function<void(QWidget*)>;

    struct Seen {
        QString title;
        QString text; // a message box's text and icon
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QRect frame;
        bool expected = true;
    };

    ModalAnswer();
    ModalAnswer& then(Action action);
    ModalAnswer& thenClick(QMessageBox::StandardButton button) { return then(click(button)); }
    // Records the window and leaves it alone (for boxes that close themselves).
    ModalAnswer& thenLeaveOpen() {
        return then([](QWidget*) {});
    }
    const std::vector<Seen>& seen() const { return seen_; }
    // Queued actions that no modal window has taken yet.
    int pending() const { return static_cast<int>(actions_.size()); }

    static Action click(QMessageBox::StandardButton button);
    static Action reject();
    // A file dialog: types `path` (absolute, or relative to the dialog's folder) and accepts; a
    // name the dialog refuses ends in a cancel. Records the folder it had opened in.
    static Action chooseFile(const QString& path, QString* openedIn = nullptr);
    // A colour dialog: picks `color` and accepts. Records the colour it started from.
    static Action chooseColor(const QColor& color, QColor* startedFrom = nullptr);

private:
    void poll();

    QTimer timer_;
    std::deque<Action> actions_;
    std::vector<Seen> seen_;
    std::vector<QPointer<QWidget>> handled_;
};

} // namespace tarvex::test
