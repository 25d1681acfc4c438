#include "hosts/calyra/ProjectTour.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/ProjectCommands.h"
#include "hosts/calyra/ReportCommand.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "projects/Project.h"
#include "projects/ProjectReport.h"
#include "projects/ReportTexts.h"

namespace calyra::host {

namespace {

constexpr char16_t kPlanFile[] = u"\\My Documents\\Kitchen plan.txt";
constexpr char kPlanText[] = "Cupboards along the north wall; tiles up to the window.";

bool WritePlan() {
  CreateDirectoryW(u"\\My Documents", nullptr);
  HANDLE file =
      CreateFileW(kPlanFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, kPlanText, sizeof kPlanText - 1, &written, nullptr);
  CloseHandle(file);
  return true;
}

// Today at that time, as `separator` joins a date and a time in the command or script.
std::string Today(int hour, int minute, char separator = 'T') {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char text[48];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u%c%02d:%02d", now.wYear, now.wMonth, now.wDay, separator,
                hour, minute);
  return text;
}

int Run(const std::vector<std::string>& words, std::FILE* out) {
  std::fprintf(out, "  calyra");
  for (const std::string& word : words) std::fprintf(out, " %s", word.c_str());
  std::fprintf(out, ":\n");
  std::fflush(out);
  return RunProjectCommand(words, ListingFormat::kText, out, out);
}

}  // namespace

CEOID RunProjectTour(EditorSession& session, CEOID task, std::FILE* out) {
  std::fprintf(out, "\nprojects: Kitchen with the sub-project Tiles\n");
  bool done = Run({"project", "new", "Kitchen"}, out) == 0;
  // Projects are told apart by an identifier made from the clock's second: the next is made a second on.
  platform::AdvanceSystemClock(1);
  done &= Run({"project", "new", "Tiles", "Kitchen"}, out) == 0;
  CEOID kitchen = FindProject("Kitchen", out);
  const EditorExports& e = session.Exports();
  int addedTask =
      kitchen ? e.addItemToProject2(session.Host().Handle(), kitchen, 0, task, nullptr, nullptr) : 0;
  std::fprintf(out, "  CalyraEditor_AddItemToProject2 with the task 0x%08X: %d\n", task, addedTask);
  int addedFile = kitchen && WritePlan()
                      ? e.addItemToProject2(session.Host().Handle(), kitchen, 0, 0, nullptr, kPlanFile)
                      : 0;
  std::fprintf(out, "  CalyraEditor_AddItemToProject2 with %s: %d\n", platform::ToUtf8(kPlanFile).c_str(),
               addedFile);
  done &= Run({"project", "time", "Tiles", Today(9, 0), Today(10, 30), "Choosing tiles"}, out) == 0;
  done &= Run({"projects"}, out) == 0;
  return done && addedTask && addedFile ? kitchen : 0;
}

std::string KitchenEditorScript() {
  return "type 1701 40\ntab 3\ndialog 1212\ntype 1750 Measuring up\ndate 1753 " + Today(8, 0, ' ') +
         "\ndate 1754 " + Today(8, 45, ' ') + "\ndate 1755 " + Today(8, 45, ' ') +
         "\ndump\nok\nend\nclick 1740\ntab 0\n";
}

int RunReportTour(EditorSession& session, CEOID project, std::FILE* out) {
  std::fprintf(out, "\nthe project report of Kitchen\n");
  Project kitchen;
  if (!kitchen.Load(project)) return 1;
  std::optional<std::u16string> path = ProjectReport(session.Resources()).WriteReportFile(kitchen);
  std::optional<std::filesystem::path> host = path ? platform::HostPathOf(*path) : std::nullopt;
  if (!host) {
    std::fprintf(out, "  the report could not be written\n");
    return 1;
  }
  std::ifstream in(*host, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::fprintf(out, "  written to %s; its text:\n%s\n", platform::ToUtf8(*path).c_str(),
               ReportPlainText(bytes.str()).c_str());
  return 0;
}

}  // namespace calyra::host
