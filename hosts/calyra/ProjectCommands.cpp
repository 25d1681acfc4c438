#include "hosts/calyra/ProjectCommands.h"

#include <memory>
#include <optional>

#include "hosts/calyra/CallArguments.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectDates.h"
#include "projects/ProjectStore.h"
#include "projects/ProjectTree.h"
#include "projects/TimeRecordEntry.h"
#include "store/ItemIdentity.h"

namespace calyra::host {

namespace {

constexpr char16_t kCompleteMark[] = u"Complete";

std::string Hex(ItemOid oid) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", oid);
  return text;
}

std::string DateText(const SYSTEMTIME& date) {
  if (date.wYear < 1900 || date.wYear > 2999) return "";
  char text[48];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u", date.wYear, date.wMonth, date.wDay, date.wHour,
                date.wMinute);
  return text;
}

void DateOrNull(JsonWriter& json, const SYSTEMTIME& date) {
  std::string text = DateText(date);
  if (text.empty()) {
    json.Null();
  } else {
    json.String(platform::FromUtf8(text));
  }
}

// Every project of the project database: record and name.
std::vector<std::pair<ItemOid, std::u16string>> AllProjects() {
  std::vector<std::pair<ItemOid, std::u16string>> projects;
  ProjectDatabase database;
  if (!database.Exists(ProjectDatabase::Name()) || !database.Open(kEntryTypeTag)) return projects;
  PropertyValue type = PropertyValue::Integer(kEntryTypeTag, static_cast<DWORD>(ProjectEntryType::Project));
  for (bool found = database.SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, type); found;
       found = database.SeekValue(CEDB_SEEK_VALUENEXTEQUAL, type)) {
    Record values;
    values.Request(kNameTag);
    if (!database.ReadRecord(values)) break;
    const PropertyValue* name = values.Find(kNameTag);
    projects.emplace_back(values.Oid(), name ? name->AsString() : std::u16string());
  }
  return projects;
}

void PrintTree(const Project& project, int depth, const SYSTEMTIME& today, std::FILE* out) {
  std::fprintf(out, "%s  %*s%s\n", Hex(project.Record()).c_str(), depth * 2, "",
               platform::ToUtf8(ProjectDisplayLabel(project, today, kCompleteMark)).c_str());
  for (const auto& child : project.children) {
    if (child->entryType == ProjectEntryType::Project)
      PrintTree(static_cast<const Project&>(*child), depth + 1, today, out);
  }
}

void WriteJson(JsonWriter& json, const Project& project, ItemOid parent, const SYSTEMTIME& today) {
  json.BeginObject();
  json.Key("oid");
  json.Number(project.Record());
  json.Key("name");
  json.String(project.name);
  json.Key("label");
  json.String(ProjectDisplayLabel(project, today, kCompleteMark));
  json.Key("parent");
  if (parent) {
    json.Number(parent);
  } else {
    json.Null();
  }
  json.Key("start");
  DateOrNull(json, project.startDate);
  json.Key("end");
  DateOrNull(json, project.endDate);
  json.Key("percentComplete");
  json.Number(project.percentComplete);
  json.Key("complete");
  json.Bool(project.IsComplete());
  json.EndObject();
  for (const auto& child : project.children) {
    if (child->entryType == ProjectEntryType::Project)
      WriteJson(json, static_cast<const Project&>(*child), project.Record(), today);
  }
}

int ListProjects(ListingFormat format, std::FILE* out) {
  std::vector<std::unique_ptr<Project>> projects = LoadProjectTree();
  SYSTEMTIME today{};
  GetLocalTime(&today);
  if (format == ListingFormat::kJson) {
    JsonWriter json;
    json.BeginArray();
    for (const auto& project : projects) WriteJson(json, *project, 0, today);
    json.EndArray();
    std::fputs(json.Text().c_str(), out);
    return kExitDone;
  }
  for (const auto& project : projects) PrintTree(*project, 0, today, out);
  return kExitDone;
}

// A top-level project, or with PARENT a sub-project of that project.
int NewProject(const std::vector<std::string>& words, std::FILE* out, std::FILE* err) {
  ItemOid parent = words.size() == 4 ? FindProject(words[3], err) : 0;
  if (words.size() == 4 && !parent) return kExitBadOid;
  std::unique_ptr<ProjectEntry> project = CreateProjectEntry(ProjectEntryType::Project, parent);
  const std::string& name = words[2];
  project->name = platform::FromUtf8(name).substr(0, kMaxEntryText);
  ItemOid record = project->Save();
  if (!record) {
    std::fprintf(err, "calyra: the project could not be written\n");
    return kExitFailed;
  }
  std::fprintf(out, "project %s: %s\n", Hex(record).c_str(), name.c_str());
  return kExitDone;
}

