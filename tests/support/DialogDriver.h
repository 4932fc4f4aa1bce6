#pragma once

#include "ModalAnswer.h"

#include <QColor>
#include <QString>

namespace tarvex::test {

// Actions for ModalAnswer that drive the common dialog's Qt dialogs ("cmdFileOpen",
// "cmdFileSave", "cmdFileColor", "cmdFilePrint").
namespace DialogDriver {

// A file dialog: types `path` (absolute, or relative to the dialog's folder) and accepts; a
// name the dialog refuses ends in a cancel. Records the folder the dialog had opened in, when
// `openedIn` is given.
ModalAnswer::Action chooseFile(const QString& path, QString* openedIn = nullptr);

// A colour dialog: picks `color` and accepts. Records the colour it started from.
ModalAnswer::Action chooseColor(const QColor& color, QColor* startedFrom = nullptr);

// Any dialog: accepts it as it stands.
ModalAnswer::Action accept();

// Any dialog: cancels it.
ModalAnswer::Action cancel();

} // namespace DialogDriver
} // namespace tarvex::test
