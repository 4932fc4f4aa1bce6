// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/ViewerCommandLine.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace tarvex {
namespace {

// QApplication's options, which accept "-" or "--" before their names; the last five are the
// X11 ones that Qt takes when it runs on X (elsewhere Qt leaves them alone).
constexpr std::array<QStringView, 16> kQtValueOptions{
    u"platform", u"platformpluginpath", u"platformtheme",   u"plugin",       u"display",
    u"style",    u"stylesheet",         u"qwindowgeometry", u"qwindowtitle", u"qwindowicon",
    u"session",  u"geometry",           u"title",           u"name",         u"icon",
    u"visual"};
constexpr std::array<QStringView, 5> kQtFlagOptions{u"reverse", u"nograb", u"dograb", u"sync",
                                                    u"widgetcount"};

bool listed(QStringView name, const auto& names) {
    return std::ranges::find(names, name) != names.end();
}

ViewerCommandLine usageError(const QString& text) {
    ViewerCommandLine line;
    line.action = ViewerCommandLine::Action::UsageError;
    line.error = text + QStringLiteral(" (see tarvex-viewer --help)");
    return line;
}

} // namespace

ViewerCommandLine parseViewerCommandLine(const QStringList& args) {
    ViewerCommandLine line;
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == u"-") {
            files << arg;
            continue;
        }
        if (arg == u"--") {
            optionsEnded = true;
        } else if (arg == u"--help" || arg == u"-h") {
            line.action = ViewerCommandLine::Action::Help;
            return line;
        } else if (arg == u"--version") {
            line.action = ViewerCommandLine::Action::Version;
            return line;
        } else {
            QStringView name = QStringView(arg).mid(arg.startsWith(u"--") ? 2 : 1);
            const qsizetype equals = name.indexOf(QLatin1Char('='));
            const bool inlineValue = equals >= 0;
            name = name.left(inlineValue ? equals : name.size());
            if (listed(name, kQtFlagOptions) && !inlineValue) {
                continue;
            }
            if (!listed(name, kQtValueOptions)) {
                return usageError(QStringLiteral("unknown option '%1'").arg(arg));
            }
            if (!inlineValue && i + 1 == args.size()) {
                return usageError(QStringLiteral("option '%1' needs a value").arg(arg));
            }
            const QString value =
                inlineValue ? arg.mid(arg.indexOf(QLatin1Char('=')) + 1) : args[++i];
            if (name == u"display") {
                line.displayName = value;
            }
        }
    }
    if (files.size() > 1) {
        return usageError(QStringLiteral("only one FILE can be opened"));
    }
    if (!files.isEmpty()) {
        const QFileInfo info(files.first());
        if (!info.exists()) {
            return usageError(QStringLiteral("no such file: %1").arg(files.first()));
        }
        if (info.isDir()) {
            return usageError(QStringLiteral("%1 is a folder, not a data log").arg(files.first()));
        }
        line.file = QDir::toNativeSeparators(info.absoluteFilePath());
    }
    return line;
}

QString viewerUsageText() {
    return QStringLiteral(
        "Usage: tarvex-viewer [OPTION]... [FILE]\n"
        "\n"
        "Tarvex Data Viewer shows the record files of a process controller as tables,\n"
        "verifies their digital signatures, plots data as a historical trend, exports CSV\n"
        "and prints. It never changes a record file.\n"
        "\n"
        "  FILE           a data log (.csv) to open once the main window is up, as if it\n"
        "                 had been chosen with \"Open History File\": its signature file\n"
        "                 (.sig) and operator event file (.evt) beside it are read too\n"
        "  -h, --help     show this help and exit\n"
        "      --version  show the version and exit\n"
        "\n"
        "Qt's window-system options (-platform NAME, -display NAME, -style NAME, and on X11\n"
        "-geometry WxH+X+Y, -name NAME, -title TITLE, ...) are passed on.\n"
        "\n"
        "Only one viewer runs per user: a second start, with or without a FILE, says that\n"
        "one is already running and ends. To open a further file, use the running viewer's\n"
        "Open buttons or drop the file on its tab. The batch tool 'tarvex' works without a\n"
        "display.\n"
        "\n"
        "Exit status: 0 after File > Exit; 1 when another viewer is running or start-up\n"
        "failed; 2 on wrong usage, a missing FILE, or no display.\n");
}

} // namespace tarvex
