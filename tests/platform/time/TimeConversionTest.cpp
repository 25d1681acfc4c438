#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/LastError.h"
#include "platform/time/TimeConversion.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;
using namespace platform;

SYSTEMTIME Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(mo), 0,
                    static_cast<WORD>(d), static_cast<WORD>(h),  static_cast<WORD>(mi),
                    static_cast<WORD>(s), static_cast<WORD>(ms)};
}

std::string Text(const SYSTEMTIME& t) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d w%d", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek);
  return buffer;
}

std::string RoundTrip(DATE date) {
  SYSTEMTIME t{};
  if (!VariantTimeToSystemTime(date, &t)) return "invalid";
  return Text(t);
}

TEST(TimeConversionTest, FileTimesRoundTripAndValidate) {
  FILETIME ft{};
  SYSTEMTIME leap = Make(2024, 2, 29, 23, 59, 59, 999);
  ASSERT_TRUE(SystemTimeToFileTime(&leap, &ft));
  SYSTEMTIME back{};
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
  EXPECT_EQ(Text(back), "2024-02-29 23:59:59.999 w4");

  SYSTEMTIME epoch = Make(1601, 1, 1);
  ASSERT_TRUE(SystemTimeToFileTime(&epoch, &ft));
  EXPECT_EQ(TicksOf(ft), 0);
  FileTimeToSystemTime(&ft, &back);
  EXPECT_EQ(back.wDayOfWeek, 1) << "1 January 1601 was a Monday";

  SYSTEMTIME last = Make(30827, 12, 31, 23, 59, 59, 999);
  EXPECT_TRUE(SystemTimeToFileTime(&last, &ft));
  for (SYSTEMTIME bad :
       {Make(2023, 2, 29), Make(2024, 13, 1), Make(2024, 4, 31), Make(2024, 1, 0), Make(2024, 1, 1, 24),
        Make(1600, 12, 31), Make(2024, 1, 1, 0, 60), Make(2024, 1, 1, 0, 0, 0, 1000)}) {
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft)) << Text(bad);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  FILETIME topBit{0, 0x80000000};
  EXPECT_FALSE(FileTimeToSystemTime(&topBit, &back));
  EXPECT_FALSE(SystemTimeToFileTime(nullptr, &ft));

  FILETIME a = FileTimeOf(5), b = FileTimeOf(static_cast<int64_t>(0x7FFFFFFFFFFFFFFF));
  EXPECT_EQ(CompareFileTime(&a, &b), -1);
  EXPECT_EQ(CompareFileTime(&b, &a), 1);
  EXPECT_EQ(CompareFileTime(&a, &a), 0);
}

TEST(TimeConversionTest, AutomationDatesFollowThePlatform) {
  EXPECT_EQ(RoundTrip(0.0), "1899-12-30 00:00:00.000 w6");
  EXPECT_EQ(RoundTrip(2.0), "1900-01-01 00:00:00.000 w1");
  EXPECT_EQ(RoundTrip(kNoDate), "4501-01-01 00:00:00.000 w6");
  EXPECT_EQ(RoundTrip(-1.25), "1899-12-29 06:00:00.000 w5")
      << "before 1899-12-30 the fraction still counts forward";
  EXPECT_EQ(RoundTrip(0.5), "1899-12-30 12:00:00.000 w6");
  EXPECT_EQ(RoundTrip(45366.0 + (23 * 3600 + 59 * 60 + 59.6) / 86400.0), "2024-03-16 00:00:00.000 w6")
      << "rounded to the nearest second, into the next day";
  EXPECT_EQ(RoundTrip(45366.0 + 59.4 / 86400.0), "2024-03-15 00:00:59.000 w5");
  EXPECT_EQ(RoundTrip(-657435.0), "invalid");
  EXPECT_EQ(RoundTrip(2958466.0), "invalid");
  EXPECT_EQ(RoundTrip(std::nan("")), "invalid");

  DATE date = 0;
  SYSTEMTIME t = Make(2024, 3, 15, 6, 0, 0, 999);
  ASSERT_TRUE(SystemTimeToVariantTime(&t, &date));
  EXPECT_DOUBLE_EQ(date, 45366.25) << "milliseconds are ignored";
  t = Make(1899, 12, 29, 6);
  ASSERT_TRUE(SystemTimeToVariantTime(&t, &date));
  EXPECT_DOUBLE_EQ(date, -1.25);
  t = Make(4501, 1, 1);
  ASSERT_TRUE(SystemTimeToVariantTime(&t, &date));
  EXPECT_DOUBLE_EQ(date, kNoDate);
  t = Make(99, 12, 31);
  EXPECT_FALSE(SystemTimeToVariantTime(&t, &date));
  t = Make(100, 1, 1);
  EXPECT_TRUE(SystemTimeToVariantTime(&t, &date));
  EXPECT_EQ(RoundTrip(date), "0100-01-01 00:00:00.000 w5");
}

