#include "recordfiles/OperatorEventFile.h"

namespace tarvex {

void loadOpEventsFile() {}

} // namespace tarvex
