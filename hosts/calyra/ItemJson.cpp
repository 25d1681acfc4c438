#include "hosts/calyra/ItemJson.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "hosts/calyra/ItemNotes.h"
#include "hosts/calyra/LinkCommands.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMAppointment.h"
#include "store/CategoryDatabase.h"
#include "store/CategorySet.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "store/PimItem.h"

namespace calyra::host {

namespace {

using platform::ComPtr;

enum class DateForm { kDay, kTime };

template <class Item>
std::u16string Text(Item* item, HRESULT (Item::*get)(BSTR*)) {
  return ReadText(item, get);
}

template <class Item, class Value>
Value Get(Item* item, HRESULT (Item::*get)(Value*)) {
  Value value{};
  (item->*get)(&value);
  return value;
}

std::u16string Ascii(const char* text) {
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

// "2024-03-15" or "2024-03-15T09:30" in local time, or null for the model's "no date".
void DateMember(JsonWriter* json, const char* name, DATE date, DateForm form) {
  json->Key(name);
  SYSTEMTIME time{};
  if (date >= platform::kNoDate || !VariantTimeToSystemTime(date, &time) || !platform::IsDateSet(time)) {
    json->Null();
    return;
  }
  char text[32];
  if (form == DateForm::kDay) {
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
  } else {
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute);
  }
  json->String(Ascii(text));
}

void TextMember(JsonWriter* json, const char* name, const std::u16string& text) {
  json->Key(name);
  json->String(text);
}

void NumberMember(JsonWriter* json, const char* name, LONG value) {
  json->Key(name);
  json->Number(value);
}

void BoolMember(JsonWriter* json, const char* name, bool value) {
  json->Key(name);
  json->Bool(value);
}

// The model keeps categories as one text, "Business, Holiday": the names between the commas. The
// editors keep them as the record's category set; its names the text does not hold follow, in the
// order of their numbers.
void CategoriesMember(JsonWriter* json, const std::u16string& text, ItemOid oid, calyra::ItemKind kind) {
  json->Key("categories");
  json->BeginArray();
  std::vector<std::u16string> names;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = std::min(text.find(u',', begin), text.size());
    std::u16string_view name = std::u16string_view(text).substr(begin, end - begin);
    while (!name.empty() && name.front() == u' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
    if (!name.empty()) names.emplace_back(name);
    begin = end + 1;
  }
  CategorySet set = ReadCategorySet(oid, kind);
  if (!set.Numbers().empty()) {
    std::vector<CategoryRecord> records = ReadCategoryRecords();
    for (int number : set.Numbers()) {
      for (const CategoryRecord& record : records) {
        if (record.index != number || record.name.empty()) continue;
        if (std::find(names.begin(), names.end(), record.name) == names.end()) names.push_back(record.name);
      }
    }
  }
  for (const std::u16string& name : names) json->String(name);
  json->EndArray();
}

// The members every kind has, after its oid and kind.
template <class Item>
void CommonMembers(JsonWriter* json, Item* item, const char* kind, calyra::ItemKind itemKind) {
  LONG oid = Get(item, &Item::get_Oid);
  json->Key("oid");
  json->Number(static_cast<CEOID>(oid));
  json->Key("kind");
  json->String(Ascii(kind));
  CategoriesMember(json, Text(item, &Item::get_Categories), static_cast<ItemOid>(oid), itemKind);
  TextMember(json, "notes", NotesText(item, static_cast<ItemOid>(oid), itemKind));
}

// Null for an item that does not recur; asked first because GetRecurrencePattern would give the
// item a pattern.
template <class Item>
void RecurrenceMember(JsonWriter* json, Item* item) {
  json->Key("recurrence");
  ComPtr<IRecurrencePattern> pattern;
  if (!Get(item, &Item::get_IsRecurring) || FAILED(item->GetRecurrencePattern(&pattern))) {
    json->Null();
    return;
  }
  IRecurrencePattern* p = pattern.Get();
  bool noEnd = Get(p, &IRecurrencePattern::get_NoEndDate);
  json->BeginObject();
  NumberMember(json, "kind", Get(p, &IRecurrencePattern::get_RecurrenceType));
  NumberMember(json, "interval", Get(p, &IRecurrencePattern::get_Interval));
  NumberMember(json, "daysOfWeekMask", Get(p, &IRecurrencePattern::get_DayOfWeekMask));
  NumberMember(json, "dayOfMonth", Get(p, &IRecurrencePattern::get_DayOfMonth));
  NumberMember(json, "instance", Get(p, &IRecurrencePattern::get_Instance));
  NumberMember(json, "monthOfYear", Get(p, &IRecurrencePattern::get_MonthOfYear));
  DateMember(json, "patternStart", Get(p, &IRecurrencePattern::get_PatternStartDate), DateForm::kDay);
  DateMember(json, "patternEnd", noEnd ? platform::kNoDate : Get(p, &IRecurrencePattern::get_PatternEndDate),
             DateForm::kDay);
  NumberMember(json, "occurrences", Get(p, &IRecurrencePattern::get_Occurrences));
  BoolMember(json, "noEndDate", noEnd);
  json->EndObject();
}

void AttendeesMember(JsonWriter* json, IAppointment* appointment) {
  json->Key("attendees");
  json->BeginArray();
  ComPtr<IRecipients> recipients;
  int count = 0;
  if (SUCCEEDED(appointment->get_Recipients(&recipients)) && SUCCEEDED(recipients->get_Count(&count))) {
    for (int i = 1; i <= count; ++i) {
      ComPtr<IRecipient> recipient;
      if (FAILED(recipients->Item(i, &recipient))) continue;
      json->BeginObject();
      TextMember(json, "name", Text(recipient.Get(), &IRecipient::get_Name));
      TextMember(json, "email", Text(recipient.Get(), &IRecipient::get_Address));
      json->EndObject();
    }
  }
  json->EndArray();
}

// The second reminder is an appointment of its own, named by the main appointment's record:
// {"oid", "time"}, or null when there is none (or it is gone).
void SecondReminderMember(JsonWriter* json, IAppointment* a) {
  json->Key("secondReminder");
  auto oid = static_cast<ItemOid>(Get(a, &IAppointment::get_Oid));
  Database appointments;
  Record record(oid);
  record.Request(CPIMAppointment::kCompanionOid);
  const PropertyValue* companion = nullptr;
  if (appointments.OpenByName(AppointmentsDatabaseName()) && appointments.SeekToOid(oid) &&
      appointments.ReadRecord(record)) {
    companion = record.Find(CPIMAppointment::kCompanionOid);
  }
  CPIMAppointment second;
  second.oid = companion ? static_cast<ItemOid>(companion->AsInteger()) : 0;
  second.openScope = kOpenNotRecurring;
  if (!second.oid || !second.Load(ItemContext())) {
    json->Null();
    return;
  }
  json->BeginObject();
  json->Key("oid");
  json->Number(second.oid);
  DateMember(json, "time", DateOfSystemTime(second.start), DateForm::kTime);
  json->EndObject();
}

void WriteAppointment(JsonWriter* json, IAppointment* a) {
  json->BeginObject();
  CommonMembers(json, a, "appointment", calyra::ItemKind::Appointment);
  TextMember(json, "subject", Text(a, &IAppointment::get_Subject));
  TextMember(json, "location", Text(a, &IAppointment::get_Location));
  // An all-day event runs from the midnight of its first day to the midnight after its last.
  DateMember(json, "start", Get(a, &IAppointment::get_Start), DateForm::kTime);
  DateMember(json, "end", Get(a, &IAppointment::get_End), DateForm::kTime);
  BoolMember(json, "allDay", Get(a, &IAppointment::get_AllDayEvent));
  BoolMember(json, "private", Get(a, &IAppointment::get_Sensitivity) != olNormal);
  NumberMember(json, "busyStatus", Get(a, &IAppointment::get_BusyStatus));
  json->Key("reminderMinutes");
  if (Get(a, &IAppointment::get_ReminderSet)) {
    json->Number(Get(a, &IAppointment::get_ReminderMinutesBeforeStart));
  } else {
    json->Null();
  }
  BoolMember(json, "meeting", Get(a, &IAppointment::get_MeetingStatus) == olMeeting);
  AttendeesMember(json, a);
  RecurrenceMember(json, a);
  SecondReminderMember(json, a);
  WriteLinkMembers(json, static_cast<CEOID>(Get(a, &IAppointment::get_Oid)));
  json->EndObject();
}

void WriteTask(JsonWriter* json, ITask* t) {
  json->BeginObject();
  CommonMembers(json, t, "task", calyra::ItemKind::Task);
  TextMember(json, "subject", Text(t, &ITask::get_Subject));
  DateMember(json, "start", Get(t, &ITask::get_StartDate), DateForm::kDay);
  DateMember(json, "due", Get(t, &ITask::get_DueDate), DateForm::kDay);
  bool reminder = Get(t, &ITask::get_ReminderSet);
  DateMember(json, "reminder", reminder ? Get(t, &ITask::get_ReminderTime) : platform::kNoDate,
             DateForm::kTime);
  BoolMember(json, "complete", Get(t, &ITask::get_Complete));
  DateMember(json, "completedDate", Get(t, &ITask::get_DateCompleted), DateForm::kDay);
  NumberMember(json, "importance", Get(t, &ITask::get_Importance));
  BoolMember(json, "private", Get(t, &ITask::get_Sensitivity) != olNormal);
  RecurrenceMember(json, t);
  WriteLinkMembers(json, static_cast<CEOID>(Get(t, &ITask::get_Oid)));
  json->EndObject();
}

struct ContactTextField {
  const char* key;
  HRESULT (IContact::*get)(BSTR*);
};

// The phone numbers under the keys docs/DEMO.md lists, in this order.
constexpr ContactTextField kPhones[] = {
    {"work", &IContact::get_BusinessTelephoneNumber},
    {"work2", &IContact::get_Business2TelephoneNumber},
    {"home", &IContact::get_HomeTelephoneNumber},
    {"home2", &IContact::get_Home2TelephoneNumber},
    {"mobile", &IContact::get_MobileTelephoneNumber},
    {"car", &IContact::get_CarTelephoneNumber},
    {"pager", &IContact::get_PagerNumber},
    {"workFax", &IContact::get_BusinessFaxNumber},
    {"homeFax", &IContact::get_HomeFaxNumber},
    {"assistant", &IContact::get_AssistantTelephoneNumber},
    {"radio", &IContact::get_RadioTelephoneNumber},
};

struct ContactAddress {
  const char* key;
  ContactTextField parts[5];
};

constexpr ContactAddress kAddresses[] = {
    {"home",
     {{"street", &IContact::get_HomeAddressStreet},
      {"city", &IContact::get_HomeAddressCity},
      {"state", &IContact::get_HomeAddressState},
      {"postalCode", &IContact::get_HomeAddressPostalCode},
      {"country", &IContact::get_HomeAddressCountry}}},
    {"work",
     {{"street", &IContact::get_BusinessAddressStreet},
      {"city", &IContact::get_BusinessAddressCity},
      {"state", &IContact::get_BusinessAddressState},
      {"postalCode", &IContact::get_BusinessAddressPostalCode},
      {"country", &IContact::get_BusinessAddressCountry}}},
    {"other",
     {{"street", &IContact::get_OtherAddressStreet},
      {"city", &IContact::get_OtherAddressCity},
      {"state", &IContact::get_OtherAddressState},
      {"postalCode", &IContact::get_OtherAddressPostalCode},
      {"country", &IContact::get_OtherAddressCountry}}},
};

void PhonesMember(JsonWriter* json, IContact* c) {
  json->Key("phones");
  json->BeginObject();
  for (const ContactTextField& phone : kPhones) {
    std::u16string number = Text(c, phone.get);
    if (!number.empty()) TextMember(json, phone.key, number);
  }
  json->EndObject();
}

void AddressesMember(JsonWriter* json, IContact* c) {
  json->Key("addresses");
  json->BeginObject();
  for (const ContactAddress& address : kAddresses) {
    std::vector<std::u16string> parts;
    bool any = false;
    for (const ContactTextField& part : address.parts) {
      parts.push_back(Text(c, part.get));
      any = any || !parts.back().empty();
    }
    if (!any) continue;
    json->Key(address.key);
    json->BeginObject();
    for (size_t i = 0; i < parts.size(); ++i) TextMember(json, address.parts[i].key, parts[i]);
    json->EndObject();
  }
  json->EndObject();
}

void WriteContact(JsonWriter* json, IContact* c) {
  json->BeginObject();
  CommonMembers(json, c, "contact", calyra::ItemKind::Contact);
  TextMember(json, "fileAs", Text(c, &IContact::get_FileAs));
  TextMember(json, "firstName", Text(c, &IContact::get_FirstName));
  TextMember(json, "middleName", Text(c, &IContact::get_MiddleName));
  TextMember(json, "lastName", Text(c, &IContact::get_LastName));
  TextMember(json, "suffix", Text(c, &IContact::get_Suffix));
  TextMember(json, "title", Text(c, &IContact::get_Title));
  TextMember(json, "company", Text(c, &IContact::get_CompanyName));
  json->Key("emails");
  json->BeginArray();
  for (auto get :
       {&IContact::get_Email1Address, &IContact::get_Email2Address, &IContact::get_Email3Address}) {
    std::u16string address = Text(c, get);
    if (!address.empty()) json->String(address);
  }
  json->EndArray();
  PhonesMember(json, c);
  AddressesMember(json, c);
  TextMember(json, "webPage", Text(c, &IContact::get_WebPage));
  DateMember(json, "birthday", Get(c, &IContact::get_Birthday), DateForm::kDay);
  DateMember(json, "anniversary", Get(c, &IContact::get_Anniversary), DateForm::kDay);
  WriteLinkMembers(json, static_cast<CEOID>(Get(c, &IContact::get_Oid)));
  json->EndObject();
}

}  // namespace

bool WriteItemJson(JsonWriter* json, IDispatch* item) {
  ComPtr<IDispatch> object(item);
  item->AddRef();
  if (auto a = object.As<IAppointment>(IID_IAppointment)) {
    WriteAppointment(json, a.Get());
  } else if (auto t = object.As<ITask>(IID_ITask)) {
    WriteTask(json, t.Get());
  } else if (auto c = object.As<IContact>(IID_IContact)) {
    WriteContact(json, c.Get());
  } else {
    return false;
  }
  return true;
}

}  // namespace calyra::host
