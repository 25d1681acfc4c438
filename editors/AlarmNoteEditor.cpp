#include "editors/AlarmNoteEditor.h"

#include <iterator>
#include <vector>

#include "editors/AlarmTimeDialog.h"
#include "editors/EditorMessages.h"
#include "editors/MenuBar.h"
#include "notes/NoteName.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"
#include "text/PhraseLibrary.h"

namespace calyra {

namespace {

using namespace resources;

// Every phrase kind is offered in a note.
// From this minute on, the next full hour is less than a quarter of an hour away: the one after.
constexpr WORD kLateMinute = 46;
constexpr DWORD kFileSizeFailed = 0xFFFFFFFF;  // GetFileSize's failure
constexpr int kTitleGap = 2;                   // pixels between the title's label and its field

constexpr MenuBarImage kBarImages[] = {
    {kCommandNoteAlarm, kImageAlarm},       {kCommandTypingMode, kImageTyping},
    {kCommandViewSwitch, kImageViewSwitch}, {kCommandZoom, kImageZoom},
    {kCommandDrawingMode, kImageDrawing},   {kCommandNoteMore, kImageMore},
    {kCommandCancel, kImageCancel},         {kCommandOk, kImageOk},
};

bool InputPanelUp() {
  SIPINFO info{};
  info.cbSize = sizeof(info);
  return SipGetInfo(&info) && (info.fdwFlags & SIPF_ON);
}

// The note file's bytes are the ink control's blob; a missing or unreadable file is an empty note.
std::vector<BYTE> ReadNoteFile(const std::u16string& path) {
  std::vector<BYTE> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  DWORD size = GetFileSize(file, nullptr);
  DWORD read = 0;
  if (size != kFileSizeFailed && size > 0) {
    bytes.resize(size);
    if (!ReadFile(file, bytes.data(), size, &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  CloseHandle(file);
  return bytes;
}

// A control's rectangle in its dialog's client coordinates.
RECT RectIn(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int TextWidth(HWND window, HFONT font, const std::u16string& text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (old) SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

}  // namespace

AlarmNoteEditor::AlarmNoteEditor(NoteEditorHost& host, NoteEditorMode mode, AlarmNote note)
    : host_(host), mode_(mode), note_(std::move(note)), alarmTime_(platform::kNoDateSystemTime) {
  // Only an alarm note has an alarm time: a plain note's reads as now, which is no alarm to keep.
  if (mode_ == NoteEditorMode::NewAlarm || note_.kind == NoteKind::Alarm) alarmTime_ = note_.alarmTime;
}

SYSTEMTIME AlarmNoteEditor::NextFullHour(const SYSTEMTIME& now) {
  SYSTEMTIME next = now;
  int64_t minutes = (now.wMinute >= kLateMinute ? 120 : 60) - now.wMinute;
  platform::AddMinutes(&next, minutes);
  return next;
}

INT_PTR AlarmNoteEditor::Show(HWND owner, CalyraAlarmNote* hostNote) {
  hostNote_ = hostNote;
  HWND* modal = host_.ModalDialogSlot();
  HWND* open = host_.NoteEditorSlot();
  HWND previousModal = modal ? *modal : nullptr;
  HWND previousOpen = open ? *open : nullptr;
  INT_PTR result = Run(host_.Resources(), kDialogNoteEditor, owner);
  if (modal) *modal = previousModal;
  if (open) *open = previousOpen;
  return result;
}

void AlarmNoteEditor::Create() {
  if (HWND* modal = host_.ModalDialogSlot()) *modal = Window();
  if (HWND* open = host_.NoteEditorSlot()) *open = Window();
  CreateMenuBar();
  BuildTitleLine();
  PlaceInk();
  if (!ink_) return;
  CalyraNoteOptions options = host_.NoteOptions();
  bool reset = false;
  int percent = NoteZoomPercent(options, &reset);
  if (reset) host_.SetNoteZoom(options.zoom);
  SendMessageW(ink_, IM_SETZOOM, static_cast<WPARAM>(percent), 0);
  LoadContent();
  SwitchMode(NoteModeOf(options.setting3));
  if (mode_ == NoteEditorMode::NewPlain) {
    ToggleView();
    PostMessageW(Window(), kMsgNoteInkNotice, 0, 0);
  }
}

void AlarmNoteEditor::CreateMenuBar() {
  int menu = mode_ == NoteEditorMode::Untitled ? kMenuNoteEditorUntitled : kMenuNoteEditor;
  menuBar_ = CreateImageMenuBar(Window(), host_.Resources(), menu);
  if (menuBar_) SetMenuBarImages(menuBar_, kBarImages);
}

// "Subject: " in bold, and the title field from behind it to the dialog's right edge.
void AlarmNoteEditor::BuildTitleLine() {
  HWND label = Item(kNoteEditorTitleLabel);
  HWND title = Item(kNoteEditorTitle);
  if (mode_ == NoteEditorMode::Untitled) {
    if (label) DestroyWindow(label);
    if (title) DestroyWindow(title);
    return;
  }
  if (!label || !title) return;
  HINSTANCE resources = host_.Resources();
  HFONT font = host_.TitleLabelFont();
  std::u16string text = platform::FormatText(u"%s: ", {ResourceText(resources, kStringNoteTitleLabel)});
  SetWindowTextW(label, text.c_str());
  if (font) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  RECT client{};
  GetClientRect(Window(), &client);
  RECT labelRect = RectIn(Window(), label);
  RECT titleRect = RectIn(Window(), title);
  int labelRight = labelRect.left + TextWidth(label, font, text);
  MoveWindow(label, labelRect.left, labelRect.top, labelRight - labelRect.left,
             labelRect.bottom - labelRect.top, FALSE);
  int titleLeft = labelRight + kTitleGap;
  MoveWindow(title, titleLeft, titleRect.top, client.right - titleLeft, titleRect.bottom - titleRect.top,
             FALSE);
  std::u16string initial =
      mode_ == NoteEditorMode::NewAlarm   ? ResourceText(resources, kStringNewAlarmNoteTitle)
      : mode_ == NoteEditorMode::NewPlain ? ResourceText(resources, kStringNewPlainNoteTitle)
                                          : note_.title;
  if (initial.size() > kNoteTitleChars) initial.resize(kNoteTitleChars);
  SendMessageW(title, EM_LIMITTEXT, kNoteTitleChars, 0);
  SetWindowTextW(title, initial.c_str());
}

// The template's ink control, or one made now, fills what the title line leaves.
void AlarmNoteEditor::PlaceInk() {
  RECT client{};
  GetClientRect(Window(), &client);
  HWND title = Item(kNoteEditorTitle);
  RECT area = client;
  if (title) area.top = RectIn(Window(), title).bottom + 1;
  ink_ = Item(kNoteEditorInk);
  if (!ink_) {
    ink_ = CreateNoteInk(Window(), kNoteEditorInk, area);
    return;
  }
  MoveWindow(ink_, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
}

// Only a note that has its file has content; a new note's path is its folder alone.
void AlarmNoteEditor::LoadContent() {
  bool hasFile = mode_ == NoteEditorMode::Edit || mode_ == NoteEditorMode::Untitled;
  PutInkBlob(ink_, hasFile && !note_.fileName.empty() ? ReadNoteFile(note_.Path()) : std::vector<BYTE>());
  SendMessageW(ink_, IM_SETMODIFY, FALSE, 0);
}

// Typing brings the input panel up; a pen puts it down.
void AlarmNoteEditor::SwitchMode(NoteMode mode) {
  inputMode_ = mode;
  SetInkMode(ink_, mode);
  if (!IsPenMode(mode)) {
    SHSipPreference(Window(), SIP_UP);
  } else if (InputPanelUp()) {
    SHSipPreference(Window(), SIP_FORCEDOWN);
  }
  ShowPenButtons(IsPenMode(mode));
}

void AlarmNoteEditor::ShowPenButtons(bool pen) {
  if (!menuBar_) return;
  SendMessageW(menuBar_, TB_CHECKBUTTON, kCommandPenMode, pen ? TRUE : FALSE);
  SendMessageW(menuBar_, TB_ENABLEBUTTON, kCommandDrawingMode, pen ? TRUE : FALSE);
}

void AlarmNoteEditor::ToggleView() {
  bool drawing = SendMessageW(ink_, IM_GETVIEW, 0, 0) == static_cast<LRESULT>(IM_VIEW_DRAWING);
  SendMessageW(ink_, IM_SETVIEW, drawing ? IM_VIEW_WRITING : IM_VIEW_DRAWING, 0);
  if (menuBar_) SendMessageW(menuBar_, TB_CHECKBUTTON, kCommandViewSwitch, drawing ? FALSE : TRUE);
}

void AlarmNoteEditor::InsertPhrase() {
  if (std::optional<std::u16string> phrase = host_.SelectPhrase(Window(), kEveryPhrase))
    InsertInkText(ink_, *phrase);
}

void AlarmNoteEditor::EditAlarm() {
  SYSTEMTIME time = alarmTime_;
  if (EditAlarmTime(Window(), host_.Resources(), &time)) alarmTime_ = time;
}

std::u16string AlarmNoteEditor::TitleText() const {
  HWND title = Item(kNoteEditorTitle);
  if (!title) return note_.title;
  std::u16string text(kNoteTitleChars + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(title, text.data(), static_cast<int>(text.size()))));
  return text;
}

void AlarmNoteEditor::Save() {
  std::vector<BYTE> content = InkBlob(ink_);
  std::u16string title = TitleText();
  NoteSaveRequest request{title, alarmTime_, mode_, content};
  NoteSaveDialogs dialogs(Window(), host_.Resources(), host_.OwnModule());
  if (SaveNoteFromEditor(note_, request, dialogs, host_.Folders(), hostNote_) == NoteSaveResult::Saved) {
    Close(1);
    return;
  }
  // Refused or failed: the person corrects the title (or the time) and tries again.
  if (HWND field = Item(kNoteEditorTitle)) SetFocus(field);
}

void AlarmNoteEditor::Close(INT_PTR result) {
  if (HWND* open = host_.NoteEditorSlot(); open && *open == Window()) *open = nullptr;
  EndDialog(Window(), result);
}

// The note stays open: the host is told to let the person finish it first.
void AlarmNoteEditor::RefuseSwitchAway(LPARAM flag) {
  HINSTANCE resources = host_.Resources();
  std::u16string text = ResourceText(resources, flag ? kStringCloseNoteFirst : kStringNoteBeingEdited);
  std::u16string caption = ResourceText(resources, kStringCaption);
  MessageBoxW(Window(), text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

bool AlarmNoteEditor::RunCommand(int command) {
  switch (command) {
    case IDOK:
    case kCommandOk:
      Save();
      return true;
    case IDCANCEL:
    case kCommandCancel:
      Close(0);
      return true;
    case kCommandClearNote: {
      SendMessageW(ink_, IM_CLEARALL, 0, 0);
      SwitchMode(NoteModeOf(host_.NoteOptions().setting2));
      return true;
    }
    case kCommandViewSwitch:
      ToggleView();
      return true;
    case kCommandPaste:
      SendMessageW(ink_, WM_PASTE, 0, 0);
      return true;
    case kCommandSelectAll:
      SendMessageW(ink_, EM_SETSEL, 0, -1);
      return true;
    case kCommandInsertPhrase:
      InsertPhrase();
      return true;
    case kCommandInsertFileLink:
      InsertFileHyperlink(ink_, Window(), host_.Resources());
      return true;
    case kCommandNoteAlarm:
      EditAlarm();
      return true;
    case kCommandTypingMode:
      SwitchMode(NoteMode::Typing);
      return true;
    case kCommandPenMode:
      SwitchMode(IsPenMode(inputMode_) ? NoteMode::Typing : NoteMode::Writing);
      return true;
    case kCommandDrawingMode:
      if (IsPenMode(inputMode_))
        SwitchMode(inputMode_ == NoteMode::Drawing ? NoteMode::Writing : NoteMode::Drawing);
      return true;
    default:
      return false;
  }
}

INT_PTR AlarmNoteEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Create();
      return TRUE;
    case WM_COMMAND:
      // Menu and accelerator commands only, not the title field's notifications.
      return HIWORD(wParam) <= 1 && RunCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case kMsgNoteInputMode:
      ShowPenButtons(wParam == 2 || wParam == 3);
      return TRUE;
    case kMsgNoteAlarmNextHour: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      alarmTime_ = NextFullHour(now);
      Save();
      return TRUE;
    }
    case kMsgNoteInkNotice:
      if (ink_) SendMessageW(ink_, message, wParam, lParam);
      return TRUE;
    case kMsgModalSwitchAway:
      RefuseSwitchAway(lParam);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
