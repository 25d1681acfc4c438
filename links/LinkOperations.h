#pragma once

#include <string_view>

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

}  // namespace calyra
