#pragma once

#include <cstdio>
#include <optional>
#include <string_view>

#include "hosts/calyra/OutlookItems.h"

namespace calyra::host {

// "0x1234" or "4660"; nothing for anything else, 0 included (no item has it).
std::optional<CEOID> ParseOid(std::string_view text);
// "appointment", "task", "contact", or their plurals when `plural`.
std::optional<ItemKind> ParseKind(std::string_view word, bool plural);

// How `list` and `show` print: text for people, JSON (docs/DEMO.md "JSON listings") for scripts.
enum class ListingFormat { kText, kJson };

// `calyra list`: one line per item of the kind, "0x%08X  subject  dates", or one JSON array of the
// items. The exit code.
int ListItems(ItemKind kind, ListingFormat format, std::FILE* out, std::FILE* err);
// `calyra show`: the kind and every field of the item, or its JSON object; kExitBadOid when no such
// item exists.
int ShowItem(CEOID oid, ListingFormat format, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
