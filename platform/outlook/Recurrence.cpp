#include "platform/outlook/Recurrence.h"

#include <libical/ical.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/outlook/OutlookDates.h"
#include "platform/time/TimeConversion.h"

namespace platform {
namespace {

constexpr uint8_t kMagic[4] = {'R', 'C', 'U', 'R'};
constexpr uint8_t kVersion = 1;
constexpr size_t kHeaderSize = 52;
constexpr size_t kExceptionSize = 16;
constexpr size_t kMaxExceptions = (0xFFFF - kHeaderSize) / kExceptionSize;
constexpr DATE kLastDate = 2958465.0;  // 31 December 9999

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void PutDouble(std::vector<uint8_t>& out, size_t at, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) out[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}
uint32_t GetU32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}
double GetDouble(const uint8_t* in) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(in[i]) << (8 * i);
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool ValidType(LONG type) {
  return type == 0 || type == 1 || type == 2 || type == 3 || type == 5 || type == 6;
}
bool ValidDate(double date) {
  return std::isfinite(date) && date >= -657434.0 && date <= kLastDate;
}

bool ToSystemTime(DATE date, SYSTEMTIME* time) {
  return ValidDate(date) && VariantTimeToSystemTime(date, time);
}

void EnsureLibicalQuiet() {
  static std::once_flag once;
  std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
}

std::string DayList(LONG mask) {
  static const char* const kDays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  std::string list;
  for (int day = 0; day < 7; ++day) {
    if (!(mask & (1 << day))) continue;
    if (!list.empty()) list += ',';
    list += kDays[day];
  }
  return list;
}

// "BYMONTHDAY=d" that falls on the month's last day when the month is shorter than d.
std::string MonthDay(LONG day) {
  if (day <= 28) return ";BYMONTHDAY=" + std::to_string(day);
  return ";BYMONTHDAY=" + std::to_string(day) + ",-1;BYSETPOS=1";
}

struct Iterator {
  explicit Iterator(icalrecur_iterator* it) : it(it) {}
  ~Iterator() {
    if (it) icalrecur_iterator_free(it);
  }
  Iterator(const Iterator&) = delete;
  Iterator& operator=(const Iterator&) = delete;
  icalrecur_iterator* it;
};

}  // namespace

RecurrenceData DefaultRecurrence(DATE start) {
  RecurrenceData pattern;
  SYSTEMTIME day{};
  if (!ToSystemTime(start, &day)) return pattern;
  pattern.patternStartDate = std::floor(start);
  pattern.dayOfWeekMask = 1 << DayOfWeek(day.wYear, day.wMonth, day.wDay);
  pattern.dayOfMonth = day.wDay;
  pattern.monthOfYear = day.wMonth;
  pattern.instance = (day.wDay - 1) / 7 + 1;
  if (pattern.instance > 4) pattern.instance = 5;
  return pattern;
}

std::vector<uint8_t> EncodeRecurrence(const RecurrenceData& pattern) {
  size_t count = std::min(pattern.exceptions.size(), kMaxExceptions);
  std::vector<uint8_t> out(kHeaderSize + count * kExceptionSize, 0);
  std::memcpy(out.data(), kMagic, 4);
  out[5] = kVersion;
  out[6] = static_cast<uint8_t>(pattern.type);
  out[7] = static_cast<uint8_t>(pattern.end);
  PutU32(out, 8, static_cast<uint32_t>(pattern.interval));
  PutU32(out, 12, static_cast<uint32_t>(pattern.dayOfWeekMask));
  PutU32(out, 16, static_cast<uint32_t>(pattern.dayOfMonth));
  PutU32(out, 20, static_cast<uint32_t>(pattern.instance));
  PutU32(out, 24, static_cast<uint32_t>(pattern.monthOfYear));
  PutU32(out, 28, static_cast<uint32_t>(pattern.occurrences));
  PutDouble(out, 32, pattern.patternStartDate);
  PutDouble(out, 40, pattern.patternEndDate);
  PutU32(out, 48, static_cast<uint32_t>(count));
  for (size_t i = 0; i < count; ++i) {
    size_t at = kHeaderSize + i * kExceptionSize;
    PutDouble(out, at, pattern.exceptions[i].originalDate);
    PutU32(out, at + 8, pattern.exceptions[i].deleted ? 1 : 0);
    PutU32(out, at + 12, pattern.exceptions[i].oid);
  }
  return out;
}

