#include "hosts/calyra/CallLogCommands.h"

#include <cstring>
#include <optional>
#include <vector>

#include "PhoneCallLog.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/JsonWriter.h"
#include "platform/core/LastError.h"
#include "platform/phone/CallLogFile.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceLibrary.h"

namespace calyra::host {

namespace {

constexpr const char* kOptions[] = {"--kind", "--number", "--start", "--seconds", "--name", "--label"};
constexpr int64_t kTicksPerSecond = 10'000'000;

std::optional<std::string> Option(const std::map<std::string, std::string>& options, const char* name) {
  auto found = options.find(name);
  return found == options.end() ? std::nullopt : std::optional<std::string>(found->second);
}

// "YYYY-MM-DDTHH:MM" in the device's local time, as UTC ticks.
std::optional<int64_t> LocalStart(const std::string& text) {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0;
  char end = 0;
  if (text.size() != 16 ||
      std::sscanf(text.c_str(), "%4u-%2u-%2uT%2u:%2u%c", &year, &month, &day, &hour, &minute, &end) != 5)
    return std::nullopt;
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > static_cast<unsigned>(platform::DaysInMonth(static_cast<int>(year), static_cast<int>(month))) ||
      hour > 23 || minute > 59)
    return std::nullopt;
  SYSTEMTIME local{static_cast<WORD>(year), static_cast<WORD>(month),  0, static_cast<WORD>(day),
                   static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  FILETIME utc{};
  if (!platform::LocalSystemTimeToUtc(local, &utc)) return std::nullopt;
  return platform::TicksOf(utc);
}

std::optional<uint32_t> Seconds(const std::string& text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return static_cast<uint32_t>(std::stoul(text));
}

// The local time "YYYY-MM-DDTHH:MM" of a UTC FILETIME; empty when it has none.
std::string LocalTimeText(const FILETIME& utc) {
  SYSTEMTIME local{};
  if (!platform::UtcToLocalSystemTime(utc, &local)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u", local.wYear, local.wMonth, local.wDay,
                local.wHour, local.wMinute);
  return text;
}

struct ListedCall {
  std::string kind;
  std::string start;
  int64_t seconds;
  std::u16string number;
  std::u16string name;
  std::u16string label;
};

void WriteJson(JsonWriter& json, const ListedCall& call) {
  json.BeginObject();
  json.Key("kind");
  json.String(platform::FromUtf8(call.kind));
  json.Key("start");
  json.String(platform::FromUtf8(call.start));
  json.Key("seconds");
  json.Number(call.seconds);
  json.Key("number");
  json.String(call.number);
  json.Key("name");
  json.String(call.name);
  json.Key("label");
  json.String(call.label);
  json.EndObject();
}

void WriteText(std::FILE* out, const ListedCall& call) {
  std::fprintf(out, "%-8s  %s  %02lld:%02lld:%02lld  %s", call.kind.c_str(), call.start.c_str(),
               static_cast<long long>(call.seconds / 3600), static_cast<long long>(call.seconds / 60 % 60),
               static_cast<long long>(call.seconds % 60),
               call.number.empty() ? "(withheld)" : platform::ToUtf8(call.number).c_str());
  if (!call.label.empty()) std::fprintf(out, " [%s]", platform::ToUtf8(call.label).c_str());
  if (!call.name.empty()) std::fprintf(out, "  %s", platform::ToUtf8(call.name).c_str());
  std::fprintf(out, "\n");
}

std::u16string Text(const WCHAR* text) {
  return text ? std::u16string(platform::TextView(text)) : std::u16string();
}

// Every entry the library hands out; false (told on `err`) when it or its log cannot be reached.
bool ReadThroughLibrary(std::vector<ListedCall>* calls, std::FILE* err) {
  HINSTANCE module = LoadLibraryW(PHONE_LIBRARY);
  if (!module) {
    std::fprintf(err, "calyra: the device has no phone library (libphone.so beside calyra)\n");
    return false;
  }
  auto open = reinterpret_cast<PhoneOpenCallLogFunction>(GetProcAddressW(module, u"PhoneOpenCallLog"));
  auto get = reinterpret_cast<PhoneGetCallLogEntryFunction>(GetProcAddressW(module, u"PhoneGetCallLogEntry"));
  auto close = reinterpret_cast<PhoneCloseCallLogFunction>(GetProcAddressW(module, u"PhoneCloseCallLog"));
  HANDLE log = nullptr;
  HRESULT opened = open && get && close ? open(&log) : E_FAIL;
  if (FAILED(opened)) {
    std::fprintf(err, "calyra: the phone library's call log does not open (0x%08X)\n",
                 static_cast<unsigned>(opened));
    FreeLibrary(module);
    return false;
  }
  CALLLOGENTRY entry{};
  entry.cbSize = sizeof(entry);
  while (get(log, &entry) == S_OK) {
    int64_t ticks = platform::TicksOf(entry.ftEndTime) - platform::TicksOf(entry.ftStartTime);
    calls->push_back({std::string(platform::CallKindName(entry.dwKind)), LocalTimeText(entry.ftStartTime),
                      ticks > 0 ? ticks / kTicksPerSecond : 0, Text(entry.pszNumber), Text(entry.pszName),
                      Text(entry.pszNumberLabel)});
  }
  close(log);
  FreeLibrary(module);
  return true;
}

}  // namespace

bool IsCallLogOption(const std::string& option) {
  for (const char* name : kOptions) {
    if (option == name) return true;
  }
  return false;
}

int AddCall(const std::map<std::string, std::string>& options, std::FILE* out, std::FILE* err) {
  platform::CallLogRecord call;
  std::optional<std::string> kind = Option(options, "--kind");
  std::optional<DWORD> kindValue = kind ? platform::CallKindOf(*kind) : std::nullopt;
  if (!kindValue) {
    std::fprintf(err, "calyra: call-log add needs --kind missed, incoming or outgoing\n");
    return kExitUsage;
  }
  call.kind = *kindValue;
  std::optional<std::string> number = Option(options, "--number");
  if (!number) {
    std::fprintf(err, "calyra: call-log add needs --number (\"\" for a withheld number)\n");
    return kExitUsage;
  }
  call.number = platform::FromUtf8(*number);
  call.name = platform::FromUtf8(Option(options, "--name").value_or(""));
  call.label = platform::FromUtf8(Option(options, "--label").value_or(""));
  if (std::optional<std::string> start = Option(options, "--start")) {
    std::optional<int64_t> ticks = LocalStart(*start);
    if (!ticks) {
      std::fprintf(err, "calyra: --start \"%s\" is no local time YYYY-MM-DDTHH:MM\n", start->c_str());
      return kExitUsage;
    }
    call.startTicks = *ticks;
  } else {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    FILETIME utc{};
    SystemTimeToFileTime(&now, &utc);
    call.startTicks = platform::TicksOf(utc);
  }
  std::optional<std::string> seconds = Option(options, "--seconds");
  std::optional<uint32_t> secondsValue = seconds ? Seconds(*seconds) : 0;
  if (!secondsValue) {
    std::fprintf(err, "calyra: --seconds \"%s\" is no number of 0 to 999999999\n", seconds->c_str());
    return kExitUsage;
  }
  call.seconds = *secondsValue;
  if (!platform::AppendToCallLogFile(call)) {
    std::fprintf(err, "calyra: cannot write the call log (error %u)\n",
                 static_cast<unsigned>(GetLastError()));
    return kExitFailed;
  }
  FILETIME start = platform::FileTimeOf(call.startTicks);
  std::fprintf(out, "added ");
  WriteText(out, {std::string(platform::CallKindName(call.kind)), LocalTimeText(start), call.seconds,
                  call.number, call.name, call.label});
  return kExitDone;
}

int ListCalls(ListingFormat format, std::FILE* out, std::FILE* err) {
  std::vector<ListedCall> calls;
  if (!ReadThroughLibrary(&calls, err)) return kExitFailed;
  if (format == ListingFormat::kJson) {
    JsonWriter json;
    json.BeginArray();
    for (const ListedCall& call : calls) WriteJson(json, call);
    json.EndArray();
    std::string text = json.Text();
    std::fwrite(text.data(), 1, text.size(), out);
    return kExitDone;
  }
  for (const ListedCall& call : calls) WriteText(out, call);
  return kExitDone;
}

}  // namespace calyra::host
