#include "common/CellValue.h"

// Placeholder bodies; the conversions work replaces them.
namespace tarvex {
double CellValue::toDouble() const {
    return value_;
}
QString CellValue::toText() const {
    return text_;
}
} // namespace tarvex
