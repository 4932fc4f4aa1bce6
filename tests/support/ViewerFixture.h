// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {
class frmHistory;
}

namespace tarvex::test {

// Brings the program up as start-up leaves it, without the start-up window and its instance
// lock: main window and common dialog (fileDialog), startDir, and the history viewer loaded and
// shown inside the main window. Returns the viewer.
frmHistory& startViewer(const QString& startDir = {});

// Puts the program back as it was before the first test: every window unloaded and destroyed,
// the shared state, the mouse pointer, the hooks and the environment as they started. Runs
// after every test, so that the test program may run its cases in one process.
void resetProgram();

} // namespace tarvex::test
