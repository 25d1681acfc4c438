#pragma once

#include <functional>

#include "platform/ui/WindowTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// Adds the item to the project of `projectRecord`; nonzero when an entry was written.
using ProjectAdder = std::function<int(ItemOid projectRecord)>;

// The project picker (dialog 371): every project in a tree, sub-projects under their projects,
// labelled as lists show projects. OK adds through `add` to the selected project and ends the
// dialog with that result; Cancel adds nothing. The selected project's record when the item was
// added, else 0. `modalSlot` names the dialog while it is up.
ItemOid PickProjectAndAdd(HWND owner, HINSTANCE resources, const ProjectAdder& add, HWND* modalSlot);

}  // namespace calyra