std::optional<RecurrenceData> DecodeRecurrence(const uint8_t* bytes, size_t size) {
  if (bytes == nullptr || size < kHeaderSize || std::memcmp(bytes, kMagic, 4) != 0 || bytes[5] != kVersion)
    return std::nullopt;
  RecurrenceData pattern;
  pattern.type = bytes[6];
  if (!ValidType(pattern.type) || bytes[7] > 2) return std::nullopt;
  pattern.end = static_cast<RecurrenceEnd>(bytes[7]);
  uint32_t interval = GetU32(bytes + 8), mask = GetU32(bytes + 12), monthDay = GetU32(bytes + 16);
  uint32_t instance = GetU32(bytes + 20), month = GetU32(bytes + 24), occurrences = GetU32(bytes + 28);
  if (interval > 999 || mask > 127 || monthDay > 31 || instance > 5 || month > 12 || occurrences > 999999)
    return std::nullopt;
  pattern.interval = static_cast<LONG>(interval);
  pattern.dayOfWeekMask = static_cast<LONG>(mask);
  pattern.dayOfMonth = static_cast<LONG>(monthDay);
  pattern.instance = static_cast<LONG>(instance);
  pattern.monthOfYear = static_cast<LONG>(month);
  pattern.occurrences = static_cast<LONG>(occurrences);
  pattern.patternStartDate = GetDouble(bytes + 32);
  pattern.patternEndDate = GetDouble(bytes + 40);
  if (!ValidDate(pattern.patternStartDate) ||
      !(ValidDate(pattern.patternEndDate) || pattern.patternEndDate == kNoDate))
    return std::nullopt;
  uint32_t count = GetU32(bytes + 48);
  if (count > kMaxExceptions || size != kHeaderSize + count * kExceptionSize) return std::nullopt;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* at = bytes + kHeaderSize + i * kExceptionSize;
    RecurrenceException exception;
    exception.originalDate = GetDouble(at);
    uint32_t flags = GetU32(at + 8);
    if (!ValidDate(exception.originalDate) || flags > 1) return std::nullopt;
    exception.deleted = flags == 1;
    exception.oid = GetU32(at + 12);
    pattern.exceptions.push_back(exception);
  }
  return pattern;
}

std::string RecurrenceRule(const RecurrenceData& pattern) {
  SYSTEMTIME start{};
  if (!ToSystemTime(pattern.patternStartDate, &start)) return {};
  LONG mask = pattern.dayOfWeekMask & 0x7F;
  if (mask == 0) mask = 1 << DayOfWeek(start.wYear, start.wMonth, start.wDay);
  LONG monthDay = pattern.dayOfMonth >= 1 && pattern.dayOfMonth <= 31 ? pattern.dayOfMonth : start.wDay;
  LONG month = pattern.monthOfYear >= 1 && pattern.monthOfYear <= 12 ? pattern.monthOfYear : start.wMonth;
  LONG instance = pattern.instance >= 1 && pattern.instance <= 5 ? pattern.instance : 1;
  std::string setPos = instance == 5 ? "-1" : std::to_string(instance);
  if (pattern.interval < 0 || pattern.interval > 999) return {};
  std::string interval = ";INTERVAL=" + std::to_string(pattern.interval == 0 ? 1 : pattern.interval);
  std::string rule;
  switch (pattern.type) {
    case 0:  // olRecursDaily; interval 0: every weekday
      rule = pattern.interval == 0 ? "FREQ=WEEKLY;WKST=SU;BYDAY=MO,TU,WE,TH,FR" : "FREQ=DAILY" + interval;
      break;
    case 1:  // olRecursWeekly
      rule = "FREQ=WEEKLY" + interval + ";WKST=SU;BYDAY=" + DayList(mask);
      break;
    case 2:  // olRecursMonthly
      rule = "FREQ=MONTHLY" + interval + MonthDay(monthDay);
      break;
    case 3:  // olRecursMonthNth
      rule = "FREQ=MONTHLY" + interval + ";BYDAY=" + DayList(mask) + ";BYSETPOS=" + setPos;
      break;
    case 5:  // olRecursYearly
      rule = "FREQ=YEARLY" + interval + ";BYMONTH=" + std::to_string(month) + MonthDay(monthDay);
      break;
    case 6:  // olRecursYearNth
      rule = "FREQ=YEARLY" + interval + ";BYMONTH=" + std::to_string(month) + ";BYDAY=" + DayList(mask) +
             ";BYSETPOS=" + setPos;
      break;
    default:
      return {};
  }
  if (pattern.end == RecurrenceEnd::AfterCount) {
    if (pattern.occurrences < 1) return {};
    rule += ";COUNT=" + std::to_string(pattern.occurrences);
  } else if (pattern.end == RecurrenceEnd::ByDate) {
    SYSTEMTIME until{};
    if (!ToSystemTime(pattern.patternEndDate, &until)) return {};
    char text[32];
    std::snprintf(text, sizeof text, ";UNTIL=%04u%02u%02uT235959", until.wYear, until.wMonth, until.wDay);
    rule += text;
  }
  return rule;
}

