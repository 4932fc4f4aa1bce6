// SPDX-License-Identifier: GPL-3.0-or-later
#include "TarvexVersion.h"
#include "core/common/TvError.h"
#include "core/shell/ViewerCommandLine.h"
#include "ui/shell/AppInfo.h"
#include "ui/shell/DoEvents.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/SessionSettings.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/viewer/ProgramStart.h"
#include "ui/viewer/StartupFile.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

// The runtime's own report for a failure before the start-up failure handler is armed.
int runtimeErrorReport(const tarvex::TvError& err) {
    const QString text =
        QStringLiteral("Run-time error '%1':\n\n%2").arg(err.number()).arg(err.description());
    std::fprintf(stderr, "tarvex-viewer: %s\n", qPrintable(text.simplified()));
    QMessageBox::critical(nullptr, QStringLiteral("tarvex-viewer"), text);
    return 1;
}

// Qt ends a program whose window system cannot start with a fatal message and a core dump,
// after a few lines of its own. While QApplication starts, its messages are held back; a fatal
// one becomes one line and exit status 2, and the others are passed on once it has started.
class WindowSystemStart {
public:
    explicit WindowSystemStart(const QString& displayName) {
        display_ = displayName.isEmpty() ? qEnvironmentVariable("DISPLAY") : displayName;
        previous_ = qInstallMessageHandler(&WindowSystemStart::hold);
    }
    ~WindowSystemStart() {
        qInstallMessageHandler(previous_);
        for (const Held& m : held_) {
            const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
            previous_(m.type, context, m.text);
        }
    }
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtFatalMsg) {
            const bool unset = display_.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
            std::fprintf(stderr, "tarvex-viewer: %s\n",
                         unset ? "no display: DISPLAY is not set (run it in a desktop session, "
                                 "or under Xvfb)"
                               : qPrintable(QStringLiteral("cannot open the display '%1' (no "
                                                           "window system answers there)")
                                                .arg(display_)));
            std::_Exit(kExitUsage);
        }
        held_.push_back({type, QByteArray(context.category), text});
    }

    static inline QString display_;
    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<Held> held_;
};

int runViewer(int argc, char* argv[], const tarvex::ViewerCommandLine& line) {
    tarvex::SharedState state; // before the application and its windows, so that it outlives them
    tarvex::chooseEventLoop();
    std::optional<WindowSystemStart> start(std::in_place, line.displayName);
    QApplication app(argc, argv);
    start.reset();
    QApplication::setApplicationName(QStringLiteral("tarvex-viewer"));
    QApplication::setApplicationVersion(QString::fromLatin1(tarvex::kVersionText));
    QApplication::setWindowIcon(tarvex::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("invalid.tarvex.viewer"));
    tarvex::keepSettingsForTheSessionOnly();
    try {
        tarvex::frmSplash& splash = tarvex::startProgram(state);
        if (splash.ended()) {
            return 1;
        }
        if (!line.file.isEmpty()) {
            tarvex::openHistoryFileWhenShown(*tarvex::frmMain::existing(), state, line.file);
        }
        splash.show();
    } catch (...) {
        return runtimeErrorReport(tarvex::currentError());
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    const tarvex::ViewerCommandLine line = tarvex::parseViewerCommandLine(args);
    switch (line.action) {
    case tarvex::ViewerCommandLine::Action::Help:
        std::fputs(qPrintable(tarvex::viewerUsageText()), stdout);
        return 0;
    case tarvex::ViewerCommandLine::Action::Version:
        std::printf("tarvex-viewer %s\n", tarvex::kVersionText);
        return 0;
    case tarvex::ViewerCommandLine::Action::UsageError:
        std::fprintf(stderr, "tarvex-viewer: %s\n", qPrintable(line.error));
        return kExitUsage;
    case tarvex::ViewerCommandLine::Action::Run:
        break;
    }
    return runViewer(argc, argv, line);
}
