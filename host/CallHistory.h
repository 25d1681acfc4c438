#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PhoneCallLog.h"
#include "platform/core/PlatformTypes.h"

namespace calyra {

class DateTimeText;

// One call with a contact, with the texts the contact's summary shows for it.
struct CallHistoryEntry {
  DWORD kind = CALLLOG_KIND_MISSED;  // CALLLOG_KIND_MISSED, _INCOMING or _OUTGOING
  FILETIME start{};                  // UTC
  int64_t seconds = 0;               // from the start to the end, 0 when the log has the end first
  std::u16string kindText;           // the kind's resource string: "Missed", "Incoming", "Outgoing"
  std::u16string when;               // "%s %s": the start's date text and time text in local time
  std::u16string duration;           // "%02d:%02d:%02d": hours, minutes, seconds
  std::u16string number;             // "[%s]  %s": the number's label and the number; without a label
                                     // the number alone
};

// The calls the device's call log holds with one contact, read through the phone library
// ("phone.dll", include/PhoneCallLog.h), which lies outside the component and may be missing. A plain
// object: the summary window makes one for the contact it shows.
class CallHistory {
 public:
  // The history of a contact with these numbers; empty ones match no call.
  explicit CallHistory(std::vector<std::u16string> numbers);

  // Reads the log afresh, keeping the calls whose number equals one of the contact's numbers
  // (ignoring case), in the log's order. The texts come from `resources` and `dates`. A device without
  // the library, a library without one of its three entry points, or a log that does not open leaves
  // the history empty. The log is closed and the library freed before it returns.
  void Load(HINSTANCE resources, DateTimeText& dates, LPCWSTR library = PHONE_LIBRARY);

  const std::vector<CallHistoryEntry>& Entries() const { return entries_; }
  // The summed lengths of the incoming and of the outgoing calls; missed calls count in neither.
  int64_t IncomingSeconds() const { return incomingSeconds_; }
  int64_t OutgoingSeconds() const { return outgoingSeconds_; }
  // The totals as "%02d:%02d:%02d" (hours, minutes, seconds); "00:00:00" without calls.
  std::u16string IncomingTotal() const { return DurationText(incomingSeconds_); }
  std::u16string OutgoingTotal() const { return DurationText(outgoingSeconds_); }

  // "%02d:%02d:%02d" of a length in seconds; the hours grow past two digits when they must.
  static std::u16string DurationText(int64_t seconds);

 private:
  bool Matches(std::u16string_view number) const;
  CallHistoryEntry Describe(const CALLLOGENTRY& call, HINSTANCE resources, DateTimeText& dates) const;

  std::vector<std::u16string> numbers_;
  std::vector<CallHistoryEntry> entries_;
  int64_t incomingSeconds_ = 0;
  int64_t outgoingSeconds_ = 0;
};

}  // namespace calyra
