#include "hosts/calyra/ItemCommands.h"

#include <cstdlib>
#include <string>

#include "hosts/calyra/ExitCodes.h"

namespace calyra::host {

std::optional<CEOID> ParseOid(std::string_view text) {
  std::string digits(text);
  bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
  if (digits.empty() || digits.find_first_of("+- ") != std::string::npos) return std::nullopt;
  char* end = nullptr;
  unsigned long long value = std::strtoull(digits.c_str(), &end, hex ? 16 : 10);
  if (*end != 0 || value == 0 || value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<CEOID>(value);
}

std::optional<ItemKind> ParseKind(std::string_view word, bool plural) {
  std::string_view suffix = plural ? "s" : "";
  for (ItemKind kind : {ItemKind::kAppointment, ItemKind::kTask, ItemKind::kContact}) {
    if (word == std::string(KindName(kind)) + std::string(suffix)) return kind;
  }
  return std::nullopt;
}

int ListItems(ItemKind kind, std::FILE* out, std::FILE* err) {
  OutlookItems items;
  std::string error;
  if (!items.Open(nullptr, &error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitFailed;
  }
  for (const ItemSummary& item : items.List(kind)) {
    std::fprintf(out, "0x%08X  %s%s%s\n", item.oid, item.title.c_str(), item.dates.empty() ? "" : "  ",
                 item.dates.c_str());
  }
  return kExitDone;
}

int ShowItem(CEOID oid, std::FILE* out, std::FILE* err) {
  ItemKind kind = ItemKindOf(oid);
  if (kind == ItemKind::kNone) {
    std::fprintf(err, "calyra: no appointment, task or contact has the oid 0x%08X\n", oid);
    return kExitBadOid;
  }
  OutlookItems items;
  std::string error;
  if (!items.Open(nullptr, &error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitFailed;
  }
  std::fprintf(out, "0x%08X  %s\n", oid, KindName(kind));
  for (const ItemField& field : items.Fields(oid, kind)) {
    std::fprintf(out, "  %s: %s\n", field.name.c_str(), field.value.c_str());
  }
  return kExitDone;
}

}  // namespace calyra::host
