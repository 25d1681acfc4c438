#include "hosts/calyra/LinkCommands.h"

#include <string>
#include <vector>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/OutlookItems.h"
#include "links/LinkList.h"
#include "links/LinkStore.h"
#include "platform/files/FileSystem.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/WindowTypes.h"

namespace calyra::host {

namespace {

constexpr const char16_t* kBrowser = u"iexplore.exe";

const char* TypeName(LinkType type) {
  switch (type) {
    case LinkType::Contact:
      return "contact";
    case LinkType::Appointment:
      return "appointment";
    case LinkType::Task:
      return "task";
    case LinkType::File:
      return "file";
    case LinkType::Web:
      return "web";
    case LinkType::Icon:
      return "icon";
    default:
      return "unknown";
  }
}

std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

// Every link the item owns, icon included, in the store's order, as stored (item links without texts).
std::vector<LinkRecord> LinksOwnedBy(CEOID item) {
  std::vector<LinkRecord> links;
  LinkStore store;
  LinkRecord record;
  for (CEOID oid = store.FirstLinkOf(item, &record, false); oid;
       oid = store.NextLinkOf(item, &record, false)) {
    links.push_back(record);
  }
  return links;
}

// The item's link to `other`, or nothing.
std::optional<LinkRecord> LinkBetween(CEOID item, CEOID other) {
  for (const LinkRecord& link : LinksOwnedBy(item)) {
    if (!HasLinkText(link.type) && link.target == other) return link;
  }
  return std::nullopt;
}

// The item's link with that id, or nothing (told on `err`) when the item has none.
std::optional<LinkRecord> OwnLink(CEOID item, WORD linkId, std::FILE* err) {
  LinkStore store;
  LinkRecord record;
  if (store.ReadLinkById(linkId, &record) && record.owner == item) return record;
  std::fprintf(err, "calyra: 0x%08X has no link %u (calyra links 0x%08X lists them)\n", item, linkId, item);
  return std::nullopt;
}

// The far end as a person reads it: "0x0001000B  Lovelace, Ada" for an item link, the path or address
// for the others.
std::string FarEnd(const LinkRecord& link) {
  if (HasLinkText(link.type)) return Utf8(link.text);
  char oid[16];
  std::snprintf(oid, sizeof oid, "0x%08X", link.target);
  return oid + (link.text.empty() ? std::string() : "  " + Utf8(link.text));
}

std::string Describe(const LinkRecord& link) {
  return std::string(TypeName(link.type)) + " " + FarEnd(link);
}

bool StartSession(EditorSession& session, std::FILE* err) {
  std::string error;
  if (session.Start(&error)) return true;
  std::fprintf(err, "calyra: %s\n", error.c_str());
  return false;
}

void Print(const std::string& text, std::FILE* out) {
  std::fwrite(text.data(), 1, text.size(), out);
}

int OpenFile(const std::u16string& path, std::FILE* out, std::FILE* err) {
  SHELLEXECUTEINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = u"open";
  info.lpFile = path.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteEx(&info)) {
    std::fprintf(err, "calyra: the shell cannot open %s\n", Utf8(path).c_str());
    return kExitFailed;
  }
  if (info.hProcess) CloseHandle(info.hProcess);
  std::fprintf(out, "opened %s with the shell's open verb\n", Utf8(path).c_str());
  return kExitDone;
}

int OpenAddress(std::u16string address, std::FILE* out, std::FILE* err) {
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(kBrowser, address.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                      &process)) {
    std::fprintf(err, "calyra: %s does not start\n", Utf8(kBrowser).c_str());
    return kExitFailed;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  std::fprintf(out, "started %s %s\n", Utf8(kBrowser).c_str(), Utf8(address).c_str());
  return kExitDone;
}

}  // namespace

std::optional<WORD> ParseLinkId(std::string_view text) {
  std::optional<CEOID> number = ParseOid(text);
  if (!number || *number > kLastLinkId) return std::nullopt;
  return static_cast<WORD>(*number);
}

int LinkItems(const EditorExports& exports, CEOID item, CEOID other, std::FILE* out, std::FILE* err) {
  if (item == other) {
    std::fprintf(err, "calyra: an item is not linked to itself (0x%08X)\n", item);
    return kExitFailed;
  }
  if (auto link = LinkBetween(item, other)) {
    std::fprintf(err, "calyra: 0x%08X is already linked to 0x%08X (link %u)\n", item, other, link->linkId);
    return kExitFailed;
  }
  ItemKind kind = ItemKindOf(other);
  EditorSession session(exports, out);
  if (!StartSession(session, err)) return kExitNoComponent;
  // The export answers 1 for a known kind even when the write failed; the store tells what happened.
  int result = exports.addLinkToItem(item, other, static_cast<int>(kind));
  session.Stop();
  auto forward = LinkBetween(item, other);
  auto reverse = LinkBetween(other, item);
  if (result == 0 || !forward || !reverse) {
    std::fprintf(err, "calyra: the component did not link 0x%08X and 0x%08X\n", item, other);
    return kExitFailed;
  }
  std::fprintf(out, "linked %s 0x%08X and %s 0x%08X: links %u and %u\n", KindName(ItemKindOf(item)), item,
               KindName(kind), other, forward->linkId, reverse->linkId);
  return kExitDone;
}

