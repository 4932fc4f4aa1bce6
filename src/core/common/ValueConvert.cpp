// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/ValueConvert.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <string>

namespace tarvex {
namespace {

namespace chr = std::chrono;

constexpr qint64 kMsPerDay = 86'400'000;
constexpr chr::sys_days kEpoch = chr::year{1899} / chr::December / 30;
constexpr qint64 kEpochJulianDay = 2'415'019; // QDate(1899, 12, 30).toJulianDay()
// 1 January 100 up to (not including) 1 January 10000.
constexpr double kMinSerial = -657'434.0;
constexpr double kMaxSerial = 2'958'466.0;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A cursor over the text being read.
class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}

    [[nodiscard]] bool atEnd() const { return pos_ >= text_.size(); }
    [[nodiscard]] qsizetype pos() const { return pos_; }
    void setPos(qsizetype pos) { pos_ = pos; }

    bool take(char16_t c) {
        if (!atEnd() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // Up to maxDigits digits as a number; how many were read goes to count.
    int digits(int maxDigits, int& count) {
        int value = 0;
        count = 0;
        while (count < maxDigits && !atEnd() && isDigit(text_[pos_])) {
            value = value * 10 + (text_[pos_].unicode() - u'0');
            ++pos_;
            ++count;
        }
        return value;
    }
    int skipBlanks() {
        const qsizetype start = pos_;
        while (!atEnd() && isBlank(text_[pos_])) {
            ++pos_;
        }
        return static_cast<int>(pos_ - start);
    }
    // "AM" or "PM" in any case: 0 for AM, 12 for PM, -1 when neither stands here.
    int amPm() {
        if (pos_ + 2 > text_.size() || (text_[pos_ + 1] != u'm' && text_[pos_ + 1] != u'M')) {
            return -1;
        }
        const char16_t c = text_[pos_].toUpper().unicode();
        if (c != u'A' && c != u'P') {
            return -1;
        }
        pos_ += 2;
        return c == u'A' ? 0 : 12;
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

bool validDate(int y, int m, int d) {
    return y >= 100 && y <= 9999 &&
           chr::year_month_day(chr::year{y}, chr::month(static_cast<unsigned>(m)),
                               chr::day(static_cast<unsigned>(d)))
               .ok();
}

// Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999.
int expandYear(int yy) {
    return yy < 30 ? 2000 + yy : 1900 + yy;
}

// m/d/yyyy, m/d/yy or yyyy-mm-dd, as whole days; the cursor stays put on failure.
std::optional<double> readDate(Reader& r) {
    const qsizetype start = r.pos();
    int n1 = 0;
    int n2 = 0;
    int n3 = 0;
    const int first = r.digits(4, n1);
    if (n1 == 4 && r.take(u'-')) {
        const int month = r.digits(2, n2);
        if (n2 > 0 && r.take(u'-')) {
            const int day = r.digits(2, n3);
            if (n3 > 0 && validDate(first, month, day)) {
                return dateSerial(first, month, day);
            }
        }
    } else if (n1 >= 1 && n1 <= 2 && r.take(u'/')) {
        const int day = r.digits(2, n2);
        if (n2 > 0 && r.take(u'/')) {
            int year = r.digits(4, n3);
            year = n3 == 2 ? expandYear(year) : year;
            if ((n3 == 2 || n3 == 4) && validDate(year, first, day)) {
                return dateSerial(year, first, day);
            }
        }
    }
    r.setPos(start);
    return std::nullopt;
}

// Milliseconds from fraction digits after the seconds' ".": "5" is 500, "1234" is 123.
int readFraction(Reader& r, bool& ok) {
    int count = 0;
    int ms = 0;
    while (!r.atEnd()) {
        int n = 0;
        const int d = r.digits(1, n);
        if (n == 0) {
            break;
        }
        if (count < 3) {
            ms = ms * 10 + d;
        }
        ++count;
    }
    for (int i = count; i < 3; ++i) {
        ms *= 10;
    }
    ok = count > 0;
    return ms;
}

// h:mm[:ss[.fff]] with an optional AM/PM, as milliseconds of the day.
std::optional<qint64> readTime(Reader& r) {
    int nh = 0;
    int nm = 0;
    int ns = 0;
    const int hour = r.digits(2, nh);
    if (nh == 0 || !r.take(u':')) {
        return std::nullopt;
    }
    const int minute = r.digits(2, nm);
    int second = 0;
    int ms = 0;
    if (nm == 0) {
        return std::nullopt;
    }
    if (r.take(u':')) {
        second = r.digits(2, ns);
        bool ok = true;
        if (ns > 0 && r.take(u'.')) {
            ms = readFraction(r, ok);
        }
        if (ns == 0 || !ok) {
            return std::nullopt;
        }
    }
    const qsizetype beforeMark = r.pos();
    r.skipBlanks();
    const int pm = r.amPm();
    if (pm < 0) {
        r.setPos(beforeMark);
    }
    const int maxHour = pm < 0 ? 23 : 12;
    if (hour > maxHour || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const int hour24 = pm < 0 ? hour : (hour % 12) + pm;
    return qint64(hour24) * 3'600'000 + qint64(minute) * 60'000 + qint64(second) * 1000 + ms;
}

// Days and a time of day as one serial: before day 0 the time counts away from zero.
double composeSerial(double days, qint64 msOfDay) {
    const double fraction = static_cast<double>(msOfDay) / kMsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

} // namespace

std::optional<double> parseNumber(QStringView text) {
    text = trimBlanks(text);
    // Most numbers are short: their digits are copied on the stack.
    QVarLengthArray<char, 64> ascii;
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        ++i;
    }
    int mantissaDigits = 0;
    auto copyDigits = [&](int& count) {
        while (i < text.size() && isDigit(text[i])) {
            ascii.append(static_cast<char>(text[i++].unicode()));
            ++count;
        }
    };
    copyDigits(mantissaDigits);
    if (i < text.size() && text[i] == u'.') {
        ascii.append('.');
        ++i;
        copyDigits(mantissaDigits);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ascii.append('e');
        if (++i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ascii.append(static_cast<char>(text[i++].unicode()));
        }
        int exponentDigits = 0;
        copyDigits(exponentDigits);
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt; // before the conversion: times and text end up here
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    // No negative zero: "-0" shows as "0".
    return negative && value != 0 ? -value : value;
}

std::optional<double> parseDateTime(QStringView text) {
    Reader r(trimBlanks(text));
    if (const auto days = readDate(r)) {
        if (r.atEnd()) {
            return *days;
        }
        if (r.skipBlanks() == 0) {
            return std::nullopt;
        }
        const auto ms = readTime(r);
        if (!ms || !r.atEnd()) {
            return std::nullopt;
        }
        return composeSerial(*days, *ms);
    }
    const auto ms = readTime(r);
    if (!ms || !r.atEnd()) {
        return std::nullopt;
    }
    return composeSerial(0, *ms);
}

CellValue valueFromText(QStringView text) {
    if (text.isEmpty()) {
        return {};
    }
    if (const auto number = parseNumber(text)) {
        return CellValue::number(*number);
    }
    if (const auto serial = parseDateTime(text)) {
        return CellValue::date(*serial);
    }
    return CellValue::text(text.toString());
}

double dateSerial(int year, int month, int day) {
    const long long m0 = static_cast<long long>(month) - 1;
    const long long carry = m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
    const long long y = std::clamp<long long>(year + carry, -32767, 32767);
    const auto m = static_cast<unsigned>(m0 - carry * 12 + 1);
    const chr::sys_days first = chr::year{static_cast<int>(y)} / chr::month{m} / 1;
    return static_cast<double>((first - kEpoch).count()) + (static_cast<double>(day) - 1);
}

double timeSerial(int hour, int minute, int second, int msec) {
    const qint64 ms =
        qint64(hour) * 3'600'000 + qint64(minute) * 60'000 + qint64(second) * 1000 + msec;
    return static_cast<double>(ms) / kMsPerDay;
}

bool isDateSerialInRange(double serial) {
    return serial > kMinSerial - 1 && serial < kMaxSerial;
}

DateParts splitDateSerial(double serial) {
    if (!isDateSerialInRange(serial)) {
        return {};
    }
    const double whole = std::trunc(serial);
    auto days = static_cast<long long>(whole);
    auto ms = static_cast<qint64>(std::llround(std::fabs(serial - whole) * kMsPerDay));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++days;
    }
    const chr::year_month_day ymd{kEpoch + chr::days{days}};
    DateParts parts;
    parts.year = static_cast<int>(ymd.year());
    parts.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    parts.hour = static_cast<int>(ms / 3'600'000);
    parts.minute = static_cast<int>(ms / 60'000 % 60);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.msec = static_cast<int>(ms % 1000);
    return parts;
}

double toDateSerial(const QDateTime& dateTime) {
    if (!dateTime.isValid()) {
        return 0;
    }
    const auto days = static_cast<double>(dateTime.date().toJulianDay() - kEpochJulianDay);
    return composeSerial(days, dateTime.time().msecsSinceStartOfDay());
}

QDateTime fromDateSerial(double serial) {
    if (!isDateSerialInRange(serial)) {
        return {};
    }
    const DateParts p = splitDateSerial(serial);
    return {QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second, p.msec)};
}

} // namespace tarvex
