#include "hosts/calyra/IcsReader.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "hosts/calyra/IcsLines.h"
#include "hosts/calyra/IcsRules.h"
#include "platform/outlook/PocketOutlook.h"
#include "platform/time/TimeConversion.h"

namespace calyra::ics {

namespace {

constexpr int64_t kUnixEpochSeconds = 11'644'473'600;  // 1601 to 1970
constexpr int64_t kTicksPerSecond = 10'000'000;

struct Free {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

std::string TextOf(const char* text) {
  return text ? std::string(text) : std::string();
}

// The model keeps line breaks as CR LF.
std::string NotesOf(const char* text) {
  std::string notes;
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c == '\r') continue;
    if (*c == '\n') notes += '\r';
    notes += *c;
  }
  return notes;
}

int64_t TicksOfLocal(const SYSTEMTIME& time) {
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return platform::TicksOf(file);
}

// The whole minutes from `a` to `b`, both local.
int64_t MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return (TicksOfLocal(b) - TicksOfLocal(a)) / platform::kTicksPerMinute;
}

SYSTEMTIME DayOf(SYSTEMTIME time) {
  time.wHour = time.wMinute = time.wSecond = time.wMilliseconds = 0;
  return time;
}

// Reads one component: the walk over libical's tree alongside the lines the file showed.
class ComponentReader {
 public:
  ComponentReader(const std::vector<ComponentLines>& lines, CalendarRecords* records, ReadError* error)
      : lines_(lines), records_(records), error_(error) {}

