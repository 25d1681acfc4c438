#include <gtest/gtest.h>

#include "platform/core/LastError.h"
#include "platform/time/Locale.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class LocaleTest : public DeviceTest {
 protected:
  std::u16string Info(LCTYPE type, LCID locale = LOCALE_USER_DEFAULT) {
    WCHAR buffer[128];
    return GetLocaleInfoW(locale, type, buffer, 128) ? std::u16string(buffer) : u"<failed>";
  }
  std::u16string Date(const char16_t* picture, SYSTEMTIME date, DWORD flags = 0) {
    WCHAR buffer[128];
    return GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, picture, buffer, 128) ? std::u16string(buffer)
                                                                                   : u"<failed>";
  }
  std::u16string Time(const char16_t* picture, SYSTEMTIME time, DWORD flags = 0) {
    WCHAR buffer[128];
    return GetTimeFormatW(LOCALE_USER_DEFAULT, flags, &time, picture, buffer, 128) ? std::u16string(buffer)
                                                                                   : u"<failed>";
  }
  void UseLocale(const char16_t* name) { Device().SetSetting("Locale", name); }

  const SYSTEMTIME kFriday{2024, 3, 0, 15, 14, 5, 9, 0};
  const SYSTEMTIME kMorning{2024, 1, 0, 2, 9, 7, 0, 0};
};

TEST_F(LocaleTest, ValuesComeFromTheDevicesLocale) {
  EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
  EXPECT_EQ(Info(LOCALE_SSHORTDATE), u"M/d/yy");
  EXPECT_EQ(Info(LOCALE_STIMEFORMAT), u"h:mm:ss tt");
  EXPECT_EQ(Info(LOCALE_S1159), u"AM");
  EXPECT_EQ(Info(LOCALE_IDATE), u"0");
  EXPECT_EQ(Info(LOCALE_ITIME), u"0");
  EXPECT_EQ(Info(LOCALE_SDAYNAME1), u"Monday");
  EXPECT_EQ(Info(LOCALE_SDAYNAME1 + 6), u"Sunday");
  EXPECT_EQ(Info(LOCALE_SMONTHNAME1 + 11), u"December");
  EXPECT_EQ(Info(LOCALE_IFIRSTDAYOFWEEK), u"6") << "Sunday, counted from Monday = 0";
  EXPECT_EQ(Info(LOCALE_IDEFAULTANSICODEPAGE), u"1252");
  EXPECT_EQ(Info(LOCALE_SYEARMONTH), u"MMMM yyyy");
  EXPECT_EQ(Info(LOCALE_ICOUNTRY), u"1");

  UseLocale(u"de-DE");
  EXPECT_EQ(GetUserDefaultLCID(), 0x0407u);
  EXPECT_EQ(Info(LOCALE_SSHORTDATE), u"dd.MM.yy");
  EXPECT_EQ(Info(LOCALE_SDATE), u".");
  EXPECT_EQ(Info(LOCALE_IDATE), u"1");
  EXPECT_EQ(Info(LOCALE_ITIME), u"1");
  EXPECT_EQ(Info(LOCALE_S1159), u"") << "a 24-hour locale has no designators";
  EXPECT_EQ(Info(LOCALE_SNATIVECTRYNAME), u"Deutschland");
  EXPECT_EQ(Info(LOCALE_SENGCOUNTRY), u"Germany");
  EXPECT_EQ(Info(LOCALE_SLIST), u";");

  UseLocale(u"zh-CN");
  EXPECT_EQ(Info(LOCALE_IDATE), u"2");
  EXPECT_EQ(Info(LOCALE_SNATIVECTRYNAME), u"\u4e2d\u56fd");
  EXPECT_EQ(Info(LOCALE_IDEFAULTANSICODEPAGE), u"936");
  EXPECT_EQ(Info(LOCALE_SENGCOUNTRY, 0x0409), u"United States") << "another locale by its identifier";
}

TEST_F(LocaleTest, TheDevicesRegionalSettingsOverrideValues) {
  Device().SetSetting("Locale." + std::to_string(LOCALE_S1159), u"");
  Device().SetSetting("Locale." + std::to_string(LOCALE_SSHORTDATE), u"yyyy-MM-dd");
  EXPECT_EQ(Info(LOCALE_S1159), u"");
  EXPECT_EQ(Date(nullptr, kFriday), u"2024-03-15");
  EXPECT_EQ(Time(u"h:mm tt", kMorning), u"9:07 ") << "an empty designator";
}

