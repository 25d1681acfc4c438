#include "editors/ReadyMadePatterns.h"

#include "editors/RecurrenceDates.h"
#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int kNameCapacity = 80;

std::u16string LocaleText(LCTYPE type) {
  WCHAR text[kNameCapacity] = {};
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, kNameCapacity);
  return length > 0 ? std::u16string(text) : std::u16string();
}

std::u16string MonthlyText(HINSTANCE resources, const std::u16string& tag, const SYSTEMTIME& start) {
  if (tag == u"DE") {
    return platform::FormatText(u"%s %d. %s des Monats",
                                {ResourceText(resources, kStringRecurEvery), static_cast<int>(start.wDay),
                                 ResourceText(resources, kStringRecurDay)});
  }
  return platform::FormatText(
      u"%s %d %s %s",
      {ResourceText(resources, kStringRecurDay), static_cast<int>(start.wDay),
       ResourceText(resources, kStringRecurOfEvery), ResourceText(resources, kStringRecurMonth)});
}

std::u16string YearlyText(HINSTANCE resources, const std::u16string& tag, const SYSTEMTIME& start) {
  std::u16string every = ResourceText(resources, kStringRecurEvery);
  std::u16string month = MonthName(start.wMonth);
  int day = start.wDay;
  if (tag == u"ES") return platform::FormatText(u"%s %d de %s", {every, day, month});
  if (tag == u"DE") return platform::FormatText(u"%s %d. %s", {every, day, month});
  return platform::FormatText(u"%s %s %d", {every, month, day});
}

}  // namespace

std::u16string WeekdayName(int dayOfWeek) {
  // The locale's list starts on Monday.
  int fromMonday = (dayOfWeek + 6) % 7;
  return LocaleText(LOCALE_SDAYNAME1 + static_cast<LCTYPE>(fromMonday));
}

std::u16string MonthName(int month) {
  if (month < 1 || month > 12) return {};
  return LocaleText(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month - 1));
}

std::array<std::u16string, kReadyMadeCount> ReadyMadeTexts(HINSTANCE resources, const std::u16string& tag,
                                                           const SYSTEMTIME& start) {
  int weekday = platform::DayOfWeek(start.wYear, start.wMonth, start.wDay);
  return {
      ResourceText(resources, kStringRecurNone),
      platform::FormatText(u"%s %s", {ResourceText(resources, kStringRecurEvery), WeekdayName(weekday)}),
      MonthlyText(resources, tag, start),
      YearlyText(resources, tag, start),
      ResourceText(resources, kStringRecurCustom),
  };
}

ReadyMade ReadyMadeOf(const RecurrencePattern& pattern, const SYSTEMTIME& start) {
  if (!pattern.noEndDate || pattern.semiMonthly.present) return ReadyMade::Custom;
  switch (pattern.type) {
    case olRecursWeekly:
      if (pattern.interval == 1 && (pattern.weekdayMask & WeekdayBit(start))) return ReadyMade::Weekly;
      break;
    case olRecursMonthly:
      if (pattern.interval == 1 && pattern.dayOfMonth == start.wDay) return ReadyMade::Monthly;
      break;
    case olRecursYearly:
      if (pattern.dayOfMonth == start.wDay && pattern.monthOfYear == start.wMonth) return ReadyMade::Yearly;
      break;
    default:
      break;
  }
  return ReadyMade::Custom;
}

RecurrencePattern ReadyMadePattern(ReadyMade entry, const SYSTEMTIME& start) {
  RecurrencePattern pattern;
  pattern.patternStart = DayOnly(start);
  pattern.interval = 1;
  switch (entry) {
    case ReadyMade::Weekly:
      pattern.type = olRecursWeekly;
      pattern.weekdayMask = WeekdayBit(start);
      break;
    case ReadyMade::Monthly:
      pattern.type = olRecursMonthly;
      pattern.dayOfMonth = start.wDay;
      break;
    case ReadyMade::Yearly:
      pattern.type = olRecursYearly;
      pattern.dayOfMonth = start.wDay;
      pattern.monthOfYear = start.wMonth;
      break;
    case ReadyMade::None:
    case ReadyMade::Custom:
      break;
  }
  return pattern;
}

}  // namespace calyra
