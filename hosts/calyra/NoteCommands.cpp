#include "hosts/calyra/NoteCommands.h"

#include <string>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "hosts/calyra/NoteFile.h"
#include "notes/NoteListing.h"
#include "notes/NoteName.h"
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

}  // namespace calyra::host
