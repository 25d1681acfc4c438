#pragma once

#include <string>
#include <vector>

#include "editors/EditorPage.h"
#include "platform/ui/Window.h"
#include "store/CPIMContact.h"
#include "text/ContactNameFormat.h"

namespace calyra {

// The contact's own page: one row per contact field, each a label and its field; the file-as name
// with its menu of formats, each address also shown as one text, and the area code the dialer knows.
class ContactPage : public EditorPage {
 public:
  // The longest text of a field; a street or the file-as name may be longer.
  static constexpr size_t kFieldChars = 1023;
  static constexpr size_t kLongFieldChars = 4095;
  static constexpr size_t kAreaCodeChars = 15;

  ContactPage() : EditorPage(PageNumber::Contact) {}

  void Load() override;
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CPIMContact& Contact() const { return *static_cast<CPIMContact*>(context_->item); }
  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  HINSTANCE Resources() const;
  const NameFormatTexts& Texts() const;

  ContactName ShownName() const;
  bool NameChanged() const;
  // The file-as name a store writes now; `format` is normalised when the name is rebuilt.
  std::u16string FileAsToStore(FileAsFormat& format) const;
  void ShowFileAs();
  void ShowAddress(size_t index);
  bool StoreDate(int control, SYSTEMTIME* date);

  bool Command(int id, int code);
  void ChooseFileAs();
  void EditCustomFileAs();
  void ApplyTemplate();

  bool loaded_ = false;
  FileAsFormat format_ = FileAsFormat::LastFirstMiddle;
  FileAsFormat loadedFormat_ = FileAsFormat::LastFirstMiddle;
  std::u16string customFileAs_;
  std::u16string loadedFileAs_;
  ContactName loadedName_;
  std::u16string loadedTitle_;
  std::vector<std::u16string> shownTexts_;  // what Load put into each field, to see what changed
  HWND lastField_ = nullptr;                // the edit commands act on it once the menu has the focus
};

}  // namespace calyra
