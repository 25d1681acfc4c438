// The note launcher: what the device starts when an alarm note comes due, with the notification's
// arguments "OpenAlarmNote <path>". It prints the note's title, alarm and text; with --edit it opens
// the note in the alarm-note editor through the demo host beside it (`calyra note edit PATH`).
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "hosts/calyra/NoteFile.h"
#include "notes/NoteName.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

constexpr const char* kUsage =
    "usage: CalyraNotesLauncher [--device DIR] [--edit] OpenAlarmNote PATH\n"
    "  shows the alarm note at PATH (a path on the device); --edit opens it in the note editor\n";
constexpr std::string_view kVerb = "OpenAlarmNote";
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitDevice = 3;

struct Arguments {
  std::filesystem::path device = platform::Device::DefaultFolder();
  bool edit = false;
  std::string command;  // the notification's arguments, words joined by blanks
};

bool Parse(int argc, char** argv, Arguments* arguments) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--device") == 0 && i + 1 < argc) {
      arguments->device = argv[++i];
    } else if (std::strcmp(argv[i], "--edit") == 0) {
      arguments->edit = true;
    } else {
      arguments->command += (arguments->command.empty() ? "" : " ") + std::string(argv[i]);
    }
  }
  return arguments->command.rfind(kVerb, 0) == 0 && arguments->command.size() > kVerb.size() + 1 &&
         arguments->command[kVerb.size()] == ' ';
}

// The demo host beside this program opens the note in the editor.
int Edit(const Arguments& arguments, const std::string& path) {
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  std::string calyra = (self.parent_path() / "calyra").string();
  std::string device = arguments.device.string();
  std::vector<char*> argv{calyra.data(),
                          const_cast<char*>("--device"),
                          device.data(),
                          const_cast<char*>("note"),
                          const_cast<char*>("edit"),
                          const_cast<char*>(path.c_str()),
                          nullptr};
  std::fflush(stdout);
  execv(calyra.c_str(), argv.data());
  std::fprintf(stderr, "CalyraNotesLauncher: cannot start %s\n", calyra.c_str());
  return kExitFailed;
}

int Show(const std::u16string& path) {
  std::u16string name = path.substr(path.find_last_of(u'\\') + 1);
  std::optional<calyra::NoteName> read = calyra::ParseNoteName(name);
  std::optional<std::u16string> text = calyra::host::NoteFileText(path);
  if (!read || !text) {
    std::fprintf(stderr, "CalyraNotesLauncher: no note can be read at %s\n", platform::ToUtf8(path).c_str());
    return kExitFailed;
  }
  std::printf("the note \"%s\"", platform::ToUtf8(read->title).c_str());
  if (read->hasTime) {
    std::printf(" (alarm %04u-%02u-%02u %02u:%02u)", read->time.wYear, read->time.wMonth, read->time.wDay,
                read->time.wHour, read->time.wMinute);
  }
  std::printf("\n%s\n", platform::ToUtf8(*text).c_str());
  return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!Parse(argc, argv, &arguments)) {
    std::fprintf(stderr, "%s", kUsage);
    return kExitUsage;
  }
  std::string path = arguments.command.substr(kVerb.size() + 1);
  if (path == "noinfo") {
    std::fprintf(stderr, "CalyraNotesLauncher: the alarm was set before its note had a name (noinfo)\n");
    return kExitFailed;
  }
  if (arguments.edit) return Edit(arguments, path);
  std::string error;
  auto device = platform::Device::Open(arguments.device, &error);
  if (!device) {
    std::fprintf(stderr, "CalyraNotesLauncher: cannot open the device %s: %s\n", arguments.device.c_str(),
                 error.c_str());
    return kExitDevice;
  }
  platform::System::Current().AttachDevice(std::move(device));
  int result = Show(platform::FromUtf8(path));
  platform::System::Current().DetachDevice();
  return result;
}
