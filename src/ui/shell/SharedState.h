// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace tarvex {

class CommonDialog;
class ZvLog;

// The program's shared state. Start-up creates the one object (before any window), the start-up
// window fills in its objects, and it is handed to every window and procedure that reads or
// writes it; it outlives them all. Only the user-interface thread touches it, so nothing locks
// it. Texts start empty and flags false.
struct SharedState {
    // The main window's common dialog cmdFile: every open, save, colour and print dialog goes
    // through it. Set once at start-up; never released.
    CommonDialog* fileDialog = nullptr;
    // The current directory when the program started.
    QString startDir;
    // Full paths of the loaded record files; empty while none is loaded.
    QString dataFilePath;
    QString auditFilePath;
    QString alarmFilePath;
    // 16-bit boolean (0 false, -1 true): a trend is being built. The close request is refused
    // while it is set; clearing it stops the build at its next step.
    std::int16_t plotBusy = 0;
    // The one crypto wrapper instance, created at start-up; never released.
    std::shared_ptr<ZvLog> cryptoLog;
};

// The shared common dialog; raises error 5 while start-up has not set it yet.
CommonDialog& fileDialog(const SharedState& state);

// The shared crypto wrapper; raises error 5 while start-up has not created it yet.
ZvLog& cryptoLog(const SharedState& state);

// The loaded record files with their signature and event files: what no write may replace.
QStringList loadedRecordFiles(const SharedState& state);

// True when `target` names one of the loaded record files or the signature or event file
// beside one of them (also through another path or a link).
bool isLoadedRecordFile(const SharedState& state, const QString& target);

// The Save dialog's answer to a name that is a loaded record file (isLoadedRecordFile): a plain
// message; empty for any other name. The program never writes a record file.
QString recordFileRefusal(const SharedState& state, const QString& target);

} // namespace tarvex
