#include "recordfiles/SignatureFiles.h"

namespace tarvex {

void loadSigFile() {}

void loadAuditSigFile() {}

} // namespace tarvex
