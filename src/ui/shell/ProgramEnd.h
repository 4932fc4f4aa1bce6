// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tarvex {

// Ends the program at once: no event loop runs again, no window's unload handler runs and the
// shared objects are not released. The instance lock is given up first.
void endProgram(int exitCode);

// Tests observe the end instead: while a hook is set, endProgram calls it and returns, and the
// caller leaves its handler as if the program had ended. An empty hook restores the real end.
void setEndProgramHook(std::function<void(int)> hook);

} // namespace tarvex
