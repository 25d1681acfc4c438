#include "editors/TemplateNameDialog.h"

#include "editors/ControlText.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

INT_PTR TemplateNameDialog::Show(HWND owner, HINSTANCE resources) {
  return Run(resources, resources::kDialogTextPrompt, owner);
}

INT_PTR TemplateNameDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    HWND field = Item(resources::kTextPromptText);
    SendMessageW(field, EM_LIMITTEXT, kNameChars, 0);
    SetWindowTextW(field, name_.c_str());
    SendMessageW(field, EM_SETSEL, 0, -1);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  return EndOnOkOrCancel(LOWORD(wParam), [this] { return Confirm(); }) ? TRUE : FALSE;
}

// A template is found by its name, so an empty one is refused and the field gets the focus again.
bool TemplateNameDialog::Confirm() {
  HWND field = Item(resources::kTextPromptText);
  std::u16string name = WindowText(field).substr(0, kNameChars);
  if (name.empty()) {
    MessageBoxW(Window(), ResourceText(Resources(), resources::kStringTemplateNameEmpty).c_str(),
                ResourceText(Resources(), resources::kStringTemplateCaption).c_str(), MB_OK | MB_ICONSTOP);
    SetFocus(field);
    return false;
  }
  name_ = std::move(name);
  return true;
}

std::optional<std::u16string> AskTemplateName(HWND owner, HINSTANCE resources, std::u16string_view proposal) {
  TemplateNameDialog dialog(proposal);
  if (dialog.Show(owner, resources) != IDOK) return std::nullopt;
  return dialog.Name();
}

}  // namespace calyra
