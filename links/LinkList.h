#pragma once

#include <optional>
#include <vector>

#include "links/LinkRecord.h"

namespace calyra {

class LinkCache;

// The image of each link type in the link lists' image list.
inline constexpr int kLinkImageAppointment = 0;
inline constexpr int kLinkImageTask = 1;
inline constexpr int kLinkImageContact = 2;
inline constexpr int kLinkImageFile = 3;
inline constexpr int kLinkImageWeb = 7;
// Room beside the widest text for the row's image.
inline constexpr int kLinkListImageRoom = 22;

// A listed link, with the far end's date for appointments and tasks (local FILETIME ticks).
struct ListedLink {
  LinkRecord record;
  std::optional<int64_t> date;
};

// Less for the list's order: contacts by name, then appointments and tasks mixed by date (equal dates by
// text), then web addresses, then files; texts compared ignoring case. Other types compare equal.
int CompareLinks(const ListedLink& a, const ListedLink& b);

// The item's links other than its icon, each with its display text, in the list's order.
std::vector<ListedLink> SortedLinksOf(ItemOid item);

// The row data of a listed link: its type in the low word, its id in the high word.
constexpr LPARAM LinkRowData(LinkType type, WORD linkId) {
  return static_cast<LPARAM>(static_cast<DWORD>(type) | (static_cast<DWORD>(linkId) << 16));
}
int LinkImageOf(LinkType type);

// Fills the list view with the item's links in the list's order; the widest text plus the image's
// room, or 0 when there are none.
int FillLinkList(ItemOid item, HWND listView);

// Removes a listed link: a row whose data carries a link id deletes that link (both halves of an item
// link) at once; the row goes either way. The list view's answer to the deletion.
LRESULT RemoveListedLink(LinkCache* cache, HWND listView, int row);

// The date an item link's far end sorts by: an appointment's start, a task's date, in local time.
std::optional<int64_t> LinkItemDate(const LinkRecord& record);

}  // namespace calyra
