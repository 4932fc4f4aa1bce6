#include "integrity/SignatureVerification.h"

namespace tarvex {

void verifyDataSignature() {}

void verifyAuditSignature() {}

} // namespace tarvex
