// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>

#include <algorithm>

namespace tarvex::test {

ModalAnswer::ModalAnswer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(10);
}

ModalAnswer& ModalAnswer::then(Action action) {
    actions_.push_back(std::move(action));
    return *this;
}

ModalAnswer::Action ModalAnswer::click(QMessageBox::StandardButton button) {
    return [button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box != nullptr && box->button(button) != nullptr) {
            box->button(button)->click();
        } else {
            reject()(w); // not the expected box: do not hang
        }
    };
}

ModalAnswer::Action ModalAnswer::reject() {
    return [](QWidget* w) {
        if (auto* dlg = qobject_cast<QDialog*>(w)) {
            dlg->reject();
        } else {
            w->close();
        }
    };
}

ModalAnswer::Action ModalAnswer::chooseFile(const QString& path, QString* openedIn) {
    return [path, openedIn](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        if (dlg == nullptr) {
            reject()(w);
            return;
        }
        if (openedIn != nullptr) {
            *openedIn = dlg->directory().absolutePath();
        }
        // Typed into the name box, as a user would: selectFile() leaves a focused box alone.
        dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        static_cast<QDialog*>(dlg)->accept(); // the file dialog's own checks and questions
        if (dlg->isVisible()) {
            dlg->reject(); // it refused the name: never leave the test hanging
        }
    };
}

ModalAnswer::Action ModalAnswer::chooseColor(const QColor& color, QColor* startedFrom) {
    return [color, startedFrom](QWidget* w) {
        auto* dlg = qobject_cast<QColorDialog*>(w);
        if (dlg == nullptr) {
            reject()(w);
            return;
        }
        if (startedFrom != nullptr) {
            *startedFrom = dlg->currentColor();
        }
        dlg->setCurrentColor(color);
        dlg->accept();
    };
}

void ModalAnswer::poll() {
    // A window shown again (the file dialogs are kept) is a new window to answer.
    std::erase_if(handled_,
                  [](const QPointer<QWidget>& p) { return p.isNull() || !p->isVisible(); });
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr || !w->isVisible() ||
        std::ranges::any_of(handled_, [w](const QPointer<QWidget>& p) { return p == w; })) {
        return;
    }
    handled_.emplace_back(w);
    Seen s{w->windowTitle(), {}, QMessageBox::NoIcon, w->frameGeometry(), true};
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        s.text = box->text();
        s.icon = box->icon();
    }
    s.expected = !actions_.empty();
    seen_.push_back(s);
    Action action = s.expected ? std::move(actions_.front()) : reject();
    if (s.expected) {
        actions_.pop_front();
    }
    // Run outside this poll, so that a modal window the action opens is polled for too.
    QTimer::singleShot(0, &timer_, [this, action = std::move(action), window = QPointer(w)] {
        if (!window.isNull()) {
            action(window);
        }
        if (!window.isNull() && !window->isVisible()) {
            std::erase(handled_, window);
        }
    });
}

} // namespace tarvex::test
