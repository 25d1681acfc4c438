#include "hosts/calyra/OutlookItems.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "platform/objectstore/ObjectStore.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/PimItem.h"

namespace calyra::host {

namespace {

// A text property of an object-model item, as UTF-8.
template <class Item>
std::string Text(Item* item, HRESULT (Item::*get)(BSTR*)) {
  return platform::ToUtf8(ReadText(item, get));
}

// "2024-03-15 09:30", "2024-03-15" for a day, "" for no date.
std::string DateText(DATE date, bool dayOnly = false) {
  SYSTEMTIME time{};
  if (date >= platform::kNoDate || !VariantTimeToSystemTime(date, &time) || !platform::IsDateSet(time))
    return {};
  char text[32];
  if (dayOnly) {
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
  } else {
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute);
  }
  return text;
}

std::string Flag(VARIANT_BOOL flag) {
  return flag ? "yes" : "no";
}

const char* SensitivityName(LONG value) {
  static const char* const kNames[] = {"normal", "personal", "private", "confidential"};
  return value >= 0 && value < 4 ? kNames[value] : "?";
}

void Add(std::vector<ItemField>* fields, const char* name, const std::string& value) {
  if (!value.empty()) fields->push_back(ItemField{name, value});
}

std::string AppointmentDates(IAppointment* appointment) {
  DATE start = 0, end = 0;
  VARIANT_BOOL allDay = 0;
  appointment->get_Start(&start);
  appointment->get_End(&end);
  appointment->get_AllDayEvent(&allDay);
  return DateText(start, allDay) + " - " + DateText(end, allDay) + (allDay ? " (all day)" : "");
}

std::string TaskDates(ITask* task) {
  DATE start = 0, due = 0;
  VARIANT_BOOL complete = 0;
  task->get_StartDate(&start);
  task->get_DueDate(&due);
  task->get_Complete(&complete);
  std::string text;
  if (!DateText(start, true).empty()) text += "start " + DateText(start, true);
  if (!DateText(due, true).empty())
    text += (text.empty() ? "" : ", ") + std::string("due ") + DateText(due, true);
  if (complete) text += text.empty() ? "complete" : " (complete)";
  return text;
}

std::string ContactTitle(IContact* contact) {
  std::string fileAs = Text(contact, &IContact::get_FileAs);
  if (!fileAs.empty()) return fileAs;
  std::string first = Text(contact, &IContact::get_FirstName);
  std::string last = Text(contact, &IContact::get_LastName);
  return first + (first.empty() || last.empty() ? "" : " ") + last;
}

void AppointmentFields(IAppointment* a, std::vector<ItemField>* fields) {
  DATE start = 0, end = 0;
  VARIANT_BOOL allDay = 0, reminder = 0, recurring = 0;
  LONG busy = 0, sensitivity = 0, minutes = 0;
  a->get_Start(&start);
  a->get_End(&end);
  a->get_AllDayEvent(&allDay);
  a->get_BusyStatus(&busy);
  a->get_Sensitivity(&sensitivity);
  a->get_ReminderSet(&reminder);
  a->get_ReminderMinutesBeforeStart(&minutes);
  a->get_IsRecurring(&recurring);
  static const char* const kBusy[] = {"free", "tentative", "busy", "out of office"};
  Add(fields, "subject", Text(a, &IAppointment::get_Subject));
  Add(fields, "location", Text(a, &IAppointment::get_Location));
  Add(fields, "start", DateText(start, allDay));
  Add(fields, "end", DateText(end, allDay));
  Add(fields, "all day", Flag(allDay));
  Add(fields, "busy status", busy >= 0 && busy < 4 ? kBusy[busy] : "?");
  Add(fields, "sensitivity", SensitivityName(sensitivity));
  Add(fields, "reminder", reminder ? std::to_string(minutes) + " minutes before" : "none");
  Add(fields, "recurring", Flag(recurring));
  Add(fields, "categories", Text(a, &IAppointment::get_Categories));
  Add(fields, "notes", Text(a, &IAppointment::get_Body));
}

void TaskFields(ITask* t, std::vector<ItemField>* fields) {
  DATE start = 0, due = 0, reminderTime = 0, completed = 0;
  VARIANT_BOOL reminder = 0, complete = 0, recurring = 0;
  LONG importance = 0, sensitivity = 0;
  t->get_StartDate(&start);
  t->get_DueDate(&due);
  t->get_Importance(&importance);
  t->get_Sensitivity(&sensitivity);
  t->get_ReminderSet(&reminder);
  t->get_ReminderTime(&reminderTime);
  t->get_Complete(&complete);
  t->get_DateCompleted(&completed);
  t->get_IsRecurring(&recurring);
  static const char* const kImportance[] = {"low", "normal", "high"};
  Add(fields, "subject", Text(t, &ITask::get_Subject));
  Add(fields, "start", DateText(start, true));
  Add(fields, "due", DateText(due, true));
  Add(fields, "importance", importance >= 0 && importance < 3 ? kImportance[importance] : "?");
  Add(fields, "sensitivity", SensitivityName(sensitivity));
  Add(fields, "reminder", reminder ? DateText(reminderTime) : "none");
  Add(fields, "complete", complete ? "yes, " + DateText(completed, true) : "no");
  Add(fields, "recurring", Flag(recurring));
  Add(fields, "categories", Text(t, &ITask::get_Categories));
  Add(fields, "notes", Text(t, &ITask::get_Body));
}

// "BusinessTelephoneNumber" -> "business telephone number".
std::string FieldName(std::string_view name) {
  std::string words;
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (std::isupper(static_cast<unsigned char>(c)) && i > 0) words += ' ';
    if (std::isdigit(static_cast<unsigned char>(c)) && i > 0 &&
        !std::isdigit(static_cast<unsigned char>(name[i - 1]))) {
      words += ' ';
    }
    words += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return words;
}

void ContactFields(IContact* c, std::vector<ItemField>* fields) {
#define CALYRA_SHOW_CONTACT_FIELD(Name, tag) \
  Add(fields, FieldName(#Name).c_str(), Text(c, &IContact::get_##Name));
  CALYRA_CONTACT_TEXT_FIELDS(CALYRA_SHOW_CONTACT_FIELD)
#undef CALYRA_SHOW_CONTACT_FIELD
  DATE birthday = 0, anniversary = 0;
  c->get_Birthday(&birthday);
  c->get_Anniversary(&anniversary);
  Add(fields, "birthday", DateText(birthday, true));
  Add(fields, "anniversary", DateText(anniversary, true));
}

int FolderOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::kAppointment:
      return olFolderCalendar;
    case ItemKind::kContact:
      return olFolderContacts;
    case ItemKind::kTask:
      return olFolderTasks;
    case ItemKind::kNone:
      break;
  }
  return 0;
}

}  // namespace

