#pragma once

#include <array>
#include <functional>
#include <memory>

#include "editors/EditorPage.h"

namespace calyra {

// Makes each page on first use and keeps it until the component shuts down, so that its dialog is
// made once and shown again for every later editor.
class PageFactory {
 public:
  using Maker = std::function<std::unique_ptr<EditorPage>()>;

  PageFactory();
  // The page of that number, made on first use; null outside 1-13 or for a page with no maker.
  EditorPage* GetPage(PageNumber number);
  // Replaces the maker of a page number (and drops a page already made from the old one).
  void SetMaker(PageNumber number, Maker maker);
  // Destroys every page made so far.
  void Clear();

 private:
  static constexpr size_t kSlots = kLastPageNumber + 1;
  std::array<Maker, kSlots> makers_;
  std::array<std::unique_ptr<EditorPage>, kSlots> pages_;
};

}  // namespace calyra
