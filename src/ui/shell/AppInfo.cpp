// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/AppInfo.h"

#include "TarvexVersion.h"

namespace tarvex {
namespace {
QString& helpFilePath() {
    static QString path;
    return path;
}
} // namespace

QString versionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionPatch);
}

QIcon appIcon() {
    return QIcon(QStringLiteral(":/icons/tarvex-viewer.svg"));
}

void setAppHelpFile(const QString& path) {
    helpFilePath() = path;
}

QString appHelpFile() {
    return helpFilePath();
}

} // namespace tarvex
