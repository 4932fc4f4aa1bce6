// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/shell/SharedState.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvex {
class frmHistory;
class frmMain;
} // namespace tarvex

namespace tarvex::test {

// Brings the program up on `state` as start-up leaves it, without the start-up window and its
// instance lock: main window and common dialog (fileDialog), the crypto wrapper, startDir, and
// the history viewer, the owner of every message, loaded and shown inside the main window.
// Returns the viewer.
frmHistory& startViewer(SharedState& state, const QString& startDir = {});

// Puts the program back as it was before the first test: every window unloaded and destroyed,
// the message owner, the mouse pointer, the hooks and the environment as they started. Runs
// after every test, so that the test program may run its cases in one process.
void resetProgram();

// Procedures run on bare controls, on a shared state of the test's own as start-up leaves it:
// the main window (hidden) with its common dialog, the crypto wrapper, and startDir in a folder
// of the test's own. The windows go before the state does.
class ProcedureTest : public ::testing::Test {
protected:
    ProcedureTest();
    ~ProcedureTest() override;

    // Panel 1 of the main window's status bar, the procedures' status sink.
    [[nodiscard]] QString statusText() const;

    QTemporaryDir dir;
    SharedState state;
    frmMain* main = nullptr;
};

} // namespace tarvex::test
