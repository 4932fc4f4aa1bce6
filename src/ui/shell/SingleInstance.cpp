// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/SingleInstance.h"

#include "core/common/TvError.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

#include <unistd.h>

namespace tarvex {
namespace {
std::unique_ptr<QLockFile>& heldLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
} // namespace

QString instanceLockPath() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return QDir(runtime).filePath(QStringLiteral("tarvex-viewer.lock"));
    }
    // The temporary folder is shared by every user: the name carries the user's own number.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tarvex-viewer-%1.lock").arg(::getuid()));
}

bool previousInstanceRunning() {
    if (heldLock()) {
        return false;
    }
    auto lock = std::make_unique<QLockFile>(instanceLockPath());
    // Only a dead owner makes a lock stale, never its age: a running instance keeps it for days.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        heldLock() = std::move(lock);
        return false;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        return true;
    }
    throw TvError(ErrPathAccess);
}

void releaseInstanceLock() {
    heldLock().reset();
}

} // namespace tarvex
