#include "store/ItemDescription.h"

#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"

namespace calyra {

namespace {

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kFileAs = 0x4013001F;
constexpr CEPROPID kStart = 0x420D0040;
constexpr CEPROPID kStartIsLocal = 0x42150003;

std::optional<Record> ReadItem(ItemOid item, ItemKind kind, std::initializer_list<CEPROPID> tags) {
  const char16_t* name = DatabaseNameOfKind(kind);
  Database database;
  if (!item || !name || !database.OpenByName(name) || !database.SeekToOid(item)) return std::nullopt;
  Record record;
  for (CEPROPID tag : tags) record.Request(tag);
  if (!database.ReadRecord(record)) return std::nullopt;
  return record;
}

std::u16string TextOf(const Record& record, CEPROPID tag, size_t limit) {
  const PropertyValue* value = record.Find(tag);
  return value ? value->AsString().substr(0, limit) : std::u16string();
}

std::u16string ShortDateOf(const Record& record) {
  const PropertyValue* start = record.Find(kStart);
  if (!start) return {};
  const PropertyValue* local = record.Find(kStartIsLocal);
  FILETIME time = start->AsTime();
  SYSTEMTIME date{};
  bool converted = local && local->AsInteger() == 1 ? FileTimeToSystemTime(&time, &date) != FALSE
                                                    : platform::UtcToLocalSystemTime(time, &date);
  WCHAR text[64] = {};
  if (!converted || !GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64)) return {};
  return text;
}

}  // namespace

std::optional<std::u16string> ItemDescription(ItemOid item, ItemKind kind, size_t capacity) {
  if (capacity == 0) return std::nullopt;
  size_t limit = capacity - 1;
  switch (kind) {
    case ItemKind::Contact: {
      auto record = ReadItem(item, kind, {kFileAs});
      return record ? TextOf(*record, kFileAs, limit) : std::u16string();
    }
    case ItemKind::Appointment: {
      auto record = ReadItem(item, kind, {kSubject, kStart, kStartIsLocal});
      if (!record) return std::nullopt;
      std::u16string text = TextOf(*record, kSubject, limit);
      std::u16string date = ShortDateOf(*record);
      if (!date.empty() && text.size() + date.size() + 3 <= limit) text += u" (" + date + u")";
      return text;
    }
    case ItemKind::Task: {
      auto record = ReadItem(item, kind, {kSubject});
      if (!record) return std::nullopt;
      return record->Find(kSubject) ? TextOf(*record, kSubject, limit) : std::u16string(u"<?>");
    }
    default:
      return std::nullopt;
  }
}

}  // namespace calyra
