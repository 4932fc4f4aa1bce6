#pragma once

#include <vector>

class QWidget;

namespace tarvex::Forms {

// The loaded windows of the program (frmSplash, frmMain, frmHistory, frmAbout, TrendSetup).
// Each window adds itself when it is created; unloading closes it (its closeEvent is its unload
// handler, where it forgets its instance) and destroys it.
void add(QWidget* form);
std::vector<QWidget*> loaded();

// Closes the window and schedules its destruction (safe from inside its own handlers).
void unload(QWidget* form);

// Unloads every loaded window except `keep`.
void unloadAllExcept(const QWidget* keep);

} // namespace tarvex::Forms
