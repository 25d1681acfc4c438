#pragma once

#include "platform/ui/WindowTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// False, with a message box over `owner` (strings of `resources`), when there is nothing to add: the
// file is missing, or no item was given.
bool CheckAddable(HWND owner, HINSTANCE resources, ItemOid item, const char16_t* filePath);

// Adds an item, or a file when `filePath` is given, to the project whose record is `projectRecord`
// as a new entry: an appointment (with `date` as its item date when given), a task or a contact,
// by the kind of the item's record. A missing file or no item is refused with a message box over
// `owner` (strings of `resources`). Nonzero when the entry was written; 0 when it was refused, was
// already in the project, the item is of no such kind, or the write failed.
int AddItemToProject2(HWND owner, HINSTANCE resources, ItemOid projectRecord, ItemOid item,
                      const SYSTEMTIME* date, const char16_t* filePath);

}  // namespace calyra
