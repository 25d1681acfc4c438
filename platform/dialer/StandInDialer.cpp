// The dialer library as the emulated device has it: nothing is dialled, but every call is written to the
// device's file "\CalyraDialer.log", so that a test in this process or another reads back what it was
// asked, and the answers come from the device settings "Dialer.State" and "Dialer.AreaCode".
//
// The log is UTF-8, one line per call, its fields separated by tabs (tabs and line breaks in a number are
// written as spaces; handles in decimal):
//   Initialize  resources  state
//   DialNumber  owner  number  dialOptions  dialerState  prefixOptions  countryOptions  started
//   DialNumberCancel
//   GetAreaCode  areaCode
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "CalyraDialer.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"

namespace {

constexpr const char16_t* kLogFile = u"\\CalyraDialer.log";
constexpr const char* kStateSetting = "Dialer.State";
constexpr const char* kAreaCodeSetting = "Dialer.AreaCode";
constexpr int kDefaultState = 1;

std::optional<std::u16string> Setting(const char* name) {
  platform::Device* device = platform::CurrentDevice();
  return device ? device->Setting(name) : std::nullopt;
}

// The state that initialise answers: the setting when it is a number, else the default.
int State() {
  std::string text = platform::ToUtf8(Setting(kStateSetting).value_or(u""));
  int state = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), state);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() ? state : kDefaultState;
}

std::string Field(std::u16string_view text) {
  std::string field = platform::ToUtf8(text);
  for (char& c : field) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return field;
}

template <class Handle>
std::string Field(Handle* handle) {
  return std::to_string(reinterpret_cast<uintptr_t>(handle));
}

std::string Field(int value) {
  return std::to_string(value);
}

// Appends one line to the log; a device without a file system only goes unrecorded.
void Record(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
  line += '\n';
  HANDLE log = CreateFileW(kLogFile, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (SetFilePointer(log, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER) {
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  CloseHandle(log);
}

// A number the stand-in "dials": one with at least one digit.
bool Dialable(std::u16string_view number) {
  return number.find_first_of(u"0123456789") != std::u16string_view::npos;
}

}  // namespace

CALYRA_DIALER_API int CalyraDialer_Initialize(HINSTANCE resources) {
  try {
    int state = State();
    Record({"Initialize", Field(resources), Field(state)});
    return state;
  } catch (...) {
    return 0;
  }
}

CALYRA_DIALER_API BOOL CalyraDialer_DialNumber(HWND owner, const WCHAR* number, int dialOptions,
                                               int dialerState, int prefixOptions, int countryOptions) {
  try {
    std::u16string_view text = platform::TextView(number);
    BOOL started = Dialable(text) ? TRUE : FALSE;
    Record({"DialNumber", Field(owner), Field(text), Field(dialOptions), Field(dialerState),
            Field(prefixOptions), Field(countryOptions), Field(started)});
    return started;
  } catch (...) {
    return FALSE;
  }
}

CALYRA_DIALER_API void CalyraDialer_DialNumberCancel(void) {
  try {
    Record({"DialNumberCancel"});
  } catch (...) {
  }
}

CALYRA_DIALER_API int CalyraDialer_GetAreaCode(WCHAR* areaCode) {
  try {
    if (!areaCode) return 0;
    std::u16string code = Setting(kAreaCodeSetting).value_or(u"");
    size_t length = platform::BoundedCopy(areaCode, CALYRA_DIALER_AREA_CODE_SIZE, code);
    Record({"GetAreaCode", Field(std::u16string_view(areaCode, length))});
    return static_cast<int>(length);
  } catch (...) {
    if (areaCode) areaCode[0] = 0;
    return 0;
  }
}
