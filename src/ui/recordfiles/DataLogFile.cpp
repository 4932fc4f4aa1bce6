#include "recordfiles/DataLogFile.h"

namespace tarvex {

void getHistFile() {}

void resetDataView() {}

} // namespace tarvex
