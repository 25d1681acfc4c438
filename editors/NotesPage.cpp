#include "editors/NotesPage.h"

#include <iterator>

#include "editors/ContactChooser.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/MenuBar.h"
#include "editors/NoteOptionsDialog.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/shell/Shell.h"
#include "projects/Project.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/PimDatabase.h"

namespace calyra {

namespace {

using namespace resources;

// The phrase kinds offered in the notes, by the item's kind.
constexpr DWORD kPhrasesForAppointmentNotes = 0x20004;
constexpr DWORD kPhrasesForTaskNotes = 0x10004;
constexpr DWORD kPhrasesForOtherNotes = 0x40004;
constexpr double kKilobytesPerByte = 0.0009765625;
constexpr WPARAM kZoomSteps[] = {75, 100, 150, 200, 300};

// The menu bar buttons of the notes and their toolbar images.
constexpr MenuBarImage kBarImages[] = {{kCommandTypingMode, kImageTyping},
                                       {kCommandPenMode, kImagePen},
                                       {kCommandDrawingMode, kImageDrawing},
                                       {kCommandZoom, kImageZoom}};

// The format toggles: command, mask, effect.
struct EffectCommand {
  int command;
  DWORD mask;
  DWORD effect;
};
constexpr EffectCommand kEffectCommands[] = {{kCommandStrikeThrough, CFM_STRIKEOUT, CFE_STRIKEOUT},
                                             {kCommandItalic, CFM_ITALIC, CFE_ITALIC},
                                             {kCommandHighlight, CFM_HIGHLIGHT, CFE_HIGHLIGHT}};

bool InputPanelUp() {
  SIPINFO info{};
  info.cbSize = sizeof(info);
  return SipGetInfo(&info) && (info.fdwFlags & SIPF_ON);
}

}  // namespace

NotesPage::~NotesPage() {
  DestroyDialog();
}

bool NotesPage::EditsProject() const {
  return Traits().number == PageNumber::ProjectNotes;
}

// The template's ink control, or one made now, fills the page.
void NotesPage::CreateInk() {
  if (ink_ && IsWindow(ink_)) return;
  RECT client{};
  GetClientRect(GetWindow(), &client);
  ink_ = GetDlgItem(GetWindow(), kNotesInk);
  if (ink_) {
    MoveWindow(ink_, 0, 0, client.right, client.bottom, FALSE);
  } else {
    ink_ = CreateNoteInk(GetWindow(), kNotesInk, client);
  }
  rich_ = ink_ ? reinterpret_cast<HWND>(SendMessageW(ink_, IM_GETRICHWND, 0, 0)) : nullptr;
}

// A stored index of 5 or more is no zoom: the option goes back to 100 %.
void NotesPage::ApplyZoom() {
  CalyraNoteOptions options = Host().NoteOptions();
  bool reset = false;
  int percent = NoteZoomPercent(options, &reset);
  if (reset) Host().SetNoteOptions(options);
  SendMessageW(ink_, IM_SETZOOM, static_cast<WPARAM>(percent), 0);
}

// An occurrence of a series shows the series' notes; notes changed in this editor come from the
// object, others from the store.
std::vector<BYTE> NotesPage::StoredNotes() const {
  PimItem* item = context_ ? context_->item : nullptr;
  std::vector<BYTE> blob;
  if (!item) return blob;
  auto* appointment = dynamic_cast<CPIMAppointment*>(item);
  if (appointment && appointment->openedOccurrence && appointment->seriesOid) {
    ReadPimProperty(appointment->seriesOid, ItemKind::Appointment, kNotesTag, &blob);
    item->notes = blob;
    return blob;
  }
  if (item->hasNotes) return item->notes;
  if (item->oid) ReadPimProperty(item->oid, item->Kind(), kNotesTag, &blob);
  return blob;
}

void NotesPage::Load() {
  CreateInk();
  if (!ink_) return;
  ApplyZoom();
  SendMessageW(ink_, IM_CLEARALL, 0, 0);
  if (EditsProject()) {
    if (context_ && context_->projectObject)
      SendMessageW(rich_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(context_->projectObject->notes.c_str()));
  } else {
    PutInkBlob(ink_, StoredNotes());
  }
  SendMessageW(ink_, IM_SETMODIFY, FALSE, 0);
  // Note setting 1 is the mode of notes with content, setting 2 that of empty notes.
  CalyraNoteOptions options = Host().NoteOptions();
  bool empty = SendMessageW(ink_, IM_GETDATALEN, 0, 0) == 0;
  SwitchMode(NoteModeOf(empty ? options.setting2 : options.setting1));
}

// Typing brings the input panel up; a pen puts it down, and the drawing button comes with a pen.
void NotesPage::SwitchMode(NoteMode mode) {
  mode_ = mode;
  SetInkMode(ink_, mode);
  if (!IsPenMode(mode)) {
    SHSipPreference(GetWindow(), SIP_UP);
  } else if (InputPanelUp()) {
    SHSipPreference(GetWindow(), SIP_FORCEDOWN);
  }
  if (HWND bar = MenuBar()) {
    SendMessageW(bar, TB_CHECKBUTTON, kCommandPenMode, IsPenMode(mode) ? TRUE : FALSE);
    SendMessageW(bar, TB_ENABLEBUTTON, kCommandDrawingMode, IsPenMode(mode) ? TRUE : FALSE);
  }
}

void NotesPage::UpdateMenuBar() {
  if (HWND bar = MenuBar()) {
    SetMenuBarImages(bar, kBarImages);
    SendMessageW(bar, TB_CHECKBUTTON, kCommandPenMode, IsPenMode(mode_) ? TRUE : FALSE);
    SendMessageW(bar, TB_ENABLEBUTTON, kCommandDrawingMode, IsPenMode(mode_) ? TRUE : FALSE);
  }
  EditorPage::UpdateMenuBar();
}

// Notes over the item's capacity are refused with both sizes in kilobytes; the editor stays open.
bool NotesPage::StoreItemNotes() {
  PimItem& item = *context_->item;
  item.hasNotes = true;
  auto size = static_cast<DWORD>(SendMessageW(ink_, IM_GETDATALEN, 0, 0));
  DWORD capacity = item.NotesCapacity();
  if (size > capacity) {
    HINSTANCE resources = Host().Resources();
    std::u16string text = platform::FormatText(ResourceText(resources, kStringNotesTooLarge),
                                               {size * kKilobytesPerByte, capacity * kKilobytesPerByte});
    std::u16string caption = ResourceText(resources, kStringCaption);
    MessageBoxW(GetWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
    return false;
  }
  std::vector<BYTE> blob = InkBlob(ink_);
  if (blob.size() != size) {
    // The copy failed: the item keeps its notes and writes none.
    item.hasNotes = false;
    return true;
  }
  item.notes = std::move(blob);
  return true;
}

// The project keeps its notes as text, cut at its bound.
void NotesPage::StoreProjectNotes() {
  Project* project = context_->projectObject;
  if (!project || !rich_) return;
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(rich_)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(rich_, text.data(), static_cast<int>(text.size()))));
  if (text.size() > kMaxEntryText) text.resize(kMaxEntryText);
  project->notes = text;
}

