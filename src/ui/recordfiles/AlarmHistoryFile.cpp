#include "recordfiles/AlarmHistoryFile.h"

namespace tarvex {

void getAlmFile() {}

} // namespace tarvex
