// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerFixture.h"

#include "ui/printing/GridPrintouts.h"
#include "ui/printing/InstalledPrinters.h"
#include "ui/shell/Forms.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/ProgramEnd.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SessionSettings.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/viewer/ProgramStart.h"
#include "ui/viewer/frmHistory.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>

#include <clocale>

namespace tarvex::test {

frmHistory& startViewer(SharedState& state, const QString& startDir) {
    frmSplash::createSharedObjects(state);
    state.startDir = startDir.isEmpty() ? QDir::currentPath() : startDir;
    makeViewerTheMessageOwner(state);
    frmHistory& viewer = frmHistory::load(state);
    viewer.showViewer();
    frmMain& main = *frmMain::existing();
    main.activateWindow();
    (void)QTest::qWaitForWindowExposed(&main);
    return viewer;
}

void resetProgram() {
    static const QByteArray path = qgetenv("PATH");
    static const bool runtimeSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    static const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    setMessageOwner({});
    std::vector<QPointer<QWidget>> forms;
    for (QWidget* form : Forms::loaded()) {
        forms.emplace_back(form);
    }
    for (const QPointer<QWidget>& form : forms) {
        delete form.data(); // the main window takes its children along
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Screen::setMousePointer(Screen::vbDefault);
    while (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
    releaseInstanceLock();
    setEndProgramHook(
        [](int code) { ADD_FAILURE() << "the program was ended with exit code " << code; });
    setInstalledPrintersSource({});
    setPrintoutClock({});
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
    qputenv("PATH", path);
    if (runtimeSet) {
        qputenv("XDG_RUNTIME_DIR", runtime);
    } else {
        qunsetenv("XDG_RUNTIME_DIR");
    }
}

ProcedureTest::ProcedureTest() : main(&frmSplash::createSharedObjects(state)) {
    state.startDir = QDir::toNativeSeparators(dir.path());
}

ProcedureTest::~ProcedureTest() {
    resetProgram();
}

QString ProcedureTest::statusText() const {
    return main->statusText();
}

} // namespace tarvex::test

namespace {

// Every case starts from the program as the first one found it.
class ProgramReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& /*info*/) override { tarvex::test::resetProgram(); }
};

} // namespace

// Widget tests share one QApplication; the offscreen platform unless a display was asked for.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tarvex::keepSettingsForTheSessionOnly(); // as the viewer: nothing read or left behind
    // Tests drive nested loops themselves; a closed last window must not quit anything.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    tarvex::test::resetProgram(); // records the environment and sets the failing end hook
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramReset);
    return RUN_ALL_TESTS();
}
