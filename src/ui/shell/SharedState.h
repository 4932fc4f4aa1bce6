// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

namespace tarvex {

class CommonDialog;
class ZvLog;

// The process-wide shared state. Every value exists once; only the user-interface thread touches
// it, so nothing locks it. Texts start empty and flags false.
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

// The shared state. It lives until the process ends and is never destroyed.
SharedState& pubVars();

// The shared common dialog; raises error 5 while start-up has not set it yet.
CommonDialog& fileDialog();

} // namespace tarvex
