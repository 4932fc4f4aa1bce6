// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// The files that make up a loaded record file: the file itself and the signature and operator
// event files beside it. Empty for an empty path.
QStringList recordFileSet(const QString& recordPath);

// True when `target` names one of `files`, also through another spelling of the path, a symbolic
// link or a hard link.
// Writes that the user asks for (exports, pictures) must never land on a record file.
bool namesAnyOf(const QString& target, const QStringList& files);

} // namespace tarvex
