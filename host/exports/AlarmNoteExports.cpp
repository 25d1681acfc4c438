// The alarm notes' exports: the note editor for a new or an existing note, the next full hour for
// the open one, and the alarm-time dialog over the host's window.
#include "CalyraEditor.h"
#include "editors/AlarmNoteEditor.h"
#include "editors/AlarmTimeDialog.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"

namespace {

using calyra::Component;

// The modes of CalyraEditor_NewAlarmNote.
constexpr WORD kNewAlarmNote = 0;
constexpr WORD kNewPlainNote = 1;
constexpr WORD kNextFullHour = 2;

constexpr int kTitleLabelPoints = 8;

// The note editor's view of the component.
class ComponentNoteHost : public calyra::NoteEditorHost {
 public:
  HINSTANCE Resources() const override { return Component::Process().Resources(); }
  HINSTANCE OwnModule() const override { return Component::Process().OwnModule(); }
  HFONT TitleLabelFont() const override {
    return Component::Process().DisplayFont(kTitleLabelPoints, calyra::FontCache::kBold);
  }
  calyra::AlarmNoteFolders& Folders() override { return Component::Process().noteFolders; }
  CalyraNoteOptions NoteOptions() const override {
    CalyraNoteOptions options{};
    Component::Process().Options().GetNoteOptions(&options);
    return options;
  }
  void SetNoteZoom(DWORD zoom) override { Component::Process().Options().SetNoteZoom(zoom); }
  std::optional<std::u16string> SelectPhrase(HWND owner, DWORD usage) override {
    return Component::Process().SelectPhrase(owner, usage);
  }
  HWND* ModalDialogSlot() override { return &Component::Process().modalDialog; }
  HWND* NoteEditorSlot() override { return &Component::Process().noteEditor; }
};

int RunEditor(HWND owner, calyra::NoteEditorMode mode, calyra::AlarmNote note, CalyraAlarmNote* hostNote) {
  ComponentNoteHost host;
  calyra::AlarmNoteEditor editor(host, mode, std::move(note));
  return static_cast<int>(editor.Show(owner, hostNote));
}

}  // namespace

CALYRA_API int CalyraEditor_NewAlarmNote(HWND owner, WORD mode) {
  return calyra::Guarded<int>(0, [&]() -> int {
    calyra::AlarmNote note;
    switch (mode) {
      case kNewAlarmNote:
        note.kind = calyra::NoteKind::NewAlarm;
        return RunEditor(owner, calyra::NoteEditorMode::NewAlarm, note, nullptr);
      case kNewPlainNote:
        note.kind = calyra::NoteKind::NewPlain;
        return RunEditor(owner, calyra::NoteEditorMode::NewPlain, note, nullptr);
      case kNextFullHour:
        if (HWND open = Component::Process().noteEditor; open && IsWindow(open))
          PostMessageW(open, calyra::kMsgNoteAlarmNextHour, 0, 0);
        return 1;
      default:
        return 1;
    }
  });
}

CALYRA_API int CalyraEditor_EditAlarmNote(HWND owner, CalyraAlarmNote* note) {
  return calyra::Guarded<int>(0, [&]() -> int {
    if (!note) return 0;
    return RunEditor(owner, calyra::NoteEditorMode::Edit, calyra::FromHostNote(*note), note);
  });
}

int CalyraEditor_EditAlarmNoteTime(HWND owner, SYSTEMTIME* time) {
  return calyra::Guarded<int>(0, [&]() -> int {
    if (!time) return 0;
    return calyra::EditAlarmTime(owner, calyra::Component::Process().Resources(), time) ? 1 : 0;
  });
}
