#pragma once

#include <QString>

#include <functional>

namespace tarvex {
class frmHistory;
}

namespace tarvex::test {

// Brings the program up as start-up leaves it, without the start-up window and its instance
// lock: main window and common dialog (fileDialog), startDir, and the history viewer loaded and
// shown inside the main window. Returns the viewer.
frmHistory& startViewer(const QString& startDir = {});

// Lets events run until `condition` holds or the time is up; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

} // namespace tarvex::test
