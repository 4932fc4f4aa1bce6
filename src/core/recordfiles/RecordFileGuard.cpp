// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/RecordFileGuard.h"

#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/PathFunctions.h"

#include <QFileInfo>

namespace tarvex {

QStringList recordFileSet(const QString& recordPath) {
    if (recordPath.isEmpty()) {
        return {};
    }
    const QString stem = pathWithoutExtension(recordPath);
    return {recordPath, stem + QStringLiteral(".sig"), stem + QStringLiteral(".evt")};
}

bool namesAnyOf(const QString& target, const QStringList& files) {
    const QFileInfo targetInfo(target);
    const QString targetPath =
        targetInfo.exists() ? targetInfo.canonicalFilePath() : targetInfo.absoluteFilePath();
    for (const QString& file : files) {
        const QFileInfo info(file);
        const QString path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        if ((!path.isEmpty() && path == targetPath) || isSameFile(target, file)) {
            return true;
        }
    }
    return false;
}

} // namespace tarvex
