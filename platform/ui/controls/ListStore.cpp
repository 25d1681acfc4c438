#include "platform/ui/controls/ListStore.h"

#include "platform/text/Text.h"

namespace platform::ui {

LRESULT ListStore::Insert(LRESULT index, std::u16string text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return -1;
  items_.insert(items_.begin() + index, Item{std::move(text)});
  if (current >= index) ++current;
  return index;
}

LRESULT ListStore::Add(std::u16string text, bool sorted) {
  LRESULT index = Count();
  if (sorted) {
    index = 0;
    while (index < Count() && CompareNoCase(items_[static_cast<size_t>(index)].text, text) <= 0) ++index;
  }
  return Insert(index, std::move(text));
}

LRESULT ListStore::Delete(WPARAM index) {
  if (!Valid(index)) return -1;
  items_.erase(items_.begin() + static_cast<ptrdiff_t>(index));
  LRESULT removed = static_cast<LRESULT>(index);
  if (current == removed) {
    current = -1;
  } else if (current > removed) {
    --current;
  }
  return Count();
}

void ListStore::Clear() {
  items_.clear();
  current = -1;
}

LRESULT ListStore::Find(WPARAM start, std::u16string_view text, bool exact) const {
  size_t count = items_.size();
  size_t first = start < count ? start + 1 : 0;
  std::u16string folded = FoldCase(text);
  for (size_t step = 0; step < count; ++step) {
    size_t index = (first + step) % count;
    std::u16string candidate = FoldCase(items_[index].text);
    bool match = exact ? candidate == folded : candidate.compare(0, folded.size(), folded) == 0;
    if (match) return static_cast<LRESULT>(index);
  }
  return -1;
}

}  // namespace platform::ui
