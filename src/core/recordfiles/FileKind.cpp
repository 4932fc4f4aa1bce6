// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/FileKind.h"

#include "core/common/NativePath.h"
#include "core/common/TvError.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex {

#ifdef Q_OS_UNIX
FileKind fileKindOfMode(unsigned mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Directory;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Fifo;
    }
    if (S_ISCHR(mode)) {
        return FileKind::CharacterDevice;
    }
    if (S_ISBLK(mode)) {
        return FileKind::BlockDevice;
    }
    if (S_ISSOCK(mode)) {
        return FileKind::Socket;
    }
    return FileKind::OtherSpecial;
}

namespace {

std::int32_t errorOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ErrFileNotFound;
    case EACCES:
    case EPERM:
        return ErrPermission;
    default:
        return ErrPathAccess;
    }
}

} // namespace
#endif

FileKind fileKind(const QString& path) {
    if (path.isEmpty()) {
        return FileKind::Missing;
    }
#ifdef Q_OS_UNIX
    const QByteArray native = nativePath(path);
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        return fileKindOfMode(st.st_mode);
    }
    if (errno != ENOENT && errno != ENOTDIR) {
        return FileKind::Unreachable;
    }
    return ::lstat(native.constData(), &st) == 0 ? FileKind::BrokenLink : FileKind::Missing;
#else
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists()) {
        return FileKind::BrokenLink;
    }
    if (!info.exists()) {
        return FileKind::Missing;
    }
    if (info.isDir()) {
        return FileKind::Directory;
    }
    return info.isFile() ? FileKind::Regular : FileKind::OtherSpecial;
#endif
}

QString fileKindText(FileKind kind) {
    switch (kind) {
    case FileKind::Missing:
        return QStringLiteral("does not exist");
    case FileKind::Regular:
        return QStringLiteral("is a regular file");
    case FileKind::Directory:
        return QStringLiteral("is a folder");
    case FileKind::Fifo:
        return QStringLiteral("is a named pipe (FIFO)");
    case FileKind::CharacterDevice:
        return QStringLiteral("is a character device");
    case FileKind::BlockDevice:
        return QStringLiteral("is a block device");
    case FileKind::Socket:
        return QStringLiteral("is a socket");
    case FileKind::BrokenLink:
        return QStringLiteral("is a symbolic link to nothing");
    case FileKind::Unreachable:
        return QStringLiteral("cannot be examined");
    case FileKind::OtherSpecial:
        break;
    }
    return QStringLiteral("is a special file");
}

bool isSameFile(const QString& a, const QString& b) {
#ifdef Q_OS_UNIX
    struct stat sa {};
    struct stat sb {};
    return !a.isEmpty() && !b.isEmpty() && ::stat(nativePath(a).constData(), &sa) == 0 &&
           ::stat(nativePath(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
#else
    const QFileInfo ia(a);
    const QFileInfo ib(b);
    return ia.exists() && ib.exists() && ia.canonicalFilePath() == ib.canonicalFilePath();
#endif
}

bool isWritableTarget(const QString& path) {
    const FileKind kind = fileKind(path);
    return kind == FileKind::Missing || kind == FileKind::Regular;
}

std::int32_t openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode extraMode) {
    switch (fileKind(path)) {
    case FileKind::Regular:
        break;
    case FileKind::Missing:
    case FileKind::BrokenLink:
        return ErrFileNotFound;
    case FileKind::Unreachable:
        return ErrPermission;
    default:
        return ErrPathAccess;
    }
    const QIODevice::OpenMode mode = QIODevice::ReadOnly | extraMode;
#ifdef Q_OS_UNIX
    // Non-blocking, so that a FIFO put in the file's place since the look above cannot hang the
    // open; the descriptor is checked again before anything is read.
    const int fd =
        ::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errorOfErrno(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ErrPathAccess;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ErrPathAccess;
    }
    return 0;
#else
    file.setFileName(path);
    if (!file.open(mode)) {
        return fileErrorNumber(file.error(), true);
    }
    return 0;
#endif
}

} // namespace tarvex
