#pragma once

#include <cstdio>
#include <optional>
#include <string_view>

#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/JsonWriter.h"

namespace calyra::host {

// The link commands of docs/DEMO.md "Links". Links are read and deleted through the component's link
// store library (linked into the host as import links the item store); links are made through the
// component's exports, as a host makes them. Each returns the exit code and tells its failure in one
// line on `err`. The oids are checked to be items before.

// A link id as written on the command line: 1 to 65534, decimal or 0x hex.
std::optional<WORD> ParseLinkId(std::string_view text);

// `calyra link A B`: CalyraEditor_AddLinkToItem(A, B, kind of B), which writes A→B and B→A.
int LinkItems(const EditorExports& exports, CEOID item, CEOID other, std::FILE* out, std::FILE* err);
// `calyra links OID`: the item's links other than its icon, in the order of its links list.
int ListLinks(CEOID item, ListingFormat format, std::FILE* out, std::FILE* err);
// `calyra unlink OID LINKID`: deletes one of the item's links (an item link's reverse half with it).
int UnlinkItem(CEOID item, WORD linkId, std::FILE* out, std::FILE* err);
// `calyra icon OID PATH|none`: the item's icon image through CalyraEditor_SetIconLink; an empty path
// only removes it.
int SetItemIcon(const EditorExports& exports, CEOID item, std::u16string_view path, std::FILE* out,
                std::FILE* err);
// `calyra open-link OID LINKID`: what opening the link does: a file through the shell's open verb, a
// web address in the browser, an item link names the item the host would open.
int OpenItemLink(CEOID item, WORD linkId, std::FILE* out, std::FILE* err);

// The members `links` (the array of `links --json`) and `icon` (its path, or null) of the item's
// JSON object.
void WriteLinkMembers(JsonWriter* json, CEOID item);
// The array of `links --json`.
void WriteLinksJson(JsonWriter* json, CEOID item);

}  // namespace calyra::host
