#include "hosts/calyra/IcsCommands.h"

#include <fstream>
#include <sstream>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/IcsExporter.h"
#include "hosts/calyra/IcsReader.h"
#include "hosts/calyra/IcsWriter.h"

namespace calyra::host {

int ImportCalendars(const std::vector<std::string>& files, std::FILE* out, std::FILE* err) {
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
    for (const ics::AppointmentRecord& record : records.appointments) {
      if (ItemOid oid = ics::WriteAppointment(record)) {
        std::fprintf(out, "imported appointment 0x%08X %s\n", oid, record.subject.c_str());
      } else {
        std::fprintf(err, "calyra: %s:%d: the appointment could not be saved\n", file.c_str(), record.line);
        result = kExitFailed;
      }
    }
    for (const ics::TaskRecord& record : records.tasks) {
      if (ItemOid oid = ics::WriteTask(record)) {
        std::fprintf(out, "imported task 0x%08X %s\n", oid, record.subject.c_str());
      } else {
        std::fprintf(err, "calyra: %s:%d: the task could not be saved\n", file.c_str(), record.line);
        result = kExitFailed;
      }
    }
  }
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
