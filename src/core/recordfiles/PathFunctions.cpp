// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/PathFunctions.h"

#include "core/recordfiles/FileKind.h"

#include <algorithm>

namespace tarvex {
namespace {

// Length of the folder part: the position just after the last separator, 0 when none.
qsizetype folderLength(const QString& path) {
#ifdef Q_OS_WIN
    const qsizetype last = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
#else
    const qsizetype last = path.lastIndexOf(u'/');
#endif
    return last + 1;
}

QString cutName(const QString& path, qsizetype folder) {
    QString name = path.mid(folder);
    if (const qsizetype dot = name.indexOf(u'.'); dot >= 0) {
        name.truncate(dot);
    }
    return name;
}

} // namespace

QString fileBaseName(const QString& path) {
    return cutName(path, folderLength(path));
}

QString pathWithoutExtension(const QString& path) {
    const qsizetype folder = folderLength(path);
    return path.left(folder) + cutName(path, folder);
}

bool fileExists(const QString& path) {
    return fileKind(path) == FileKind::Regular;
}

} // namespace tarvex
