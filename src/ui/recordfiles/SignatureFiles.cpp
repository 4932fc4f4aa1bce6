// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/SignatureFiles.h"

#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/EncipheredFileReader.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"
#include "ui/viewer/frmHistory.h"

namespace tarvex {
namespace {

EncipheredFileLoad signatureFile(const QString& procName, SpreadGrid* frmHistory::*grid,
                                 QString SharedState::*recordPath, void (*afterFailure)()) {
    return {.procName = procName,
            .grid = grid,
            .recordPath = recordPath,
            .extension = QStringLiteral(".sig"),
            .column3Title = QStringLiteral("Comment"),
            .hideColumn4 = true,
            .loadingText = QStringLiteral("Loading signature file, please wait..."),
            .decryptingText = QStringLiteral("Decrypting signature file, please wait..."),
            .showFileWhenDone = false,
            .afterFailure = afterFailure};
}

// A damaged signature file leaves the audit trail loaded, without signatures to verify it by.
void emptyAuditSignatures() {
    SpreadGrid& grid = *frmHistory::instance().auditSigGrid;
    grid.ClearBlock(0, 0, grid.ColumnCount(), grid.RowCount(), false);
    Screen::setMousePointer(Screen::vbDefault);
}

} // namespace

void loadSigFile() {
    loadEncipheredFile(signatureFile(QStringLiteral("loadSigFile"), &frmHistory::digiSigGrid,
                                     &SharedState::dataFilePath, &resetDataView));
}

void loadAuditSigFile() {
    loadEncipheredFile(signatureFile(QStringLiteral("loadAuditSigFile"), &frmHistory::auditSigGrid,
                                     &SharedState::auditFilePath, &emptyAuditSignatures));
}

} // namespace tarvex
