// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

class StatusSink;
struct AuditTrailView;
struct DataLogView;
struct SharedState;

// Reads the ".sig" file beside the loaded data log into digiSigGrid ("loadSigFile"); a damaged
// one resets the data view.
void loadSigFile(SharedState& state, StatusSink& status, const DataLogView& view);

// Reads the ".sig" file beside the loaded audit trail into auditSigGrid ("loadAuditSigFile"); a
// damaged one empties only auditSigGrid.
void loadAuditSigFile(SharedState& state, StatusSink& status, const AuditTrailView& view);

} // namespace tarvex
