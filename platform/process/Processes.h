#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/HandleTable.h"

// Starting programs and opening documents. Nothing outside the device is ever executed: each start
// is written to the device's launch log and handed to the handler the running host registered for
// that program, if any.

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags, void* environment,
                    LPCWSTR currentDirectory, void* startupInfo, PROCESS_INFORMATION* processInformation);

inline constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x00000040;

struct SHELLEXECUTEINFO {
  DWORD cbSize;
  ULONG fMask;
  HWND hwnd;
  LPCWSTR lpVerb;
  LPCWSTR lpFile;
  LPCWSTR lpParameters;
  LPCWSTR lpDirectory;
  int nShow;
  HINSTANCE hInstApp;
  void* lpIDList;
  LPCWSTR lpClass;
  HKEY hkeyClass;
  DWORD dwHotKey;
  HANDLE hIcon;
  HANDLE hProcess;
};

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info);

namespace platform {

struct LaunchEntry {
  int64_t timeUtc = 0;     // device clock, FILETIME ticks
  std::u16string verb;     // empty for a program start, the shell verb for a document
  std::u16string program;  // the program, or the document opened
  std::u16string arguments;
};

// Called with the program (as given) and its arguments.
using ProgramHandler = std::function<void(const std::u16string& program, const std::u16string& arguments)>;

// The program name is matched without regard to case on its file name: "Calyra.exe" matches
// "\Windows\Calyra.exe".
void RegisterProgramHandler(std::u16string_view program, ProgramHandler handler);
void UnregisterProgramHandler(std::u16string_view program);

// The device's launch log, oldest first.
std::vector<LaunchEntry> ReadLaunchLog();

}  // namespace platform
