#include "categories/CategoryChangeFlags.h"

namespace calyra {

namespace {

constexpr int kIndexes = 1024;

// The byte and bit of a change index in a view, or false when there is none.
template <typename ViewT>
bool Locate(ViewT& view, int changeIndex, uint8_t** byte, uint8_t* bit) {
  if (changeIndex >= -3 && changeIndex <= -1) {
    *byte = &view.specials;
    *bit = static_cast<uint8_t>(1u << (-changeIndex - 1));
    return true;
  }
  if (changeIndex < 0 || changeIndex >= kIndexes) return false;
  *byte = &view.bits[static_cast<size_t>(changeIndex / 8)];
  *bit = static_cast<uint8_t>(1u << (changeIndex % 8));
  return true;
}

}  // namespace

CategoryChangeFlags::View* CategoryChangeFlags::ViewOf(int view) {
  if (view == kAppointmentView) return &appointments_;
  if (view == kTaskView) return &tasks_;
  return nullptr;
}

void CategoryChangeFlags::Mark(int changeIndex) {
  for (View* view : {&appointments_, &tasks_}) {
    uint8_t* byte = nullptr;
    uint8_t bit = 0;
    if (Locate(*view, changeIndex, &byte, &bit)) *byte = static_cast<uint8_t>(*byte | bit);
  }
}

bool CategoryChangeFlags::IsChanged(int view, int changeIndex, bool clear) {
  View* flags = ViewOf(view);
  uint8_t* byte = nullptr;
  uint8_t bit = 0;
  if (!flags || !Locate(*flags, changeIndex, &byte, &bit)) return false;
  bool changed = (*byte & bit) != 0;
  if (clear) *byte = static_cast<uint8_t>(*byte & ~bit);
  return changed;
}

bool CategoryChangeFlags::Any() const {
  for (const View* view : {&appointments_, &tasks_}) {
    if (view->specials) return true;
    for (uint8_t byte : view->bits) {
      if (byte) return true;
    }
  }
  return false;
}

}  // namespace calyra
