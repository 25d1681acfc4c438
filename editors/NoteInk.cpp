#include "editors/NoteInk.h"

#include <iterator>

#include "platform/text/Formatter.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/FileDialog.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

constexpr int kZoomPercent[] = {75, 100, 150, 200, 300};
constexpr DWORD kDefaultZoom = 1;
constexpr const char16_t* kHyperlinkFormat = u"%s <file:%s{%s}  >";

}  // namespace

// The literal's own zero ends the last pattern, the one written after it ends the list.
extern const char16_t kNoteFileFilter[] =
    u"Word/Notes (*.psw;*.pwi;*.rtf;*.txt)\0*.psw;*.pwi;*.rtf;*.txt\0"
    u"Excel (*.pxl)\0*.pxl\0"
    u"Keyvra Wallet (*.wal)\0*.wal\0"
    u"Images (*.bmp;*.gif;*.jpg;*.png...)\0*.bmp;*.gif;*.jpg;*.png;*.2bp\0"
    u"Sounds (*.wav)\0*.wav\0"
    u"Windows Media (*.wma)\0*.wma\0"
    u"HTML (*.htm;*.html)\0*.htm*\0"
    u"All Files (*.*)\0*.*\0";

NoteMode NoteModeOf(DWORD setting) {
  if (setting == 0) return NoteMode::Typing;
  return setting == 2 ? NoteMode::Writing : NoteMode::Drawing;
}

bool IsPenMode(NoteMode mode) {
  return mode != NoteMode::Typing;
}

void SetInkMode(HWND ink, NoteMode mode) {
  WPARAM input = mode == NoteMode::Typing    ? IM_INPUT_TYPING
                 : mode == NoteMode::Writing ? IM_INPUT_INK
                                             : IM_INPUT_DRAWING;
  SendMessageW(ink, IM_SETINPUTMODE, input, 0);
}

HWND CreateNoteInk(HWND parent, int id, const RECT& area) {
  InitInkX();
  InitRichInkDLL();
  return CreateWindowExW(0, WC_INKX, u"CY.NoteEditor", kNoteInkStyle, area.left, area.top,
                         area.right - area.left, area.bottom - area.top, parent,
                         reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

int NoteZoomPercent(CalyraNoteOptions& options, bool* reset) {
  *reset = options.zoom >= std::size(kZoomPercent);
  if (*reset) options.zoom = kDefaultZoom;
  return kZoomPercent[options.zoom];
}

std::vector<BYTE> InkBlob(HWND ink) {
  std::vector<BYTE> blob(static_cast<size_t>(SendMessageW(ink, IM_GETDATALEN, 0, 0)));
  if (blob.empty()) return blob;
  if (!SendMessageW(ink, IM_GETDATA, blob.size(), reinterpret_cast<LPARAM>(blob.data()))) blob.clear();
  return blob;
}

void PutInkBlob(HWND ink, const std::vector<BYTE>& blob) {
  if (blob.empty()) {
    SendMessageW(ink, IM_CLEARALL, 0, 0);
    return;
  }
  SendMessageW(ink, IM_SETDATA, blob.size(), reinterpret_cast<LPARAM>(blob.data()));
}

std::u16string FileHyperlinkText(const std::u16string& label, const std::u16string& path) {
  size_t slash = path.find_last_of(u"\\/");
  std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
  return platform::FormatText(kHyperlinkFormat, {label, path, name});
}

bool InsertFileHyperlink(HWND ink, HWND owner, HINSTANCE resources) {
  std::u16string path(kNoteFilePathChars, u'\0');
  std::u16string title = ResourceText(resources, resources::kStringCaption);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpstrFilter = kNoteFileFilter;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(kNoteFilePathChars);
  request.lpstrTitle = title.c_str();
  request.Flags = OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameVL(&request)) return false;
  path.resize(std::u16string_view(path.c_str()).size());
  std::u16string text = FileHyperlinkText(ResourceText(resources, resources::kStringFileLinkLabel), path);
  RICHINKLINKW link{text.c_str(), path.c_str()};
  return SendMessageW(ink, EM_INSERTLINK, 0, reinterpret_cast<LPARAM>(&link)) != FALSE;
}

void InsertInkText(HWND ink, const std::u16string& text) {
  SendMessageW(ink, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ToggleInkEffect(HWND ink, DWORD mask, DWORD effect) {
  CHARFORMATW format{};
  format.cbSize = sizeof(format);
  SendMessageW(ink, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  bool on = (format.dwMask & mask) && (format.dwEffects & effect);
  format.dwMask = mask;
  format.dwEffects = on ? 0 : effect;
  return SendMessageW(ink, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)) != FALSE;
}

}  // namespace calyra