  // Depth first, as the lines list the components; false once the file is refused.
  bool Visit(icalcomponent* component, icalcomponent* calendar) {
    const ComponentLines* lines = next_ < lines_.size() ? &lines_[next_] : nullptr;
    ++next_;
    lines_of_ = lines;
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
      std::string message = TextOf(icalproperty_get_xlicerror(p));
      return Fail(LineOfMessage(lines, message), message);
    }
    icalcomponent_kind kind = icalcomponent_isa(component);
    if (kind == ICAL_VCALENDAR_COMPONENT) calendar = component;
    if (kind == ICAL_VEVENT_COMPONENT && !ReadEvent(component, calendar)) return false;
    if (kind == ICAL_VTODO_COMPONENT && !ReadTask(component, calendar)) return false;
    if (kind == ICAL_VJOURNAL_COMPONENT || kind == ICAL_VFREEBUSY_COMPONENT) {
      Warn(Line(lines, ""), std::string("skipped a ") + icalcomponent_kind_to_string(kind) +
                                " (Pocket Outlook has no such item)");
    }
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
      if (!Visit(child, calendar)) return false;
    }
    return true;
  }

 private:
  static int Line(const ComponentLines* lines, std::string_view property) {
    return lines ? lines->LineOf(property) : 0;
  }
  // libical names the property at fault in its message, as a rule.
  static int LineOfMessage(const ComponentLines* lines, const std::string& message) {
    if (!lines) return 0;
    for (const auto& [name, line] : lines->properties) {
      if (message.find(name) != std::string::npos) return line;
    }
    return lines->line;
  }
  bool Fail(int line, std::string message) {
    error_->line = line;
    error_->message = std::move(message);
    return false;
  }
  void Warn(int line, const std::string& message) {
    records_->warnings.push_back("line " + std::to_string(line) + ": " + message);
  }

  // A DATE or DATE-TIME of a property as local time; false (the file refused) when it is no date.
  bool LocalTime(icalproperty* property, icaltimetype time, icalcomponent* calendar, SYSTEMTIME* local,
                 bool* isDate) {
    // The kind's name needs no allocation; X- properties carry no dates here.
    std::string_view name = icalproperty_kind_to_string(icalproperty_isa(property));
    int line = Line(lines_of_, name);
    if (icaltime_is_null_time(time) || time.year < 1900 || time.year > 2999 || time.month < 1 ||
        time.month > 12 || time.day < 1 || time.day > platform::DaysInMonth(time.year, time.month) ||
        time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 60) {
      return Fail(line, std::string(name) + ": not a valid date from 1900 to 2999");
    }
    *isDate = time.is_date != 0;
    SYSTEMTIME fields{static_cast<WORD>(time.year),
                      static_cast<WORD>(time.month),
                      0,
                      static_cast<WORD>(time.day),
                      0,
                      0,
                      0,
                      0};
    if (!time.is_date) {
      fields.wHour = static_cast<WORD>(time.hour);
      fields.wMinute = static_cast<WORD>(time.minute);
      fields.wSecond = static_cast<WORD>(std::min(time.second, 59));
    }
    fields.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(time.year, time.month, time.day));
    *local = fields;
    if (time.is_date) return true;
    const icaltimezone* zone = time.zone;
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (!zone && tzid && icalparameter_get_tzid(tzid)) {
      const char* id = icalparameter_get_tzid(tzid);
      zone = calendar ? icalcomponent_get_timezone(calendar, id) : nullptr;
      if (!zone) zone = icaltimezone_get_builtin_timezone(id);
      if (!zone) zone = icaltimezone_get_builtin_timezone_from_tzid(id);
      if (!zone)
        Warn(line,
             std::string(name) + ": unknown time zone \"" + id + "\", taken as the device's local time");
    }
    if (!zone) return true;  // floating: the device's local time
    time_t seconds = icaltime_as_timet_with_zone(time, zone);
    FILETIME utc =
        platform::FileTimeOf((static_cast<int64_t>(seconds) + kUnixEpochSeconds) * kTicksPerSecond);
    if (!platform::UtcToLocalSystemTime(utc, local) || !platform::IsDateSet(*local))
      return Fail(line, std::string(name) + ": not a date from 1900 to 2999");
    return true;
  }

  std::vector<std::string> Categories(icalcomponent* component) {
    std::vector<std::string> names;
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_CATEGORIES_PROPERTY)) {
      std::string all = TextOf(icalproperty_get_categories(p));
      size_t at = 0;
      while (at <= all.size()) {
        size_t comma = std::min(all.find(',', at), all.size());
        std::string name = all.substr(at, comma - at);
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t") + 1);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
          names.push_back(name);
        at = comma + 1;
      }
    }
    return names;
  }

  static bool IsPrivate(icalcomponent* component) {
    icalproperty* p = icalcomponent_get_first_property(component, ICAL_CLASS_PROPERTY);
    if (!p) return false;
    icalproperty_class value = icalproperty_get_class(p);
    return value == ICAL_CLASS_PRIVATE || value == ICAL_CLASS_CONFIDENTIAL;
  }

  // The rule, the exception days and what cannot be held of them; nothing when the item does not
  // recur or its rule is left out.
  bool Recurrence(icalcomponent* component, icalcomponent* calendar, const SYSTEMTIME& start,
                  std::optional<RecurrenceRecord>* recurrence) {
    for (icalproperty_kind kind : {ICAL_RDATE_PROPERTY, ICAL_EXRULE_PROPERTY}) {
      if (icalcomponent_get_first_property(component, kind))
        Warn(Line(lines_of_, icalproperty_kind_to_string(kind)), std::string("skipped ") +
                                                                     icalproperty_kind_to_string(kind) +
                                                                     " (Pocket Outlook has no such dates)");
    }
    icalproperty* rule = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
    if (!rule) return true;
    int line = Line(lines_of_, "RRULE");
    RecurrenceRecord record;
    std::string why;
    struct icalrecurrencetype value = icalproperty_get_rrule(rule);
    if (!MapRule(value, start, &record, &why)) {
      Warn(line, "skipped RRULE: " + why + "; the item is imported without its recurrence");
      return true;
    }
    if (!icaltime_is_null_time(value.until)) {
      SYSTEMTIME until{};
      bool isDate = false;
      if (!LocalTime(rule, value.until, calendar, &until, &isDate)) return false;
      record.until = DayOf(until);
    }
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_EXDATE_PROPERTY)) {
      SYSTEMTIME day{};
      bool isDate = false;
      if (!LocalTime(p, icalproperty_get_exdate(p), calendar, &day, &isDate)) return false;
      record.exceptions.push_back(DayOf(day));
    }
    *recurrence = record;
    return true;
  }

  // The first VALARM's trigger as a local time, given the times a relative one counts from.
  bool Alarm(icalcomponent* component, icalcomponent* calendar, const SYSTEMTIME& from,
             const SYSTEMTIME& fromEnd, std::optional<SYSTEMTIME>* when) {
    icalcomponent* alarm = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT);
    icalproperty* trigger = alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (!trigger) return true;
    struct icaltriggertype value = icalproperty_get_trigger(trigger);
    if (!icaltime_is_null_time(value.time)) {
      SYSTEMTIME at{};
      bool isDate = false;
      if (!LocalTime(trigger, value.time, calendar, &at, &isDate)) return false;
      *when = at;
      return true;
    }
    icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    SYSTEMTIME at = related && icalparameter_get_related(related) == ICAL_RELATED_END ? fromEnd : from;
    if (!platform::AddMinutes(&at, icaldurationtype_as_int(value.duration) / 60)) return true;
    *when = at;
    return true;
  }

  bool ReadEvent(icalcomponent* event, icalcomponent* calendar) {
    int line = Line(lines_of_, "");
    AppointmentRecord record;
    record.line = lines_of_ ? lines_of_->line : 0;
    record.uid = TextOf(icalcomponent_get_uid(event));
    if (icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
      icalparameter* range = icalproperty_get_first_parameter(id, ICAL_RANGE_PARAMETER);
      if (range && icalparameter_get_range(range) == ICAL_RANGE_THISANDFUTURE) {
        Warn(line, "skipped a change of this and the following occurrences (RANGE=THISANDFUTURE)");
        return true;
      }
      SYSTEMTIME day{};
      bool isDate = false;
      if (!LocalTime(id, icalproperty_get_recurrenceid(id), calendar, &day, &isDate)) return false;
      record.originalDay = DayOf(day);
    }
    icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!start) return Fail(line, "a VEVENT without DTSTART");
    if (!LocalTime(start, icalproperty_get_dtstart(start), calendar, &record.start, &record.allDay))
      return false;
    icalproperty* end = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
    icalproperty* duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
    bool endIsDate = record.allDay;
    if (end) {
      if (!LocalTime(end, icalproperty_get_dtend(end), calendar, &record.end, &endIsDate)) return false;
    } else {
      record.end = record.start;
      int64_t minutes = duration ? icaldurationtype_as_int(icalproperty_get_duration(duration)) / 60
                                 : (record.allDay ? 1440 : 0);
      if (!platform::AddMinutes(&record.end, minutes))
        return Fail(Line(lines_of_, "DURATION"), "DURATION: too long");
    }
    if (endIsDate != record.allDay)
      return Fail(Line(lines_of_, "DTEND"), "DTEND: a date where DTSTART has a time, or back");
    if (TicksOfLocal(record.end) < TicksOfLocal(record.start))
      return Fail(Line(lines_of_, "DTEND"), "DTEND: before DTSTART");
    if (record.allDay && TicksOfLocal(record.end) == TicksOfLocal(record.start))
      platform::AddMinutes(&record.end, 1440);
    record.subject = TextOf(icalcomponent_get_summary(event));
    record.location = TextOf(icalcomponent_get_location(event));
    record.notes = NotesOf(icalcomponent_get_description(event));
    record.categories = Categories(event);
    record.isPrivate = IsPrivate(event);
    if (icalproperty* transp = icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY)) {
      record.busyStatus = icalproperty_get_transp(transp) == ICAL_TRANSP_TRANSPARENT ? olFree : olBusy;
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
      const char* name = icalproperty_get_x_name(p);
      if (!name || strcasecmp(name, "X-MICROSOFT-CDO-BUSYSTATUS") != 0) continue;
      std::string value = TextOf(icalproperty_get_x(p));
      if (value == "FREE") record.busyStatus = olFree;
      if (value == "TENTATIVE") record.busyStatus = olTentative;
      if (value == "BUSY") record.busyStatus = olBusy;
      if (value == "OOF") record.busyStatus = olOutOfOffice;
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ATTENDEE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_ATTENDEE_PROPERTY)) {
      AttendeeRecord attendee;
      attendee.email = TextOf(icalproperty_get_attendee(p));
      if (strncasecmp(attendee.email.c_str(), "mailto:", 7) == 0) attendee.email.erase(0, 7);
      icalparameter* cn = icalproperty_get_first_parameter(p, ICAL_CN_PARAMETER);
      attendee.name = cn ? TextOf(icalparameter_get_cn(cn)) : attendee.email;
      record.attendees.push_back(attendee);
    }
    std::optional<SYSTEMTIME> alarm;
    if (!Alarm(event, calendar, record.start, record.end, &alarm)) return false;
    if (alarm) {
      int64_t before = MinutesBetween(*alarm, record.start);
      if (before < 0) {
        Warn(Line(lines_of_, ""), "skipped an alarm after the start (Pocket Outlook reminds only before it)");
      } else {
        record.reminderSet = true;
        record.reminderMinutes = static_cast<LONG>(std::min<int64_t>(before, 0x7FFFFFFF));
      }
    }
    if (record.originalDay) {
      changed_.push_back(std::move(record));
      return true;
    }
    if (!Recurrence(event, calendar, record.start, &record.recurrence)) return false;
    records_->appointments.push_back(std::move(record));
    return true;
  }

 public:
  // Gives each changed occurrence to its series (the recurring event of the same UID, wherever it
  // stands in the file); one without such a series is left out with a warning.
  void JoinChangedOccurrences() {
    for (AppointmentRecord& occurrence : changed_) {
      auto series =
          std::find_if(records_->appointments.begin(), records_->appointments.end(),
                       [&](const AppointmentRecord& a) { return a.uid == occurrence.uid && a.recurrence; });
      if (series == records_->appointments.end()) {
        Warn(occurrence.line,
             "skipped a changed occurrence (RECURRENCE-ID) without its recurring event in the file");
        continue;
      }
      series->changedOccurrences.push_back(std::move(occurrence));
    }
    changed_.clear();
  }

 private:
  bool ReadTask(icalcomponent* todo, icalcomponent* calendar) {
    TaskRecord record;
    record.line = lines_of_ ? lines_of_->line : 0;
    SYSTEMTIME start{}, due{};
    bool isDate = false;
    if (icalproperty* p = icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY)) {
      if (!LocalTime(p, icalproperty_get_dtstart(p), calendar, &start, &isDate)) return false;
      record.start = DayOf(start);
    }
    if (icalproperty* p = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY)) {
      if (!LocalTime(p, icalproperty_get_due(p), calendar, &due, &isDate)) return false;
      record.due = DayOf(due);
    }
    // Pocket Outlook keeps no start without a due date.
    if (record.start && !record.due) {
      record.due = record.start;
      due = start;
    }
    if (record.due && !record.start) start = due;
    record.subject = TextOf(icalcomponent_get_summary(todo));
    record.notes = NotesOf(icalcomponent_get_description(todo));
    record.categories = Categories(todo);
    record.isPrivate = IsPrivate(todo);
    if (icalproperty* p = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY)) {
      int priority = icalproperty_get_priority(p);
      record.priority = priority >= 1 && priority <= 4 ? 1 : priority >= 6 && priority <= 9 ? 3 : 2;
    }
    if (icalproperty* p = icalcomponent_get_first_property(todo, ICAL_STATUS_PROPERTY)) {
      record.complete = icalproperty_get_status(p) == ICAL_STATUS_COMPLETED;
    }
    if (icalproperty* p = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY)) {
      SYSTEMTIME completed{};
      if (!LocalTime(p, icalproperty_get_completed(p), calendar, &completed, &isDate)) return false;
      record.complete = true;
      record.completed = DayOf(completed);
    }
    std::optional<SYSTEMTIME> alarm;
    if (!Alarm(todo, calendar, start, due, &alarm)) return false;
    if (alarm && !record.due) {
      Warn(Line(lines_of_, "BEGIN"),
           "skipped the alarm of a task without dates (Pocket Outlook needs a due date)");
    } else if (alarm) {
      record.reminder = alarm;
    }
    if (!Recurrence(todo, calendar, record.start ? *record.start : DayOf(start), &record.recurrence))
      return false;
    if (record.recurrence && (record.complete || !record.due)) {
      Warn(Line(lines_of_, "RRULE"),
           record.complete ? "skipped RRULE of a completed task" : "skipped RRULE of a task without dates");
      record.recurrence.reset();
    }
    records_->tasks.push_back(std::move(record));
    return true;
  }

  const std::vector<ComponentLines>& lines_;
  std::vector<AppointmentRecord> changed_;  // changed occurrences, until the whole file is read
  const ComponentLines* lines_of_ = nullptr;
  size_t next_ = 0;
  CalendarRecords* records_;
  ReadError* error_;
};

}  // namespace

