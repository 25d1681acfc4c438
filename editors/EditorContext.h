#pragma once

#include "store/CPIMAppointment.h"
#include "store/PimItem.h"

namespace calyra {

class EditorHost;
class Project;

// The part of the open editor that every page is attached to.
struct EditorContext {
  HWND owner = nullptr;
  ItemKind kind = ItemKind::None;
  DWORD editValue = 0;  // non-zero: a template is being edited
  bool templateApplied = false;
  std::u16string templateName;  // the name a save as template gives the template
  bool fullAccess = true;       // false for one occurrence of a series: main and notes pages only
  ItemOid linkWith = 0;         // the item a new item is linked with when it is saved
  ItemOid project = 0;          // the project a new item is added to when it is saved
  Project* projectObject = nullptr;
  PimItem* item = nullptr;
  CPIMAppointment* secondAppointment = nullptr;  // carries the second reminder
  EditorHost* host = nullptr;
};

}  // namespace calyra
