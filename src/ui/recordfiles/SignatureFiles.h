// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// Reads the ".sig" file beside the loaded data log into digiSigGrid ("loadSigFile").
void loadSigFile();

// Reads the ".sig" file beside the loaded audit trail into auditSigGrid ("loadAuditSigFile").
void loadAuditSigFile();

} // namespace tarvex
