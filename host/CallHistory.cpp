#include "host/CallHistory.h"

#include <algorithm>

#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceLibrary.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;

// The phone library's call-log entry points, found by name; any of them missing leaves the others
// unused.
struct CallLogEntryPoints {
  PhoneOpenCallLogFunction open = nullptr;
  PhoneGetCallLogEntryFunction get = nullptr;
  PhoneCloseCallLogFunction close = nullptr;

  explicit CallLogEntryPoints(HINSTANCE module)
      : open(reinterpret_cast<PhoneOpenCallLogFunction>(GetProcAddressW(module, u"PhoneOpenCallLog"))),
        get(reinterpret_cast<PhoneGetCallLogEntryFunction>(GetProcAddressW(module, u"PhoneGetCallLogEntry"))),
        close(reinterpret_cast<PhoneCloseCallLogFunction>(GetProcAddressW(module, u"PhoneCloseCallLog"))) {}
  bool Complete() const { return open && get && close; }
};

UINT KindString(DWORD kind) {
  switch (kind) {
    case CALLLOG_KIND_INCOMING:
      return resources::kStringCallIncoming;
    case CALLLOG_KIND_OUTGOING:
      return resources::kStringCallOutgoing;
    default:
      return resources::kStringCallMissed;
  }
}

// A library's text may be null; it counts as empty.
std::u16string_view TextOf(const WCHAR* text) {
  return text ? platform::TextView(text) : std::u16string_view();
}

}  // namespace

CallHistory::CallHistory(std::vector<std::u16string> numbers) : numbers_(std::move(numbers)) {
  std::erase_if(numbers_, [](const std::u16string& number) { return number.empty(); });
}

std::u16string CallHistory::DurationText(int64_t seconds) {
  seconds = std::max<int64_t>(seconds, 0);
  return platform::FormatText(
      u"%02d:%02d:%02d", {static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                          static_cast<long long>(seconds % 60)});
}

bool CallHistory::Matches(std::u16string_view number) const {
  if (number.empty()) return false;
  return std::any_of(numbers_.begin(), numbers_.end(),
                     [number](const std::u16string& own) { return platform::EqualsNoCase(own, number); });
}

CallHistoryEntry CallHistory::Describe(const CALLLOGENTRY& call, HINSTANCE resources,
                                       DateTimeText& dates) const {
  CallHistoryEntry entry;
  entry.kind = call.dwKind;
  entry.start = call.ftStartTime;
  entry.seconds =
      std::max<int64_t>(platform::TicksOf(call.ftEndTime) - platform::TicksOf(call.ftStartTime), 0) /
      kTicksPerSecond;
  entry.kindText = ResourceText(resources, KindString(call.dwKind));
  SYSTEMTIME local{};
  if (platform::UtcToLocalSystemTime(call.ftStartTime, &local)) {
    std::u16string date = dates.FormatNumericDate(local);
    entry.when = platform::FormatText(u"%s %s", {date, dates.FormatCompactTime(local, true)});
  }
  entry.duration = DurationText(entry.seconds);
  std::u16string_view label = TextOf(call.pszNumberLabel);
  std::u16string_view number = TextOf(call.pszNumber);
  entry.number = label.empty() ? std::u16string(number) : platform::FormatText(u"[%s]  %s", {label, number});
  return entry;
}

void CallHistory::Load(HINSTANCE resources, DateTimeText& dates, LPCWSTR library) {
  entries_.clear();
  incomingSeconds_ = outgoingSeconds_ = 0;
  HINSTANCE module = LoadLibraryW(library);
  if (!module) return;
  CallLogEntryPoints phone(module);
  HANDLE log = nullptr;
  if (phone.Complete() && SUCCEEDED(phone.open(&log))) {
    CALLLOGENTRY call{};
    call.cbSize = sizeof(call);
    while (phone.get(log, &call) == S_OK) {
      if (!Matches(TextOf(call.pszNumber))) continue;
      entries_.push_back(Describe(call, resources, dates));
      if (call.dwKind == CALLLOG_KIND_INCOMING) incomingSeconds_ += entries_.back().seconds;
      if (call.dwKind == CALLLOG_KIND_OUTGOING) outgoingSeconds_ += entries_.back().seconds;
    }
    phone.close(log);
  }
  FreeLibrary(module);
}

}  // namespace calyra
