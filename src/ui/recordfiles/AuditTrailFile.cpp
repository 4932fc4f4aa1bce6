#include "recordfiles/AuditTrailFile.h"

namespace tarvex {

void getAuditFile() {}

} // namespace tarvex
