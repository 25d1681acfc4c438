#include "links/LinkCache.h"

namespace calyra {

LinkCache::~LinkCache() {
  Clear();
}

void LinkCache::Append(ItemOid owner, WORD linkId, LinkType type, ItemOid target) {
  std::lock_guard lock(mutex_);
  nodes_.push_back({owner, target, linkId, type, nullptr});
  if (type != LinkType::Icon) ++linkedOwners_[owner];
}

template <class Match>
std::optional<LinkCacheNode> LinkCache::FindFirst(Match match) const {
  std::lock_guard lock(mutex_);
  for (const LinkCacheNode& node : nodes_) {
    if (match(node)) return node;
  }
  return std::nullopt;
}

std::optional<LinkCacheNode> LinkCache::FindItem(ItemOid item) const {
  return FindFirst([item](const LinkCacheNode& node) { return node.owner == item || node.target == item; });
}

bool LinkCache::IsLinked(ItemOid item) const {
  std::lock_guard lock(mutex_);
  auto found = linkedOwners_.find(item);
  return found != linkedOwners_.end() && found->second > 0;
}

std::optional<LinkCacheNode> LinkCache::FindOwnerType(ItemOid owner, LinkType type) const {
  return FindFirst([&](const LinkCacheNode& node) { return node.owner == owner && node.type == type; });
}

std::optional<LinkCacheNode> LinkCache::FindOwnerOtherType(ItemOid owner, LinkType type) const {
  return FindFirst([&](const LinkCacheNode& node) { return node.owner == owner && node.type != type; });
}

std::optional<LinkCacheNode> LinkCache::FindLinkId(WORD linkId) const {
  return FindFirst([linkId](const LinkCacheNode& node) { return node.linkId == linkId; });
}

LinkCache::Nodes::iterator LinkCache::Erase(Nodes::iterator node) {
  if (node->type != LinkType::Icon) {
    auto owner = linkedOwners_.find(node->owner);
    if (owner != linkedOwners_.end() && --owner->second <= 0) linkedOwners_.erase(owner);
  }
  if (node->image) ImageList_Destroy(node->image);
  return nodes_.erase(node);
}

bool LinkCache::RemoveLinkId(WORD linkId) {
  std::lock_guard lock(mutex_);
  for (auto node = nodes_.begin(); node != nodes_.end(); ++node) {
    if (node->linkId == linkId) {
      Erase(node);
      return true;
    }
  }
  return false;
}

int LinkCache::RemoveItem(ItemOid item) {
  std::lock_guard lock(mutex_);
  int removed = 0;
  for (auto node = nodes_.begin(); node != nodes_.end();) {
    if (node->owner == item || node->target == item) {
      node = Erase(node);
      ++removed;
    } else {
      ++node;
    }
  }
  return removed;
}

size_t LinkCache::Count() const {
  std::lock_guard lock(mutex_);
  return nodes_.size();
}

void LinkCache::Clear() {
  std::lock_guard lock(mutex_);
  while (!nodes_.empty()) Erase(nodes_.begin());
}

bool LinkCache::SetImage(WORD linkId, HIMAGELIST image) {
  std::lock_guard lock(mutex_);
  for (LinkCacheNode& node : nodes_) {
    if (node.linkId != linkId) continue;
    if (node.image && node.image != image) ImageList_Destroy(node.image);
    node.image = image;
    return true;
  }
  if (image) ImageList_Destroy(image);
  return false;
}

}  // namespace calyra
