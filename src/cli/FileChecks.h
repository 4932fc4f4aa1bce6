// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvex::cli {

// Why `path` cannot be read as an input, ready to follow the path in a message ("is a named
// pipe (FIFO), not a regular file"); empty when it is a regular file. Nothing is opened.
QString unreadableInput(const QString& path);

// Why nothing may be written to `target`, ready to follow it in a message; empty when the tool
// may create or replace it. Refused: anything that exists and is not a regular file, and every
// input given with the command together with the files of its set (the record file, its .sig and
// its .evt), also when named through another path or a link.
QString refusedTarget(const QString& target, const QStringList& inputs);

} // namespace tarvex::cli