std::vector<DATE> ExpandOccurrences(const RecurrenceData& pattern, DATE from, DATE to, size_t limit,
                                    double timeOfDay) {
  std::vector<DATE> found;
  std::string rule = RecurrenceRule(pattern);
  SYSTEMTIME start{};
  if (rule.empty() || limit == 0 || !(timeOfDay >= 0.0 && timeOfDay < 1.0) ||
      !ToSystemTime(std::floor(pattern.patternStartDate) + timeOfDay, &start))
    return found;
  EnsureLibicalQuiet();
  struct icalrecurrencetype recurrence = icalrecurrencetype_from_string(rule.c_str());
  if (recurrence.freq == ICAL_NO_RECURRENCE) return found;
  struct icaltimetype dtstart = icaltime_null_time();
  dtstart.year = start.wYear;
  dtstart.month = start.wMonth;
  dtstart.day = start.wDay;
  dtstart.hour = start.wHour;
  dtstart.minute = start.wMinute;
  dtstart.second = start.wSecond;
  dtstart.is_date = 0;
  Iterator iterator(icalrecur_iterator_new(recurrence, dtstart));
  if (iterator.it == nullptr) return found;
  for (size_t step = 0; step < kMaxOccurrenceSteps && found.size() < limit; ++step) {
    struct icaltimetype next = icalrecur_iterator_next(iterator.it);
    if (icaltime_is_null_time(next)) break;
    SYSTEMTIME time{static_cast<WORD>(next.year),
                    static_cast<WORD>(next.month),
                    0,
                    static_cast<WORD>(next.day),
                    static_cast<WORD>(next.hour),
                    static_cast<WORD>(next.minute),
                    static_cast<WORD>(next.second),
                    0};
    DATE date = 0;
    if (!SystemTimeToVariantTime(&time, &date)) break;
    if (date >= to) break;
    if (date >= from) found.push_back(date);
  }
  return found;
}

std::optional<DATE> NextOccurrence(const RecurrenceData& pattern, DATE after, double timeOfDay) {
  // Seconds are rounded in OLE dates: step past `after` by half a second.
  std::vector<DATE> next = ExpandOccurrences(pattern, after + 0.5 / 86400.0, kLastDate, 1, timeOfDay);
  if (next.empty()) return std::nullopt;
  return next.front();
}

std::optional<DATE> LastOccurrence(const RecurrenceData& pattern, double timeOfDay) {
  if (pattern.end == RecurrenceEnd::None) return std::nullopt;
  std::vector<DATE> all = ExpandOccurrences(pattern, -657434.0, kLastDate, kMaxOccurrenceSteps, timeOfDay);
  if (all.empty()) return std::nullopt;
  return all.back();
}

}  // namespace platform
