#include "hosts/calyra/TickCommand.h"

#include <algorithm>
#include <cinttypes>
#include <filesystem>
#include <optional>
#include <vector>

#include "hosts/calyra/CallArguments.h"
#include "hosts/calyra/ExitCodes.h"
#include "platform/core/System.h"
#include "platform/notify/Notifications.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"

namespace calyra::host {

namespace {

constexpr const char* kUntilOption = "--until";
constexpr const char* kMinutesOption = "--minutes";
constexpr int64_t kTicksPerMinute = 600'000'000;
constexpr int64_t kMaxMinutes = 10LL * 366 * 24 * 60;  // ten years

// "YYYY-MM-DDTHH:MM", a local time.
std::optional<SYSTEMTIME> ParseStamp(const std::string& text) {
  return text.size() == 16 ? ParseDate(text) : std::nullopt;
}

// The local time in UTC ticks, by the device's time zone.
std::optional<int64_t> UtcOf(const SYSTEMTIME& local) {
  FILETIME utc{};
  return platform::LocalSystemTimeToUtc(local, &utc) ? std::optional<int64_t>(platform::TicksOf(utc))
                                                     : std::nullopt;
}

std::optional<int64_t> ParseMinutes(const std::string& text) {
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), ::isdigit))
    return std::nullopt;
  int64_t minutes = std::stoll(text);
  return minutes <= kMaxMinutes ? std::optional<int64_t>(minutes) : std::nullopt;
}

std::string LocalText(int64_t utcTicks) {
  SYSTEMTIME local{};
  if (!platform::UtcToLocalSystemTime(platform::FileTimeOf(utcTicks), &local)) return "?";
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", local.wYear, local.wMonth, local.wDay,
                local.wHour, local.wMinute);
  return text;
}

// Sets the clock of this process and of the device's later processes to `utcTicks`: a fixed clock
// stays fixed, a running one keeps running from there.
void SetDeviceClock(int64_t utcTicks) {
  platform::Device& device = *platform::CurrentDevice();
  platform::Clock& clock = platform::System::Current().DeviceClock();
  std::string value;
  if (clock.IsFixed()) {
    clock.SetFixed(utcTicks);
    value = std::to_string(utcTicks);
    device.SetSetting("Clock.Fixed", std::u16string(value.begin(), value.end()));
  } else {
    int64_t offset = utcTicks - platform::Clock::HostNowUtc();
    clock.SetOffset(offset);
    value = std::to_string(offset);
    device.SetSetting("Clock.Offset", std::u16string(value.begin(), value.end()));
  }
}

// The fire times of the timed notifications due by `until`, earliest first, each once.
std::vector<int64_t> DueTimes(int64_t until) {
  std::vector<int64_t> times;
  for (const platform::PendingNotification& pending : platform::ReadPendingNotifications()) {
    bool timed = pending.triggerType == CNT_TIME || pending.triggerType == CNT_PERIOD ||
                 pending.triggerType == CNT_CLASSICTIME;
    if (timed && pending.fireTimeUtc <= until) times.push_back(pending.fireTimeUtc);
  }
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  return times;
}

// The lines of a reminder's text that are not blank, the second and later indented.
std::string Indented(const std::string& text) {
  std::string lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (line.find_first_not_of(" \r") != std::string::npos) lines += (lines.empty() ? "" : "\n    ") + line;
    start = end + 1;
  }
  return lines;
}

constexpr const char16_t* kNoteLauncher = u"CalyraNotesLauncher.exe";

// What the note launcher printed for each command line it was started with, while a tick runs: the
// device starts the launcher program beside this one, on the same device.
class NoteLauncher {
 public:
  NoteLauncher() {
    platform::RegisterProgramHandler(kNoteLauncher,
                                     [this](const std::u16string&, const std::u16string& arguments) {
                                       outputs_.emplace_back(arguments, Run(arguments));
                                     });
  }
  ~NoteLauncher() { platform::UnregisterProgramHandler(kNoteLauncher); }
  NoteLauncher(const NoteLauncher&) = delete;
  NoteLauncher& operator=(const NoteLauncher&) = delete;

