#include "hosts/calyra/NoteCommands.h"

#include <string>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "hosts/calyra/NoteFile.h"
#include "notes/AlarmNoteActions.h"
#include "notes/NoteListing.h"
#include "notes/NoteName.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"

namespace calyra::host {

namespace {

std::string TimeText(const SYSTEMTIME& time) {
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                time.wMinute);
  return text;
}

bool IsAlarm(const AlarmNote& note) {
  return note.kind == NoteKind::Alarm;
}

void WriteJson(const std::vector<AlarmNote>& notes, std::FILE* out) {
  JsonWriter json;
  json.BeginArray();
  for (const AlarmNote& note : notes) {
    json.BeginObject();
    json.Key("title");
    json.String(note.title);
    json.Key("kind");
    json.String(IsAlarm(note) ? u"alarm" : u"plain");
    json.Key("alarmTime");
    if (IsAlarm(note) && IsValidNoteTime(note.alarmTime) && note.alarmTime.wYear > 1900) {
      std::string time = TimeText(note.alarmTime);
      json.String(std::u16string(time.begin(), time.end()));
    } else {
      json.Null();
    }
    json.Key("handle");
    json.Number(note.notification);
    json.Key("path");
    json.String(note.Path());
    json.Key("text");
    json.String(NoteFileText(note.Path()).value_or(u""));
    json.EndObject();
  }
  json.EndArray();
  std::fputs(json.Text().c_str(), out);
}

}  // namespace

int ListNoteFiles(ListingFormat format, std::FILE* out) {
  AlarmNoteFolders folders;
  std::vector<AlarmNote> notes = ListNotes(folders);
  if (format == ListingFormat::kJson) {
    WriteJson(notes, out);
    return kExitDone;
  }
  for (const AlarmNote& note : notes) {
    std::string when = !IsAlarm(note)                 ? "plain note      "
                       : note.alarmTime.wYear <= 1900 ? "no alarm        "
                                                      : TimeText(note.alarmTime) + "  ";
    char handle[24] = "no handle";
    if (note.notification)
      std::snprintf(handle, sizeof handle, "0x%08X", static_cast<unsigned>(note.notification));
    std::fprintf(out, "%s %-10s  %s  %s\n", when.c_str(), handle, platform::ToUtf8(note.title).c_str(),
                 platform::ToUtf8(note.Path()).c_str());
  }
  return kExitDone;
}

int EditNoteFile(const EditorLibrary& library, const std::u16string& path, const ScriptInput& script,
                 std::FILE* in, std::FILE* out, std::FILE* err) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fprintf(err, "calyra: no note file at %s\n", platform::ToUtf8(path).c_str());
    return kExitFailed;
  }
  auto edit =
      reinterpret_cast<decltype(&CalyraEditor_EditAlarmNote)>(library.Find("CalyraEditor_EditAlarmNote"));
  if (edit == nullptr) {
    std::fprintf(err, "calyra: the component does not export CalyraEditor_EditAlarmNote\n");
    return kExitNoComponent;
  }
  AlarmNote note;
  RecogniseNote(note, path);
  CalyraAlarmNote record = ToHostNote(note);
  int result = 0;
  int exitCode = RunInSession(
      library, script,
      [&](EditorSession& session) {
        std::fprintf(out, "calling CalyraEditor_EditAlarmNote\n");
        std::fflush(out);
        result = edit(session.Host().Handle(), &record);
        std::fprintf(out, "result: %d\nthe note: %s\n", result, platform::ToUtf8(record.path).c_str());
        session.Pump();
        std::fflush(out);
      },
      in, out, err);
  return exitCode;
}

}  // namespace calyra::host
