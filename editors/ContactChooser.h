#pragma once
// TEMPORARY STUB until the attend branch merges.
#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"
#include "store/PimItem.h"
namespace calyra {
struct ChosenContact {
  ItemOid oid;
  std::u16string name;
};
std::optional<ChosenContact> ChooseContact(HWND owner, HINSTANCE resources);
}  // namespace calyra