  // What the launcher printed when started with `arguments` (taken once), or nothing.
  std::optional<std::string> Take(const std::u16string& arguments) {
    for (auto output = outputs_.begin(); output != outputs_.end(); ++output) {
      if (output->first != arguments) continue;
      std::string text = std::move(output->second);
      outputs_.erase(output);
      return text;
    }
    return std::nullopt;
  }

 private:
  static std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
  }
  static std::string Run(const std::u16string& arguments) {
    std::filesystem::path program =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "CalyraNotesLauncher";
    std::string command = Quoted(program.string()) + " --device " +
                          Quoted(platform::CurrentDevice()->Folder().string()) + " " +
                          Quoted(platform::ToUtf8(arguments)) + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char buffer[4096];
      size_t read = 0;
      while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
      pclose(pipe);
    }
    return output;
  }

  std::vector<std::pair<std::u16string, std::string>> outputs_;
};

// Runs what is due now and prints each program the run started, with the text of its reminder: the
// notifications that were due and are gone afterwards ran.
void RunDue(NoteLauncher& launcher, std::FILE* out) {
  int64_t now = platform::System::Current().DeviceClock().NowUtc();
  std::vector<platform::PendingNotification> before = platform::ReadPendingNotifications();
  platform::RunDueNotifications();
  std::vector<platform::PendingNotification> after = platform::ReadPendingNotifications();
  for (const platform::PendingNotification& pending : before) {
    bool left =
        std::any_of(after.begin(), after.end(), [&](const auto& p) { return p.handle == pending.handle; });
    if (left || pending.fireTimeUtc > now) continue;
    std::fprintf(out, "%s  started %s %s\n", LocalText(pending.fireTimeUtc).c_str(),
                 platform::ToUtf8(pending.application).c_str(), platform::ToUtf8(pending.arguments).c_str());
    if (!pending.dialogText.empty())
      std::fprintf(out, "  it shows: %s\n", Indented(platform::ToUtf8(pending.dialogText)).c_str());
    if (std::optional<std::string> output = launcher.Take(pending.arguments))
      std::fprintf(out, "  the launcher: %s\n", Indented(*output).c_str());
  }
}

}  // namespace

bool IsTickOption(const std::string& option) {
  return option == kUntilOption || option == kMinutesOption;
}

std::string CheckTickOptions(const std::map<std::string, std::string>& options) {
  for (const auto& [option, value] : options) {
    if (!IsTickOption(option)) return option + " is not an option of tick";
  }
  if (options.size() > 1) return "tick takes --until or --minutes, not both";
  auto until = options.find(kUntilOption);
  if (until != options.end() && !ParseStamp(until->second))
    return "\"" + until->second + "\" is not a time (YYYY-MM-DDTHH:MM)";
  auto minutes = options.find(kMinutesOption);
  if (minutes != options.end() && !ParseMinutes(minutes->second))
    return "\"" + minutes->second + "\" is not a number of minutes (0 to 5270400)";
  return "";
}

int Tick(const std::map<std::string, std::string>& options, std::FILE* out, std::FILE* err) {
  int64_t now = platform::System::Current().DeviceClock().NowUtc();
  int64_t target = now;
  if (auto until = options.find(kUntilOption); until != options.end()) {
    std::optional<int64_t> utc = UtcOf(*ParseStamp(until->second));
    if (!utc) {
      std::fprintf(err, "calyra: %s is not a time of the device's time zone\n", until->second.c_str());
      return kExitUsage;
    }
    target = *utc;
  }
  if (auto minutes = options.find(kMinutesOption); minutes != options.end())
    target = now + *ParseMinutes(minutes->second) * kTicksPerMinute;
  if (target < now) {
    std::fprintf(err, "calyra: the clock only moves forward; it is %s now\n", LocalText(now).c_str());
    return kExitUsage;
  }
  std::fprintf(out, "the clock: %s\n", LocalText(now).c_str());
  NoteLauncher launcher;
  for (int64_t due : DueTimes(target)) {
    if (due > now) SetDeviceClock(due);
    RunDue(launcher, out);
  }
  SetDeviceClock(target);
  std::fprintf(out, "the clock: %s\n", LocalText(target).c_str());
  return kExitDone;
}

}  // namespace calyra::host
