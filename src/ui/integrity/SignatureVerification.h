// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/integrity/SignatureCheck.h"

#include <optional>

namespace tarvex {

class SpreadGrid;
class StatusSink;
struct SharedState;

// Checks the loaded data log (audit trail) against the signature selected in its signature
// grid, digiSigGrid (auditSigGrid), says whether it is confirmed and answers the verdict;
// nothing when there was no signature to check or the check failed. A failed signature's row
// gets a tooltip that tells what the signature still covers; a confirmed one loses it.
std::optional<HashVerdict> verifyDataSignature(const SharedState& state, StatusSink& status,
                                               SpreadGrid& digiSigGrid);
std::optional<HashVerdict> verifyAuditSignature(const SharedState& state, StatusSink& status,
                                                SpreadGrid& auditSigGrid);

} // namespace tarvex
