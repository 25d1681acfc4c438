#include "hosts/calyra/IcsRules.h"

#include <vector>

#include "platform/outlook/PocketOutlook.h"

namespace calyra::ics {

namespace {

constexpr const char* kDayNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr LONG kWorkdays = olMonday | olTuesday | olWednesday | olThursday | olFriday;

std::vector<short> Values(const short* values, int size) {
  std::vector<short> list;
  for (int i = 0; i < size && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) list.push_back(values[i]);
  return list;
}

// The day mask of a BYDAY list and the one position its days carry (0 for none); false when the
// days carry different positions.
bool DayMask(const std::vector<short>& days, LONG* mask, int* position) {
  *mask = 0;
  *position = 0;
  for (size_t i = 0; i < days.size(); ++i) {
    int weekday = static_cast<int>(icalrecurrencetype_day_day_of_week(days[i]));
    if (weekday < 1 || weekday > 7) return false;
    int at = icalrecurrencetype_day_position(days[i]);
    if (i > 0 && at != *position) return false;
    *position = at;
    *mask |= 1L << (weekday - 1);
  }
  return true;
}

// Pocket Outlook's instance of a position: 1 to 4, or 5 for the last.
LONG InstanceOf(int position) {
  if (position >= 1 && position <= 4) return position;
  return position == -1 ? 5 : 0;
}

}  // namespace

bool MapRule(const icalrecurrencetype& rule, const SYSTEMTIME& start, RecurrenceRecord* pattern,
             std::string* why) {
  auto refuse = [&](std::string reason) {
    *why = std::move(reason);
    return false;
  };
  switch (rule.freq) {
    case ICAL_SECONDLY_RECURRENCE:
    case ICAL_MINUTELY_RECURRENCE:
    case ICAL_HOURLY_RECURRENCE:
      return refuse("a rule that repeats within a day (Pocket Outlook repeats daily at most)");
    case ICAL_DAILY_RECURRENCE:
    case ICAL_WEEKLY_RECURRENCE:
    case ICAL_MONTHLY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE:
      break;
    default:
      return refuse("a rule without a frequency Pocket Outlook knows");
  }
  if (rule.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX ||
      rule.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX)
    return refuse("BYHOUR, BYMINUTE or BYSECOND");
  if (rule.by_year_day[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_week_no[0] != ICAL_RECURRENCE_ARRAY_MAX)
    return refuse("BYYEARDAY or BYWEEKNO");
  std::vector<short> days = Values(rule.by_day, ICAL_BY_DAY_SIZE);
  std::vector<short> monthDays = Values(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
  std::vector<short> months = Values(rule.by_month, ICAL_BY_MONTH_SIZE);
  std::vector<short> positions = Values(rule.by_set_pos, ICAL_BY_SETPOS_SIZE);
  if (positions.size() > 1) return refuse("a BYSETPOS list");
  if (monthDays.size() > 1) return refuse("a BYMONTHDAY list");
  if (months.size() > 1) return refuse("a BYMONTH list");
  if (!monthDays.empty() && (monthDays[0] < 1 || monthDays[0] > 31))
    return refuse("a BYMONTHDAY from the end");
  LONG mask = 0;
  int position = 0;
  if (!DayMask(days, &mask, &position)) return refuse("BYDAY days with different positions");
  RecurrenceRecord result;
  result.interval = rule.interval > 0 ? rule.interval : 1;
  result.count = rule.count > 0 ? rule.count : 0;
  bool plainDays = position == 0 && positions.empty();
  switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
      result.type = olRecursDaily;
      if (!months.empty() || !monthDays.empty() || !positions.empty())
        return refuse("a daily rule with BY… lists");
      if (!days.empty()) {
        if (mask != kWorkdays || position != 0 || result.interval != 1)
          return refuse("a daily rule on days other than every weekday");
        result.interval = 0;
        result.weekdayMask = kWorkdays;
      }
      break;
    case ICAL_WEEKLY_RECURRENCE:
      if (!months.empty() || !monthDays.empty() || !plainDays) return refuse("a weekly rule with BY… lists");
      result.type = olRecursWeekly;
      result.weekdayMask = mask ? mask : 1L << start.wDayOfWeek;
      break;
    case ICAL_MONTHLY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE: {
      bool yearly = rule.freq == ICAL_YEARLY_RECURRENCE;
      if (!yearly && !months.empty()) return refuse("a monthly rule with BYMONTH");
      if (yearly && result.interval != 1) return refuse("a yearly rule with an INTERVAL");
      result.monthOfYear = months.empty() ? start.wMonth : months[0];
      if (days.empty()) {
        if (!positions.empty()) return refuse("BYSETPOS without BYDAY");
        result.type = yearly ? olRecursYearly : olRecursMonthly;
        result.dayOfMonth = monthDays.empty() ? start.wDay : monthDays[0];
        break;
      }
      if (!monthDays.empty()) return refuse("BYMONTHDAY with BYDAY");
      int at = positions.empty() ? position : (position == 0 ? positions[0] : 0);
      result.instance = InstanceOf(at);
      if (result.instance == 0) return refuse("a weekday position other than 1 to 4 or the last");
      result.type = yearly ? olRecursYearNth : olRecursMonthNth;
      result.weekdayMask = mask;
      break;
    }
    default:
      break;
  }
  if (result.type == olRecursYearly || result.type == olRecursYearNth) result.interval = 1;
  *pattern = result;
  return true;
}

std::string RuleText(const RecurrenceRecord& pattern) {
  auto dayList = [](LONG mask) {
    std::string list;
    for (int day = 0; day < 7; ++day) {
      if (mask & (1L << day)) list += std::string(list.empty() ? "" : ",") + kDayNames[day];
    }
    return list;
  };
  std::string rule;
  std::string interval = pattern.interval > 1 ? ";INTERVAL=" + std::to_string(pattern.interval) : "";
  switch (pattern.type) {
    case olRecursDaily:
      rule = pattern.interval == 0 ? "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR" : "FREQ=DAILY" + interval;
      break;
    case olRecursWeekly:
      rule = "FREQ=WEEKLY" + interval + ";BYDAY=" + dayList(pattern.weekdayMask);
      break;
    case olRecursMonthly:
      rule = "FREQ=MONTHLY" + interval + ";BYMONTHDAY=" + std::to_string(pattern.dayOfMonth);
      break;
    case olRecursMonthNth:
    case olRecursYearNth: {
      bool yearly = pattern.type == olRecursYearNth;
      rule =
          yearly ? "FREQ=YEARLY;BYMONTH=" + std::to_string(pattern.monthOfYear) : "FREQ=MONTHLY" + interval;
      rule += ";BYDAY=" + dayList(pattern.weekdayMask) +
              ";BYSETPOS=" + std::to_string(pattern.instance == 5 ? -1 : pattern.instance);
      break;
    }
    case olRecursYearly:
      rule = "FREQ=YEARLY;BYMONTH=" + std::to_string(pattern.monthOfYear) +
             ";BYMONTHDAY=" + std::to_string(pattern.dayOfMonth);
      break;
    default:
      return {};
  }
  if (pattern.count > 0) rule += ";COUNT=" + std::to_string(pattern.count);
  return rule;
}

}  // namespace calyra::ics
