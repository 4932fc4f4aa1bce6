// SPDX-License-Identifier: GPL-3.0-or-later
// Text to value and value to text: any cell text converts and any value formats through any
// pattern (the input is "pattern|text"; its first eight bytes are also read as a date serial),
// and a number's text reads back as a number with the same text.
#include "FuzzCheck.h"

#include "core/common/CellValue.h"
#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"
#include "core/common/Windows1252.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace tarvex;

FUZZ_TARGET(value_text) {
    const QString input =
        fromWindows1252(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const qsizetype bar = input.indexOf(u'|');
    const QStringView pattern = bar < 0 ? QStringView() : QStringView(input).first(bar);
    const QStringView text = bar < 0 ? QStringView(input) : QStringView(input).sliced(bar + 1);

    const CellValue value = valueFromText(text);
    (void)formatValue(value, pattern);
    (void)value.toText();
    if (value.isNumeric()) {
        (void)formatDateSerial(value.toDouble(), pattern);
        (void)generalDate(value.toDouble());
    }
    // A number is shown with at most 15 significant digits; what is shown reads back as a
    // number that is shown the same.
    if (value.kind() == CellValue::Kind::Number && std::isfinite(value.toDouble())) {
        const QString shown = value.toText();
        const CellValue again = valueFromText(shown);
        FUZZ_CHECK(again.kind() == CellValue::Kind::Number && again.toText() == shown);
    }
    if (size >= sizeof(double)) {
        double serial = 0;
        std::memcpy(&serial, data, sizeof serial);
        (void)formatDateSerial(serial, pattern);
        (void)generalDate(serial);
        (void)formatValue(CellValue::date(serial), pattern);
    }
    return 0;
}
