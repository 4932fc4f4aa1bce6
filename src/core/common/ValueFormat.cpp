// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/ValueFormat.h"

#include "core/common/ValueConvert.h"

#include <QDate>
#include <QVarLengthArray>

#include <array>
#include <charconv>
#include <string_view>

namespace tarvex {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDayNames = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// Formatted text is built here, then copied into its QString once.
using Out = QVarLengthArray<char16_t, 64>;

void appendNumber(Out& out, int value, int width) {
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    for (auto i = end - digits.data(); i < width; ++i) {
        out.append(u'0');
    }
    for (const char* p = digits.data(); p != end; ++p) {
        out.append(static_cast<char16_t>(*p));
    }
}

void appendAscii(Out& out, std::string_view text) {
    for (const char c : text) {
        out.append(static_cast<char16_t>(c));
    }
}

// A month or weekday name: three letters when short, else in full.
void appendName(Out& out, std::string_view name, bool full) {
    appendAscii(out, full ? name : name.substr(0, 3));
}

char16_t lowerCase(char16_t c) {
    if (c < 0x80) {
        return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
    }
    return QChar(c).toLower().unicode();
}

// No character outside ASCII folds to a letter of "am/pm", so ASCII folding decides alike.
bool amPmAt(QStringView pattern, qsizetype i) {
    constexpr std::u16string_view kMark = u"am/pm";
    if (i + 5 > pattern.size()) {
        return false;
    }
    for (std::size_t k = 0; k < kMark.size(); ++k) {
        if (lowerCase(pattern[i + qsizetype(k)].unicode()) != kMark[k]) {
            return false;
        }
    }
    return true;
}

bool holdsAmPm(QStringView pattern) {
    for (qsizetype i = 0; i + 5 <= pattern.size(); ++i) {
        if (amPmAt(pattern, i)) {
            return true;
        }
    }
    return false;
}

// Writes one run of a code letter; false when the letter is no code (copied as it stands).
bool appendCode(Out& out, char16_t code, qsizetype run, const DateParts& t, bool twelveHour,
                bool afterHour) {
    const int pad = run >= 2 ? 2 : 1;
    switch (code) {
    case u'h':
        appendNumber(out, twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour, pad);
        return true;
    case u'n':
        appendNumber(out, t.minute, pad);
        return true;
    case u'm':
        if (run <= 2 && afterHour) {
            appendNumber(out, t.minute, pad);
        } else if (run <= 2) {
            appendNumber(out, t.month, pad);
        } else {
            appendName(out, kMonthNames.at(t.month - 1), run >= 4);
        }
        return true;
    case u's':
        appendNumber(out, t.second, pad);
        return true;
    case u'd':
        if (run <= 2) {
            appendNumber(out, t.day, pad);
        } else {
            const int weekday = QDate(t.year, t.month, t.day).dayOfWeek();
            appendName(out, kDayNames.at(weekday - 1), run >= 4);
        }
        return true;
    case u'y':
        appendNumber(out, run >= 3 ? t.year : t.year % 100, run >= 3 ? 4 : 2);
        return true;
    case u'z':
        appendNumber(out, t.msec, 3);
        return true;
    default:
        return false;
    }
}

} // namespace

QString formatDateSerial(double serial, QStringView pattern) {
    if (!isDateSerialInRange(serial)) {
        return CellValue::number(serial).toText();
    }
    const DateParts t = splitDateSerial(serial);
    const bool twelveHour = holdsAmPm(pattern);
    Out out;
    bool afterHour = false; // "m" right after an hour code means minutes
    for (qsizetype i = 0; i < pattern.size();) {
        if (amPmAt(pattern, i)) {
            const bool upper = pattern[i] == u'A';
            appendAscii(out, t.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm"));
            afterHour = false;
            i += 5;
            continue;
        }
        const char16_t letter = lowerCase(pattern[i].unicode());
        qsizetype run = 1;
        while (i + run < pattern.size() && lowerCase(pattern[i + run].unicode()) == letter) {
            ++run;
        }
        if (appendCode(out, letter, run, t, twelveHour, afterHour)) {
            afterHour = letter == u'h';
        } else {
            out.append(pattern.utf16() + i, run);
        }
        i += run;
    }
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size());
}

QString formatValue(const CellValue& value, QStringView pattern) {
    switch (value.kind()) {
    case CellValue::Kind::Empty:
        return {};
    case CellValue::Kind::Number:
    case CellValue::Kind::Date:
        return formatDateSerial(value.toDouble(), pattern);
    case CellValue::Kind::Text:
        break;
    }
    const QString text = value.toText();
    const CellValue parsed = valueFromText(text);
    return parsed.isNumeric() ? formatDateSerial(parsed.toDouble(), pattern) : text;
}

QString generalDate(double serial) {
    return formatDateSerial(serial, u"m/d/yyyy h:mm:ss AM/PM");
}

} // namespace tarvex
