#include "hosts/calyra/JournalCommands.h"

#include <optional>
#include <vector>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "hosts/calyra/PersonSession.h"
#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

std::string TimeText(const SYSTEMTIME& time) {
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                time.wMinute);
  return text;
}

// One line per entry: a line break of the text would start another.
std::string OneLine(const std::u16string& text) {
  std::string line;
  for (char c : platform::ToUtf8(text)) {
    if (c == '\r') continue;
    line += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return line;
}

std::string EntryLine(const JournalEntry& entry) {
  char item[16];
  std::snprintf(item, sizeof item, "0x%08X", static_cast<unsigned>(entry.item));
  return TimeText(entry.time) + "  " + std::to_string(entry.entryType) + "  " + item + "  " +
         OneLine(entry.text) + "\n";
}

void WriteJson(const std::vector<JournalEntry>& entries, std::FILE* out) {
  JsonWriter json;
  json.BeginArray();
  for (const JournalEntry& entry : entries) {
    json.BeginObject();
    json.Key("time");
    json.String(platform::FromUtf8(TimeText(entry.time)));
    json.Key("type");
    json.Number(entry.entryType);
    json.Key("item");
    json.Number(entry.item);
    json.Key("text");
    json.String(entry.text);
    json.EndObject();
  }
  json.EndArray();
  std::fputs(json.Text().c_str(), out);
}

// The journal's entries; none without a file (which reading does not make), nothing for a file that
// is not a journal.
std::optional<std::vector<JournalEntry>> ReadJournal() {
  std::u16string path = EditorSession::JournalPath();
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::vector<JournalEntry>{};
  return JournalFile(path).LoadAll();
}

void TellNotAJournal(std::FILE* err) {
  std::fprintf(err, "calyra: %s is not a journal file\n",
               platform::ToUtf8(EditorSession::JournalPath()).c_str());
}

}  // namespace

int ListJournal(ListingFormat format, std::FILE* out, std::FILE* err) {
  std::optional<std::vector<JournalEntry>> entries = ReadJournal();
  if (!entries) {
    TellNotAJournal(err);
    return kExitFailed;
  }
  if (format == ListingFormat::kJson) {
    WriteJson(*entries, out);
    return kExitDone;
  }
  for (const JournalEntry& entry : *entries) std::fputs(EntryLine(entry).c_str(), out);
  return kExitDone;
}

int AddJournalText(const EditorLibrary& library, const std::u16string& text, std::FILE* out, std::FILE* err) {
  std::optional<std::vector<JournalEntry>> before = ReadJournal();
  if (!before) {
    TellNotAJournal(err);
    return kExitFailed;
  }
  platform::ScriptedUserAgent person;
  person.ExpectDialog(resources::kDialogJournalEntry).Type(resources::kJournalEntryText, text).Click(IDOK);
  int result = RunWithPerson(
      library, person,
      [&](EditorSession& session) {
        std::fprintf(out, "calling CalyraEditor_AddJournalEntryCustom\n");
        std::fflush(out);
        std::fprintf(out, "result: %d\n", session.Exports().addJournalEntryCustom(session.Host().Handle()));
        return kExitDone;
      },
      out, err);
  if (result != kExitDone) return result;
  std::optional<std::vector<JournalEntry>> after = ReadJournal();
  if (!after || after->size() <= before->size()) {
    std::fprintf(err, "calyra: nothing was written to the journal (an empty text writes nothing)\n");
    return kExitFailed;
  }
  std::fprintf(out, "written: %s", EntryLine(after->back()).c_str());
  return kExitDone;
}

int ExportJournal(const EditorLibrary& library, std::FILE* out, std::FILE* err) {
  if (!ReadJournal()) {
    TellNotAJournal(err);  // the window would not open
    return kExitFailed;
  }
  platform::ScriptedUserAgent person;
  person.ExpectDialog(resources::kDialogJournal).Click(resources::kJournalExport).Click(IDOK);
  person.ExpectMessageBoxString(resources::kStringJournalExported, IDOK);
  int result = RunWithPerson(
      library, person,
      [&](EditorSession& session) {
        std::fprintf(out, "calling CalyraEditor_OpenJournal\n");
        std::fflush(out);
        std::fprintf(out, "result: %d\n", session.Exports().openJournal(session.Host().Handle()));
        return kExitDone;
      },
      out, err);
  if (result != kExitDone) return result;
  std::fprintf(out, "the text file: %s\n",
               platform::ToUtf8(JournalFile::ExportPath(EditorSession::JournalPath())).c_str());
  return kExitDone;
}

}  // namespace calyra::host