const char* KindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::kAppointment:
      return "appointment";
    case ItemKind::kContact:
      return "contact";
    case ItemKind::kTask:
      return "task";
    case ItemKind::kNone:
      break;
  }
  return "none";
}

ItemKind ItemKindOf(CEOID oid) {
  CEOIDINFO record{};
  if (oid == 0 || !CeOidGetInfo(oid, &record) || record.wObjType != OBJTYPE_RECORD) return ItemKind::kNone;
  CEOIDINFO database{};
  if (!CeOidGetInfo(record.infRecord.oidParent, &database) || database.wObjType != OBJTYPE_DATABASE) {
    return ItemKind::kNone;
  }
  std::u16string_view name = database.infDatabase.szDbaseName;
  if (name == u"Appointments Database") return ItemKind::kAppointment;
  if (name == u"Contacts Database") return ItemKind::kContact;
  if (name == u"Tasks Database") return ItemKind::kTask;
  return ItemKind::kNone;
}

OutlookItems::~OutlookItems() {
  if (loggedOn_) app_->Logoff();
  app_.Reset();
  if (comStarted_) CoUninitialize();
}

bool OutlookItems::Open(HWND owner, std::string* error) {
  HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  comStarted_ = SUCCEEDED(result);
  if (SUCCEEDED(result)) {
    result = CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                              reinterpret_cast<void**>(&app_));
  }
  if (SUCCEEDED(result)) result = app_->Logon(owner);
  loggedOn_ = SUCCEEDED(result);
  if (!loggedOn_) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    *error = std::string("Pocket Outlook refused the session (") + code + ")";
  }
  return loggedOn_;
}

std::vector<platform::ComPtr<IDispatch>> OutlookItems::Items(ItemKind kind) {
  std::vector<platform::ComPtr<IDispatch>> items;
  platform::ComPtr<IFolder> folder;
  platform::ComPtr<IPOutlookItemCollection> collection;
  int count = 0;
  if (FAILED(app_->GetDefaultFolder(FolderOf(kind), &folder)) || FAILED(folder->get_Items(&collection)) ||
      FAILED(collection->get_Count(&count))) {
    return items;
  }
  for (int i = 1; i <= count; ++i) {
    platform::ComPtr<IDispatch> item;
    if (SUCCEEDED(collection->Item(i, &item))) items.push_back(std::move(item));
  }
  return items;
}

platform::ComPtr<IDispatch> OutlookItems::Item(CEOID oid) {
  platform::ComPtr<IDispatch> item;
  if (FAILED(app_->GetItemFromOid(oid, &item))) item.Reset();
  return item;
}

std::vector<ItemSummary> OutlookItems::List(ItemKind kind) {
  std::vector<ItemSummary> items;
  for (const auto& item : Items(kind)) {
    ItemSummary summary;
    LONG oid = 0;
    if (auto a = item.As<IAppointment>(IID_IAppointment)) {
      a->get_Oid(&oid);
      summary.title = Text(a.Get(), &IAppointment::get_Subject);
      summary.dates = AppointmentDates(a.Get());
    } else if (auto t = item.As<ITask>(IID_ITask)) {
      t->get_Oid(&oid);
      summary.title = Text(t.Get(), &ITask::get_Subject);
      summary.dates = TaskDates(t.Get());
    } else if (auto c = item.As<IContact>(IID_IContact)) {
      c->get_Oid(&oid);
      summary.title = ContactTitle(c.Get());
    }
    summary.oid = static_cast<CEOID>(oid);
    items.push_back(std::move(summary));
  }
  return items;
}

std::set<CEOID> OutlookItems::Oids(ItemKind kind) {
  std::set<CEOID> oids;
  for (const auto& item : List(kind)) oids.insert(item.oid);
  return oids;
}

std::vector<ItemField> OutlookItems::Fields(CEOID oid, ItemKind kind) {
  std::vector<ItemField> fields;
  platform::ComPtr<IDispatch> item = Item(oid);
  if (!item) return fields;
  if (kind == ItemKind::kAppointment) {
    if (auto a = item.As<IAppointment>(IID_IAppointment)) AppointmentFields(a.Get(), &fields);
  } else if (kind == ItemKind::kTask) {
    if (auto t = item.As<ITask>(IID_ITask)) TaskFields(t.Get(), &fields);
  } else if (kind == ItemKind::kContact) {
    if (auto c = item.As<IContact>(IID_IContact)) ContactFields(c.Get(), &fields);
  }
  return fields;
}

}  // namespace calyra::host
