#include "hosts/calyra/IcsCommands.h"

#include <fstream>
#include <sstream>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/IcsExporter.h"
#include "hosts/calyra/IcsReader.h"
#include "hosts/calyra/IcsWriter.h"
#include "platform/ui/ResourceLibrary.h"
#include "store/StoreTransaction.h"

namespace calyra::host {

namespace {

std::string Line(const char* kind, ItemOid oid, const std::string& subject) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%08X", oid);
  return std::string("imported ") + kind + " " + number + " " + subject + "\n";
}

}  // namespace

int ImportCalendars(const std::vector<std::string>& files, std::FILE* out, std::FILE* err) {
  // The saves write the component's texts as the editors' do (a task reminder's labels).
  HINSTANCE resources = LoadLibraryW(u"CalyraEditorResources.dll");
  if (resources == nullptr) {
    std::fprintf(err, "calyra: the component's resources (CalyraEditorResources.dll) cannot be loaded\n");
    return kExitNoComponent;
  }
  int result = kExitDone;
  for (const std::string& file : files) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
      std::fprintf(err, "calyra: %s: cannot be read\n", file.c_str());
      result = kExitBadImportFile;
      continue;
    }
    std::stringstream text;
    text << stream.rdbuf();
    ics::CalendarRecords records;
    ics::ReadError error;
    if (!ics::ReadCalendar(text.str(), &records, &error)) {
      std::fprintf(err, "calyra: %s:%d: %s; nothing of it is imported\n", file.c_str(), error.line,
                   error.message.c_str());
      result = kExitBadImportFile;
      continue;
    }
    for (const std::string& warning : records.warnings)
      std::fprintf(err, "calyra: %s: %s\n", file.c_str(), warning.c_str());
    // One store step per file: its items are kept together or not at all.
    StoreTransaction step(StoreTransaction::Kind::Write);
    host::ImportCategories categories;
    std::string imported;
    bool saved = true;
    std::vector<std::string> skipped;
    for (const ics::AppointmentRecord& record : records.appointments) {
      ItemOid oid = saved ? ics::WriteAppointment(record, categories, resources, &skipped) : 0;
      if (saved && !oid)
        std::fprintf(err, "calyra: %s:%d: the appointment could not be saved\n", file.c_str(), record.line);
      saved = saved && oid;
      if (saved) imported += Line("appointment", oid, record.subject);
    }
    for (const ics::TaskRecord& record : records.tasks) {
      ItemOid oid = saved ? ics::WriteTask(record, categories, resources) : 0;
      if (saved && !oid)
        std::fprintf(err, "calyra: %s:%d: the task could not be saved\n", file.c_str(), record.line);
      saved = saved && oid;
      if (saved) imported += Line("task", oid, record.subject);
    }
    if (!saved || !categories.ApplyCounts() || !step.Commit()) {
      std::fprintf(err, "calyra: %s: nothing of it is imported\n", file.c_str());
      result = kExitFailed;
      continue;
    }
    for (const std::string& warning : skipped)
      std::fprintf(err, "calyra: %s: %s\n", file.c_str(), warning.c_str());
    std::fputs(imported.c_str(), out);
  }
  FreeLibrary(resources);
  return result;
}

int ExportCalendarFile(ItemKind kind, const std::string& file, std::FILE* err) {
  OutlookItems items;
  std::string error;
  if (!items.Open(nullptr, &error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitFailed;
  }
  std::string text = ics::ExportCalendar(items, kind);
  std::ofstream stream(file, std::ios::binary);
  if (!stream.write(text.data(), static_cast<std::streamsize>(text.size()))) {
    std::fprintf(err, "calyra: %s: cannot be written\n", file.c_str());
    return kExitFailed;
  }
  return kExitDone;
}

}  // namespace calyra::host
