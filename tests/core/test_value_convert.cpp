#include "common/TvError.h"
#include "common/ValueConvert.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>

using namespace tarvex;

namespace {

double serialOf(const char* text) {
    const auto v = parseDateTime(QString::fromLatin1(text));
    EXPECT_TRUE(v.has_value()) << text;
    return v.value_or(-1e9);
}

} // namespace

TEST(ValueFromText, SortsTextIntoItsKinds) {
    EXPECT_EQ(valueFromText(u"").kind(), CellValue::Kind::Empty);
    EXPECT_EQ(valueFromText(u"42"), CellValue::number(42));
    EXPECT_EQ(valueFromText(u" -1.5e3 "), CellValue::number(-1500));
    EXPECT_EQ(valueFromText(u"13:05:09").kind(), CellValue::Kind::Date);
    EXPECT_EQ(valueFromText(u"3/4/2024").kind(), CellValue::Kind::Date);
    EXPECT_EQ(valueFromText(u"3/4/2024 14:07").kind(), CellValue::Kind::Date);
    // Titles, blanks and half-read values stay text.
    for (const char* text : {"Time", " ", "12abc", "1.2.3", "--1", "1e", ".", "0x10", "1,5"}) {
        EXPECT_EQ(valueFromText(QString::fromLatin1(text)),
                  CellValue::text(QString::fromLatin1(text)))
            << text;
    }
}

TEST(ParseNumber, AcceptsSignsPointsAndExponents) {
    EXPECT_EQ(parseNumber(u"+7"), 7.0);
    EXPECT_EQ(parseNumber(u".5"), 0.5);
    EXPECT_EQ(parseNumber(u"5."), 5.0);
    EXPECT_EQ(parseNumber(u"2.5E-2"), 0.025);
    EXPECT_EQ(parseNumber(u"\t12\t"), 12.0);
    EXPECT_FALSE(std::signbit(*parseNumber(u"-0")));
    EXPECT_FALSE(parseNumber(u"1e999").has_value()); // beyond a double: stays text
    EXPECT_FALSE(parseNumber(u"- 1").has_value());
    EXPECT_FALSE(parseNumber(u"\u0661").has_value()); // only ASCII digits count
}

TEST(ParseDateTime, ReadsTheThreeDateForms) {
    EXPECT_EQ(serialOf("1/1/1900"), 2.0);
    EXPECT_EQ(serialOf("12/30/1899"), 0.0);
    EXPECT_EQ(serialOf("3/4/2024"), 45355.0);
    EXPECT_EQ(serialOf("2024-03-04"), 45355.0);
    EXPECT_EQ(serialOf("03/04/24"), 45355.0);
    EXPECT_EQ(serialOf("2/29/2024"), 45351.0);
}

TEST(ParseDateTime, TwoDigitYearsPivotAtThirty) {
    EXPECT_EQ(serialOf("1/1/29"), dateSerial(2029, 1, 1));
    EXPECT_EQ(serialOf("1/1/30"), dateSerial(1930, 1, 1));
    EXPECT_EQ(serialOf("1/1/99"), dateSerial(1999, 1, 1));
    EXPECT_EQ(serialOf("1/1/00"), dateSerial(2000, 1, 1));
}

TEST(ParseDateTime, RefusesDatesThatDoNotExist) {
    for (const char* text :
         {"2/30/2024", "2/29/2023", "13/1/2024", "0/1/2024", "1/0/2024", "4/31/2024", "2024-02-30",
          "1/1/2024/1", "1/1/202", "1/1", "1/1/2024x", "1/1/99999", "24-03-04"}) {
        EXPECT_FALSE(parseDateTime(QString::fromLatin1(text)).has_value()) << text;
    }
}

TEST(ParseDateTime, ReadsTimesWithAndWithoutAmPm) {
    EXPECT_EQ(serialOf("12:00"), 0.5);
    EXPECT_EQ(serialOf("12:00:00 PM"), 0.5);
    EXPECT_EQ(serialOf("12:00:00 AM"), 0.0);
    EXPECT_EQ(serialOf("12:30 am"), timeSerial(0, 30, 0));
    EXPECT_EQ(serialOf("1:05:09 pm"), timeSerial(13, 5, 9));
    EXPECT_EQ(serialOf("1:05:09PM"), timeSerial(13, 5, 9));
    EXPECT_EQ(serialOf("01:05:09 Am"), timeSerial(1, 5, 9));
    EXPECT_EQ(serialOf("13:05:09"), timeSerial(13, 5, 9));
    EXPECT_EQ(serialOf("23:59:59"), timeSerial(23, 59, 59));
    EXPECT_EQ(serialOf("10:00:00.25"), timeSerial(10, 0, 0, 250));
    for (const char* text : {"24:00", "13:00 PM", "12:60", "12:00:60", "12:", ":30", "12:00 XM",
                             "12:00 P", "12:00:00 PMX", "1:2:3:4"}) {
        EXPECT_FALSE(parseDateTime(QString::fromLatin1(text)).has_value()) << text;
    }
}

