#include "editors/PhraseSelectionDialog.h"

#include <algorithm>
#include <utility>

#include "editors/ContactChooser.h"
#include "editors/EditorMessages.h"
#include "editors/ImageStrip.h"
#include "editors/MenuBar.h"
#include "platform/core/LocalMemory.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/process/Processes.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr char16_t kPhraseEditorProgram[] = u"CalyraQuillon.exe";
constexpr int kPhraseEditorSlashes = 3;
constexpr COLORREF kHintText = RGB(0, 0, 0x99);
constexpr COLORREF kHintBackground = RGB(255, 255, 255);

unsigned FieldNameOf(DWORD filter) {
  if (filter & kPhraseSubject) return kStringPhraseFieldSubject;
  if (filter & kPhraseLocation) return kStringPhraseFieldLocation;
  if (filter & kPhraseText) return kStringPhraseFieldNotes;
  return kStringPhraseFieldText;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

std::u16string PhraseEditorPath(std::u16string_view executablePath) {
  size_t cut = 0;
  for (int slash = 0; slash < kPhraseEditorSlashes; ++slash) {
    cut = executablePath.find(u'\\', slash == 0 ? 0 : cut + 1);
    if (cut == std::u16string_view::npos) return {};
  }
  return std::u16string(executablePath.substr(0, cut + 1)) + kPhraseEditorProgram;
}

PhraseSelectionDialog::~PhraseSelectionDialog() {
  if (images_) ImageList_Destroy(images_);
  if (hintBrush_) DeleteObject(hintBrush_);
  LocalFree(text_);
}

bool PhraseSelectionDialog::Show(HWND owner, HINSTANCE resources, DWORD filter, CEOID& contact,
                                 char16_t*& text, HWND* modalSlot) {
  filter_ = filter;
  contact_ = contact;
  modalSlot_ = modalSlot;
  HWND previous = modalSlot ? *modalSlot : nullptr;
  INT_PTR ended = Run(resources, kDialogPhraseSelection, owner);
  if (modalSlot) *modalSlot = previous;
  if (ended != IDOK) return false;
  contact = contact_;
  text = std::exchange(text_, nullptr);
  return true;
}

INT_PTR PhraseSelectionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Init();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) EndDialog(Window(), IDCANCEL);
      if (LOWORD(wParam) == kCommandEditPhrases) StartPhraseEditor();
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == static_cast<UINT_PTR>(kPhraseList) && header.code == LVN_ITEMACTIVATE)
        Choose(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      return FALSE;
    }
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETSIPINFO) SHHandleWMSettingChange(Window(), wParam, lParam, nullptr);
      return TRUE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return HintColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case kMsgModalSwitchAway:  // the host switches away: nothing is chosen
      EndDialog(Window(), IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

void PhraseSelectionDialog::Init() {
  if (modalSlot_) *modalSlot_ = Window();
  SHINITDLGINFO init{SHIDIM_FLAGS, Window(), SHIDIF_SIZEDLGFULLSCREEN};
  SHInitDialog(&init);
  CreateImageMenuBar(Window(), Resources(), kMenuPhraseSelection);
  std::u16string field = ResourceText(Resources(), FieldNameOf(filter_));
  std::u16string title =
      platform::FormatText(ResourceText(Resources(), kStringPhraseSelectionTitle), {field});
  SetDlgItemTextW(Window(), kPhraseTitle, title.c_str());
  hintBrush_ = CreateSolidBrush(kHintBackground);
  HWND list = Item(kPhraseList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
  images_ = LoadImageStrip(Resources(), kBitmapItemIcons, kBitmapItemIconsLarge, kItemImageCount);
  ListView_SetImageList(list, images_, LVSIL_SMALL);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  ListView_InsertColumn(list, 0, &column);
  Fill();
  Layout();
  SetFocus(list);
}

void PhraseSelectionDialog::Fill() {
  LoadPhraseLibrary(library_, kPhraseFileName);
  HWND list = Item(kPhraseList);
  for (size_t index = 0; index < library_.phrases.size(); ++index) {
    const Phrase& phrase = library_.phrases[index];
    if (!PhraseSuits(phrase.usage, filter_)) continue;
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(listed_.size());
    item.pszText = const_cast<WCHAR*>(phrase.title.c_str());
    item.iImage = ContainsContactCode(phrase.text) ? kItemImageContact : kItemImagePhrase;
    if (ListView_InsertItem(list, &item) >= 0) listed_.push_back(index);
  }
}

// The list fills the dialog between the title and the hint, which keeps to the bottom.
void PhraseSelectionDialog::Layout() {
  HWND list = Item(kPhraseList);
  HWND hint = Item(kPhraseHint);
  if (!list || !hint) return;
  RECT client{};
  GetClientRect(Window(), &client);
  RECT listRect = ChildRect(Window(), list);
  RECT hintRect = ChildRect(Window(), hint);
  int hintHeight = hintRect.bottom - hintRect.top;
  int gap = std::max(0, static_cast<int>(hintRect.top - listRect.bottom));
  int hintTop = std::max(static_cast<int>(listRect.top), static_cast<int>(client.bottom) - hintHeight - gap);
  MoveWindow(hint, hintRect.left, hintTop, hintRect.right - hintRect.left, hintHeight, TRUE);
  MoveWindow(list, listRect.left, listRect.top, listRect.right - listRect.left,
             std::max(0, hintTop - gap - static_cast<int>(listRect.top)), TRUE);
  FitColumn();
}

// The column takes the list's width, less a scroll bar's when the rows do not fit on one page.
void PhraseSelectionDialog::FitColumn() {
  HWND list = Item(kPhraseList);
  RECT client{};
  GetClientRect(list, &client);
  int width = client.right - client.left;
  if (ListView_GetItemCount(list) > ListView_GetCountPerPage(list)) width -= GetSystemMetrics(SM_CXVSCROLL);
  ListView_SetColumnWidth(list, 0, std::max(0, width));
}

void PhraseSelectionDialog::Choose(int row) {
  if (row < 0 || static_cast<size_t>(row) >= listed_.size()) return;
  const Phrase& phrase = library_.phrases[listed_[static_cast<size_t>(row)]];
  if (contact_ == 0 && ContainsContactCode(phrase.text)) {
    std::optional<ChosenContact> chosen = ChooseContact(Window(), Resources());
    if (!chosen) return;  // the person may pick another phrase or cancel
    contact_ = chosen->oid;
  }
  LocalFree(text_);
  text_ = ExpandPhrase(phrase.text.c_str(), contact_, openContact_, values_);
  EndDialog(Window(), IDOK);
}

void PhraseSelectionDialog::StartPhraseEditor() {
  WCHAR module[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::u16string program = PhraseEditorPath(std::u16string_view(module, length));
  if (!program.empty()) {
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                       &started)) {
      CloseHandle(started.hThread);
      CloseHandle(started.hProcess);
    }
  }
  EndDialog(Window(), IDCANCEL);
}

INT_PTR PhraseSelectionDialog::HintColour(HWND control, HDC dc) {
  if (control != Item(kPhraseHint)) return FALSE;
  SetTextColor(dc, kHintText);
  SetBkColor(dc, kHintBackground);
  return reinterpret_cast<INT_PTR>(hintBrush_);
}

}  // namespace calyra
