// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QWidget;

namespace tarvex::Forms {

// The loaded windows of the program (frmSplash, frmMain, frmHistory, frmAbout, TrendSetup).
// Each window adds itself when it is created; unloading closes it (its closeEvent is its unload
// handler, where it forgets its instance) and destroys it.
void add(QWidget* form);
std::vector<QWidget*> loaded();
// True while the window is loaded; false from the start of its unload. A window that may only
// be unloaded, never closed by the user, accepts a close only once this is false.
bool isLoaded(const QWidget* form);

// The loaded window that holds `widget`: the widget itself or its nearest loaded ancestor;
// nullptr when there is none.
QWidget* formOf(QWidget* widget);

// Closes the window and schedules its destruction (safe from inside its own handlers).
void unload(QWidget* form);

// Unloads every loaded window except `keep`.
void unloadAllExcept(const QWidget* keep);

} // namespace tarvex::Forms
