// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/trend/TimeTicks.h"

#include "core/trend/DateTickStep.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace tarvex {
namespace {

// The parts a pattern can show, finest first. The formatter's rules decide which letter is
// which: "m" right after an hour code is minutes, elsewhere the month.
enum class Unit { Milli, Second, Minute, Hour, Day, Month, Year, Century, None };

constexpr double kSecond = 1.0 / 86400.0;
// How long each unit lasts at the least, in days; Century stands for a four-digit year.
constexpr std::array<double, 8> kUnitDays{
    kSecond / 1000, kSecond, 60 * kSecond, 3600 * kSecond, 1.0, 28.0, 365.0, 36524.0};

double unitDays(Unit unit) {
    return unit == Unit::None ? std::numeric_limits<double>::infinity()
                              : kUnitDays.at(static_cast<std::size_t>(unit));
}

struct Token {
    Unit unit;
    qsizetype start;
    qsizetype length;
};

char16_t asciiLower(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? u + (u'a' - u'A') : u;
}

bool amPmAt(QStringView p, qsizetype i) {
    return i + 5 <= p.size() && p.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0;
}

std::optional<Unit> codeUnit(char16_t letter, qsizetype run, bool afterHour) {
    switch (letter) {
    case u'z':
        return Unit::Milli;
    case u's':
        return Unit::Second;
    case u'n':
        return Unit::Minute;
    case u'h':
        return Unit::Hour;
    case u'm':
        return run <= 2 && afterHour ? Unit::Minute : Unit::Month;
    case u'd':
        return run <= 2 ? Unit::Day : Unit::None; // a weekday name tells no day apart
    case u'y':
        return run >= 3 ? Unit::Century : Unit::Year;
    default:
        return std::nullopt;
    }
}

// The codes of a pattern in order; letters that are no code are left out.
std::vector<Token> tokens(QStringView p) {
    std::vector<Token> out;
    bool afterHour = false;
    for (qsizetype i = 0; i < p.size();) {
        if (amPmAt(p, i)) {
            afterHour = false;
            i += 5;
            continue;
        }
        const char16_t letter = asciiLower(p[i]);
        qsizetype run = 1;
        while (i + run < p.size() && asciiLower(p[i + run]) == letter) {
            ++run;
        }
        if (const auto unit = codeUnit(letter, run, afterHour)) {
            out.push_back({*unit, i, run});
            afterHour = letter == u'h';
        }
        i += run;
    }
    return out;
}

bool shows(const std::vector<Token>& t, Unit unit) {
    return std::any_of(t.begin(), t.end(), [unit](const Token& k) { return k.unit == unit; });
}

const Token* lastOf(const std::vector<Token>& t, std::initializer_list<Unit> units) {
    const Token* found = nullptr;
    for (const Token& k : t) {
        if (std::find(units.begin(), units.end(), k.unit) != units.end()) {
            found = &k;
        }
    }
    return found;
}

// The finest unit shown, or None.
Unit finest(const std::vector<Token>& t) {
    for (int u = 0; u <= static_cast<int>(Unit::Day); ++u) {
        if (shows(t, static_cast<Unit>(u))) {
            return static_cast<Unit>(u);
        }
    }
    return Unit::None;
}

// How far apart two times may lie before their labels can be equal: the first unit above the
// finest one shown that the pattern leaves out (a time of day repeats every day).
double period(const std::vector<Token>& t) {
    const Unit start = finest(t);
    if (start == Unit::None) {
        return 0.0;
    }
    for (int u = static_cast<int>(start) + 1; u <= static_cast<int>(Unit::Century); ++u) {
        const auto unit = static_cast<Unit>(u);
        const bool shown = shows(t, unit) || (unit == Unit::Year && shows(t, Unit::Century));
        if (!shown) {
            return unitDays(unit);
        }
    }
    return std::numeric_limits<double>::infinity();
}

// One step finer than the pattern shows now.
QString withFinerPart(const QString& pattern) {
    const std::vector<Token> t = tokens(pattern);
    const auto insertAfter = [&](const Token* k, QStringView part) {
        return QString(pattern).insert(k->start + k->length, part);
    };
    switch (finest(t)) {
    case Unit::Milli:
        return pattern; // nothing finer to show
    case Unit::Second:
        return insertAfter(lastOf(t, {Unit::Second}), u".zzz");
    case Unit::Minute:
        return insertAfter(lastOf(t, {Unit::Minute}), u":ss");
    case Unit::Hour:
        return insertAfter(lastOf(t, {Unit::Hour}), u":nn");
    case Unit::Day:
        return pattern + QStringLiteral(" hh:nn");
    default:
        return QStringLiteral("m/d/yyyy ") + pattern;
    }
}

// The pattern with the part added that keeps times up to `extent` apart from looking alike.
QString withCoarserPart(const QString& pattern) {
    const std::vector<Token> t = tokens(pattern);
    if (period(t) < 1.0) { // an odd pattern such as "nn:ss": say everything
        return QStringLiteral("m/d/yyyy hh:nn:ss") + (shows(t, Unit::Milli) ? ".zzz" : "");
    }
    if (!shows(t, Unit::Day)) {
        return QStringLiteral("m/d ") + pattern;
    }
    if (!shows(t, Unit::Month)) {
        return QStringLiteral("mmm ") + pattern;
    }
    if (const Token* year = lastOf(t, {Unit::Year})) {
        return QString(pattern).replace(year->start, year->length, QStringLiteral("yyyy"));
    }
    // After the day and month, joined as they are joined ("m/d" gains "/yyyy").
    std::vector<const Token*> date;
    for (const Token& k : t) {
        if (k.unit == Unit::Day || k.unit == Unit::Month) {
            date.push_back(&k);
        }
    }
    const Token* last = date.back();
    QString separator = QStringLiteral(" ");
    if (date.size() >= 2) {
        const Token* before = date[date.size() - 2];
        const QStringView between = QStringView(pattern).mid(
            before->start + before->length, last->start - before->start - before->length);
        if (between == u"/" || between == u"-" || between == u".") {
            separator = between.toString();
        }
    }
    return QString(pattern).insert(last->start + last->length, separator + "yyyy");
}

// Whole multiples of `step` from `lower` to `upper`: the first and the last. A multiple a
// rounding error outside the range counts, as the axis puts such a tick on the end.
std::pair<double, double> tickEnds(double lower, double upper, double step) {
    const double slack = step * 1e-6;
    double first = std::ceil(lower / step);
    if ((first - 1) * step >= lower - slack) {
        --first;
    }
    double last = std::floor(upper / step);
    if ((last + 1) * step <= upper + slack) {
        ++last;
    }
    return {first * step, last * step};
}

} // namespace

