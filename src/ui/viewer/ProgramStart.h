// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

class frmSplash;
struct SharedState;

// The one place where start-up says when the viewer is created: for the first message box that
// needs its owner, or at the start-up window's hand-over, whichever comes first.

// From now on the viewer on `state` owns the program's messages; a message that comes before
// the viewer is loaded (during start-up) creates it first, hidden in the main window.
void makeViewerTheMessageOwner(SharedState& state);

// Starts the program on `state`: the viewer owns the messages, and the start-up window is
// loaded; its hand-over loads and shows the viewer. A failure of start-up steps 1 and 2
// propagates to the caller.
frmSplash& startProgram(SharedState& state);

} // namespace tarvex
