#include "editors/TextPrompt.h"

#include "editors/ControlText.h"
#include "editors/ModalDialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

class TextPromptDialog : public ModalDialog {
 public:
  TextPromptDialog(std::u16string_view initial, size_t limit)
      : text_(initial.substr(0, limit)), limit_(limit) {}
  const std::u16string& Text() const { return text_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG) {
      HWND field = Item(resources::kTextPromptText);
      SendMessageW(field, EM_LIMITTEXT, limit_, 0);
      SetWindowTextW(field, text_.c_str());
      SendMessageW(field, EM_SETSEL, 0, -1);
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) return FALSE;
    if (id == IDOK) text_ = WindowText(Item(resources::kTextPromptText)).substr(0, limit_);
    EndDialog(Window(), id);
    return TRUE;
  }

 private:
  std::u16string text_;
  size_t limit_;
};

}  // namespace

std::optional<std::u16string> PromptForText(HWND owner, HINSTANCE resources, std::u16string_view initial,
                                            size_t limit) {
  TextPromptDialog dialog(initial, limit);
  if (dialog.Run(resources, resources::kDialogTextPrompt, owner) != IDOK) return std::nullopt;
  return dialog.Text();
}

}  // namespace calyra