double patternResolution(QStringView pattern) {
    const Unit unit = finest(tokens(pattern));
    return unit == Unit::None ? 0.0 : unitDays(unit);
}

TimeTickPlan planTimeTicks(double lower, double upper, int tickCount, const QString& pattern) {
    constexpr double kSlack = 1e-9;
    TimeTickPlan plan{dateTickStep(upper - lower, tickCount), pattern};
    const double resolution = patternResolution(pattern);
    if (resolution > 0.0 && plan.step < resolution * (1 - kSlack)) {
        // The pattern's own unit while it still leaves two ticks in view.
        const auto [first, last] = tickEnds(lower, upper, resolution);
        if (last - first >= resolution * (1 - kSlack)) {
            plan.step = resolution;
        }
    }
    constexpr int kMostParts = 8;
    for (int i = 0; i < kMostParts; ++i) {
        const double shown = patternResolution(plan.pattern);
        if (shown > 0.0 && (shown <= plan.step * (1 + kSlack) || shown < kSecond)) {
            break;
        }
        plan.pattern = withFinerPart(plan.pattern);
    }
    const auto [first, last] = tickEnds(lower, upper, plan.step);
    for (int i = 0; i < kMostParts && period(tokens(plan.pattern)) <= last - first; ++i) {
        plan.pattern = withCoarserPart(plan.pattern);
    }
    return plan;
}

} // namespace tarvex