void WriteLinksJson(JsonWriter* json, CEOID item) {
  json->BeginArray();
  for (const ListedLink& listed : SortedLinksOf(item)) {
    const LinkRecord& link = listed.record;
    json->BeginObject();
    json->Key("linkId");
    json->Number(link.linkId);
    json->Key("type");
    json->String(platform::FromUtf8(TypeName(link.type)));
    json->Key("target");
    if (HasLinkText(link.type)) {
      json->String(link.text);
    } else {
      json->Number(link.target);
    }
    json->Key("text");
    json->String(link.text);
    json->EndObject();
  }
  json->EndArray();
}

void WriteLinkMembers(JsonWriter* json, CEOID item) {
  json->Key("links");
  WriteLinksJson(json, item);
  json->Key("icon");
  for (const LinkRecord& link : LinksOwnedBy(item)) {
    if (link.type == LinkType::Icon) {
      json->String(link.text);
      return;
    }
  }
  json->Null();
}

int ListLinks(CEOID item, ListingFormat format, std::FILE* out, std::FILE*) {
  if (format == ListingFormat::kJson) {
    JsonWriter json;
    WriteLinksJson(&json, item);
    Print(json.Text(), out);
    return kExitDone;
  }
  for (const ListedLink& listed : SortedLinksOf(item)) {
    const LinkRecord& link = listed.record;
    std::fprintf(out, "%5u  %-11s  %s\n", link.linkId, TypeName(link.type), FarEnd(link).c_str());
  }
  return kExitDone;
}

int UnlinkItem(CEOID item, WORD linkId, std::FILE* out, std::FILE* err) {
  std::optional<LinkRecord> link = OwnLink(item, linkId, err);
  if (!link) return kExitFailed;
  LinkStore::ResolveLinkText(&*link);
  if (!LinkStore().DeleteLink(linkId)) {
    std::fprintf(err, "calyra: link %u of 0x%08X cannot be deleted\n", linkId, item);
    return kExitFailed;
  }
  std::fprintf(out, "deleted link %u: %s%s\n", linkId, Describe(*link).c_str(),
               HasLinkText(link->type) ? "" : " (and its other half)");
  return kExitDone;
}

int SetItemIcon(const EditorExports& exports, CEOID item, std::u16string_view path, std::FILE* out,
                std::FILE* err) {
  std::u16string image(path);
  if (!image.empty() && GetFileAttributesW(image.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // The component deletes links to missing files when it shuts down.
    std::fprintf(err, "calyra: the device has no file %s\n", Utf8(image).c_str());
    return kExitFailed;
  }
  // The component replaces the icon link its cache knows; this short run has not loaded the cache,
  // so the host takes the earlier icon away itself.
  LinkStore store;
  for (const LinkRecord& link : LinksOwnedBy(item)) {
    if (link.type == LinkType::Icon) store.DeleteLink(link.linkId);
  }
  store.CloseLinkStore();
  EditorSession session(exports, out);
  if (!StartSession(session, err)) return kExitNoComponent;
  int result = exports.setIconLink(item, image.c_str());
  session.Stop();
  if (result == 0) {
    std::fprintf(err, "calyra: the component did not set the icon of 0x%08X\n", item);
    return kExitFailed;
  }
  if (image.empty()) {
    std::fprintf(out, "0x%08X has no icon\n", item);
  } else {
    std::fprintf(out, "the icon of 0x%08X is %s\n", item, Utf8(image).c_str());
  }
  return kExitDone;
}

int OpenItemLink(CEOID item, WORD linkId, std::FILE* out, std::FILE* err) {
  std::optional<LinkRecord> link = OwnLink(item, linkId, err);
  if (!link) return kExitFailed;
  switch (link->type) {
    case LinkType::File:
      return OpenFile(link->text, out, err);
    case LinkType::Web:
      return OpenAddress(link->text, out, err);
    case LinkType::Contact:
    case LinkType::Appointment:
    case LinkType::Task: {
      // The far end is the target, or the owner when the record points at the item itself.
      CEOID farEnd = link->target == item ? link->owner : link->target;
      LinkRecord far = *link;
      far.target = farEnd;
      LinkStore::ResolveLinkText(&far);
      bool stored = ItemKindOf(farEnd) != ItemKind::kNone;
      std::fprintf(out, "the host would open %s%s\n", Describe(far).c_str(),
                   stored ? "" : " (no longer stored)");
      return kExitDone;
    }
    default:
      std::fprintf(out, "link %u is the item's icon: opening it does nothing\n", linkId);
      return kExitDone;
  }
}

}  // namespace calyra::host
