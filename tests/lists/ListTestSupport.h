#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lists/ListConstants.h"
#include "lists/ListModel.h"
#include "lists/VirtualList.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Window.h"
#include "tests/support/DeviceTest.h"

namespace calyra::testing {

// A list in a window of its own, with fonts of fixed heights in place of the component's cache.
class ListTest : public DeviceTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  lists::ListEnvironment Environment();
  // A frame of the screen's width and `height`, showing `fields`.
  HWND MakeList(std::vector<lists::ListField> fields, int height = 200, lists::ListDisplay display = {});
  lists::ListModel& Model() { return *lists::VirtualList::Model(list_); }
  HWND Inner() { return lists::VirtualList::Inner(list_); }
  // Lines of `text` wrapped in `width` in `font`, times the line height.
  int WrappedHeight(const std::u16string& text, int width, HFONT font);

  static lists::ListField Value(std::u16string label, std::u16string value, DWORD rowFlags = 0,
                                DWORD flags = 0);
  static lists::ListField Heading(std::u16string text);

  HWND list_ = nullptr;
  HFONT normal_ = nullptr;
  HFONT bold_ = nullptr;
  std::vector<int> sizesAsked_;
};

}  // namespace calyra::testing
