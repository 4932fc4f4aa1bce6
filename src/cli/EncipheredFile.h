// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"
#include "core/integrity/ZvLog.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

namespace tarvex::cli {

// Reads a ".sig" or ".evt" file line by line ("\r\n" or "\n") and deciphers every line under
// the system's key, as the viewer does. Calls `take` with each record in order (also an empty
// one). Throws InputError naming the file, and the line where there is one, when the file is no
// regular file or cannot be read, or a line is damaged or longer than the viewer's limit
// (TextLineReader::kMaxEncipheredLine).
void readEncipheredFile(ZvLog& log, const QString& path,
                        const std::function<void(const QString& record)>& take);

// Input that cannot be used; its message is ready for printError.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Error 53: File not found" for a TvError.
QString describe(const TvError& error);

} // namespace tarvex::cli
