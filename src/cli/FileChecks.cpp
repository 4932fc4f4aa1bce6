// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChecks.h"

#include "core/recordfiles/FileKind.h"
#include "core/recordfiles/RecordFileGuard.h"

namespace tarvex::cli {

QString unreadableInput(const QString& path) {
    const FileKind kind = fileKind(path);
    switch (kind) {
    case FileKind::Regular:
        return {};
    case FileKind::Missing:
        return QStringLiteral("no such file");
    case FileKind::Unreachable:
        return QStringLiteral("cannot be examined (permission denied on the way)");
    default:
        return fileKindText(kind) + QStringLiteral(", not a regular file");
    }
}

QString refusedTarget(const QString& target, const QStringList& inputs) {
    for (const QString& input : inputs) {
        if (namesAnyOf(target, {input})) {
            return QStringLiteral("would replace the record file itself");
        }
        if (namesAnyOf(target, recordFileSet(input))) {
            return QStringLiteral("would replace a file that belongs to the record file %1")
                .arg(input);
        }
    }
    const FileKind kind = fileKind(target);
    if (kind != FileKind::Missing && kind != FileKind::Regular) {
        return fileKindText(kind) + QStringLiteral(", not a regular file");
    }
    return {};
}

} // namespace tarvex::cli
