#pragma once

#include <optional>
#include <string>

#include "editors/ModalDialog.h"

namespace calyra {

// The template-name dialog (500): one field of at most kNameChars characters, prefilled with a
// proposal. OK with an empty field is refused with a stop message and the dialog stays open.
class TemplateNameDialog : public ModalDialog {
 public:
  static constexpr size_t kNameChars = 4095;

  explicit TemplateNameDialog(std::u16string_view proposal) : name_(proposal.substr(0, kNameChars)) {}

  // Runs the dialog over `owner`; its result (IDOK, IDCANCEL, or -1 when it could not be made).
  INT_PTR Show(HWND owner, HINSTANCE resources);
  // The name: the proposal until the person confirms another.
  const std::u16string& Name() const { return name_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Confirm();

  std::u16string name_;
};

// The name the person gives a template (the proposal prefilled); nothing when cancelled.
std::optional<std::u16string> AskTemplateName(HWND owner, HINSTANCE resources, std::u16string_view proposal);

}  // namespace calyra
