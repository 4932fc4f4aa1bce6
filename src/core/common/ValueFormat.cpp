#include "common/ValueFormat.h"

// Placeholder bodies; the conversions work replaces them.
namespace tarvex {
QString formatValue(const CellValue& value, QStringView) {
    return value.toText();
}
QString formatDateSerial(double serial, QStringView) {
    return QString::number(serial);
}
QString generalDate(double serial) {
    return QString::number(serial);
}
} // namespace tarvex