TEST(TimeConversionTest, CalendarHelpers) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2024, 13), 0);
  EXPECT_EQ(DayOfWeek(2024, 3, 15), 5);
  EXPECT_EQ(DayOfWeek(1899, 12, 30), 6);
  EXPECT_FALSE(IsDateSet(Make(1899, 12, 31)));
  EXPECT_TRUE(IsDateSet(Make(1900, 1, 1)));
  EXPECT_TRUE(IsDateSet(Make(2999, 12, 31)));
  EXPECT_FALSE(IsDateSet(Make(3000, 1, 1)));
  EXPECT_FALSE(IsDateSet(kNoDateSystemTime));

  FILETIME ft{};
  SYSTEMTIME t = Make(2024, 3, 15, 8, 30, 59);
  SystemTimeToFileTime(&t, &ft);
  DWORD minutes = MinuteCountOf(ft);
  SYSTEMTIME back{};
  FILETIME rounded = FileTimeOfMinutes(minutes);
  FileTimeToSystemTime(&rounded, &back);
  EXPECT_EQ(Text(back), "2024-03-15 08:30:00.000 w5") << "a minute count drops the seconds";

  t = Make(2024, 2, 28, 23, 0);
  ASSERT_TRUE(AddMinutes(&t, 120));
  EXPECT_EQ(Text(t), "2024-02-29 01:00:00.000 w4");
  ASSERT_TRUE(AddMinutes(&t, -1440 * 366));
  EXPECT_EQ(Text(t), "2023-02-28 01:00:00.000 w2");
  t = Make(1601, 1, 1);
  EXPECT_FALSE(AddMinutes(&t, -1));
}

class LocalTimeTest : public DeviceTest {};

TEST_F(LocalTimeTest, TheDeviceZoneWithTheRuleOfTheDate) {
  auto local = [](SYSTEMTIME utc) {
    FILETIME ft{};
    SystemTimeToFileTime(&utc, &ft);
    SYSTEMTIME out{};
    UtcToLocalSystemTime(ft, &out);
    return Text(out);
  };
  auto utc = [](SYSTEMTIME localTime) {
    FILETIME ft{};
    LocalSystemTimeToUtc(localTime, &ft);
    SYSTEMTIME out{};
    FileTimeToSystemTime(&ft, &out);
    return Text(out);
  };
  EXPECT_EQ(local(Make(2024, 1, 10, 12)), "2024-01-10 13:00:00.000 w3");
  EXPECT_EQ(local(Make(2024, 7, 10, 12)), "2024-07-10 14:00:00.000 w3") << "summer time of that date";
  EXPECT_EQ(utc(Make(2024, 7, 10, 14)), "2024-07-10 12:00:00.000 w3");
  // 31 March 2024 02:00 to 03:00 does not exist in Berlin; 27 October 02:00 to 03:00 happens twice.
  EXPECT_EQ(utc(Make(2024, 3, 31, 2, 30)), "2024-03-31 01:30:00.000 w0");
  EXPECT_EQ(utc(Make(2024, 10, 27, 2, 30)), "2024-10-27 00:30:00.000 w0")
      << "the earlier of the doubled hours";
  EXPECT_EQ(local(Make(2024, 10, 27, 0, 30)), "2024-10-27 02:30:00.000 w0");
  EXPECT_EQ(local(Make(2024, 10, 27, 1, 30)), "2024-10-27 02:30:00.000 w0");

  SYSTEMTIME now{};
  GetSystemTime(&now);
  EXPECT_EQ(Text(now), "2024-03-15 09:30:00.000 w5");
  GetLocalTime(&now);
  EXPECT_EQ(Text(now), "2024-03-15 10:30:00.000 w5");

  SYSTEMTIME set = Make(2025, 6, 1, 12);
  ASSERT_TRUE(SetLocalTime(&set));
  GetSystemTime(&now);
  EXPECT_EQ(Text(now), "2025-06-01 10:00:00.000 w0");

  Device().SetSetting("TimeZone", u"No/Such_Zone");
  EXPECT_EQ(local(Make(2024, 7, 10, 12)), "2024-07-10 12:00:00.000 w3") << "an unknown zone is UTC";
  Device().SetSetting("TimeZone", u"Asia/Kolkata");
  EXPECT_EQ(local(Make(2024, 7, 10, 12)), "2024-07-10 17:30:00.000 w3");
}

}  // namespace