int BookTime(const std::vector<std::string>& words, std::FILE* out, std::FILE* err) {
  ItemOid project = FindProject(words[2], err);
  if (!project) return kExitBadOid;
  std::unique_ptr<ProjectEntry> owner = LoadProjectEntry(project);
  std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::TimeRecord, project);
  auto& record = static_cast<TimeRecordEntry&>(*entry);
  record.startDate = WholeMinute(*ParseDate(words[3]));
  record.endDate = WholeMinute(*ParseDate(words[4]));
  record.bookedOn = owner->projectId;
  if (words.size() == 6) record.name = platform::FromUtf8(words[5]).substr(0, kMaxEntryText);
  ItemOid written = record.Save();
  if (!written) {
    std::fprintf(err, "calyra: the time record could not be written\n");
    return kExitFailed;
  }
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::fprintf(out, "time record %s: %ld minutes on %s\n", Hex(written).c_str(),
               static_cast<long>(record.DurationMinutes(now)), platform::ToUtf8(owner->name).c_str());
  return kExitDone;
}

}  // namespace

// The project's record: the oid of a project's record, else the one project of that name (ignoring
// case). 0, told, when there is none or more than one.
ItemOid FindProject(const std::string& word, std::FILE* err) {
  // Looking does not make the database on a device that has none.
  bool stored = ProjectDatabase().Exists(ProjectDatabase::Name());
  std::optional<CEOID> oid = ParseOid(word);
  if (stored && oid && ReadEntryType(*oid) == ProjectEntryType::Project) return *oid;
  std::u16string name = platform::FromUtf8(word);
  std::vector<ItemOid> named;
  for (const auto& [record, projectName] : AllProjects()) {
    if (platform::EqualsNoCase(projectName, name)) named.push_back(record);
  }
  if (named.size() == 1) return named[0];
  if (named.empty()) {
    std::fprintf(err, "calyra: no project has the oid or name \"%s\"\n", word.c_str());
    return 0;
  }
  std::fprintf(err, "calyra: %zu projects are named \"%s\"; give one's oid:", named.size(), word.c_str());
  for (ItemOid record : named) std::fprintf(err, " 0x%08X", record);
  std::fprintf(err, "\n");
  return 0;
}

bool IsProjectCommand(const std::string& name) {
  return name == "projects" || name == "project";
}

bool IsProjectCall(const std::vector<std::string>& words) {
  return words[0] == "project" && words.size() > 1 && (words[1] == "add" || words[1] == "pick");
}

bool IsProjectEdit(const std::vector<std::string>& words) {
  return words[0] == "project" && words.size() == 3 && words[1] == "edit";
}

std::string CheckProjectCommand(const std::vector<std::string>& words) {
  if (words[0] == "projects") return words.size() == 1 ? "" : "projects takes no words";
  std::string form = words.size() > 1 ? words[1] : "";
  size_t count = words.size();
  if (form == "new" && (count == 3 || count == 4)) return "";
  if (form == "add" && count == 4) return "";
  if (form == "pick" && count == 3) return "";
  if (form == "edit" && count == 3) return "";
  if (form == "time" && (count == 5 || count == 6)) {
    if (!ParseDate(words[3]) || !ParseDate(words[4]))
      return "project time takes START and END as 2026-03-05T09:30";
    return "";
  }
  return "project new NAME [PARENT], project add PROJECT OID|PATH, project pick OID|PATH, project edit "
         "PROJECT, or project time PROJECT START END [NAME]";
}

int ProjectCallWords(const std::vector<std::string>& words, std::vector<std::string>* call, std::FILE* err) {
  const std::string& what = words.back();
  std::optional<CEOID> item = ParseOid(what);
  // A word that reads as an oid is an item; anything else is a file's path on the device.
  std::string itemWord = item ? Hex(*item) : "0";
  std::string fileWord = item ? "null" : what;
  if (words[1] == "pick") {
    *call = {"AddItemToProject", "host", "0", "null", itemWord, "null", fileWord};
    return kExitDone;
  }
  ItemOid project = FindProject(words[2], err);
  if (!project) return kExitBadOid;
  *call = {"AddItemToProject2", "host", Hex(project), "0", itemWord, "null", fileWord};
  return kExitDone;
}

int RunProjectCommand(const std::vector<std::string>& words, ListingFormat format, std::FILE* out,
                      std::FILE* err) {
  if (words[0] == "projects") return ListProjects(format, out);
  if (words[1] == "new") return NewProject(words, out, err);
  return BookTime(words, out, err);
}

}  // namespace calyra::host
