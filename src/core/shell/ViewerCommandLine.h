// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// What tarvex-viewer's command line asks for. Qt's own window-system options (-platform,
// -display, -style, ...) are left for QApplication; anything else starting with "-" is wrong.
struct ViewerCommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    QString file;        // the data log to open, as an absolute path; empty without one
    QString displayName; // the -display option's value, if given
    QString error;       // for UsageError: what is wrong, one line
};

// Reads the arguments after the program name. Relative file names are taken from the current
// directory.
ViewerCommandLine parseViewerCommandLine(const QStringList& args);

// The text of --help.
QString viewerUsageText();

} // namespace tarvex
