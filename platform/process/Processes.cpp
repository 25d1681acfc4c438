#include "platform/process/Processes.h"

#include <map>
#include <mutex>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

using platform::ProgramHandler;

struct ProgramHandlers : platform::ProcessState {
  std::mutex lock;
  std::map<std::u16string, ProgramHandler> byName;  // folded file names
  DWORD nextProcessId = 0x100;
};

// A started program: its handles can be waited on and closed like the platform's.
struct ProcessObject : platform::KernelObject {};

std::u16string FileNameKey(std::u16string_view program) {
  size_t slash = program.find_last_of(u"\\/");
  if (slash != std::u16string_view::npos) program.remove_prefix(slash + 1);
  return platform::FoldCase(program);
}

bool Launch(std::u16string_view verb, std::u16string_view program, std::u16string_view arguments) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr || program.empty()) {
    SetLastError(program.empty() ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return false;
  }
  try {
    std::lock_guard guard(device->Lock());
    device->Db()
        .Prepare("INSERT INTO launchlog(time, verb, program, arguments) VALUES(?, ?, ?, ?)")
        .Bind(1, platform::System::Current().DeviceClock().NowUtc())
        .Bind(2, verb)
        .Bind(3, program)
        .Bind(4, arguments)
        .Run();
  } catch (const std::exception&) {
    SetLastError(ERROR_WRITE_FAULT);
    return false;
  }
  ProgramHandler handler;
  {
    auto& handlers = platform::System::Current().State<ProgramHandlers>();
    std::lock_guard guard(handlers.lock);
    auto found = handlers.byName.find(FileNameKey(program));
    if (found != handlers.byName.end()) handler = found->second;
  }
  if (handler) handler(std::u16string(program), std::u16string(arguments));
  return true;
}

}  // namespace

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, void*, void*, BOOL, DWORD, void*, LPCWSTR,
                    void*, PROCESS_INFORMATION* processInformation) {
  std::u16string_view program = platform::TextView(applicationName, 32767);
  std::u16string_view arguments = platform::TextView(commandLine, 32767);
  if (!Launch(u"", program, arguments)) return FALSE;
  if (processInformation != nullptr) {
    auto& handles = platform::System::Current().Handles();
    auto& state = platform::System::Current().State<ProgramHandlers>();
    std::lock_guard guard(state.lock);
    processInformation->hProcess = handles.Add(std::make_shared<ProcessObject>());
    processInformation->hThread = handles.Add(std::make_shared<ProcessObject>());
    processInformation->dwProcessId = state.nextProcessId++;
    processInformation->dwThreadId = state.nextProcessId++;
  }
  return TRUE;
}

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(SHELLEXECUTEINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string_view verb = platform::TextView(info->lpVerb, MAX_PATH);
  if (!Launch(verb.empty() ? u"open" : verb, platform::TextView(info->lpFile, 32767),
              platform::TextView(info->lpParameters, 32767))) {
    return FALSE;
  }
  info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(33));  // above 32 means success
  info->hProcess = (info->fMask & SEE_MASK_NOCLOSEPROCESS)
                       ? platform::System::Current().Handles().Add(std::make_shared<ProcessObject>())
                       : nullptr;
  return TRUE;
}

namespace platform {

void RegisterProgramHandler(std::u16string_view program, ProgramHandler handler) {
  auto& handlers = System::Current().State<ProgramHandlers>();
  std::lock_guard guard(handlers.lock);
  handlers.byName[FileNameKey(program)] = std::move(handler);
}

void UnregisterProgramHandler(std::u16string_view program) {
  auto& handlers = System::Current().State<ProgramHandlers>();
  std::lock_guard guard(handlers.lock);
  handlers.byName.erase(FileNameKey(program));
}

std::vector<LaunchEntry> ReadLaunchLog() {
  std::vector<LaunchEntry> entries;
  Device* device = CurrentDevice();
  if (device == nullptr) return entries;
  try {
    std::lock_guard guard(device->Lock());
    auto statement = device->Db().Prepare("SELECT time, verb, program, arguments FROM launchlog ORDER BY id");
    while (statement.Step()) {
      entries.push_back({statement.ColumnInt64(0), statement.ColumnText16(1), statement.ColumnText16(2),
                         statement.ColumnText16(3)});
    }
  } catch (const std::exception&) {
    entries.clear();
  }
  return entries;
}

}  // namespace platform
