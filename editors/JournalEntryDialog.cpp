#include "editors/JournalEntryDialog.h"

#include "editors/ControlText.h"
#include "editors/EditorMessages.h"
#include "notes/JournalLog.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

std::optional<SYSTEMTIME> Picked(HWND picker) {
  SYSTEMTIME value{};
  if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)) != GDT_VALID)
    return std::nullopt;
  return value;
}

// The date of `date` at the time of day of `time`.
SYSTEMTIME Combine(const SYSTEMTIME& date, const SYSTEMTIME& time) {
  SYSTEMTIME combined = time;
  combined.wYear = date.wYear;
  combined.wMonth = date.wMonth;
  combined.wDay = date.wDay;
  combined.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(date.wYear, date.wMonth, date.wDay));
  return combined;
}

}  // namespace

std::optional<JournalEntry> JournalEntryDialog::Show(HWND owner, HINSTANCE resources, HWND* modalSlot) {
  modalSlot_ = modalSlot;
  entry_.reset();
  HWND previous = modalSlot ? *modalSlot : nullptr;
  INT_PTR ended = Run(resources, kDialogJournalEntry, owner);
  if (modalSlot) *modalSlot = previous;
  if (ended != IDOK) return std::nullopt;
  return entry_;
}

void JournalEntryDialog::Init() {
  if (modalSlot_) *modalSlot_ = Window();
  SYSTEMTIME now{};
  GetLocalTime(&now);
  for (int picker : {kJournalEntryDate, kJournalEntryTime})
    SendMessageW(Item(picker), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&now));
  SetFocus(Item(kJournalEntryText));
}

// In place of the selection, or at the caret when nothing is selected.
void JournalEntryDialog::InsertText(const std::u16string& text) {
  SendMessageW(Item(kJournalEntryText), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void JournalEntryDialog::InsertPhrase() {
  if (!selectPhrase_) return;
  if (std::optional<std::u16string> phrase = selectPhrase_(Window(), kPhraseUsage)) InsertText(*phrase);
}

// A menu of the general codes by their descriptions; the chosen one is expanded at once.
void JournalEntryDialog::InsertField() {
  HMENU menu = CreatePopupMenu();
  for (size_t index = 0; index < kGeneralCodeCount; ++index) {
    std::u16string description = ResourceText(Resources(), kGeneralCodes[index].descriptionId);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(kCommandFirstFieldCode) + index, description.c_str());
  }
  RECT button{};
  GetWindowRect(Item(kJournalEntryField), &button);
  auto command = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD,
                                                    button.left, button.top, Window(), nullptr));
  DestroyMenu(menu);
  size_t index = command - static_cast<UINT>(kCommandFirstFieldCode);
  if (command == 0 || index >= kGeneralCodeCount) return;
  InsertText(ExpandGeneralCodes(kGeneralCodes[index].code, codeValues_));
}

void JournalEntryDialog::Accept() {
  std::u16string text = WindowText(Item(kJournalEntryText));
  std::optional<SYSTEMTIME> date = Picked(Item(kJournalEntryDate));
  std::optional<SYSTEMTIME> time = Picked(Item(kJournalEntryTime));
  if (!text.empty() && date && time) {
    JournalEntry entry;
    entry.time = Combine(*date, *time);
    entry.entryType = static_cast<DWORD>(JournalEntryType::Custom);
    entry.text = std::move(text);
    entry_ = std::move(entry);
  }
  EndDialog(Window(), IDOK);
}

INT_PTR JournalEntryDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Init();
      return FALSE;  // the focus is in the text
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kJournalEntryPhrase:
          InsertPhrase();
          return TRUE;
        case kJournalEntryField:
          InsertField();
          return TRUE;
        case IDOK:
          Accept();
          return TRUE;
        case IDCANCEL:
          EndDialog(Window(), IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    case kMsgModalSwitchAway:
      EndDialog(Window(), -1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
