#include "hosts/calyra/IcsWriter.h"

#include <algorithm>

#include "hosts/calyra/ImportCategories.h"
#include "hosts/calyra/ItemNotes.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"
#include "store/OutlookSession.h"

namespace calyra::ics {

namespace {

std::u16string Joined(const std::vector<std::string>& names) {
  std::u16string text;
  for (const std::string& name : names) text += (text.empty() ? u"" : u", ") + platform::FromUtf8(name);
  return text;
}

RecurrencePattern PatternOf(const RecurrenceRecord& record, const SYSTEMTIME& start) {
  RecurrencePattern pattern;
  pattern.type = record.type;
  pattern.interval = record.interval;
  pattern.weekdayMask = record.weekdayMask;
  pattern.dayOfMonth = record.dayOfMonth;
  pattern.instance = record.instance;
  pattern.monthOfYear = record.monthOfYear;
  pattern.patternStart = start;
  pattern.patternStart.wHour = pattern.patternStart.wMinute = pattern.patternStart.wSecond = 0;
  pattern.patternStart.wMilliseconds = 0;
  pattern.noEndDate = record.count == 0 && !record.until;
  pattern.patternEnd = record.until ? *record.until : platform::kNoDateSystemTime;
  pattern.occurrences = record.count;
  return pattern;
}

void PutText(IDispatch* item, HRESULT (IAppointment::*appointment)(BSTR), HRESULT (ITask::*task)(BSTR),
             const std::u16string& text) {
  BSTR value = SysAllocString(text.c_str());
  platform::ComPtr<IAppointment> a;
  platform::ComPtr<ITask> t;
  if (appointment && SUCCEEDED(item->QueryInterface(IID_IAppointment, reinterpret_cast<void**>(&a))))
    (a.Get()->*appointment)(value);
  if (task && SUCCEEDED(item->QueryInterface(IID_ITask, reinterpret_cast<void**>(&t))))
    (t.Get()->*task)(value);
  SysFreeString(value);
}

// The fields of an appointment object from a record, as the appointment page stores them.
void PutFields(CPIMAppointment& item, const AppointmentRecord& record, host::ImportCategories& categories) {
  item.subject = platform::FromUtf8(record.subject);
  item.location = platform::FromUtf8(record.location);
  item.start = record.start;
  item.end = record.end;
  item.allDay = record.allDay;
  item.reminderSet = record.reminderSet;
  item.reminderMinutes = record.reminderSet ? record.reminderMinutes : 15;
  item.isPrivate = record.isPrivate;
  item.busyStatus = record.busyStatus;
  item.categoriesText = Joined(record.categories);
  item.categories = categories.SetOf(record.categories);
}

// Each changed occurrence as the editor saves an occurrence it opened: the series' occurrence on
// that day, given the occurrence's fields, becomes an exception of the series. An occurrence the
// pattern does not have (or one deleted too) is left out and named in `skipped`; false when a save
// failed.
bool WriteChangedOccurrences(const AppointmentRecord& series, ItemOid seriesOid,
                             host::ImportCategories& categories, HINSTANCE resources,
                             std::vector<std::string>* skipped) {
  for (const AppointmentRecord& record : series.changedOccurrences) {
    ItemContext context;
    context.resources = resources;
    context.categoryCounts = categories.Counts();
    CPIMAppointment item;
    item.oid = seriesOid;
    item.openScope = kOpenOccurrence;
    item.occurrenceDate = *record.originalDay;
    if (!item.Load(context) || !item.openedOccurrence) {
      if (skipped) {
        skipped->push_back("line " + std::to_string(record.line) +
                           ": skipped a changed occurrence (RECURRENCE-ID) on a day the series has none");
      }
      continue;
    }
    PutFields(item, record, categories);
    if (FAILED(item.Save(context))) return false;
  }
  return true;
}

}  // namespace

ItemOid WriteAppointment(const AppointmentRecord& record, host::ImportCategories& categories,
                         HINSTANCE resources, std::vector<std::string>* skipped) {
  ItemContext context;
  context.resources = resources;
  context.categoryCounts = categories.Counts();
  CPIMAppointment item;
  PutFields(item, record, categories);
  item.openScope = kOpenSeries;
  if (record.recurrence) {
    item.recurring = true;
    item.recurrence = PatternOf(*record.recurrence, record.start);
  }
  if (!record.notes.empty()) {
    // A series' pattern shares the record with the notes: its blob has 16 bytes per exception.
    DWORD pattern =
        record.recurrence ? 52 + 16 * static_cast<DWORD>(record.recurrence->exceptions.size()) : 0;
    item.hasNotes = true;
    item.notes = host::NotesBlobOfText(platform::FromUtf8(record.notes), item.NotesCapacity() - pattern);
  }
  if (FAILED(item.Save(context)) || !item.oid) return 0;
  bool extra = !record.attendees.empty();
  bool exceptions = record.recurrence && !record.recurrence->exceptions.empty();
  if (!extra && !exceptions)
    return WriteChangedOccurrences(record, item.oid, categories, resources, skipped) ? item.oid : 0;
  // What the item object does not carry goes through the model; a failure fails the item (and the
  // import of its file), as nothing may be half imported.
  OutlookSession session;
  if (!session.Logon(nullptr)) return 0;
  platform::ComPtr<IAppointment> stored = session.GetItem<IAppointment>(item.oid, IID_IAppointment);
  if (!stored) return 0;
  if (extra) {
    platform::ComPtr<IRecipients> recipients;
    if (!record.attendees.empty() && SUCCEEDED(stored->get_Recipients(&recipients)) && recipients) {
      for (const AttendeeRecord& attendee : record.attendees) {
        platform::ComPtr<IRecipient> recipient;
        auto cut = [](const std::string& text) {
          return platform::FromUtf8(text).substr(0, CPIMAppointment::kAttendeeTextCapacity);
        };
        BSTR name = SysAllocString(cut(attendee.name).c_str());
        BSTR address = SysAllocString(cut(attendee.email).c_str());
        if (SUCCEEDED(recipients->Add(name, &recipient)) && recipient) recipient->put_Address(address);
        SysFreeString(name);
        SysFreeString(address);
      }
      stored->put_MeetingStatus(olMeeting);
    }
    if (FAILED(stored->Save())) return 0;
  }
  platform::ComPtr<IRecurrencePattern> pattern;
  if (exceptions && SUCCEEDED(stored->GetRecurrencePattern(&pattern)) && pattern) {
    for (const SYSTEMTIME& day : record.recurrence->exceptions) {
      platform::ComPtr<IAppointment> occurrence;
      if (SUCCEEDED(pattern->GetOccurrence(DateOfSystemTime(day), &occurrence)) && occurrence)
        occurrence->Delete();
    }
  }
  return WriteChangedOccurrences(record, item.oid, categories, resources, skipped) ? item.oid : 0;
}

ItemOid WriteTask(const TaskRecord& record, host::ImportCategories& categories, HINSTANCE resources) {
  ItemContext context;
  context.resources = resources;
  context.categoryCounts = categories.Counts();
  CPIMTask item;
  item.subject = platform::FromUtf8(record.subject);
  if (record.start) item.start = *record.start;
  if (record.due) item.due = *record.due;
  item.reminderSet = record.reminder.has_value();
  if (record.reminder) item.reminderTime = *record.reminder;
  item.priority = record.priority;
  item.isPrivate = record.isPrivate;
  item.complete = record.complete;
  item.categories = categories.SetOf(record.categories);
  if (record.recurrence) {
    item.recurring = true;
    item.recurrence = PatternOf(*record.recurrence, record.start ? *record.start : *record.due);
  }
  if (!record.notes.empty()) {
    item.hasNotes = true;
    item.notes = host::NotesBlobOfText(platform::FromUtf8(record.notes), item.NotesCapacity());
  }
  if (FAILED(item.Save(context)) || !item.oid) return 0;
  if (record.categories.empty() && !record.completed) return item.oid;
  OutlookSession session;
  if (!session.Logon(nullptr)) return 0;
  platform::ComPtr<ITask> stored = session.GetItem<ITask>(item.oid, IID_ITask);
  if (!stored) return 0;
  if (!record.categories.empty())
    PutText(stored.Get(), nullptr, &ITask::put_Categories, Joined(record.categories));
  if (record.completed) stored->put_DateCompleted(DateOfSystemTime(*record.completed));
  return FAILED(stored->Save()) ? 0 : item.oid;
}

}  // namespace calyra::ics
