// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarvex {

// Shows the Open dialog and loads the chosen audit trail into auditGrid; sets auditFilePath
// ("getAuditFile").
void getAuditFile();

} // namespace tarvex
