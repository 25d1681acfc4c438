// The display texts of item links, read from the far end's raw record.
#include <cstring>
#include <vector>

#include "links/LinkList.h"
#include "links/LinkStore.h"
#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "store/PimDatabase.h"

namespace calyra {

namespace {

constexpr CEPROPID kFileAsProperty = 0x4013001F;
constexpr CEPROPID kSubjectProperty = 0x0037001F;
constexpr CEPROPID kStartProperty = 0x420D0040;
// 1 when the start is stored as local time already.
constexpr CEPROPID kLocalStartProperty = 0x42150003;
constexpr CEPROPID kTaskDateProperty = 0x41050040;
// The display text fits a buffer of 256 characters with its zero.
constexpr size_t kDisplayChars = 255;
constexpr const char16_t* kNoSubject = u"<?>";

// The properties of record `oid` of the database of `kind`, in the order asked; an absent one keeps
// its flag. False when the record cannot be read.
bool ReadItem(ItemOid oid, ItemKind kind, std::vector<CEPROPID> ids, std::vector<CEPROPVAL>* values,
              std::vector<std::u16string>* texts) {
  HANDLE database = OpenPimDatabase(kind, 0, false, nullptr);
  if (database == INVALID_HANDLE_VALUE) return false;
  BYTE* buffer = nullptr;
  DWORD size = 0;
  WORD count = static_cast<WORD>(ids.size());
  bool read =
      CeSeekDatabase(database, CEDB_SEEK_CEOID, oid, nullptr) != 0 &&
      CeReadRecordPropsEx(database, CEDB_ALLOWREALLOC, &count, ids.data(), &buffer, &size, nullptr) != 0;
  if (read) {
    auto* props = reinterpret_cast<const CEPROPVAL*>(buffer);
    values->assign(props, props + count);
    // The texts live in the buffer: copy them out before it goes.
    for (CEPROPVAL& value : *values) {
      bool text =
          (value.propid & 0xFFFF) == CEVT_LPWSTR && !(value.wFlags & CEDB_PROPNOTFOUND) && value.val.lpwstr;
      texts->push_back(text ? std::u16string(platform::TextView(value.val.lpwstr)) : u"");
    }
  }
  if (buffer) LocalFree(buffer);
  CloseHandle(database);
  return read;
}

bool Present(const CEPROPVAL& value) {
  return !(value.wFlags & CEDB_PROPNOTFOUND);
}

std::u16string Cut(const std::u16string& text) {
  return text.substr(0, kDisplayChars);
}

std::u16string ShortDate(const SYSTEMTIME& date) {
  WCHAR text[64] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64) > 0 ? text : u"";
}

// A stored time as local FILETIME ticks: converted from UTC unless it is local already.
std::optional<int64_t> LocalTicks(const CEPROPVAL& value, bool local) {
  if (!Present(value)) return std::nullopt;
  FILETIME time = value.val.filetime;
  if (!local && !FileTimeToLocalFileTime(&value.val.filetime, &time)) return std::nullopt;
  return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool AppointmentText(ItemOid oid, std::u16string* text) {
  std::vector<CEPROPVAL> values;
  std::vector<std::u16string> texts;
  if (!ReadItem(oid, ItemKind::Appointment, {kSubjectProperty, kStartProperty, kLocalStartProperty}, &values,
                &texts)) {
    return false;
  }
  std::u16string subject = Cut(texts[0]);
  std::u16string date;
  if (Present(values[1])) {
    SYSTEMTIME start{};
    bool local = Present(values[2]) && values[2].val.ulVal == 1;
    bool converted = local ? FileTimeToSystemTime(&values[1].val.filetime, &start) != FALSE
                           : platform::UtcToLocalSystemTime(values[1].val.filetime, &start);
    if (converted) date = ShortDate(start);
  }
  *text = subject;
  if (!date.empty() && subject.size() + date.size() + 3 <= kDisplayChars) *text += u" (" + date + u")";
  return true;
}

}  // namespace

std::optional<int64_t> LinkItemDate(const LinkRecord& record) {
  std::vector<CEPROPVAL> values;
  std::vector<std::u16string> texts;
  switch (record.type) {
    case LinkType::Appointment:
      if (!ReadItem(record.target, ItemKind::Appointment, {kStartProperty, kLocalStartProperty}, &values,
                    &texts)) {
        return std::nullopt;
      }
      return LocalTicks(values[0], Present(values[1]) && values[1].val.ulVal == 1);
    case LinkType::Task:
      if (!ReadItem(record.target, ItemKind::Task, {kTaskDateProperty}, &values, &texts)) return std::nullopt;
      return LocalTicks(values[0], false);
    default:
      return std::nullopt;
  }
}

bool LinkStore::ResolveLinkText(LinkRecord* record) {
  if (HasLinkText(record->type)) return true;
  record->text.clear();
  std::vector<CEPROPVAL> values;
  std::vector<std::u16string> texts;
  switch (record->type) {
    case LinkType::Contact:
      if (ReadItem(record->target, ItemKind::Contact, {kFileAsProperty}, &values, &texts)) {
        record->text = Cut(texts[0]);
      }
      return true;
    case LinkType::Appointment:
      return AppointmentText(record->target, &record->text);
    case LinkType::Task:
      if (!ReadItem(record->target, ItemKind::Task, {kSubjectProperty}, &values, &texts)) return false;
      record->text = Present(values[0]) ? Cut(texts[0]) : kNoSubject;
      return true;
    default:
      return false;
  }
}

}  // namespace calyra
