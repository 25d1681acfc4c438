#pragma once

#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// A contact the person picked, with the form of its name they chose.
struct ChosenContact {
  ItemOid oid;
  std::u16string name;
};

// The contact chooser (dialog 1204): every contact in a list sorted by the column whose header was
// tapped last (FileAs at first), a find field that selects the first contact starting with its text,
// and the name button, whose menu offers the contact's name variants. OK or a double tap answers the
// selected contact with the name shown (its FileAs unless a variant was chosen); Cancel answers
// nothing.
std::optional<ChosenContact> ChooseContact(HWND owner, HINSTANCE resources);

}  // namespace calyra
