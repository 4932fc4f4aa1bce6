// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

// One running viewer per user, wherever its executable lies: a lock file in the user's runtime
// directory. A lock left by a process that no longer runs is taken over.

// Takes the lock if it is free and keeps it until the process ends. True when another running
// process holds it. A lock file that cannot be created or read raises error 75.
bool previousInstanceRunning();

// Gives the lock up (at the program's end; harmless when not held).
void releaseInstanceLock();

// Where the lock lives.
QString instanceLockPath();

} // namespace tarvex
