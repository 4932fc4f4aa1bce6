#pragma once

#include <QString>

namespace tarvex {

class CommonDialog;

// The shared common dialog (pubVars().fileDialog); raises error 5 before start-up has set it.
CommonDialog& fileDialog();

// The Open dialog of the record file readers: the file must exist, cancelling raises the cancel
// error, the dialog starts in startDir. Returns the chosen full path.
QString chooseRecordFile(const QString& filter, const QString& title);

// The Save dialog of the exports: asks before overwriting, cancelling raises the cancel error,
// proposes `proposedName` in startDir's "Export Data" folder and adds ".csv" to a bare name.
// Returns the chosen full path.
QString chooseExportFile(const QString& filter, const QString& title, const QString& proposedName);

} // namespace tarvex
