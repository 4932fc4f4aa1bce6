// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

namespace tarvex {

// Reads one comma-delimited input field from a file opened for reading (bytes are Windows-1252):
// leading blanks are skipped; the field ends at a comma or at the end of the line ("\r\n" or
// "\n"), which is consumed; a field in double quotes may hold commas, and what follows its
// closing quote up to the delimiter is dropped. A field that starts at the end of the file
// raises "Input past end of file" (62).
QString readInputField(QIODevice& file);

} // namespace tarvex
