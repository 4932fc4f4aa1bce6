// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvex {

struct SharedState;

// The Open dialog of the record file readers (the shared fileDialog): the file must exist,
// cancelling raises the cancel error, the dialog starts in startDir. Returns the chosen full path.
QString chooseRecordFile(const SharedState& state, const QString& filter, const QString& title);

// The Save dialog of the exports: asks before overwriting, cancelling raises the cancel error,
// proposes `proposedName` in startDir's "Export Data" folder and adds ".csv" to a bare name.
// Returns the chosen full path, refused as refuseRecordFileTarget says.
QString chooseExportFile(const SharedState& state, const QString& filter, const QString& title,
                         const QString& proposedName);

// Raises the permission error (70) when `target` is one of the loaded record files or their
// signature and event files: the viewer never writes a record file, even when the user picks one.
// Raises the path/file access error (75) when it exists and is no regular file (a folder, a
// device, a FIFO).
void refuseRecordFileTarget(const SharedState& state, const QString& target);

} // namespace tarvex
