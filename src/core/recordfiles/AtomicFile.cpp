// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/AtomicFile.h"

#include "core/common/NativePath.h"
#include "core/common/TvError.h"
#include "core/recordfiles/FileKind.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tarvex {
namespace {

constexpr int kMaxLinkHops = 40; // as the kernel
constexpr int kNameAttempts = 100;
constexpr int kReplaceAttempts = 3;

std::function<void(const QString&)>& beforeFinalCheck() {
    static std::function<void(const QString&)> hook;
    return hook;
}

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Identity&) const = default;
};

Identity identityOf(const struct stat& st) {
    return {st.st_dev, st.st_ino};
}

// Follows the symbolic links that `path` names, one after the other. 0 or an errno; a missing
// name is no error (it is the file to create), unless a link leads to it (ENOLINK then).
int followLinks(QByteArray& path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0) {
            return errno != ENOENT ? errno : hop > 0 ? ENOLINK : 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            return 0;
        }
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), link.size());
        if (length < 0) {
            return errno;
        }
        link.truncate(length);
        if (!link.startsWith('/')) {
            link.prepend(path.first(path.lastIndexOf('/') + 1));
        }
        path = link;
    }
    return ELOOP;
}

struct SplitPath {
    QByteArray folder;
    QByteArray name;
};

SplitPath splitPath(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return {".", path};
    }
    return {slash == 0 ? QByteArray("/") : path.first(slash), path.sliced(slash + 1)};
}

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QByteArray canonicalFolder(const QByteArray& folder) {
    char* real = ::realpath(folder.constData(), nullptr);
    if (real == nullptr) {
        return {};
    }
    QByteArray out(real);
    std::free(real); // NOLINT(cppcoreguidelines-no-malloc): realpath allocates with malloc
    return out;
}

// A path with its links followed and its folder made canonical; empty when the folder is gone.
QByteArray resolvedPath(QStringView path) {
    QByteArray native = nativePath(path);
    if (followLinks(native) != 0) {
        return {};
    }
    const SplitPath split = splitPath(native);
    const QByteArray folder = canonicalFolder(split.folder);
    return folder.isEmpty() ? QByteArray() : joined(folder, split.name);
}

QByteArray temporaryName() {
    return ".tarvex-" + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
}

QString notRegular(FileKind kind) {
    return fileKindText(kind) + QStringLiteral(", not a regular file");
}

bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

} // namespace

struct AtomicFile::State {
    struct Protected {
        QString path;
        QByteArray resolved;
        std::optional<Identity> identity;
    };
    std::vector<Protected> protectedFiles;
    int folderFd = -1;
    int fd = -1;
    QByteArray folder; // canonical
    QByteArray name;
    QByteArray temporary; // the new file's name in the folder, empty while it has none
    bool committed = false;
    qint64 size = 0;
    // What the last check saw: the entry, to be compared with the one that a rename takes away,
    // and the regular file it names, whose permissions the new file takes.
    bool entryExists = false;
    Identity entry;
    struct stat targetStat {};

    ~State() {
        for (const int descriptor : {fd, folderFd}) {
            if (descriptor >= 0) {
                ::close(descriptor);
            }
        }
    }

    void protect(const QStringList& paths) {
        for (const QString& path : paths) {
            Protected p{path, resolvedPath(path), std::nullopt};
            struct stat st {};
            if (::stat(nativePath(path).constData(), &st) == 0) {
                p.identity = identityOf(st);
            }
            protectedFiles.push_back(std::move(p));
        }
    }

