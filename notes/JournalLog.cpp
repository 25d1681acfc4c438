#include "notes/JournalLog.h"

#include "notes/JournalFile.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/ItemDescription.h"
#include "store/ItemIdentity.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

constexpr DWORD kJournalOn = 0x1;
constexpr size_t kContactTextCapacity = 256;
constexpr size_t kItemTextCapacity = 4096;

struct TypeRule {
  DWORD flag;
  UINT format;
};

// The flag bit each type needs and the string it is written with; none for other types.
std::optional<TypeRule> RuleOf(JournalEntryType type) {
  switch (type) {
    case JournalEntryType::ItemDeleted:
      return TypeRule{0x04, resources::kStringJournalDeleted};
    case JournalEntryType::TaskCompleted:
      return TypeRule{0x02, resources::kStringJournalCompleted};
    case JournalEntryType::Contact:
      return TypeRule{0x08, resources::kStringJournalNoted};
    case JournalEntryType::Appointment:
      return TypeRule{0x10, resources::kStringJournalNoted};
    case JournalEntryType::Task:
      return TypeRule{0x20, resources::kStringJournalNoted};
    default:
      return std::nullopt;
  }
}

ItemKind KindFor(ItemOid item, JournalEntryType type) {
  switch (type) {
    case JournalEntryType::ItemDeleted:
      return ItemKindOf(item);
    case JournalEntryType::Contact:
      return ItemKind::Contact;
    case JournalEntryType::Appointment:
      return ItemKind::Appointment;
    default:
      return ItemKind::Task;
  }
}

std::u16string Describe(ItemOid item, JournalEntryType type) {
  ItemKind kind = KindFor(item, type);
  size_t capacity = kind == ItemKind::Contact ? kContactTextCapacity : kItemTextCapacity;
  return ItemDescription(item, kind, capacity).value_or(std::u16string());
}

}  // namespace

bool WriteJournalEntry(ItemOid item, JournalEntryType type, const JournalSettings& settings,
                       HINSTANCE resources) {
  auto rule = RuleOf(type);
  if (!(settings.flags & kJournalOn) || !rule || !(settings.flags & rule->flag)) return false;
  JournalEntry entry;
  GetLocalTime(&entry.time);
  entry.entryType = static_cast<DWORD>(type);
  entry.item = item;
  std::u16string formatText = ResourceText(resources, rule->format);
  if (formatText.empty()) formatText = u"%s";
  entry.text = platform::FormatText(formatText, {Describe(item, type)});
  return JournalFile(settings.path).Append(entry);
}

}  // namespace calyra
