// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/TvError.h"

#include <QFile>
#include <QString>

#include <stdexcept>

namespace tarvex {
class EncipheredLineError;
}

namespace tarvex::cli {

// Input that cannot be used; its message is ready for printError.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit InputError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// "error 53: File not found" for a TvError.
QString describe(const TvError& error);

// Opens the regular file `path` for reading, or throws InputError naming it and saying why
// not ("PATH: no such file").
void openInput(QFile& file, const QString& path, QIODevice::OpenMode extraMode = {});

// "PATH line N: ..." for a line of an enciphered file that could not be used.
QString lineProblem(const QString& path, const EncipheredLineError& error);

} // namespace tarvex::cli
