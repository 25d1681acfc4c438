#pragma once

#include <memory>

#include "CalyraEditorResources.h"
#include "platform/ui/ResourceModule.h"

// Resource libraries: shared libraries that carry a resource table (include/CalyraEditorResources.h)
// and are loaded as resource modules, as the device loads a resource DLL.

inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;

namespace platform {

// The resource module of a table: every string, dialog template, menu and bitmap in it. Strings without
// text are left out; a menu's entries nest by their depth. Null for a null table or a table of another
// version (ERROR_INVALID_DATA).
std::shared_ptr<ResourceModule> ResourceModuleFromTable(const CalyraResourceTable* table);

}  // namespace platform

// Loads a resource library and registers its table as a resource module; the handle is closed with
// FreeLibrary. The name's last part (after the last "\" or "/") names the file:
//   "X.dll" (any case) -> "libX.so", e.g. "CalyraEditorResources.dll" -> "libCalyraEditorResources.so";
//   "X.so" (any case)  -> "X.so";
//   "X" (no extension) -> as "X.dll".
// The file is looked for beside the running executable (its name matched ignoring case, as on the
// device), then on the loader's path (LD_LIBRARY_PATH, the executable's run path, the system folders;
// exact name); a device folder in the name is ignored. A name that starts with "/" is a host path and
// the file is looked for only in its folder. Any other extension, or no such file: null with
// ERROR_MOD_NOT_FOUND; a library without CalyraResources_Table: ERROR_PROC_NOT_FOUND; a table of another
// version: ERROR_INVALID_DATA. A library that carries a table is never unloaded, so its table stays
// valid for the life of the process; each call gives a handle of its own.
HINSTANCE LoadLibraryW(LPCWSTR name);
