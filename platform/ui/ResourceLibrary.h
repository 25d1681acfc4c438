#pragma once

#include <memory>

#include "CalyraEditorResources.h"
#include "platform/ui/ResourceModule.h"

// Libraries loaded at run time, as the device loads a DLL: shared libraries whose entry points are found
// by name, and resource libraries, which carry a resource table (include/CalyraEditorResources.h) that
// becomes the module's resources.

inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;

namespace platform {

// The resource module of a table: every string, dialog template, menu and bitmap in it. Strings without
// text are left out; a menu's entries nest by their depth. Null for a null table or a table of another
// version (ERROR_INVALID_DATA).
std::shared_ptr<ResourceModule> ResourceModuleFromTable(const CalyraResourceTable* table);

}  // namespace platform

// An entry point as GetProcAddressW answers it; cast it to the entry's own type to call it. It has no
// result, unlike the device's, because the compiler lets only that type be cast to any other unwarned.
using FARPROC = void (*)();

// Loads a library; the handle is closed with FreeLibrary. A library that exports CalyraResources_Table
// has that table as its resources; any other library is a code module without resources. The name's
// last part (after the last "\" or "/") names the file:
//   "X.dll" (any case) -> "libX.so", e.g. "CalyraEditorResources.dll" -> "libCalyraEditorResources.so";
//   "X.so" (any case)  -> "X.so";
//   "X" (no extension) -> as "X.dll".
// The file is looked for beside the running executable (its name matched ignoring case, as on the
// device), then on the loader's path (LD_LIBRARY_PATH, the executable's run path, the system folders;
// exact name); a device folder in the name is ignored. A name that starts with "/" is a host path and
// the file is looked for only in its folder. Any other extension, or no such file: null with
// ERROR_MOD_NOT_FOUND; a table of another version: ERROR_INVALID_DATA. No library is ever unloaded, so a
// table and the entry points found in it stay valid for the life of the process, also after FreeLibrary;
// each call gives a handle of its own.
HINSTANCE LoadLibraryW(LPCWSTR name);

// The entry point `name` exported by the library behind `module` itself (not by the libraries it
// uses). Null with ERROR_PROC_NOT_FOUND when it has none (a module built in memory has none, and
// numbered entries are not kept), ERROR_INVALID_PARAMETER for a null name, ERROR_INVALID_HANDLE when
// `module` is no module (or was freed).
FARPROC GetProcAddressW(HINSTANCE module, LPCWSTR name);
// The device's GetProcAddress takes the name as UTF-16 text.
inline FARPROC GetProcAddress(HINSTANCE module, LPCWSTR name) {
  return GetProcAddressW(module, name);
}
