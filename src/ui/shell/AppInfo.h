// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

namespace tarvex {

// The application title: the main window's caption and every message box's default title.
inline const QString kAppTitle = QStringLiteral("Tarvex Data Viewer");

// "Version major.minor.revision" from the project version.
QString versionText();

// The program's icon (the same picture as the desktop entry's).
QIcon appIcon();

// The application help file, set once at start-up. Nothing in the program opens it.
void setAppHelpFile(const QString& path);
QString appHelpFile();

} // namespace tarvex
