#include "notes/NoteSave.h"

#include "notes/AlarmNoteActions.h"
#include "notes/NoteName.h"
#include "platform/files/FileSystem.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

INT_PTR QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  int id = LOWORD(wParam);
  if (id == IDYES || id == IDNO || id == IDCANCEL) EndDialog(dialog, id == IDYES ? IDYES : IDNO);
  return TRUE;
}

bool WriteContent(const std::u16string& path, std::span<const BYTE> content) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = content.empty() ||
            (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
             written == content.size());
  CloseHandle(file);
  return ok;
}

// Whether the file's name has to change. A plain note's time is no alarm, so only its title counts.
bool Changed(const AlarmNote& opened, NoteKind kind, const std::u16string& title, const SYSTEMTIME& time) {
  if (kind != opened.kind || title != opened.title) return true;
  return kind == NoteKind::Alarm && !SameNoteMinute(time, opened.alarmTime);
}

NoteSaveResult SaveEdited(AlarmNote& note, NoteKind kind, const std::u16string& title, const SYSTEMTIME& time,
                          std::span<const BYTE> content, AlarmNoteFolders& folders,
                          CalyraAlarmNote* hostNote) {
  std::u16string path = note.Path();
  if (!WriteContent(path, content)) return NoteSaveResult::Failed;
  if (!Changed(note, kind, title, time)) return NoteSaveResult::Saved;
  AlarmNote opened = note;
  note.kind = kind;
  note.title = title;
  note.alarmTime = time;
  bool applied = ApplyNoteChanges(note, path, opened, folders);
  if (hostNote) *hostNote = ToHostNote(note);
  return applied ? NoteSaveResult::Saved : NoteSaveResult::Failed;
}

NoteSaveResult SaveNew(AlarmNote& note, NoteKind kind, const std::u16string& title, const SYSTEMTIME& time,
                       std::span<const BYTE> content, AlarmNoteFolders& folders) {
  std::u16string target = kind == NoteKind::Alarm ? BuildNoteName(folders.AlarmNotes(), title, time, 0)
                                                  : PlainNotePath(folders.Documents(), title);
  if (target.empty()) return NoteSaveResult::Failed;
  std::u16string path = MakeUniqueName(target).path;
  note.SetNotePath(path);
  note.kind = kind;
  if (!WriteContent(path, content)) return NoteSaveResult::Failed;
  RecogniseNote(note, path);
  return NoteSaveResult::Saved;
}

}  // namespace

void NoteSaveDialogs::RefuseTitle() {
  std::u16string text = ResourceText(resources_, resources::kStringNoteTitleInvalid);
  std::u16string caption = ResourceText(resources_, resources::kStringCaption);
  MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool NoteSaveDialogs::SaveWithoutAlarm() {
  return DialogBoxParamW(ownModule_, MAKEINTRESOURCEW(resources::kPlainNoteQuestionDialog), owner_,
                         &QuestionProc, 0) == IDYES;
}

std::optional<std::u16string> NoteTitleOf(std::u16string_view titleText) {
  std::u16string_view title = titleText.substr(0, kNoteTitleChars);
  size_t first = title.find_first_not_of(u" \t");
  title = first == std::u16string_view::npos ? std::u16string_view() : title.substr(first);
  if (title.find_first_of(kTitleForbiddenChars) != std::u16string_view::npos) return std::nullopt;
  return std::u16string(title);
}

NoteSaveResult SaveNoteFromEditor(AlarmNote& note, const NoteSaveRequest& request,
                                  NoteSaveQuestions& questions, AlarmNoteFolders& folders,
                                  CalyraAlarmNote* hostNote) {
  auto title = NoteTitleOf(request.titleText);
  if (!title) {
    questions.RefuseTitle();
    return NoteSaveResult::Refused;
  }
  NoteKind kind = NoteKind::Alarm;
  if (!IsValidNoteTime(request.alarmTime)) {
    // No keeps the editor open so the person can give a time.
    if (!questions.SaveWithoutAlarm()) return NoteSaveResult::Refused;
    kind = NoteKind::Plain;
  }
  if (request.mode == NoteEditorMode::Edit)
    return SaveEdited(note, kind, *title, request.alarmTime, request.content, folders, hostNote);
  return SaveNew(note, kind, *title, request.alarmTime, request.content, folders);
}

}  // namespace calyra
