// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer/ProgramStart.h"

#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/frmSplash.h"
#include "ui/viewer/frmHistory.h"

namespace tarvex {

void makeViewerTheMessageOwner(SharedState& state) {
    setMessageOwner([&state]() -> QWidget* { return &frmHistory::load(state); });
}

frmSplash& startProgram(SharedState& state) {
    makeViewerTheMessageOwner(state);
    return frmSplash::load(state, [&state] { frmHistory::load(state).showViewer(); });
}

} // namespace tarvex
