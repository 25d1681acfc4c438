#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"

namespace calyra {

// A modal dialog of the component's resource module whose messages go to an object: a dialog class
// derives from it, handles its controls in HandleMessage and ends with EndDialog.
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;

  // Shows the dialog from its template over `owner` until it ends; its result (-1 when it could not
  // be made).
  INT_PTR Run(HINSTANCE resources, int templateId, HWND owner) {
    resources_ = resources;
    return DialogBoxParamW(resources, MAKEINTRESOURCEW(templateId), owner, &ModalDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
  }

 protected:
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // OK ends the dialog with IDOK once `accepted` says what was entered holds (else it stays); Cancel
  // ends it with IDCANCEL. False for any other command.
  template <typename Accepted>
  bool EndOnOkOrCancel(int command, Accepted accepted) {
    if (command == IDOK) {
      if (accepted()) EndDialog(window_, IDOK);
      return true;
    }
    if (command != IDCANCEL) return false;
    EndDialog(window_, IDCANCEL);
    return true;
  }
  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  HINSTANCE Resources() const { return resources_; }

 private:
  static INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      reinterpret_cast<ModalDialog*>(lParam)->window_ = window;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
  }

  HWND window_ = nullptr;
  HINSTANCE resources_ = nullptr;
};

}  // namespace calyra
