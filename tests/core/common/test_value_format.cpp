// SPDX-License-Identifier: GPL-3.0-or-later
// The date formatter against the plainest reading of its codes, written with QString's own
// case-insensitive operations, over random patterns and serials.
#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"

#include <QDate>

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace tarvex;

namespace {

QString padded(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

QString name(const char* full, bool whole) {
    const QString text = QString::fromLatin1(full);
    return whole ? text : text.left(3);
}

// One run of a code letter, or a null string when the letter is no code.
QString plainCode(QChar letter, qsizetype run, const DateParts& t, bool twelve, bool afterHour) {
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    static const char* const kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                        "Friday", "Saturday", "Sunday"};
    const int pad = run >= 2 ? 2 : 1;
    switch (letter.unicode()) {
    case u'h':
        return padded(twelve ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour, pad);
    case u'n':
        return padded(t.minute, pad);
    case u'm':
        if (run <= 2) {
            return padded(afterHour ? t.minute : t.month, pad);
        }
        return name(kMonths[t.month - 1], run >= 4);
    case u's':
        return padded(t.second, pad);
    case u'd':
        if (run <= 2) {
            return padded(t.day, pad);
        }
        return name(kDays[QDate(t.year, t.month, t.day).dayOfWeek() - 1], run >= 4);
    case u'y':
        return run >= 3 ? padded(t.year, 4) : padded(t.year % 100, 2);
    case u'z':
        return padded(t.msec, 3);
    default:
        return {};
    }
}

QString plainFormat(double serial, QStringView pattern) {
    if (!isDateSerialInRange(serial)) {
        return CellValue::number(serial).toText();
    }
    const DateParts t = splitDateSerial(serial);
    const bool twelve = pattern.contains(u"am/pm", Qt::CaseInsensitive);
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        if (pattern.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0) {
            const QString mark = QString::fromLatin1(t.hour < 12 ? "am" : "pm");
            out += pattern[i] == u'A' ? mark.toUpper() : mark;
            afterHour = false;
            i += 5;
            continue;
        }
        const QChar letter = pattern[i].toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == letter) {
            ++run;
        }
        const QString code = plainCode(letter, run, t, twelve, afterHour);
        if (code.isNull()) {
            out += pattern.mid(i, run); // other characters leave "m" as it was
        } else {
            out += code;
            afterHour = letter == u'h';
        }
        i += run;
    }
    return out;
}

// Code letters in both cases, the AM/PM marks in mixed case, separators, and characters
// outside ASCII whose lower case is an ASCII letter (U+0130, U+212A) or that have none.
QString randomPattern(std::mt19937& rng) {
    static const QStringList kPieces = {
        "h", "H", "m", "M", "n",      "s",      "S",      "d",      "D",         "y",     "Y",
        "z", "Z", ":", "/", " ",      ".",      "-",      "AM/PM",  "am/pm",     "Am/pM", "am/p",
        "A", "P", "x", "é", "\u0130", "\u212A", "\u00C4", "\u4E2D", "\U0001F600"};
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<qsizetype> piece(0, kPieces.size() - 1);
    QString pattern;
    for (int n = length(rng); n > 0; --n) {
        pattern += kPieces[piece(rng)];
    }
    return pattern;
}

double randomSerial(std::mt19937& rng) {
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_real_distribution<double> days(-700'000, 3'000'000);
    std::uniform_int_distribution<int> ms(0, 86'399'999);
    switch (kind(rng)) {
    case 0:
        return days(rng); // any fraction, out of range included
    case 1:
        return std::floor(days(rng)); // midnight
    default:
        return dateSerial(2024, 3, 4) + timeSerial(0, 0, 0, ms(rng));
    }
}

} // namespace

TEST(FormatPatterns, RandomPatternsMatchThePlainReading) {
    std::mt19937 rng(20240304);
    for (int i = 0; i < 20'000; ++i) {
        const QString pattern = randomPattern(rng);
        const double serial = randomSerial(rng);
        ASSERT_EQ(formatDateSerial(serial, pattern), plainFormat(serial, pattern))
            << "pattern \"" << pattern.toStdString() << "\" serial " << serial;
    }
}

TEST(FormatPatterns, TimeColumnPatternsOverAWholeDay) {
    const double day = dateSerial(2024, 3, 4);
    for (int s = 0; s < 86'400; s += 7) {
        const double serial = day + timeSerial(0, 0, s);
        for (const QStringView pattern : {u"hh:mm:ss AM/PM", u"hh:mm AM/PM"}) {
            ASSERT_EQ(formatDateSerial(serial, pattern), plainFormat(serial, pattern)) << s;
        }
    }
}
