// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/viewer/DroppedFile.h"

#include <QDir>
#include <QFileInfo>

namespace tarvex {

DroppedFile droppedFile(const QList<QUrl>& urls) {
    if (urls.size() != 1) {
        return {{}, QStringLiteral("Please drop one file at a time.")};
    }
    const QUrl& url = urls.first();
    if (!url.isLocalFile()) {
        return {{},
                QStringLiteral("Only a file on this computer can be opened here, not %1.")
                    .arg(url.toDisplayString())};
    }
    const QFileInfo file(url.toLocalFile());
    if (file.isDir()) {
        return {{},
                QStringLiteral("%1 is a folder. Please drop a file.")
                    .arg(QDir::toNativeSeparators(file.absoluteFilePath()))};
    }
    return {QDir::toNativeSeparators(file.absoluteFilePath()), {}};
}

} // namespace tarvex
