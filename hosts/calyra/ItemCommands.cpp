#include "hosts/calyra/ItemCommands.h"

#include <cstdlib>
#include <string>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ItemJson.h"
#include "hosts/calyra/JsonWriter.h"

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

namespace {

bool OpenItems(OutlookItems* items, std::FILE* err) {
  std::string error;
  if (items->Open(nullptr, &error)) return true;
  std::fprintf(err, "calyra: %s\n", error.c_str());
  return false;
}

void Print(const std::string& text, std::FILE* out) {
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace

int ListItems(ItemKind kind, ListingFormat format, std::FILE* out, std::FILE* err) {
  OutlookItems items;
  if (!OpenItems(&items, err)) return kExitFailed;
  if (format == ListingFormat::kJson) {
    JsonWriter json;
    json.BeginArray();
    for (const auto& item : items.Items(kind)) WriteItemJson(&json, item.Get());
    json.EndArray();
    Print(json.Text(), out);
    return kExitDone;
  }
  for (const ItemSummary& item : items.List(kind)) {
    std::fprintf(out, "0x%08X  %s%s%s\n", item.oid, item.title.c_str(), item.dates.empty() ? "" : "  ",
                 item.dates.c_str());
  }
  return kExitDone;
}

int ShowItem(CEOID oid, ListingFormat format, std::FILE* out, std::FILE* err) {
  ItemKind kind = ItemKindOf(oid);
  if (kind == ItemKind::kNone) {
    std::fprintf(err, "calyra: no appointment, task or contact has the oid 0x%08X\n", oid);
    return kExitBadOid;
  }
  OutlookItems items;
  if (!OpenItems(&items, err)) return kExitFailed;
  if (format == ListingFormat::kJson) {
    JsonWriter json;
    auto item = items.Item(oid);
    if (!item || !WriteItemJson(&json, item.Get())) {
      std::fprintf(err, "calyra: Pocket Outlook cannot read the %s 0x%08X\n", KindName(kind), oid);
      return kExitBadOid;
    }
    Print(json.Text(), out);
    return kExitDone;
  }
  std::fprintf(out, "0x%08X  %s\n", oid, KindName(kind));
  for (const ItemField& field : items.Fields(oid, kind)) {
    std::fprintf(out, "  %s: %s\n", field.name.c_str(), field.value.c_str());
  }
  return kExitDone;
}

}  // namespace calyra::host
