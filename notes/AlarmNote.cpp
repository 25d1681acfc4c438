#include "notes/AlarmNote.h"

#include <cstddef>

#include "notes/NoteName.h"
#include "platform/text/Text.h"

// The host's record keeps its layout byte for byte.
static_assert(offsetof(CalyraAlarmNote, folder) == 520);
static_assert(offsetof(CalyraAlarmNote, title) == 1040);
static_assert(offsetof(CalyraAlarmNote, alarmText) == 1552);
static_assert(offsetof(CalyraAlarmNote, kind) == 1680);
static_assert(offsetof(CalyraAlarmNote, alarmTime) == 1684);
static_assert(offsetof(CalyraAlarmNote, path) == 1700);
static_assert(offsetof(CalyraAlarmNote, notification) == 2220);
static_assert(offsetof(CalyraAlarmNote, listText) == 2224);
static_assert(sizeof(CalyraAlarmNote) == 2744);

namespace calyra {

namespace {

template <size_t N>
void CopyText(WCHAR (&buffer)[N], std::u16string_view text) {
  platform::BoundedCopy(buffer, N, text);
}

template <size_t N>
std::u16string TextOf(const WCHAR (&buffer)[N]) {
  return std::u16string(platform::TextView(buffer, N));
}

}  // namespace

std::u16string AlarmNote::Path() const {
  std::u16string path = folder + fileName;
  if (path.size() >= MAX_PATH) path.resize(MAX_PATH - 1);
  return path;
}

void AlarmNote::SetNotePath(std::u16string_view path) {
  size_t slash = path.rfind(u'\\');
  size_t split = slash == std::u16string_view::npos ? 0 : slash + 1;
  folder = std::u16string(path.substr(0, split));
  fileName = std::u16string(path.substr(split));
}

bool AlarmNote::ReadNoteName(std::u16string_view name) {
  auto read = ParseNoteName(name);
  if (!read) return false;
  if (read->hasTime) {
    alarmTime = read->time;
  } else {
    alarmTime = CurrentLocalTime();
    alarmText.clear();
  }
  notification = read->handle;
  title = std::move(read->title);
  return true;
}

CalyraAlarmNote ToHostNote(const AlarmNote& note) {
  CalyraAlarmNote record{};
  CopyText(record.fileName, note.fileName);
  CopyText(record.folder, note.folder);
  CopyText(record.title, std::u16string_view(note.title).substr(0, kNoteTitleChars));
  CopyText(record.alarmText, note.alarmText);
  record.kind = static_cast<DWORD>(note.kind);
  record.alarmTime = note.alarmTime;
  CopyText(record.path, note.Path());
  record.notification = note.notification;
  CopyText(record.listText, note.listText);
  return record;
}

AlarmNote FromHostNote(const CalyraAlarmNote& record) {
  AlarmNote note;
  note.fileName = TextOf(record.fileName);
  note.folder = TextOf(record.folder);
  // A host that filled in the path alone still names its file.
  if (note.fileName.empty() && note.folder.empty()) note.SetNotePath(TextOf(record.path));
  note.title = TextOf(record.title).substr(0, kNoteTitleChars);
  note.alarmText = TextOf(record.alarmText);
  note.kind = static_cast<NoteKind>(record.kind);
  note.alarmTime = record.alarmTime;
  note.notification = record.notification;
  note.listText = TextOf(record.listText);
  return note;
}

}  // namespace calyra
