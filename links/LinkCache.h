#pragma once

#include <list>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "links/LinkRecord.h"
#include "platform/gdi/ImageList.h"

namespace calyra {

// One link as the cache keeps it. `image` is the icon of an icon link once it was loaded; the node
// owns it.
struct LinkCacheNode {
  ItemOid owner = 0;
  ItemOid target = 0;
  WORD linkId = 0;
  LinkType type = LinkType::None;
  HIMAGELIST image = nullptr;
};

// The process-wide mirror of the link database: a list in the order the links were added or loaded,
// searched from head to tail for the first match. The loader thread appends while the host's thread
// reads, so every operation takes the cache's lock and searches hand out copies of nodes. Beside the
// list an index counts, per owner, its nodes other than icon links, so that whether an item is linked
// is answered without a walk.
class LinkCache {
 public:
  LinkCache() = default;
  ~LinkCache();
  LinkCache(const LinkCache&) = delete;
  LinkCache& operator=(const LinkCache&) = delete;

  void Append(ItemOid owner, WORD linkId, LinkType type, ItemOid target);
  // The first node whose owner or target is `item`.
  std::optional<LinkCacheNode> FindItem(ItemOid item) const;
  // Whether `item` owns a link other than its icon link: the same answer as FindOwnerOtherType(item,
  // Icon), from the index. An item that is only the target of an item link owns the other half.
  bool IsLinked(ItemOid item) const;
  std::optional<LinkCacheNode> FindOwnerType(ItemOid owner, LinkType type) const;
  // The first node of `owner` whose type is not `type`.
  std::optional<LinkCacheNode> FindOwnerOtherType(ItemOid owner, LinkType type) const;
  std::optional<LinkCacheNode> FindLinkId(WORD linkId) const;
  // Removes the first node with that id; false when there is none.
  bool RemoveLinkId(WORD linkId);
  // Removes every node whose owner or target is `item`; the number removed.
  int RemoveItem(ItemOid item);
  size_t Count() const;
  void Clear();
  // Gives the node with that id its loaded icon (the node owns it from then on); false, and the image
  // destroyed, when there is no such node.
  bool SetImage(WORD linkId, HIMAGELIST image);

 private:
  using Nodes = std::list<LinkCacheNode>;
  template <class Match>
  std::optional<LinkCacheNode> FindFirst(Match match) const;
  Nodes::iterator Erase(Nodes::iterator node);

  mutable std::mutex mutex_;
  Nodes nodes_;
  std::unordered_map<ItemOid, int> linkedOwners_;
};

}  // namespace calyra
