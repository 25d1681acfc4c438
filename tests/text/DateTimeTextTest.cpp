#include <gtest/gtest.h>

#include "platform/time/Locale.h"
#include "tests/support/DeviceTest.h"
#include "text/DateTimeText.h"

namespace {

using calyra::DateTimeText;
using calyra::testing::DeviceTest;

class DateTimeTextTest : public DeviceTest {
 protected:
  void Override(LCTYPE type, const char16_t* value) {
    Device().SetSetting("Locale." + std::to_string(type), value);
  }
  DateTimeText text;
  const SYSTEMTIME kDate{2024, 3, 5, 15, 9, 0, 0, 0};  // Friday 15 March 2024, 09:00
};

TEST_F(DateTimeTextTest, DayAndMonthNames) {
  EXPECT_EQ(text.GetMonthName(1), u"January");
  EXPECT_EQ(text.GetMonthName(13), u"");
  EXPECT_EQ(text.GetDayName(0), u"Sunday") << "Sunday is the seventh locale entry";
  EXPECT_EQ(text.GetDayName(1), u"Monday");
  EXPECT_EQ(text.GetDayLetter(3), u'W');
  EXPECT_EQ(text.GetShortDayName(1), u"Mon");
  Override(LOCALE_SABBREVDAYNAME1 + 2, u"Mitt");
  EXPECT_EQ(text.GetShortDayName(3), u"Mit") << "four or more characters are cut to three";
  EXPECT_FALSE(DateTimeText::IsChineseSystemLocale());

  Device().SetSetting("Locale", u"zh-CN");
  EXPECT_TRUE(DateTimeText::IsChineseSystemLocale());
  Override(LOCALE_SABBREVDAYNAME1, u"\u661f\u671f\u4e00");
  EXPECT_EQ(text.GetDayLetter(1), u'\u4e00') << "the third character on a Chinese system";
  EXPECT_EQ(text.GetShortDayName(1), u"\u4e00");
}

TEST_F(DateTimeTextTest, FourDigitYearsAndTheDatePicker) {
  EXPECT_EQ(text.FormatShortDateFourDigitYear(kDate), u"3/15/2024");
  char16_t buffer[DateTimeText::kBufferChars];
  text.FormatShortDateWithCentury(kDate, buffer);
  EXPECT_EQ(std::u16string(buffer), u"3/15/2024");
  EXPECT_EQ(text.BuildDatePickerFormat(), u"M'/'d'/'yyyy");

  Override(LOCALE_SSHORTDATE, u"yy.MM.dd yy");
  EXPECT_EQ(text.FormatShortDateFourDigitYear(kDate), u"2024.03.15 ") << "a second year run is dropped";
  Override(LOCALE_SSHORTDATE, u"dd MMM");
  EXPECT_EQ(text.BuildDatePickerFormat(), u"") << "no year: no picker format";
  text.FormatShortDateWithCentury(kDate, buffer);
  EXPECT_EQ(std::u16string(buffer), u"15 Mar");
  Override(LOCALE_SSHORTDATE, u"dd/MM/yyyy");
  EXPECT_EQ(text.BuildDatePickerFormat(), u"dd'/'MM'/'yyyy");
}

TEST_F(DateTimeTextTest, NumericDatesAndDayMonthFollowTheDateOrder) {
  EXPECT_EQ(std::u16string(text.FormatNumericDate(kDate)), u"3/15/24");
  EXPECT_EQ(std::u16string(text.FormatDayMonth(kDate, true)), u"3/15");
  Override(LOCALE_IDATE, u"1");
  Override(LOCALE_IDAYLZERO, u"1");
  Override(LOCALE_IMONLZERO, u"1");
  Override(LOCALE_SDATE, u".");
  SYSTEMTIME early{2024, 1, 2, 2, 0, 0, 0, 0};
  EXPECT_EQ(std::u16string(text.FormatNumericDate(early)), u"02.01.24");
  EXPECT_EQ(std::u16string(text.FormatDayMonth(early, true)), u"02.01");
  EXPECT_EQ(std::u16string(text.FormatDayMonth(early, false)), u"2.1") << "without the flag no leading zeros";
  Override(LOCALE_IDATE, u"2");
  Override(LOCALE_IDAYLZERO, u"0");
  Override(LOCALE_IMONLZERO, u"0");
  Override(LOCALE_SDATE, u"-");
  EXPECT_EQ(std::u16string(text.FormatNumericDate(kDate)), u"24-3-15") << "the picture yy-M-d";
  Override(LOCALE_IDATE, u"7");
  EXPECT_EQ(std::u16string(text.FormatNumericDate(kDate)), u"15-3-24") << "any other order is day first";

  const char16_t* buffer = text.FormatNumericDate(kDate);
  char16_t copy[4];
  text.CopyNumericDate(kDate, copy, 4);
  EXPECT_EQ(std::u16string(copy), u"15-") << "the copy is cut at its bound";
  EXPECT_EQ(buffer, text.FormatNumericDate(kDate)) << "one buffer, overwritten each call";
}

TEST_F(DateTimeTextTest, CompactTimes) {
  SYSTEMTIME nine{2024, 3, 5, 15, 9, 0, 0, 0};
  SYSTEMTIME evening{2024, 3, 5, 15, 21, 30, 0, 0};
  EXPECT_EQ(std::u16string(text.FormatCompactTime(nine, false)), u"9a");
  EXPECT_EQ(std::u16string(text.FormatCompactTime(nine, true)), u"9:00a");
  EXPECT_EQ(std::u16string(text.FormatCompactTime(evening, false)), u"9:30p");
  Override(LOCALE_S1159, u"");
  EXPECT_EQ(std::u16string(text.FormatCompactTime(nine, false)), u"9") << "an empty designator has no suffix";
  Override(LOCALE_ITIME, u"1");
  SYSTEMTIME late{2024, 3, 5, 15, 21, 0, 0, 0};
  EXPECT_EQ(std::u16string(text.FormatCompactTime(late, false)), u"21:00");
  char16_t copy[32];
  text.CopyCompactTime(evening, false, copy, 32);
  EXPECT_EQ(std::u16string(copy), u"21:30");
}

TEST_F(DateTimeTextTest, TimePictureWithoutSeconds) {
  EXPECT_EQ(text.GetTimePictureWithoutSeconds(), u"h:mm tt");
  Override(LOCALE_STIMEFORMAT, u"H.m.s");
  Override(LOCALE_STIME, u".");
  EXPECT_EQ(text.GetTimePictureWithoutSeconds(), u"H.m");
  Override(LOCALE_STIMEFORMAT, u"HH:mm");
  EXPECT_EQ(text.GetTimePictureWithoutSeconds(), u"HH:mm");
}

}  // namespace
