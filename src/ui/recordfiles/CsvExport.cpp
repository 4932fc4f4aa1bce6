#include "recordfiles/CsvExport.h"

namespace tarvex {

bool isDataFileOpen(const QString& path) {
    Q_UNUSED(path);
    return false;
}

bool isAuditFileOpen(const QString& path) {
    Q_UNUSED(path);
    return false;
}

bool isAlarmFileOpen(const QString& path) {
    Q_UNUSED(path);
    return false;
}

void exportHistData() {}

void exportOpEventData() {}

void exportAuditTrailData() {}

void exportAlmData() {}

} // namespace tarvex
