#include "common/TvError.h"
#include "shell/AppInfo.h"
#include "shell/DoEvents.h"
#include "shell/ErrorHandling.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

// The runtime's own report for a failure before the start-up failure handler is armed.
int runtimeErrorReport(const tarvex::TvError& err) {
    const QString text =
        QStringLiteral("Run-time error '%1':\n\n%2").arg(err.number()).arg(err.description());
    std::fprintf(stderr, "tarvex-viewer: %s\n", qPrintable(text.simplified()));
    QMessageBox::critical(nullptr, QStringLiteral("tarvex-viewer"), text);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    tarvex::chooseEventLoop();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvex-viewer"));
    QApplication::setWindowIcon(tarvex::appIcon());
    try {
        tarvex::frmSplash& splash = tarvex::frmSplash::instance();
        if (splash.ended()) {
            return 1;
        }
        splash.show();
    } catch (...) {
        return runtimeErrorReport(tarvex::currentError());
    }
    return QApplication::exec();
}
