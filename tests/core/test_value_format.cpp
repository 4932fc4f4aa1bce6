#include "common/ValueConvert.h"
#include "common/ValueFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

// 4 March 2024 (a Monday) at the given time.
double at(int h, int m, int s, int ms = 0) {
    return dateSerial(2024, 3, 4) + timeSerial(h, m, s, ms);
}

QString fmt(const CellValue& v, const char* pattern) {
    return formatValue(v, QString::fromLatin1(pattern));
}

} // namespace

TEST(FormatTime, TwelveHourClockAtItsEdges) {
    EXPECT_EQ(fmt(CellValue::number(0.5), "hh:mm:ss AM/PM"), "12:00:00 PM");
    EXPECT_EQ(fmt(CellValue::number(0), "hh:mm:ss AM/PM"), "12:00:00 AM");
    EXPECT_EQ(fmt(valueFromText(u"13:05:09"), "hh:mm:ss AM/PM"), "01:05:09 PM");
    EXPECT_EQ(fmt(valueFromText(u"00:00:30"), "hh:mm:ss AM/PM"), "12:00:30 AM");
    EXPECT_EQ(fmt(valueFromText(u"11:59:59"), "hh:mm:ss AM/PM"), "11:59:59 AM");
    EXPECT_EQ(fmt(valueFromText(u"14:07:45"), "hh:mm AM/PM"), "02:07 PM");
    // A date-time keeps only its time in a time pattern.
    EXPECT_EQ(fmt(valueFromText(u"3/4/2024 23:00"), "hh:mm AM/PM"), "11:00 PM");
}

TEST(FormatTime, TextThatIsNoValueComesBackUnchanged) {
    EXPECT_EQ(fmt(valueFromText(u"Time"), "hh:mm:ss AM/PM"), "Time");
    EXPECT_EQ(fmt(CellValue::text("2/30/2024"), "hh:mm AM/PM"), "2/30/2024");
    EXPECT_EQ(fmt(CellValue(), "hh:mm:ss AM/PM"), "");
    // Text that does read as a time is converted even when it arrives as text.
    EXPECT_EQ(fmt(CellValue::text("13:05:09"), "hh:mm:ss AM/PM"), "01:05:09 PM");
}

TEST(FormatDate, DateAndGeneralPatterns) {
    EXPECT_EQ(formatDateSerial(at(13, 5, 9), u"m/d/yyyy h:mm:ss"), "3/4/2024 13:05:09");
    EXPECT_EQ(formatDateSerial(at(0, 5, 9), u"m/d/yyyy h:mm:ss"), "3/4/2024 0:05:09");
    EXPECT_EQ(generalDate(at(13, 5, 9)), "3/4/2024 1:05:09 PM");
    EXPECT_EQ(generalDate(at(0, 0, 0)), "3/4/2024 12:00:00 AM");
    EXPECT_EQ(formatDateSerial(at(9, 8, 7), u"mm/dd/yy hh:mm"), "03/04/24 09:08");
    EXPECT_EQ(formatDateSerial(at(9, 8, 7), u"mmmm d, yyyy (ddd)"), "March 4, 2024 (Mon)");
}

TEST(FormatDate, AxisPatterns) {
    const double t = at(13, 5, 9, 42);
    EXPECT_EQ(formatDateSerial(t, u"hh:nn:ss"), "13:05:09");
    EXPECT_EQ(formatDateSerial(t, u"hh:nn:ss.zzz"), "13:05:09.042");
    EXPECT_EQ(formatDateSerial(t, u"m/d hh:nn:ss"), "3/4 13:05:09");
    EXPECT_EQ(formatDateSerial(t, u"d mmm h:nn:ss am/pm"), "4 Mar 1:05:09 pm");
    EXPECT_EQ(formatDateSerial(t, u"m/d/yy h:nn:ss am/pm"), "3/4/24 1:05:09 pm");
    EXPECT_EQ(formatDateSerial(t, u"m/d/yyyy h:nn:ss am/pm"), "3/4/2024 1:05:09 pm");
}

TEST(FormatDate, MillisecondsAreRoundedNotCut) {
    // 0.1 s short of a minute is not 59.999 after floating point error.
    const double t = at(10, 0, 59, 900);
    EXPECT_EQ(formatDateSerial(t, u"hh:nn:ss.zzz"), "10:00:59.900");
    EXPECT_EQ(formatDateSerial(dateSerial(2024, 3, 4) + 0.5, u"hh:nn:ss.zzz"), "12:00:00.000");
}

TEST(FormatDate, OutOfRangeSerialStaysANumber) {
    EXPECT_EQ(formatDateSerial(1e300, u"hh:mm:ss AM/PM"), "1E+300");
    EXPECT_EQ(fmt(CellValue::number(-1e7), "hh:mm AM/PM"), "-10000000");
}

TEST(FormatDate, NamesStayEnglishUnderAnotherLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatDateSerial(at(13, 5, 9), u"d mmm h:nn:ss am/pm"), "4 Mar 1:05:09 pm");
    EXPECT_EQ(formatDateSerial(at(13, 5, 9), u"dddd"), "Monday");
    QLocale::setDefault(QLocale::c());
}
