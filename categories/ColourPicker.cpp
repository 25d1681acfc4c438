#include "categories/ColourPicker.h"

#include <iterator>

#include "platform/ui/Menu.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

std::optional<ColourChoice> PickCategoryColour(HWND owner, HINSTANCE resources,
                                               std::optional<COLORREF> current) {
  HMENU menu = CreatePopupMenu();
  std::u16string none = ResourceText(resources, resources::kStringNoColour);
  AppendMenuW(menu, MF_STRING | (current ? 0 : MF_CHECKED), resources::kCommandNoColour, none.c_str());
  for (size_t i = 0; i < std::size(kPickerColours); ++i) {
    std::u16string name = ResourceText(resources, resources::kStringColourRed + static_cast<UINT>(i));
    UINT checked = current == kPickerColours[i] ? MF_CHECKED : 0;
    AppendMenuW(menu, MF_STRING | checked, resources::kCommandFirstColour + static_cast<UINT>(i),
                name.c_str());
  }
  auto command = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 0, 0, owner, nullptr));
  DestroyMenu(menu);
  if (command == static_cast<UINT>(resources::kCommandNoColour)) return ColourChoice{};
  size_t index = command - static_cast<UINT>(resources::kCommandFirstColour);
  if (command == 0 || index >= std::size(kPickerColours)) return std::nullopt;
  return ColourChoice{kPickerColours[index]};
}

}  // namespace calyra
