#include "common/ValueFormat.h"

#include "common/ValueConvert.h"

#include <QDate>

#include <array>

namespace tarvex {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                  "Friday", "Saturday", "Sunday"};

void appendNumber(QString& out, int value, int width) {
    const QString digits = QString::number(value);
    for (auto i = digits.size(); i < width; ++i) {
        out += u'0';
    }
    out += digits;
}

// A month or weekday name: three letters when short, else in full.
void appendName(QString& out, const char* name, bool full) {
    const QLatin1StringView text(name);
    out += full ? text : text.first(3);
}

bool amPmAt(QStringView pattern, qsizetype i) {
    return i + 5 <= pattern.size() &&
           pattern.sliced(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0;
}

// Writes one run of a code letter; false when the letter is no code (copied as it stands).
bool appendCode(QString& out, char16_t code, qsizetype run, const DateParts& t, bool twelveHour,
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
    const bool twelveHour = pattern.contains(u"am/pm", Qt::CaseInsensitive);
    QString out;
    out.reserve(pattern.size() + 8);
    bool afterHour = false; // "m" right after an hour code means minutes
    for (qsizetype i = 0; i < pattern.size();) {
        if (amPmAt(pattern, i)) {
            const bool upper = pattern[i] == u'A';
            out += t.hour < 12 ? (upper ? u"AM" : u"am") : (upper ? u"PM" : u"pm");
            afterHour = false;
            i += 5;
            continue;
        }
        const QChar letter = pattern[i].toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == letter) {
            ++run;
        }
        if (appendCode(out, letter.unicode(), run, t, twelveHour, afterHour)) {
            afterHour = letter == u'h';
        } else {
            out += pattern.sliced(i, run);
        }
        i += run;
    }
    return out;
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
