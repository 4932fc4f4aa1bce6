// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recordfiles/SignatureFiles.h"

#include "core/recordfiles/RecordLayouts.h"
#include "ui/recordfiles/AuditTrailFile.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/EncipheredFileReader.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/Screen.h"
#include "ui/shell/SharedState.h"

namespace tarvex {
namespace {

EncipheredFileLoad signatureFile(const QString& procName, SpreadGrid* grid,
                                 QString SharedState::*recordPath,
                                 std::function<void()> afterFailure) {
    return {.procName = procName,
            .grid = grid,
            .recordPath = recordPath,
            .extension = QStringLiteral(".sig"),
            .column3Title = QStringLiteral("Comment"),
            .hideColumn4 = true,
            .loadingText = QStringLiteral("Loading signature file, please wait..."),
            .decryptingText = QStringLiteral("Decrypting signature file, please wait..."),
            .showFileWhenDone = false,
            .afterFailure = std::move(afterFailure)};
}

} // namespace

void loadSigFile(SharedState& state, StatusSink& status, const DataLogView& view) {
    loadEncipheredFile(state, status,
                       signatureFile(QStringLiteral("loadSigFile"), view.digiSigGrid,
                                     &SharedState::dataFilePath,
                                     [&] { resetDataView(state, status, view); }));
}

void loadAuditSigFile(SharedState& state, StatusSink& status, const AuditTrailView& view) {
    // A damaged signature file leaves the audit trail loaded, without signatures to verify it by.
    SpreadGrid* grid = view.auditSigGrid;
    loadEncipheredFile(state, status,
                       signatureFile(QStringLiteral("loadAuditSigFile"), grid,
                                     &SharedState::auditFilePath, [grid] {
                                         clearAllCells(*grid);
                                         Screen::setMousePointer(Screen::vbDefault);
                                     }));
}

} // namespace tarvex
