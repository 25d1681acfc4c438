#pragma once

#include <string>
#include <vector>

#include "platform/ui/WindowTypes.h"

namespace platform::ui {

// The strings, item data and selection of a list box or of a combo box's list, with the platform's
// answers for indexes out of range (-1, LB_ERR and CB_ERR being the same value).
class ListStore {
 public:
  struct Item {
    std::u16string text;
    LPARAM data = 0;
    bool selected = false;
  };

  // The index the string went to, or -1 when `index` is past the end.
  LRESULT Insert(LRESULT index, std::u16string text);
  LRESULT Add(std::u16string text, bool sorted);
  // The number of items left, or -1.
  LRESULT Delete(WPARAM index);
  void Clear();
  // Case-insensitive search from after `start` (-1: from the top), wrapping round; -1 when none.
  LRESULT Find(WPARAM start, std::u16string_view text, bool exact) const;

  bool Valid(WPARAM index) const { return index < items_.size(); }
  LRESULT Count() const { return static_cast<LRESULT>(items_.size()); }
  Item& At(WPARAM index) { return items_[index]; }
  const Item& At(WPARAM index) const { return items_[index]; }

  LRESULT current = -1;  // the selected (single selection) or caret item

 private:
  std::vector<Item> items_;
};

}  // namespace platform::ui
