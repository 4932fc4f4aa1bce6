// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;

namespace tarvex {

class SpreadGrid;
class StatusSink;
struct SharedState;

// The controls of the viewer's "Audit Trail" tab.
struct AuditTrailView {
    SpreadGrid* auditGrid = nullptr;
    SpreadGrid* auditSigGrid = nullptr; // the signatures (".sig")
    QLabel* auditNameLab = nullptr;     // names the loaded file
};

// Shows the Open dialog and loads the chosen audit trail into auditGrid; sets auditFilePath
// ("getAuditFile"). A failure empties auditGrid.
void getAuditFile(SharedState& state, StatusSink& status, const AuditTrailView& view);

} // namespace tarvex
