#include "common/ValueConvert.h"

// Placeholder bodies; the conversions work replaces them.
namespace tarvex {
CellValue valueFromText(QStringView text) {
    return text.isEmpty() ? CellValue() : CellValue::text(text.toString());
}
std::optional<double> parseNumber(QStringView) {
    return std::nullopt;
}
std::optional<double> parseDateTime(QStringView) {
    return std::nullopt;
}
double dateSerial(int, int, int) {
    return 0;
}
double timeSerial(int, int, int, int) {
    return 0;
}
DateParts splitDateSerial(double) {
    return {};
}
double toDateSerial(const QDateTime&) {
    return 0;
}
QDateTime fromDateSerial(double) {
    return {};
}
} // namespace tarvex
