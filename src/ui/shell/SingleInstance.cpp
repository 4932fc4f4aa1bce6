// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/SingleInstance.h"

#include "core/common/TvError.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace tarvex {
namespace {
std::unique_ptr<QLockFile>& heldLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
} // namespace

QString instanceLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    const QString exe = QCoreApplication::applicationFilePath();
    const QByteArray key =
        QCryptographicHash::hash(exe.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(dir).filePath(
        QStringLiteral("%1-%2.lock")
            .arg(QFileInfo(exe).completeBaseName(), QString::fromLatin1(key)));
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
