#pragma once

#include <optional>

#include "platform/ui/WindowTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// Which editor a request opens: the kind of item, and whether it is new or already stored. The
// numbers are the open message's wParam; code asks the kind's properties instead of computing them.
enum class EditorKind : int {
  EditAppointment = 1,
  EditContact = 2,
  EditTask = 3,
  EditProject = 4,
  NewAppointment = 11,
  NewContact = 12,
  NewTask = 13,
  NewProject = 14,
};

// A new item (no stored record yet) rather than one being edited.
bool IsNew(EditorKind kind);
// The kind of Pocket Outlook item the editor edits; None for projects.
ItemKind ItemKindOf(EditorKind kind);
bool IsProject(EditorKind kind);
// The resource string that names the item in questions ("appointment", "project", ...).
unsigned ItemNameString(EditorKind kind);
// The editor for a new or a stored item of a Pocket Outlook kind; nothing for ItemKind::None.
std::optional<EditorKind> EditorFor(ItemKind kind, bool isNew);

// The open message's wParam and back; an unknown number is no kind.
std::optional<EditorKind> EditorKindFromMessage(WPARAM wParam);
WPARAM ToMessage(EditorKind kind);

}  // namespace calyra
