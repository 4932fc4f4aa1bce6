// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalReplies.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>

#include <algorithm>

namespace bench {
namespace {

// Typed into the name box and accepted, as a user does; a name refused ends in a cancel.
void chooseFile(QFileDialog& dialog, const QString& path) {
    if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        edit->setText(path);
    } else {
        dialog.selectFile(path);
    }
    static_cast<QDialog&>(dialog).accept();
    if (dialog.isVisible()) {
        dialog.reject();
    }
}

bool printToFile(QPrintDialog& dialog, const QString& path) {
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    const int entry =
        printers != nullptr ? printers->findText(QStringLiteral("Print to File (PDF)")) : -1;
    if (entry < 0 || fileName == nullptr) {
        return false;
    }
    printers->setCurrentIndex(entry);
    fileName->setText(path);
    dialog.accept();
    return !dialog.isVisible();
}

} // namespace

ModalReplies::ModalReplies() {
    connect(&timer_, &QTimer::timeout, this, &ModalReplies::poll);
    timer_.start(5);
}

QStringList ModalReplies::takeSeen() {
    return std::exchange(seen_, {});
}

void ModalReplies::poll() {
    // A window shown again (the file dialogs are kept) is a new window to answer.
    std::erase_if(handled_,
                  [](const QPointer<QWidget>& p) { return p.isNull() || !p->isVisible(); });
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr || !w->isVisible()) {
        return;
    }
    if (std::find(handled_.begin(), handled_.end(), w) != handled_.end()) {
        return;
    }
    handled_.emplace_back(w);
    // Answered from a call of its own: an answer can open a window in turn (a question of the
    // file dialog), which this timer must still see.
    QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(w)] {
        if (!window.isNull()) {
            answer(window);
        }
        if (!window.isNull() && !window->isVisible()) {
            std::erase(handled_, window);
        }
    });
}

void ModalReplies::answer(QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        seen_ << box->text();
        for (QAbstractButton* button : box->buttons()) {
            const QMessageBox::ButtonRole role = box->buttonRole(button);
            if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole) {
                button->click();
                return;
            }
        }
        box->reject();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(w);
    if (auto* files = qobject_cast<QFileDialog*>(w)) {
        chooseFile(*files, files->acceptMode() == QFileDialog::AcceptOpen ? openPath : savePath);
        return;
    }
    if (auto* print = qobject_cast<QPrintDialog*>(w);
        print != nullptr && printToFile(*print, pdfPath)) {
        return;
    }
    seen_ << QStringLiteral("? ") + QString::fromLatin1(w->metaObject()->className());
    if (dialog != nullptr) {
        dialog->reject();
    } else {
        w->close();
    }
}

} // namespace bench
