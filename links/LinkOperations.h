#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "links/LinkCache.h"

namespace calyra {

// What the host and the editors do with links, each call with a store of its own on the process's
// cache.

// Whether the item owns a link other than its icon link; the database is not opened.
bool IsItemLinked(const LinkCache& cache, ItemOid item);
// Links the item to `other` of `otherKind` both ways; false for a zero item or another kind. The
// write's own result is not told.
bool AddLinkToItem(LinkCache& cache, ItemOid item, ItemOid other, ItemKind otherKind);
// A new image list (the caller's) holding the item's icon image, or null. The decoded icon is kept in
// the cache; a file that cannot be read is tried again next time.
HIMAGELIST GetIconLinkImage(LinkCache& cache, ItemOid item);
// Replaces the item's icon link; an empty path only removes it.
bool SetIconLink(LinkCache& cache, ItemOid item, std::u16string_view imagePath);

// What the host window is told to open the far end of an item link: wParam the item kind, lParam its oid.
inline constexpr UINT kOpenLinkedItemMessage = 6385;

// Opens a file with the shell's "open" verb.
void OpenDocument(HWND owner, const std::u16string& path);

// Opens the far end of a link: a file with the shell's "open" verb, a web address in the browser, an
// item by telling the host window which one. Icon links and unknown ids open nothing. Always true: a
// reading store needs no cache and is always at hand.
bool OpenLink(HWND owner, HWND hostWindow, ItemOid item, DWORD linkId);

// Gives the new identity of an item every link of the old one and removes the old one's links (with
// their reverse halves). An item whose only link is its icon keeps it under the old identity.
void TransferLinks(LinkCache& cache, ItemOid oldItem, ItemOid newItem);

// The links a page collected for an item that is written only once it is saved.
struct PendingLinks {
  std::vector<ItemOid> contacts;
  std::vector<ItemOid> tasks;
  std::vector<ItemOid> appointments;
  std::vector<std::u16string> files;
  std::vector<std::u16string> webAddresses;

  bool Empty() const;
};

// Writes the lists for the saved item: contacts, tasks and appointments both ways, then files and web
// addresses, each list in its order; a null cache keeps none in step. True only when no write failed; a
// failure does not stop the rest.
bool AddPendingLinks(LinkCache* cache, ItemOid item, const PendingLinks& links);

}  // namespace calyra
