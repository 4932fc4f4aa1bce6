// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

namespace tarvex {

// Error numbers the program raises and tests; the descriptions come from errorDescription().
enum ErrorNumber : std::int32_t {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrBadFileMode = 54,
    ErrDeviceIo = 57,
    ErrDiskFull = 61,
    ErrPastEnd = 62,
    ErrPermission = 70,
    ErrPathAccess = 75,
    ErrPathNotFound = 76,
    ErrCancel = 32755,
};

// The standard description of an error number; empty for numbers outside the table.
QString errorDescription(std::int32_t number);

// A run-time error: a 32-bit number and a description. Procedures throw it; handlers catch
// it and report it with ReportError or show their own message.
class TvError : public std::exception {
public:
    explicit TvError(std::int32_t number);
    TvError(std::int32_t number, QString description);

    [[nodiscard]] std::int32_t number() const noexcept { return number_; }
    [[nodiscard]] const QString& description() const noexcept { return description_; }
    [[nodiscard]] const char* what() const noexcept override { return what_.c_str(); }

    [[nodiscard]] bool isCancel() const noexcept { return number_ == ErrCancel; }

private:
    std::int32_t number_;
    QString description_;
    std::string what_;
};

// The error number that a failed file operation maps to, from Qt's QFileDevice::FileError
// and whether the file exists.
std::int32_t fileErrorNumber(int qtFileError, bool fileExists);

} // namespace tarvex
