#include "DialogDriver.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>

namespace tarvex::test::DialogDriver {

ModalAnswer::Action chooseFile(const QString& path, QString* openedIn) {
    return [path, openedIn](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        if (dlg == nullptr) {
            ModalAnswer::reject()(w);
            return;
        }
        if (openedIn != nullptr) {
            *openedIn = dlg->directory().absolutePath();
        }
        // Typed into the name box, as a user would: selectFile() leaves a focused box alone.
        if (auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            edit->setText(path);
        } else {
            dlg->selectFile(path);
        }
        static_cast<QDialog*>(dlg)->accept(); // the file dialog's own checks and questions
        if (dlg->isVisible()) {
            dlg->reject(); // it refused the name: never leave the test hanging
        }
    };
}

ModalAnswer::Action chooseColor(const QColor& color, QColor* startedFrom) {
    return [color, startedFrom](QWidget* w) {
        auto* dlg = qobject_cast<QColorDialog*>(w);
        if (dlg == nullptr) {
            ModalAnswer::reject()(w);
            return;
        }
        if (startedFrom != nullptr) {
            *startedFrom = dlg->currentColor();
        }
        dlg->setCurrentColor(color);
        dlg->accept();
    };
}

ModalAnswer::Action accept() {
    return [](QWidget* w) {
        if (auto* dlg = qobject_cast<QDialog*>(w)) {
            dlg->accept();
        }
    };
}

ModalAnswer::Action cancel() {
    return ModalAnswer::reject();
}

} // namespace tarvex::test::DialogDriver