bool ReadCalendar(const std::string& text, CalendarRecords* records, ReadError* error) {
  *records = CalendarRecords();
  std::vector<ComponentLines> lines;
  if (!CheckCalendarLines(text, &lines, error)) return false;
  records->appointments.reserve(static_cast<size_t>(
      std::count_if(lines.begin(), lines.end(), [](const ComponentLines& c) { return c.name == "VEVENT"; })));
  icalerror_set_errors_are_fatal(0);
  std::unique_ptr<icalcomponent, Free> root(icalparser_parse_string(text.c_str()));
  if (!root) {
    error->line = 0;
    error->message = "libical cannot parse the file";
    return false;
  }
  ComponentReader reader(lines, records, error);
  if (icalcomponent_isa(root.get()) != ICAL_XROOT_COMPONENT) {
    if (!reader.Visit(root.get(), nullptr)) return false;
  } else {
    for (icalcomponent* calendar = icalcomponent_get_first_component(root.get(), ICAL_ANY_COMPONENT);
         calendar; calendar = icalcomponent_get_next_component(root.get(), ICAL_ANY_COMPONENT)) {
      if (!reader.Visit(calendar, nullptr)) return false;
    }
  }
  reader.JoinChangedOccurrences();
  return true;
}

}  // namespace calyra::ics
