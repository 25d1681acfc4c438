#include "lists/ListActivation.h"

#include <string>

#include "platform/process/Processes.h"
#include "platform/process/SystemInformation.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"

namespace calyra::lists {

namespace {

// A Pocket PC of version 3 or later takes mail through tmail.exe; older and other handhelds pmail.exe.
bool IsPocketPc() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!GetVersionExW(&version) || version.dwMajorVersion < 3) return false;
  WCHAR type[256] = {};
  if (!SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(type), type, 0)) return false;
  return platform::EqualsNoCase(std::u16string_view(type), u"PocketPC");
}

bool Start(const char16_t* program, std::u16string arguments) {
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program, arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                      &process)) {
    return false;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  return true;
}

}  // namespace

bool ActivateCurrent(const ListModel& model) {
  if (model.current < 0 || model.current >= model.RowCount()) return false;
  DWORD flags = model.Row(model.current).flags;
  std::u16string text = model.RowText(model.current);
  if (text.empty()) return false;
  if (flags & kRowEmail) {
    return Start(IsPocketPc() ? kPocketPcMail : kOtherMail, platform::FormatText(kMailArguments, {text}));
  }
  if ((flags & kRowWeb) && !(flags & kRowWebNoLaunch)) return Start(kBrowser, text);
  return false;
}

}  // namespace calyra::lists
