#pragma once

namespace tarvex {

// Shows the Open dialog and loads the chosen audit trail into auditGrid; sets auditFilePath
// ("getAuditFile").
void getAuditFile();

} // namespace tarvex