TEST_F(LocaleTest, CountModeAndBadArguments) {
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 7);
  WCHAR small[3];
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, small, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x7777, small, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetLocaleInfoW(0x0001, LOCALE_SDATE, small, 3), 0) << "an unknown locale";
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kFriday, u"d", nullptr, 0), 3);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &kFriday, u"dddd", small, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  SYSTEMTIME bad{2023, 2, 0, 29, 0, 0, 0, 0};
  EXPECT_EQ(Date(u"d", bad), u"<failed>") << "an invalid date";
  SYSTEMTIME badTime{2024, 1, 0, 1, 24, 0, 0, 0};
  EXPECT_EQ(Time(u"H", badTime), u"<failed>");
  EXPECT_EQ(Date(u"d", kFriday, DATE_LONGDATE), u"<failed>") << "a picture and a format flag together";
}

TEST_F(LocaleTest, DatePicturesFollowThePlatform) {
  EXPECT_EQ(Date(u"d dd ddd dddd", kMorning), u"2 02 Tue Tuesday");
  EXPECT_EQ(Date(u"M MM MMM MMMM", kMorning), u"1 01 Jan January");
  EXPECT_EQ(Date(u"y yy yyyy", SYSTEMTIME{2005, 1, 0, 1, 0, 0, 0, 0}), u"5 05 2005");
  EXPECT_EQ(Date(u"'Week of' d'.' MMM", kFriday), u"Week of 15. Mar");
  EXPECT_EQ(Date(u"MMMM dd ''''yy", kFriday), u"March 15 '24") << "two quotes inside quoted text are one";
  EXPECT_EQ(Date(u"dd''MM", kFriday), u"1503") << "an empty quoted text";
  EXPECT_EQ(Date(u"'unterminated", kFriday), u"unterminated");
  EXPECT_EQ(Date(u"h:mm d", kFriday), u"h:mm 15") << "time letters stand as they are in a date";
  EXPECT_EQ(Date(nullptr, kFriday), u"3/15/24");
  EXPECT_EQ(Date(nullptr, kFriday, DATE_LONGDATE), u"Friday, March 15, 2024");
  UseLocale(u"de-DE");
  EXPECT_EQ(Date(nullptr, kFriday), u"15.03.24");
  EXPECT_EQ(Date(u"dddd", kFriday), u"Freitag");
  WCHAR now[32];
  ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, u"yyyy-MM-dd", now, 32), 0);
  EXPECT_EQ(std::u16string(now), u"2024-03-15") << "no date: the device's local date";
}

TEST_F(LocaleTest, TimePicturesFollowThePlatform) {
  EXPECT_EQ(Time(u"h hh H HH m mm s ss", kMorning), u"9 09 9 09 7 07 0 00");
  EXPECT_EQ(Time(u"h:mm t tt", kFriday), u"2:05 P PM");
  EXPECT_EQ(Time(u"hh:mm tt", SYSTEMTIME{2024, 1, 0, 1, 0, 30, 0, 0}), u"12:30 AM") << "midnight is 12 AM";
  EXPECT_EQ(Time(u"h:mm tt", SYSTEMTIME{2024, 1, 0, 1, 12, 0, 0, 0}), u"12:00 PM");
  EXPECT_EQ(Time(nullptr, kFriday), u"2:05:09 PM");
  EXPECT_EQ(Time(nullptr, kFriday, TIME_NOSECONDS), u"2:05 PM");
  EXPECT_EQ(Time(nullptr, kFriday, TIME_NOMINUTESORSECONDS), u"2 PM");
  EXPECT_EQ(Time(nullptr, kFriday, TIME_NOTIMEMARKER), u"2:05:09");
  EXPECT_EQ(Time(nullptr, kFriday, TIME_FORCE24HOURFORMAT), u"14:05:09 ");
  EXPECT_EQ(Time(u"tt h:mm", kFriday, TIME_NOTIMEMARKER), u"2:05") << "a leading marker goes with its blank";
  EXPECT_EQ(Time(u"'at' H'h'", kFriday), u"at 14h");
  UseLocale(u"de-DE");
  EXPECT_EQ(Time(nullptr, kMorning), u"09:07:00");
}

TEST(NativeCountryNamesTest, TakesTheCountrysMainLanguage) {
  bool germany = false;
  for (const auto& name : platform::NativeCountryNames()) {
    if (name.englishName == u"Germany") {
      EXPECT_EQ(name.nativeName, u"Deutschland");
      germany = true;
    }
  }
  EXPECT_TRUE(germany);
}

}  // namespace
