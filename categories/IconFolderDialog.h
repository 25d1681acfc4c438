#pragma once

#include <optional>
#include <string>

#include "editors/ModalDialog.h"

namespace calyra {

// The palette folder dialog (492): a folder typed or found through a file dialog. The categories'
// own icon folder is refused with a beep, the dialog staying up.
class IconFolderDialog : public ModalDialog {
 public:
  explicit IconFolderDialog(std::u16string folder) : folder_(std::move(folder)) {}
  // The folder chosen; none when cancelled.
  std::optional<std::u16string> Choose(HWND owner, HINSTANCE resources);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Browse();
  void Accept();

  std::u16string folder_;
};

}  // namespace calyra
