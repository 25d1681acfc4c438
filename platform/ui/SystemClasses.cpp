#include "platform/ui/SystemClasses.h"

#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/Shell.h"

namespace platform::ui {

void RegisterSystemClass(const char16_t* name, WNDPROC proc, UINT style) {
  auto entry = std::make_shared<WindowClass>();
  entry->name = name;
  entry->proc = proc;
  entry->style = style;
  entry->windowExtra = DLGWINDOWEXTRA;
  entry->system = true;
  WindowManager::Current().AddClass(entry);
}

void RegisterSystemClasses() {
  auto& manager = WindowManager::Current();
  {
    std::lock_guard guard(manager.Lock());
    if (manager.systemClassesRegistered) return;
    manager.systemClassesRegistered = true;
  }
  RegisterSystemClass(WC_DIALOG, DefDlgProcW);
  RegisterStatic();
  RegisterButton();
  RegisterEdit();
  RegisterListBox();
  RegisterCommonControls();
  RegisterShellClasses();
}

bool IsClass(HWND window, std::u16string_view name) {
  auto object = WindowManager::Current().Find(window);
  return object && EqualsNoCase(object->windowClass->name, name);
}

}  // namespace platform::ui