    [[nodiscard]] bool entryIs(const QByteArray& entry, Identity identity) const {
        struct stat st {};
        return ::fstatat(folderFd, entry.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
               identityOf(st) == identity;
    }

    [[nodiscard]] Identity ownIdentity() const {
        struct stat st {};
        ::fstat(fd, &st);
        return identityOf(st);
    }
};

QString WriteFailure::text() const {
    if (kind == Kind::System) {
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
    return reason;
}

std::int32_t WriteFailure::errorCode() const {
    if (kind == Kind::Refused) {
        return ErrPathAccess;
    }
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrPermission;
    case ENOENT:
    case ENOTDIR:
        return ErrPathNotFound;
    default:
        return ErrDeviceIo;
    }
}

AtomicFile::AtomicFile(QString target, QStringList neverReplace)
    : target_(std::move(target)), neverReplace_(std::move(neverReplace)) {}

AtomicFile::~AtomicFile() {
    cancel();
}

void AtomicFile::setBeforeFinalCheck(std::function<void(const QString&)> hook) {
    beforeFinalCheck() = std::move(hook);
}

bool AtomicFile::fail(int errorNumber) {
    if (!failure_) {
        failure_ = {WriteFailure::Kind::System, errorNumber, {}};
    }
    return false;
}

bool AtomicFile::refuse(const QString& reason) {
    failure_ = {WriteFailure::Kind::Refused, 0, reason};
    return false;
}

QString AtomicFile::resolvedTarget() const {
    return d_ ? pathFromNative(joined(d_->folder, d_->name)) : QString();
}

bool AtomicFile::open(OpenMode mode) {
    if (isOpen() || d_ || (mode & ~(WriteOnly | Unbuffered | Truncate)) != 0 ||
        (mode & WriteOnly) == 0) {
        return fail(EINVAL);
    }
    d_ = std::make_unique<State>();
    QByteArray path = nativePath(target_);
    if (path.isEmpty()) {
        return fail(ENOENT);
    }
    const int error = followLinks(path);
    if (error != 0) {
        return error == ENOLINK ? refuse(notRegular(FileKind::BrokenLink)) : fail(error);
    }
    const SplitPath split = splitPath(path);
    if (split.name.isEmpty() || split.name == "." || split.name == "..") {
        return refuse(notRegular(FileKind::Directory));
    }
    d_->folderFd = ::open(split.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d_->folderFd < 0 && errno == EACCES) { // a folder we may write but not list
        d_->folderFd = ::open(split.folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (d_->folderFd < 0) {
        return fail(errno);
    }
    // The folder held, as it is named now.
    const QByteArray held = "/proc/self/fd/" + QByteArray::number(d_->folderFd);
    d_->folder =
        canonicalFolder(QFileInfo::exists(QString::fromLatin1(held)) ? held : split.folder);
    d_->name = split.name;
    d_->protect(neverReplace_);
    if (!checkName() || !createFile()) {
        cancel();
        return false;
    }
    return QIODevice::open(mode);
}

// What the name is now: refused unless missing or a regular file that is not protected.
bool AtomicFile::checkName() {
    State& d = *d_;
    struct stat entry {};
    d.entryExists = ::fstatat(d.folderFd, d.name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0;
    if (!d.entryExists && errno != ENOENT) {
        return fail(errno);
    }
    // A link put in the name's place is replaced as a name, but what it points to must still
    // be a regular file that is not protected.
    struct stat st = entry;
    if (d.entryExists && S_ISLNK(entry.st_mode) &&
        ::fstatat(d.folderFd, d.name.constData(), &st, 0) != 0) {
        return refuse(notRegular(FileKind::BrokenLink));
    }
    if (d.entryExists && !S_ISREG(st.st_mode)) {
        return refuse(notRegular(fileKindOfMode(st.st_mode)));
    }
    const QByteArray path = joined(d.folder, d.name);
    for (const State::Protected& p : d.protectedFiles) {
        // The file read, and whatever its name holds now.
        struct stat now {};
        const bool named = ::stat(nativePath(p.path).constData(), &now) == 0;
        if ((!p.resolved.isEmpty() && p.resolved == path) ||
            (d.entryExists &&
             (p.identity == identityOf(st) || (named && identityOf(now) == identityOf(st))))) {
            return refuse(QStringLiteral("would replace %1").arg(p.path));
        }
    }
    d.entry = identityOf(entry);
    d.targetStat = st;
    return true;
}

bool AtomicFile::createFile() {
    State& d = *d_;
#ifdef O_TMPFILE
    // An unnamed file gets its name through /proc at the commit: without /proc, a named one.
    if (::access("/proc/self/fd", F_OK) == 0) {
        d.fd = ::openat(d.folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (d.fd >= 0) {
            return true;
        }
        if (!unsupported(errno) && errno != EISDIR) {
            return fail(errno);
        }
    }
#endif
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = temporaryName();
        d.fd = ::openat(d.folderFd, name.constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (d.fd >= 0) {
            d.temporary = name;
            return true;
        }
        if (errno != EEXIST) {
            return fail(errno);
        }
    }
    return fail(EEXIST);
}

// Gives an unnamed new file a fresh name in the folder, so that a rename can move it.
bool AtomicFile::nameTemporary() {
    State& d = *d_;
    if (!d.temporary.isEmpty()) {
        return true;
    }
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(d.fd);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = temporaryName();
        if (::linkat(AT_FDCWD, self.constData(), d.folderFd, name.constData(), AT_SYMLINK_FOLLOW) ==
            0) {
            d.temporary = name;
            return true;
        }
        if (errno != EEXIST) {
            return fail(errno);
        }
    }
    return fail(EEXIST);
}

int AtomicFile::replaceName() {
    State& d = *d_;
    const char* from = d.temporary.constData();
    const char* to = d.name.constData();
    const unsigned flags = d.entryExists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (::renameat2(d.folderFd, from, d.folderFd, to, flags) != 0) {
        if (errno == EEXIST || (errno == ENOENT && d.entryExists)) {
            return 0; // the name appeared or went away since the check
        }
        if (!unsupported(errno)) {
            fail(errno);
            return -1;
        }
        // A file system without atomic exchange: the check just made is the last one.
        if (::renameat(d.folderFd, from, d.folderFd, to) != 0) {
            fail(errno);
            return -1;
        }
        return 1;
    }
    if (!d.entryExists) {
        return 1;
    }
    // The temporary name now holds what the target held: the entry checked, or something put
    // in its place meanwhile, which gets its name back.
    if (d.entryIs(d.temporary, d.entry)) {
        ::unlinkat(d.folderFd, from, 0);
        return 1;
    }
    if (::renameat2(d.folderFd, from, d.folderFd, to, RENAME_EXCHANGE) != 0) {
        fail(errno);
        d.temporary.clear(); // no longer ours: never removed
        return -1;
    }
    return 0;
}

bool AtomicFile::commit() {
    if (!d_ || d_->fd < 0 || d_->committed) {
        return fail(EBADF);
    }
    State& d = *d_;
    if (failure_ || ::fdatasync(d.fd) != 0) {
        fail(errno);
        cancel();
        return false;
    }
    if (beforeFinalCheck()) {
        beforeFinalCheck()(resolvedTarget());
    }
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (!checkName()) {
            cancel();
            return false;
        }
        if (d.entryExists) {
            ::fchmod(d.fd, d.targetStat.st_mode & 07777);
            if (d.targetStat.st_uid != ::geteuid() || d.targetStat.st_gid != ::getegid()) {
                (void)::fchown(d.fd, d.targetStat.st_uid, d.targetStat.st_gid);
            }
        }
        if (!nameTemporary()) {
            cancel();
            return false;
        }
        const int replaced = replaceName();
        if (replaced < 0) {
            cancel();
            return false;
        }
        if (replaced > 0) {
            d.temporary.clear();
            d.committed = true;
            ::fsync(d.folderFd); // the new name survives a power loss too (best effort)
            QIODevice::close();
            return true;
        }
    }
    refuse(QStringLiteral("kept changing while it was written"));
    cancel();
    return false;
}

void AtomicFile::cancel() {
    if (!d_ || d_->committed) {
        return;
    }
    State& d = *d_;
    // Only a name that still holds our own file is removed.
    if (!d.temporary.isEmpty() && d.fd >= 0 && d.entryIs(d.temporary, d.ownIdentity())) {
        ::unlinkat(d.folderFd, d.temporary.constData(), 0);
    }
    d.temporary.clear();
    if (d.fd >= 0) {
        ::close(d.fd);
        d.fd = -1;
    }
    QIODevice::close();
}

qint64 AtomicFile::size() const {
    return d_ ? d_->size : 0;
}

qint64 AtomicFile::readData(char* /*data*/, qint64 /*maxSize*/) {
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size) {
    if (!d_ || d_->fd < 0 || failure_) {
        return -1;
    }
    const qint64 at = pos();
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(d_->fd, data + done, static_cast<std::size_t>(size - done),
                                   static_cast<off_t>(at + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
            return -1;
        }
        done += n;
    }
    d_->size = std::max(d_->size, at + done);
    return done;
}

WriteFailure writeFileAtomically(const QString& target,
                                 const std::function<bool(QIODevice& device)>& write,
                                 const QStringList& neverReplace) {
    AtomicFile file(target, neverReplace);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.failure();
    }
    if (!write(file)) {
        file.cancel();
        // A writer may give up without a system error (a picture it cannot encode).
        return file.failure() ? file.failure() : WriteFailure{WriteFailure::Kind::System, EIO, {}};
    }
    file.commit();
    return file.failure();
}

WriteFailure writeFileAtomically(const QString& target, QByteArrayView bytes,
                                 const QStringList& neverReplace) {
    const auto whole = [bytes](QIODevice& device) {
        return device.write(bytes.data(), bytes.size()) == bytes.size();
    };
    return writeFileAtomically(target, whole, neverReplace);
}

} // namespace tarvex
