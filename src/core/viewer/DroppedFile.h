// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace tarvex {

// What was dropped on a tab that opens files: one local file, or why not.
struct DroppedFile {
    QString path;    // the file to open, native separators; empty when refused
    QString refusal; // a plain message for the user; empty when accepted
};

// One local file is taken (whether it can be read is the reader's to say, as for a file chosen
// in the Open dialog); several files, a folder or anything that is not a local file is refused.
DroppedFile droppedFile(const QList<QUrl>& urls);

} // namespace tarvex
