// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

class SpreadGrid;
class StatusSink;
struct SharedState;

// Checks the loaded data log (audit trail) against the signature selected in its signature
// grid, digiSigGrid (auditSigGrid), and says whether it is confirmed.
void verifyDataSignature(const SharedState& state, StatusSink& status,
                         const SpreadGrid& digiSigGrid);
void verifyAuditSignature(const SharedState& state, StatusSink& status,
                          const SpreadGrid& auditSigGrid);

} // namespace tarvex
