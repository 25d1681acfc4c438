#include "hosts/calyra/IcsExporter.h"

#include <cstdio>
#include <vector>

#include "hosts/calyra/IcsRules.h"
#include "hosts/calyra/ItemNotes.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/PimItem.h"
#include "store/RecurrencePattern.h"

namespace calyra::ics {

namespace {

// Collects content lines, folding each at 75 octets without cutting a UTF-8 sequence.
class Lines {
 public:
  void Add(const std::string& line) {
    size_t at = 0;
    size_t limit = 75;
    while (line.size() - at > limit) {
      size_t cut = at + limit;
      while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
      text_ += line.substr(at, cut - at) + "\r\n ";
      at = cut;
      limit = 74;
    }
    text_ += line.substr(at) + "\r\n";
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

std::string Escaped(const std::u16string& text) {
  std::string escaped;
  for (char c : platform::ToUtf8(text)) {
    if (c == '\r') continue;
    if (c == '\n') {
      escaped += "\\n";
    } else {
      if (c == '\\' || c == ';' || c == ',') escaped += '\\';
      escaped += c;
    }
  }
  return escaped;
}

std::string Number(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

std::string DateText(const SYSTEMTIME& day) {
  return Number(day.wYear, 4) + Number(day.wMonth, 2) + Number(day.wDay, 2);
}

// A local time as UTC "YYYYMMDDTHHMMSSZ".
std::string UtcText(const SYSTEMTIME& local) {
  FILETIME utc{};
  SYSTEMTIME time{};
  platform::LocalSystemTimeToUtc(local, &utc);
  FileTimeToSystemTime(&utc, &time);
  return DateText(time) + "T" + Number(time.wHour, 2) + Number(time.wMinute, 2) + Number(time.wSecond, 2) +
         "Z";
}

template <class T, class Getter>
std::u16string Text(T* item, Getter getter) {
  return ReadText(item, getter);
}

std::string CategoriesLine(const std::u16string& categories) {
  std::string list;
  std::u16string all = categories + u",";
  size_t at = 0;
  for (size_t comma; (comma = all.find(u',', at)) != std::u16string::npos; at = comma + 1) {
    std::u16string name = all.substr(at, comma - at);
    name.erase(0, name.find_first_not_of(u" \t"));
    name.erase(name.find_last_not_of(u" \t") + 1);
    if (!name.empty()) list += (list.empty() ? "" : ",") + Escaped(name);
  }
  return list.empty() ? std::string() : "CATEGORIES:" + list;
}

void AddText(Lines& lines, const char* name, const std::u16string& text) {
  if (!text.empty()) lines.Add(std::string(name) + ":" + Escaped(text));
}

// The item's pattern as the reader's record; false when it does not recur.
template <class T>
bool Pattern(T* item, RecurrenceRecord* record, RecurrencePattern* pattern) {
  VARIANT_BOOL recurring = VARIANT_FALSE;
  platform::ComPtr<IRecurrencePattern> source;
  if (FAILED(item->get_IsRecurring(&recurring)) || !recurring ||
      FAILED(item->GetRecurrencePattern(&source)) || !ReadRecurrencePattern(source.Get(), pattern)) {
    return false;
  }
  record->type = pattern->type;
  record->interval = pattern->interval;
  record->weekdayMask = pattern->weekdayMask;
  record->dayOfMonth = pattern->dayOfMonth;
  record->instance = pattern->instance;
  record->monthOfYear = pattern->monthOfYear;
  record->count = pattern->noEndDate ? 0 : pattern->occurrences;
  return true;
}

// A series, or (with `original`, the start of the occurrence it replaces) one of its changed
// occurrences under the series' UID, which then carries its own fields but no notes, rule or
// attendees: those are the series'.
void AddAppointment(Lines& lines, IAppointment* item, const std::string& stamp, LONG seriesOid = 0,
                    const SYSTEMTIME* original = nullptr) {
  LONG oid = 0, busy = olBusy, sensitivity = olNormal, minutes = 0;
  VARIANT_BOOL allDay = VARIANT_FALSE, reminder = VARIANT_FALSE;
  DATE start = 0, end = 0;
  item->get_Oid(&oid);
  item->get_Start(&start);
  item->get_End(&end);
  item->get_AllDayEvent(&allDay);
  item->get_BusyStatus(&busy);
  item->get_Sensitivity(&sensitivity);
  item->get_ReminderSet(&reminder);
  item->get_ReminderMinutesBeforeStart(&minutes);
  SYSTEMTIME startTime = SystemTimeOfDate(start), endTime = SystemTimeOfDate(end);
  lines.Add("BEGIN:VEVENT");
  lines.Add("UID:calyra-" + Number(original ? seriesOid : oid, 1) + "@device");
  lines.Add("DTSTAMP:" + stamp);
  auto timeLine = [&](const char* name, const SYSTEMTIME& time) {
    lines.Add(allDay ? std::string(name) + ";VALUE=DATE:" + DateText(time)
                     : std::string(name) + ":" + UtcText(time));
  };
  if (original) timeLine("RECURRENCE-ID", *original);
  timeLine("DTSTART", startTime);
  timeLine("DTEND", endTime);
  AddText(lines, "SUMMARY", Text(item, &IAppointment::get_Subject));
  AddText(lines, "LOCATION", Text(item, &IAppointment::get_Location));
  if (!original)
    AddText(lines, "DESCRIPTION",
            host::NotesText(item, static_cast<ItemOid>(oid), calyra::ItemKind::Appointment));
  std::string categories = CategoriesLine(Text(item, &IAppointment::get_Categories));
  if (!categories.empty()) lines.Add(categories);
  if (sensitivity != olNormal) lines.Add("CLASS:PRIVATE");
  static const char* const kBusy[] = {"FREE", "TENTATIVE", "BUSY", "OOF"};
  lines.Add(busy == olFree ? "TRANSP:TRANSPARENT" : "TRANSP:OPAQUE");
  if (busy >= 0 && busy <= 3) lines.Add(std::string("X-MICROSOFT-CDO-BUSYSTATUS:") + kBusy[busy]);
  RecurrenceRecord record;
  RecurrencePattern pattern;
  std::vector<std::pair<platform::ComPtr<IAppointment>, SYSTEMTIME>> changed;
  if (!original && Pattern(item, &record, &pattern)) {
    lines.Add("RRULE:" + RuleText(record));
    platform::ComPtr<IRecurrencePattern> source;
    platform::ComPtr<IExceptions> exceptions;
    int count = 0;
    if (SUCCEEDED(item->GetRecurrencePattern(&source)) && SUCCEEDED(source->get_Exceptions(&exceptions)) &&
        exceptions && SUCCEEDED(exceptions->get_Count(&count))) {
      for (int i = 1; i <= count; ++i) {
        platform::ComPtr<IException> exception;
        VARIANT_BOOL deleted = VARIANT_FALSE;
        DATE day = 0;
        if (FAILED(exceptions->Item(i, &exception)) || !exception ||
            FAILED(exception->get_Deleted(&deleted)) || FAILED(exception->get_OriginalDate(&day))) {
          continue;
        }
        SYSTEMTIME when = SystemTimeOfDate(day);
        when.wHour = startTime.wHour;
        when.wMinute = startTime.wMinute;
        when.wSecond = startTime.wSecond;
        platform::ComPtr<IAppointment> occurrence;
        if (deleted) {
          timeLine("EXDATE", when);
        } else if (SUCCEEDED(exception->get_AppointmentItem(&occurrence)) && occurrence) {
          changed.emplace_back(occurrence, when);
        }
      }
    }
  }
  platform::ComPtr<IRecipients> recipients;
  int count = 0;
  if (!original && SUCCEEDED(item->get_Recipients(&recipients)) && recipients &&
      SUCCEEDED(recipients->get_Count(&count))) {
    for (int i = 1; i <= count; ++i) {
      platform::ComPtr<IRecipient> recipient;
      if (FAILED(recipients->Item(i, &recipient)) || !recipient) continue;
      std::string name = platform::ToUtf8(Text(recipient.Get(), &IRecipient::get_Name));
      std::string address = platform::ToUtf8(Text(recipient.Get(), &IRecipient::get_Address));
      std::string quoted;
      for (char c : name) quoted += c == '"' ? '\'' : c;
      lines.Add("ATTENDEE;CN=\"" + quoted + "\":mailto:" + address);
    }
  }
  if (reminder) {
    lines.Add("BEGIN:VALARM");
    lines.Add("ACTION:DISPLAY");
    lines.Add("DESCRIPTION:Reminder");
    lines.Add("TRIGGER:-PT" + Number(minutes, 1) + "M");
    lines.Add("END:VALARM");
  }
  lines.Add("END:VEVENT");
  for (const auto& [occurrence, when] : changed) AddAppointment(lines, occurrence.Get(), stamp, oid, &when);
}

void AddTask(Lines& lines, ITask* item, const std::string& stamp) {
  LONG oid = 0, importance = olImportanceNormal, sensitivity = olNormal;
  VARIANT_BOOL complete = VARIANT_FALSE, reminder = VARIANT_FALSE;
  DATE start = platform::kNoDate, due = platform::kNoDate, completed = platform::kNoDate,
       alarm = platform::kNoDate;
  item->get_Oid(&oid);
  item->get_StartDate(&start);
  item->get_DueDate(&due);
  item->get_Importance(&importance);
  item->get_Sensitivity(&sensitivity);
  item->get_Complete(&complete);
  item->get_DateCompleted(&completed);
  item->get_ReminderSet(&reminder);
  item->get_ReminderTime(&alarm);
  lines.Add("BEGIN:VTODO");
  lines.Add("UID:calyra-" + Number(oid, 1) + "@device");
  lines.Add("DTSTAMP:" + stamp);
  if (start != platform::kNoDate) lines.Add("DTSTART;VALUE=DATE:" + DateText(SystemTimeOfDate(start)));
  if (due != platform::kNoDate) lines.Add("DUE;VALUE=DATE:" + DateText(SystemTimeOfDate(due)));
  AddText(lines, "SUMMARY", Text(item, &ITask::get_Subject));
  AddText(lines, "DESCRIPTION", host::NotesText(item, static_cast<ItemOid>(oid), calyra::ItemKind::Task));
  std::string categories = CategoriesLine(Text(item, &ITask::get_Categories));
  if (!categories.empty()) lines.Add(categories);
  if (sensitivity != olNormal) lines.Add("CLASS:PRIVATE");
  lines.Add(std::string("PRIORITY:") + (importance == olImportanceHigh  ? "1"
                                        : importance == olImportanceLow ? "9"
                                                                        : "5"));
  lines.Add(complete ? "STATUS:COMPLETED" : "STATUS:NEEDS-ACTION");
  if (complete && completed != platform::kNoDate) {
    SYSTEMTIME day = SystemTimeOfDate(completed);
    day.wHour = day.wMinute = day.wSecond = 0;
    lines.Add("COMPLETED:" + UtcText(day));
  }
  RecurrenceRecord record;
  RecurrencePattern pattern;
  if (Pattern(item, &record, &pattern)) lines.Add("RRULE:" + RuleText(record));
  if (reminder && alarm != platform::kNoDate && due != platform::kNoDate) {
    lines.Add("BEGIN:VALARM");
    lines.Add("ACTION:DISPLAY");
    lines.Add("DESCRIPTION:Reminder");
    lines.Add("TRIGGER;VALUE=DATE-TIME:" + UtcText(SystemTimeOfDate(alarm)));
    lines.Add("END:VALARM");
  }
  lines.Add("END:VTODO");
}

}  // namespace

std::string ExportCalendar(host::OutlookItems& items, host::ItemKind kind) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::string stamp = UtcText(now);
  Lines lines;
  lines.Add("BEGIN:VCALENDAR");
  lines.Add("VERSION:2.0");
  lines.Add("PRODID:-//Calyra//Calyra Editor//EN");
  for (const auto& dispatch : items.Items(kind)) {
    if (kind == host::ItemKind::kAppointment) {
      platform::ComPtr<IAppointment> item = dispatch.template As<IAppointment>(IID_IAppointment);
      if (item) AddAppointment(lines, item.Get(), stamp);
    } else {
      platform::ComPtr<ITask> item = dispatch.template As<ITask>(IID_ITask);
      if (item) AddTask(lines, item.Get(), stamp);
    }
  }
  lines.Add("END:VCALENDAR");
  return lines.Text();
}

}  // namespace calyra::ics
