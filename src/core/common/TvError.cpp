// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/TvError.h"

#include <QFileDevice>

#include <utility>

namespace tarvex {

QString errorDescription(std::int32_t number) {
    switch (number) {
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 13:
        return QStringLiteral("Type mismatch");
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 54:
        return QStringLiteral("Bad file mode");
    case 57:
        return QStringLiteral("Device I/O error");
    case 61:
        return QStringLiteral("Disk full");
    case 62:
        return QStringLiteral("Input past end of file");
    case 70:
        return QStringLiteral("Permission denied");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 32755:
        return QStringLiteral("Cancel was selected.");
    default:
        return {};
    }
}

TvError::TvError(std::int32_t number) : TvError(number, errorDescription(number)) {}

TvError::TvError(std::int32_t number, QString description)
    : number_(number), description_(std::move(description)),
      what_(QStringLiteral("Error %1: %2").arg(number_).arg(description_).toStdString()) {}

std::int32_t fileErrorNumber(int qtFileError, bool fileExists) {
    switch (qtFileError) {
    case QFileDevice::NoError:
        return 0;
    case QFileDevice::OpenError:
        return fileExists ? ErrPermission : ErrFileNotFound;
    case QFileDevice::PermissionsError:
        return ErrPermission;
    case QFileDevice::ResourceError:
        return ErrDiskFull;
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
        return ErrDeviceIo;
    default:
        return ErrPathAccess;
    }
}

} // namespace tarvex
