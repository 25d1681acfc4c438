#include "hosts/calyra/ReportCommand.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/ProjectCommands.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectReport.h"
#include "projects/ProjectStore.h"
#include "projects/ReportTexts.h"

namespace calyra::host {

namespace {

constexpr const char* kReportUsage =
    "usage: calyra [--device DIR] report PROJECT [--text]\n"
    "  writes the project report of PROJECT (its record's oid, or its name) beside the program and\n"
    "  prints the file's path; --text prints the report's text too (docs/DEMO.md)\n";

struct ReportArguments {
  std::filesystem::path device = platform::Device::DefaultFolder();
  std::string project;
  bool text = false;
};

int ReportUsage(std::FILE* err, const char* problem) {
  std::fprintf(err, "calyra: %s\n%s", problem, kReportUsage);
  return kExitUsage;
}

// False when an option is unknown, lacks its value or comes twice, or the words are not
// "report PROJECT".
bool ParseReportArguments(int argc, char** argv, ReportArguments* arguments) {
  bool device = false;
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--device") == 0) {
      if (++i >= argc || device) return false;
      arguments->device = argv[i];
      device = true;
    } else if (std::strcmp(argv[i], "--text") == 0) {
      if (arguments->text) return false;
      arguments->text = true;
    } else if (argv[i][0] == '-' && argv[i][1] != 0) {
      return false;
    } else {
      words.push_back(argv[i]);
    }
  }
  if (words.size() != 2) return false;
  arguments->project = words[1];
  return true;
}

// The report's folder is the program's, which the program's installation made on a device; a new
// emulated device has none yet.
void MakeFolderOf(const std::u16string& path) {
  for (size_t at = path.find(u'\\', 1); at != std::u16string::npos; at = path.find(u'\\', at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
}

std::string HostBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int WriteReport(const ReportArguments& arguments, std::FILE* out, std::FILE* err) {
  ItemOid record = FindProject(arguments.project, err);
  if (record == 0) return kExitBadOid;
  Project project;
  if (!project.Load(record)) {
    std::fprintf(err, "calyra: the project 0x%08X cannot be read\n", record);
    return kExitFailed;
  }
  HINSTANCE resources = LoadLibraryW(u"CalyraEditorResources.dll");
  if (resources == nullptr) {
    std::fprintf(err, "calyra: the component's resources (CalyraEditorResources.dll) cannot be loaded\n");
    return kExitNoComponent;
  }
  MakeFolderOf(ReportFilePath());
  std::optional<std::u16string> path = ProjectReport(resources).WriteReportFile(project);
  FreeLibrary(resources);
  if (!path) {
    std::fprintf(err, "calyra: the report file %s cannot be created\n",
                 platform::ToUtf8(ReportFilePath()).c_str());
    return kExitFailed;
  }
  std::optional<std::filesystem::path> hostFile = platform::HostPathOf(*path);
  std::fprintf(out, "report: %s\n", platform::ToUtf8(*path).c_str());
  std::fprintf(out, "on this machine: %s\n", hostFile ? hostFile->c_str() : "(none)");
  if (arguments.text && hostFile) {
    std::string text = ReportPlainText(HostBytes(*hostFile));
    std::fprintf(out, "\n");
    std::fwrite(text.data(), 1, text.size(), out);
  }
  return kExitDone;
}

}  // namespace

bool IsReportCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--device") == 0) {
      ++i;
    } else if (argv[i][0] != '-') {
      return std::strcmp(argv[i], "report") == 0;
    }
  }
  return false;
}

int RunReportCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
  ReportArguments arguments;
  if (!ParseReportArguments(argc, argv, &arguments))
    return ReportUsage(err, "report takes PROJECT and --text");
  std::string error;
  auto device = platform::Device::Open(arguments.device, &error);
  if (!device) {
    std::fprintf(err, "calyra: cannot open the device %s: %s\n", arguments.device.c_str(), error.c_str());
    return kExitDevice;
  }
  platform::System::Current().AttachDevice(std::move(device));
  int result = WriteReport(arguments, out, err);
  std::fflush(out);
  platform::System::Current().DetachDevice();
  return result;
}

std::string ReportPlainText(std::string_view rtf) {
  std::string bytes;  // in the code page
  int depth = 0;
  int skippedDepth = 0;  // the depth of a group left out (the font table), 0 for none
  for (size_t i = 0; i < rtf.size(); ++i) {
    char c = rtf[i];
    if (c == '{' || c == '}') {
      depth += c == '{' ? 1 : -1;
      if (skippedDepth > depth) skippedDepth = 0;
      continue;
    }
    if (c == '\r' || c == '\n') continue;
    if (c != '\\') {
      if (skippedDepth == 0) bytes += c;
      continue;
    }
    if (i + 1 >= rtf.size()) break;
    char next = rtf[i + 1];
    if (!std::isalpha(static_cast<unsigned char>(next))) {
      if (next == '\'' && i + 3 < rtf.size()) {
        char* end = nullptr;
        std::string hex(rtf.substr(i + 2, 2));
        long value = std::strtol(hex.c_str(), &end, 16);
        if (skippedDepth == 0 && *end == 0) bytes += static_cast<char>(value);
        i += 3;
      } else {
        if (skippedDepth == 0) bytes += next;
        i += 1;
      }
      continue;
    }
    size_t end = i + 1;
    while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
    std::string_view word = rtf.substr(i + 1, end - i - 1);
    if (end < rtf.size() && rtf[end] == '-') ++end;
    while (end < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[end]))) ++end;
    if (end < rtf.size() && rtf[end] == ' ') ++end;  // the word's delimiter
    i = end - 1;
    if (word == "fonttbl" || word == "colortbl" || word == "stylesheet") skippedDepth = depth;
    if (skippedDepth != 0) continue;
    if (word == "par") bytes += '\n';
    if (word == "tab") bytes += '\t';
  }
  return platform::ToUtf8(platform::FromCodePage1252(bytes));
}

}  // namespace calyra::host