TEST(ParseDateTime, ReadsADateFollowedByATime) {
    EXPECT_DOUBLE_EQ(serialOf("3/4/2024 14:07:00"), 45355.0 + timeSerial(14, 7, 0));
    EXPECT_DOUBLE_EQ(serialOf("2024-03-04 2:07 PM"), 45355.0 + timeSerial(14, 7, 0));
    EXPECT_FALSE(parseDateTime(u"3/4/202414:07").has_value());
    EXPECT_FALSE(parseDateTime(u"14:07 3/4/2024").has_value());
}

TEST(DateSerial, CarriesMonthsAndHandlesDaysBeforeTheEpoch) {
    EXPECT_EQ(dateSerial(2023, 13, 1), dateSerial(2024, 1, 1));
    EXPECT_EQ(dateSerial(2024, 0, 1), dateSerial(2023, 12, 1));
    EXPECT_EQ(dateSerial(2024, 3, 0), dateSerial(2024, 2, 29));
    EXPECT_EQ(dateSerial(1899, 12, 29), -1.0);
    // Before day 0 the time fraction counts away from zero.
    EXPECT_EQ(serialOf("12/29/1899 06:00"), -1.25);
    const DateParts p = splitDateSerial(-1.25);
    EXPECT_EQ(p.year, 1899);
    EXPECT_EQ(p.day, 29);
    EXPECT_EQ(p.hour, 6);
}

TEST(DateSerial, SplitsRoundedToTheMillisecond) {
    const DateParts noon = splitDateSerial(0.5);
    EXPECT_EQ(noon.hour, 12);
    EXPECT_EQ(noon.minute, 0);
    EXPECT_EQ(noon.second, 0);
    EXPECT_EQ(noon.msec, 0);
    // Just short of midnight rounds into the next day.
    const DateParts next = splitDateSerial(45355.0 + 0.9999999999);
    EXPECT_EQ(next.day, 5);
    EXPECT_EQ(next.hour, 0);
    const DateParts ms = splitDateSerial(45355.0 + timeSerial(13, 5, 9, 7));
    EXPECT_EQ(ms.hour, 13);
    EXPECT_EQ(ms.second, 9);
    EXPECT_EQ(ms.msec, 7);
    EXPECT_FALSE(isDateSerialInRange(1e300));
    EXPECT_EQ(splitDateSerial(1e300).year, 1899);
    const QDateTime dt(QDate(2024, 3, 4), QTime(13, 5, 9, 500));
    EXPECT_EQ(fromDateSerial(toDateSerial(dt)), dt);
}

TEST(CellValueText, NumbersInShortestFormDatesInGeneralFormat) {
    EXPECT_EQ(CellValue::number(0.1).toText(), "0.1");
    EXPECT_EQ(CellValue::number(100).toText(), "100");
    EXPECT_EQ(CellValue::number(-2.5).toText(), "-2.5");
    EXPECT_EQ(CellValue::number(1.0 / 3).toText(), "0.333333333333333");
    EXPECT_EQ(CellValue::number(1e20).toText(), "1E+20");
    EXPECT_EQ(CellValue::number(-0.0).toText(), "0");
    EXPECT_EQ(CellValue::date(45355.5).toText(), "3/4/2024 12:00:00 PM");
    EXPECT_EQ(CellValue().toText(), "");
    EXPECT_EQ(CellValue::text("Time").toText(), "Time");
}

TEST(CellValueText, TextAsNumberOrMismatch) {
    EXPECT_EQ(CellValue::text("2.5").toDouble(), 2.5);
    EXPECT_EQ(CellValue::text("12:00").toDouble(), 0.5);
    EXPECT_EQ(CellValue().toDouble(), 0.0);
    try {
        (void)CellValue::text("Time").toDouble();
        FAIL() << "no error";
    } catch (const TvError& e) {
        EXPECT_EQ(e.number(), ErrTypeMismatch);
    }
}

TEST(ValueFromText, IgnoresTheUsersLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // may not be installed; Qt's default is set anyway
    EXPECT_EQ(valueFromText(u"1.5"), CellValue::number(1.5));
    EXPECT_EQ(valueFromText(u"1,5").kind(), CellValue::Kind::Text);
    EXPECT_EQ(serialOf("3/4/2024"), 45355.0);
    EXPECT_FALSE(parseDateTime(u"4.3.2024").has_value());
    EXPECT_EQ(CellValue::number(1.5).toText(), "1.5");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}
