// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "core/common/Int16.h"
#include "core/common/ValueConvert.h"
#include "core/common/ValueFormat.h"

#include <QLocale>

#include <array>
#include <clocale>
#include <cmath>

using namespace tarvex;
using tarvex::test::errorOf;

namespace {

// The serial a text reads as; NaN when it reads as none.
double serialOf(const char* text) {
    return parseDateTime(QString::fromLatin1(text)).value_or(std::nan(""));
}

} // namespace

TEST(ValueFromText, SortsTextIntoItsKinds) {
    EXPECT_EQ(valueFromText(u"").kind(), CellValue::Kind::Empty);
    EXPECT_EQ(valueFromText(u" -1.5e3 "), CellValue::number(-1500));
    for (const char16_t* date : {u"13:05:09", u"3/4/2024", u"3/4/2024 14:07"}) {
        EXPECT_EQ(valueFromText(date).kind(), CellValue::Kind::Date);
    }
    // Titles, blanks and half-read values stay text; so does anything beyond a double.
    for (const char* text :
         {"Time", " ", "12abc", "1.2.3", "--1", "1e", ".", "0x10", "1,5", "1e999", "- 1"}) {
        EXPECT_EQ(valueFromText(QString::fromLatin1(text)),
                  CellValue::text(QString::fromLatin1(text)))
            << text;
    }
    for (const auto& [text, value] : {std::pair{u"+7", 7.0},
                                      {u".5", 0.5},
                                      {u"5.", 5.0},
                                      {u"2.5E-2", 0.025},
                                      {u"\t12\t", 12.0}}) {
        EXPECT_EQ(parseNumber(text), value);
    }
    EXPECT_FALSE(std::signbit(*parseNumber(u"-0")));
    EXPECT_FALSE(parseNumber(u"\u0661").has_value()); // only ASCII digits count
}

TEST(ParseDateTime, ReadsDatesTimesAndBothAndRefusesWhatDoesNotExist) {
    const double day = 45355; // 3/4/2024; before day 0 the time counts away from zero
    const std::pair<const char*, double> cases[] = {
        {"1/1/1900", 2},
        {"12/30/1899", 0},
        {"3/4/2024", day},
        {"2024-03-04", day},
        {"03/04/24", day},
        {"2/29/2024", day - 4},
        {"12:00", 0.5},
        {"12:00:00 PM", 0.5},
        {"12:00:00 AM", 0},
        {"12:30 am", timeSerial(0, 30, 0)},
        {"1:05:09PM", timeSerial(13, 5, 9)},
        {"01:05:09 Am", timeSerial(1, 5, 9)},
        {"23:59:59", timeSerial(23, 59, 59)},
        {"10:00:00.25", timeSerial(10, 0, 0, 250)},
        {"3/4/2024 14:07:00", day + timeSerial(14, 7, 0)},
        {"2024-03-04 2:07 PM", day + timeSerial(14, 7, 0)},
        {"12/29/1899 06:00", -1.25}};
    for (const auto& [text, serial] : cases) {
        EXPECT_DOUBLE_EQ(serialOf(text), serial) << text;
    }
    for (const char* text :
         {"2/30/2024", "2/29/2023",    "13/1/2024",  "0/1/2024",      "1/0/2024",
          "4/31/2024", "2024-02-30",   "1/1/2024/1", "1/1/202",       "1/1",
          "1/1/2024x", "1/1/99999",    "24-03-04",   "24:00",         "13:00 PM",
          "12:60",     "12:00:60",     "12:",        ":30",           "12:00 XM",
          "12:00 P",   "12:00:00 PMX", "1:2:3:4",    "3/4/202414:07", "14:07 3/4/2024"}) {
        EXPECT_TRUE(std::isnan(serialOf(text))) << text;
    }
}

TEST(ParseDateTime, TwoDigitYearsPivotAtThirty) {
    EXPECT_EQ(serialOf("1/1/29"), dateSerial(2029, 1, 1));
    EXPECT_EQ(serialOf("1/1/30"), dateSerial(1930, 1, 1));
    EXPECT_EQ(serialOf("1/1/99"), dateSerial(1999, 1, 1));
    EXPECT_EQ(serialOf("1/1/00"), dateSerial(2000, 1, 1));
}

