// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace tarvex {

struct SharedState;

// Opens the data log `path` once `mainWindow` has first been shown, exactly as
// "Open History File" opens the file chosen in its dialog: getHistFile with all its messages
// and status texts, then the signature and operator event files.
void openHistoryFileWhenShown(QWidget& mainWindow, SharedState& state, const QString& path);

// The button's click with `path` as the Open dialog's answer.
void openHistoryFile(SharedState& state, const QString& path);

} // namespace tarvex
