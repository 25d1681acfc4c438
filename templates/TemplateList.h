#pragma once

#include <string_view>

#include "platform/core/PlatformTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// The rows of a list view that lists templates: each row's text is the template's, its item data the
// template's record, and the rows stay in alphabetical order as they are added.
class TemplateList {
 public:
  // How much of a row's text the order looks at.
  static constexpr size_t kSortChars = 32;

  explicit TemplateList(HWND list) : list_(list) {}

  // Adds a row for each template of `kind` (with its kind's item image when `withIcons`); the number
  // of rows added.
  int Fill(ItemKind kind, bool withIcons);
  // Where a row of `text` goes: before the first row whose text compares greater than or equal to
  // its own, both cut to kSortChars and compared without regard to case; the end when none does.
  int SortedIndex(std::u16string_view text) const;
  // The template of a row, or 0.
  ItemOid TemplateAt(int row) const;

 private:
  HWND list_;
};

}  // namespace calyra