TEST(DateSerial, CarriesMonthsAndSplitsRoundedToTheMillisecond) {
    EXPECT_EQ(dateSerial(2023, 13, 1), dateSerial(2024, 1, 1));
    EXPECT_EQ(dateSerial(2024, 0, 1), dateSerial(2023, 12, 1));
    EXPECT_EQ(dateSerial(2024, 3, 0), dateSerial(2024, 2, 29));
    const auto parts = [](double serial) {
        const DateParts p = splitDateSerial(serial);
        return std::array{p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec};
    };
    using Parts = std::array<int, 7>;
    EXPECT_EQ(parts(-1.25), (Parts{1899, 12, 29, 6, 0, 0, 0}));
    EXPECT_EQ(parts(45355 + 0.9999999999), (Parts{2024, 3, 5, 0, 0, 0, 0})); // the next day
    EXPECT_EQ(parts(45355 + timeSerial(13, 5, 9, 7)), (Parts{2024, 3, 4, 13, 5, 9, 7}));
    EXPECT_FALSE(isDateSerialInRange(1e300));
    EXPECT_EQ(parts(1e300), (Parts{1899, 12, 30, 0, 0, 0, 0}));
    const QDateTime dt(QDate(2024, 3, 4), QTime(13, 5, 9, 500));
    EXPECT_EQ(fromDateSerial(toDateSerial(dt)), dt);
}

TEST(CellValueText, NumbersInShortestFormDatesInGeneralFormat) {
    const std::pair<CellValue, const char*> cases[] = {
        {CellValue::number(0.1), "0.1"},    {CellValue::number(1.0 / 3), "0.333333333333333"},
        {CellValue::number(1e20), "1E+20"}, {CellValue::number(-0.0), "0"},
        {CellValue::text("Time"), "Time"},  {CellValue::date(45355.5), "3/4/2024 12:00:00 PM"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(value.toText(), QString::fromLatin1(text));
    }
    EXPECT_EQ(CellValue::text("12:00").toDouble(), 0.5);
    EXPECT_EQ(errorOf([] { (void)CellValue::text("Time").toDouble(); }), ErrTypeMismatch);
}

TEST(ValueFromText, IgnoresTheUsersLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // may not be installed; Qt's default is set anyway
    EXPECT_EQ(valueFromText(u"1.5"), CellValue::number(1.5));
    EXPECT_EQ(valueFromText(u"1,5").kind(), CellValue::Kind::Text);
    EXPECT_TRUE(std::isnan(serialOf("4.3.2024")));
    EXPECT_EQ(CellValue::number(1.5).toText(), "1.5");
    EXPECT_EQ(formatDateSerial(45355 + 0.5, u"dddd d mmm h:nn am/pm"), "Monday 4 Mar 12:00 pm");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

TEST(TvError, CarriesTheTableDescriptionAndSixteenBitCountersOverflow) {
    EXPECT_EQ(TvError(53).description(), QStringLiteral("File not found"));
    EXPECT_TRUE(TvError(ErrCancel).isCancel());
    EXPECT_TRUE(TvError(12345).description().isEmpty());
    std::int16_t n = 32766;
    increment16(n);
    EXPECT_EQ(errorOf([&] { increment16(n); }), ErrOverflow);
    EXPECT_EQ(n, 32767);
    EXPECT_EQ(errorOf([] { (void)toInt16(-32769); }), ErrOverflow);
}

TEST(Windows1252, EveryByteSurvivesARoundTripAndTheHighBlockIsMapped) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = fromWindows1252(all);
    EXPECT_EQ(toWindows1252(text), all);
    EXPECT_EQ(text.mid(0x80, 2), QStringLiteral("\u20AC\u0081"));
    EXPECT_EQ(fromWindows1252("\x8D\x8F\x90\x9D\xE9"),
              QString::fromUtf16(u"\u008D\u008F\u0090\u009D\u00E9"));
    EXPECT_EQ(toWindows1252(u"\u20AC\u0100"), QByteArray("\x80?"));
}