bool NotesPage::Store(CloseAction) {
  if (NeedsLoad() || !context_ || !ink_) return true;
  if (EditsProject()) {
    StoreProjectNotes();
    return true;
  }
  return !context_->item || StoreItemNotes();
}

void NotesPage::Reset(CloseAction) {
  if (ink_ && IsWindow(ink_)) SendMessageW(ink_, IM_CLEARALL, 0, 0);
  MarkNeedsLoad();
}

// The phrase library is not part of this build: the host's hook answers nothing until it is.
void NotesPage::InsertPhrase() {
  ItemKind kind = context_ && context_->item ? context_->item->Kind() : ItemKind::None;
  DWORD usage = kind == ItemKind::Appointment ? kPhrasesForAppointmentNotes
                : kind == ItemKind::Task      ? kPhrasesForTaskNotes
                                              : kPhrasesForOtherNotes;
  if (std::optional<std::u16string> phrase = Host().SelectPhrase(GetWindow(), usage))
    InsertInkText(ink_, *phrase);
}

void NotesPage::InsertContact() {
  if (std::optional<ChosenContact> contact = ChooseContact(GetWindow(), Host().Resources()))
    InsertInkText(ink_, u" @ " + contact->name);
}

// The options dialog over the page; the editor goes when the host asked to switch away meanwhile.
void NotesPage::EditNoteOptions() {
  CalyraNoteOptions options = Host().NoteOptions();
  NoteOptionsDialog dialog(options);
  INT_PTR result = dialog.Show(GetWindow(), Host().Resources(), Host().ModalDialogSlot());
  if (result == IDOK) {
    Host().SetNoteOptions(options);
    ApplyZoom();
  } else if (result == -1) {
    CloseWith(CloseAction::ReturnToHost, kMsgCloseEditorNow);
  }
}

void NotesPage::NextZoom() {
  auto zoom = static_cast<WPARAM>(SendMessageW(ink_, IM_GETZOOM, 0, 0));
  size_t next = 0;
  for (size_t step = 0; step < std::size(kZoomSteps); ++step) {
    if (kZoomSteps[step] == zoom) next = (step + 1) % std::size(kZoomSteps);
  }
  SendMessageW(ink_, IM_SETZOOM, kZoomSteps[next], 0);
}

bool NotesPage::RunNoteCommand(int command) {
  for (const EffectCommand& toggle : kEffectCommands) {
    if (toggle.command != command) continue;
    ToggleInkEffect(ink_, toggle.mask, toggle.effect);
    return true;
  }
  switch (command) {
    case kCommandInsertFileLink:
      InsertFileHyperlink(ink_, GetWindow(), Host().Resources());
      return true;
    case kCommandInsertPhrase:
      InsertPhrase();
      return true;
    case kCommandInsertContact:
      InsertContact();
      return true;
    case kCommandNoteOptions:
      EditNoteOptions();
      return true;
    case kCommandTypingMode:
      SwitchMode(NoteMode::Typing);
      return true;
    case kCommandPenMode:
      SwitchMode(IsPenMode(mode_) ? NoteMode::Typing : NoteMode::Writing);
      return true;
    case kCommandDrawingMode:
      if (IsPenMode(mode_)) SwitchMode(mode_ == NoteMode::Drawing ? NoteMode::Writing : NoteMode::Drawing);
      return true;
    case kCommandZoom:
      NextZoom();
      return true;
    default:
      return RunEditCommand(command, ink_);
  }
}

INT_PTR NotesPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CreateInk();
      break;
    case WM_SIZE:
      // The ink fills the page whatever room the input panel leaves it.
      if (ink_) MoveWindow(ink_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      break;
    case kMsgFocusControl:
      // The notes take the input panel up and the focus into the ink.
      SHSipPreference(GetWindow(), SIP_UP);
      SetFocus(ink_);
      return TRUE;
    case WM_COMMAND:
      if (ink_ && HIWORD(wParam) <= 1 && RunNoteCommand(LOWORD(wParam))) return TRUE;
      break;
    default:
      break;
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
