#include "categories/IconChooser.h"

#include "categories/IconPalette.h"
#include "editors/ModalDialog.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

class IconChooser : public ModalDialog {
 public:
  std::optional<std::u16string> Choose(HWND owner, HINSTANCE resources) {
    palette_.emplace(resources);
    if (Run(resources, resources::kDialogIconChooser, owner) != IDOK) return std::nullopt;
    return chosen_;
  }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        palette_->Fill(Item(resources::kIconChooserPalette));
        return TRUE;
      case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMACTIVATE) Accept();
        return FALSE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) Accept();
        if (LOWORD(wParam) == IDCANCEL) EndDialog(Window(), IDCANCEL);
        return TRUE;
      default:
        return FALSE;
    }
  }

 private:
  // OK without a row chosen keeps the dialog up.
  void Accept() {
    chosen_ = palette_->SelectedFile(Item(resources::kIconChooserPalette));
    if (chosen_) EndDialog(Window(), IDOK);
  }

  std::optional<IconPalette> palette_;
  std::optional<std::u16string> chosen_;
};

}  // namespace

std::optional<std::u16string> ChooseIconImage(HWND owner, HINSTANCE resources) {
  IconChooser chooser;
  return chooser.Choose(owner, resources);
}

}  // namespace calyra
