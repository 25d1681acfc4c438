#include "editors/LinkPickItems.h"

#include <algorithm>
#include <optional>

#include "editors/ContactList.h"
#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kStart = 0x420D0040;
// 1 when the start is stored as local time already.
constexpr CEPROPID kLocalStart = 0x42150003;
constexpr int kDateChars = 64;

struct Dated {
  LinkPickItem item;
  int64_t start = 0;
};

int64_t Ticks(const FILETIME& time) {
  return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::u16string SubjectOf(const Record& record) {
  const PropertyValue* subject = record.Find(kSubject);
  return subject ? subject->AsString() : std::u16string();
}

// The appointment's start in local time, when it has one.
std::optional<FILETIME> LocalStart(const Record& record) {
  const PropertyValue* start = record.Find(kStart);
  if (!start) return std::nullopt;
  FILETIME time = start->AsTime();
  const PropertyValue* local = record.Find(kLocalStart);
  if (local && local->AsInteger() == 1) return time;
  FILETIME converted{};
  if (!FileTimeToLocalFileTime(&time, &converted)) return std::nullopt;
  return converted;
}

std::u16string WithDate(std::u16string subject, const std::optional<FILETIME>& start) {
  SYSTEMTIME date{};
  WCHAR text[kDateChars] = {};
  if (!start || !FileTimeToSystemTime(&*start, &date) ||
      GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, kDateChars) <= 0)
    return subject;
  return subject + u" (" + std::u16string(platform::TextView(text, kDateChars)) + u")";
}

std::vector<LinkPickItem> Contacts(ItemOid except) {
  std::vector<LinkPickItem> items;
  for (ContactSummary& contact : ReadContacts()) {
    if (contact.oid != except) items.push_back({contact.oid, std::move(contact.fileAs)});
  }
  return items;
}

std::vector<LinkPickItem> Tasks(ItemOid except) {
  std::vector<LinkPickItem> items;
  StoreTransaction step(StoreTransaction::Kind::Read);
  Database database;
  if (!database.OpenByName(TasksDatabaseName())) return items;
  Record names;
  names.Request(kSubject);
  database.Enumerate(names, [&](Record& record) {
    if (record.Oid() != except) items.push_back({record.Oid(), SubjectOf(record)});
    return true;
  });
  std::stable_sort(items.begin(), items.end(), [](const LinkPickItem& a, const LinkPickItem& b) {
    return platform::CompareNoCase(a.text, b.text) < 0;
  });
  return items;
}

std::vector<LinkPickItem> Appointments(ItemOid except) {
  std::vector<Dated> dated;
  {
    StoreTransaction step(StoreTransaction::Kind::Read);
    Database database;
    if (!database.OpenByName(AppointmentsDatabaseName())) return {};
    Record names;
    for (CEPROPID tag : {kSubject, kStart, kLocalStart}) names.Request(tag);
    database.Enumerate(names, [&](Record& record) {
      if (record.Oid() == except) return true;
      std::optional<FILETIME> start = LocalStart(record);
      dated.push_back({{record.Oid(), WithDate(SubjectOf(record), start)}, start ? Ticks(*start) : 0});
      return true;
    });
  }
  std::stable_sort(dated.begin(), dated.end(),
                   [](const Dated& a, const Dated& b) { return a.start < b.start; });
  std::vector<LinkPickItem> items;
  for (Dated& entry : dated) items.push_back(std::move(entry.item));
  return items;
}

}  // namespace

std::vector<LinkPickItem> ReadLinkPickItems(ItemKind kind, ItemOid except) {
  switch (kind) {
    case ItemKind::Contact:
      return Contacts(except);
    case ItemKind::Task:
      return Tasks(except);
    case ItemKind::Appointment:
      return Appointments(except);
    default:
      return {};
  }
}

}  // namespace calyra
