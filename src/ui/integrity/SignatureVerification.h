// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// Checks the loaded data log (audit trail) against the signature selected in digiSigGrid
// (auditSigGrid) and says whether it is confirmed.
void verifyDataSignature();
void verifyAuditSignature();

} // namespace tarvex
