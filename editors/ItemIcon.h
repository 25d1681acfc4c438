#pragma once

#include "platform/gdi/ImageList.h"

namespace calyra {

// The icon image a page shows for its item: an image list the page owns until the next item.
class ItemIcon {
 public:
  ItemIcon() = default;
  ~ItemIcon() { Release(); }
  ItemIcon(const ItemIcon&) = delete;
  ItemIcon& operator=(const ItemIcon&) = delete;

  void Take(HIMAGELIST list) {
    Release();
    list_ = list;
  }
  void Release() {
    if (list_) ImageList_Destroy(list_);
    list_ = nullptr;
  }
  HIMAGELIST Get() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};

}  // namespace calyra
