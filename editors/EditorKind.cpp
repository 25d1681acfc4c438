#include "editors/EditorKind.h"

#include <algorithm>
#include <iterator>

#include "resources/ResourceIds.h"

namespace calyra {

namespace {

struct EditorKindRow {
  EditorKind kind;
  ItemKind item;
  bool isNew;
  unsigned nameString;
};

constexpr EditorKindRow kRows[] = {
    {EditorKind::EditAppointment, ItemKind::Appointment, false, resources::kStringNameAppointment},
    {EditorKind::EditContact, ItemKind::Contact, false, resources::kStringNameContact},
    {EditorKind::EditTask, ItemKind::Task, false, resources::kStringNameTask},
    {EditorKind::EditProject, ItemKind::None, false, resources::kStringNameProject},
    {EditorKind::NewAppointment, ItemKind::Appointment, true, resources::kStringNameAppointment},
    {EditorKind::NewContact, ItemKind::Contact, true, resources::kStringNameContact},
    {EditorKind::NewTask, ItemKind::Task, true, resources::kStringNameTask},
    {EditorKind::NewProject, ItemKind::None, true, resources::kStringNameProject},
};

const EditorKindRow& RowOf(EditorKind kind) {
  return *std::find_if(std::begin(kRows), std::end(kRows),
                       [kind](const auto& row) { return row.kind == kind; });
}

}  // namespace

bool IsNew(EditorKind kind) {
  return RowOf(kind).isNew;
}

ItemKind ItemKindOf(EditorKind kind) {
  return RowOf(kind).item;
}

bool IsProject(EditorKind kind) {
  return RowOf(kind).item == ItemKind::None;
}

unsigned ItemNameString(EditorKind kind) {
  return RowOf(kind).nameString;
}

std::optional<EditorKind> EditorFor(ItemKind item, bool isNew) {
  for (const EditorKindRow& row : kRows) {
    if (row.item == item && row.isNew == isNew && item != ItemKind::None) return row.kind;
  }
  return std::nullopt;
}

std::optional<EditorKind> EditorKindFromMessage(WPARAM wParam) {
  for (const EditorKindRow& row : kRows) {
    if (static_cast<WPARAM>(row.kind) == wParam) return row.kind;
  }
  return std::nullopt;
}

WPARAM ToMessage(EditorKind kind) {
  return static_cast<WPARAM>(kind);
}

}  // namespace calyra
