#pragma once

#include <vector>

#include "host/ContactActions.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// What the summary adds for a contact: the photo, the action rows that mail, browse and dial, the
// calls with the contact from the phone's call log and their totals, and the commands to choose a photo
// and to cancel a dial. The summary window owns it and hands it its notifications and commands.
class ContactView {
 public:
  ContactView(HWND summary, ItemOid contact);
  ~ContactView();
  ContactView(const ContactView&) = delete;
  ContactView& operator=(const ContactView&) = delete;

  // Makes the view's controls in the summary and fills them; the summary's field list gives up the
  // room they take.
  void Create();
  // The action list's activation; true when the notification was the view's.
  bool OnNotify(const NMHDR& header);
  bool OnCommand(int command);
  // The photo program announced a change: the photo is read again.
  void ReloadPhoto();

  const std::vector<ContactActionRow>& Rows() const { return rows_; }

 private:
  void LoadContact();
  void MakeControls();
  void FillActions();
  void FillCalls();
  void ShowPhoto(bool force);

  HWND summary_;
  ItemOid contact_;
  ContactActions actions_;
  std::vector<ContactActionRow> rows_;
  std::vector<std::u16string> numbers_;  // every number of the contact, for its calls
  std::u16string fileAs_;
  std::u16string fullName_;
  HBITMAP photo_ = nullptr;
};

}  // namespace calyra
