#include "DialogDriver.h"

#include <QColorDialog>
#include <QFileDialog>

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
        dlg->selectFile(path);
        static_cast<QDialog*>(dlg)->accept(); // QFileDialog's own accept() checks the name
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
