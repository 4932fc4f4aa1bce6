// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

#include <cstdint>

class QFile;

namespace tarvex {

// What a path names. Only regular files are ever read or written: a FIFO blocks an open, a
// device reads as empty or endless, and a save through a temporary file would replace a device
// node or a FIFO with a regular file. Symbolic links are followed.
enum class FileKind {
    Missing,
    Regular,
    Directory,
    Fifo,
    CharacterDevice,
    BlockDevice,
    Socket,
    BrokenLink,   // a link whose target does not exist
    Unreachable,  // cannot be examined, e.g. a folder on the way may not be searched
    OtherSpecial, // exists, but is none of the above
};

[[nodiscard]] FileKind fileKind(const QString& path);
// The kind that a stat() mode gives (POSIX only).
[[nodiscard]] FileKind fileKindOfMode(unsigned mode);

// What the kind is, for a message that follows the path: "is a folder", "is a named pipe
// (FIFO)", "does not exist", ...
[[nodiscard]] QString fileKindText(FileKind kind);

// True when both paths exist and name the same file, also through a hard link.
[[nodiscard]] bool isSameFile(const QString& a, const QString& b);

// True when a write may create or replace the file: it does not exist, or is a regular file.
[[nodiscard]] bool isWritableTarget(const QString& path);

// Opens a regular file for reading (plus `extraMode`, e.g. Unbuffered) without ever blocking:
// the path is examined first and the opened file again, so that a FIFO or device swapped in
// between is still refused. Returns 0, or the error number: 53 missing, 70 not permitted,
// 75 not a regular file.
std::int32_t openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode extraMode = {});

} // namespace tarvex
