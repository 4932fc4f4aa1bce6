// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <functional>

namespace tarvex {

// The names of the printers installed on the system.
QStringList installedPrinters();

// Puts another list in the system's place, for tests that need a machine without printers; an
// empty function puts the system's list back.
void setInstalledPrintersSource(std::function<QStringList()> source);

} // namespace tarvex
