#include "links/LinkOperations.h"

#include "links/LinkStore.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDecoder.h"

namespace calyra {

namespace {

constexpr COLORREF kIconKeyColour = RGB(0, 255, 0);

// The icon file as an image list of its own size, pure green transparent; null when it cannot be read.
HIMAGELIST LoadIconImage(const std::u16string& path) {
  HBITMAP bitmap = platform::DecodeImageFile(path.c_str());
  if (!bitmap) return nullptr;
  BITMAP size{};
  GetObjectW(bitmap, sizeof(size), &size);
  HIMAGELIST list = ImageList_Create(size.bmWidth, size.bmHeight, ILC_MASK | ILC_COLORDDB, 0, 2);
  if (list && ImageList_AddMasked(list, bitmap, kIconKeyColour) < 0) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  DeleteObject(bitmap);
  return list;
}

}  // namespace

bool IsItemLinked(const LinkCache& cache, ItemOid item) {
  return cache.IsLinked(item);
}

bool AddLinkToItem(LinkCache& cache, ItemOid item, ItemOid other, ItemKind otherKind) {
  LinkType type = LinkTypeOfItem(otherKind);
  if (item == 0 || other == 0 || type == LinkType::None) return false;
  LinkStore(&cache).AddTwoWayLink(item, nullptr, type, other);
  return true;
}

HIMAGELIST GetIconLinkImage(LinkCache& cache, ItemOid item) {
  std::optional<LinkCacheNode> node = cache.FindOwnerType(item, LinkType::Icon);
  if (!node) return nullptr;
  if (node->image) return ImageList_Duplicate(node->image);
  LinkRecord record;
  if (!LinkStore(&cache).ReadLinkById(node->linkId, &record)) return nullptr;
  HIMAGELIST image = LoadIconImage(record.text);
  if (!image) return nullptr;
  HIMAGELIST copy = ImageList_Duplicate(image);
  cache.SetImage(node->linkId, image);
  return copy;
}

bool SetIconLink(LinkCache& cache, ItemOid item, std::u16string_view imagePath) {
  LinkStore store(&cache);
  if (std::optional<LinkCacheNode> node = cache.FindOwnerType(item, LinkType::Icon))
    store.DeleteLink(node->linkId);
  if (imagePath.empty()) return true;
  return store.AddIconLink(item, imagePath);
}

}  // namespace calyra
