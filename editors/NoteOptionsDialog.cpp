#include "editors/NoteOptionsDialog.h"

#include <iterator>
#include <string>

#include "editors/EditorMessages.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

// The list rows of the mode lists and the note settings they stand for.
constexpr DWORD kModeSettings[] = {0, 2, 3};
constexpr const char16_t* kZoomTexts[] = {u"75%", u"100%", u"150%", u"200%", u"300%"};
constexpr DWORD kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20};
constexpr int kFlagChecks[] = {kNoteOptionsInkAndText, kNoteOptionsFlag1, kNoteOptionsFlag2,
                               kNoteOptionsFlag3, kNoteOptionsFlag4};
constexpr size_t kFontNameChars = 63;

int ModeRow(DWORD setting) {
  return setting == 0 ? 0 : setting == 2 ? 1 : 2;
}

template <size_t N>
int RowOf(const DWORD (&values)[N], DWORD value) {
  for (size_t row = 0; row < N; ++row) {
    if (values[row] == value) return static_cast<int>(row);
  }
  return -1;
}

void AddRow(HWND list, const std::u16string& text) {
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int Selected(HWND list) {
  return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

}  // namespace

INT_PTR NoteOptionsDialog::Show(HWND owner, HINSTANCE resources, HWND* modalSlot) {
  modalSlot_ = modalSlot;
  HWND previous = modalSlot ? *modalSlot : nullptr;
  INT_PTR ended = Run(resources, kDialogNoteOptions, owner);
  if (modalSlot) *modalSlot = previous;
  return ended == IDOK || ended == IDCANCEL ? ended : -1;
}

void NoteOptionsDialog::Fill() {
  const DWORD settings[] = {options_.setting2, options_.setting1, options_.setting3};
  const int lists[] = {kNoteOptionsNewMode, kNoteOptionsExistingMode, kNoteOptionsAlarmMode};
  for (size_t each = 0; each < std::size(lists); ++each) {
    HWND list = Item(lists[each]);
    for (size_t mode = 0; mode < std::size(kModeSettings); ++mode)
      AddRow(list, ResourceText(Resources(), kStringNoteModeFirst + static_cast<unsigned>(mode)));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(ModeRow(settings[each])), 0);
  }
  for (const char16_t* zoom : kZoomTexts) AddRow(Item(kNoteOptionsZoom), zoom);
  SendMessageW(Item(kNoteOptionsZoom), CB_SETCURSEL,
               options_.zoom < std::size(kZoomTexts) ? options_.zoom : 1, 0);
  for (DWORD size : kFontSizes) AddRow(Item(kNoteOptionsFontSize), platform::FromUtf8(std::to_string(size)));
  SendMessageW(Item(kNoteOptionsFontSize), CB_SETCURSEL,
               static_cast<WPARAM>(RowOf(kFontSizes, options_.fontSize)), 0);
  std::u16string font(platform::TextView(options_.fontName, kFontNameChars));
  SetWindowTextW(Item(kNoteOptionsFont), font.c_str());
  for (size_t bit = 0; bit < std::size(kFlagChecks); ++bit)
    CheckDlgButton(Window(), kFlagChecks[bit], (options_.flags >> bit) & 1 ? BST_CHECKED : 0);
}

void NoteOptionsDialog::Accept() {
  DWORD* settings[] = {&options_.setting2, &options_.setting1, &options_.setting3};
  const int lists[] = {kNoteOptionsNewMode, kNoteOptionsExistingMode, kNoteOptionsAlarmMode};
  for (size_t each = 0; each < std::size(lists); ++each) {
    int row = Selected(Item(lists[each]));
    if (row >= 0 && row < static_cast<int>(std::size(kModeSettings))) *settings[each] = kModeSettings[row];
  }
  int zoom = Selected(Item(kNoteOptionsZoom));
  if (zoom >= 0) options_.zoom = static_cast<DWORD>(zoom);
  int size = Selected(Item(kNoteOptionsFontSize));
  if (size >= 0 && size < static_cast<int>(std::size(kFontSizes))) options_.fontSize = kFontSizes[size];
  WCHAR font[kFontNameChars + 1] = {};
  GetWindowTextW(Item(kNoteOptionsFont), font, static_cast<int>(std::size(font)));
  platform::BoundedCopy(options_.fontName, std::size(options_.fontName), platform::TextView(font));
  for (size_t bit = 0; bit < std::size(kFlagChecks); ++bit) {
    DWORD mask = DWORD{1} << bit;
    options_.flags =
        IsDlgButtonChecked(Window(), kFlagChecks[bit]) ? options_.flags | mask : options_.flags & ~mask;
  }
}

INT_PTR NoteOptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      if (modalSlot_) *modalSlot_ = Window();
      Fill();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Accept();
        EndDialog(Window(), IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(Window(), IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case kMsgModalSwitchAway:
      EndDialog(Window(), -1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
