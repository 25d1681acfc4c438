// The phone library as the emulated device has it: a call log and nothing else. The calls come from the
// device's file "\Windows\CallLog.txt" (platform/phone/CallLogFile.h), read once when the log is opened,
// so a test or the demo host gives the device its calls by writing lines into that file.
#include <memory>
#include <vector>

#include "PhoneCallLog.h"
#include "platform/core/HandleTable.h"
#include "platform/core/System.h"
#include "platform/phone/CallLogFile.h"
#include "platform/time/TimeConversion.h"

namespace {

// An open call log: the calls read at open, the next one to hand out, and the texts of the entry
// handed out last, which the caller's CALLLOGENTRY points into.
class OpenCallLog : public platform::KernelObject {
 public:
  explicit OpenCallLog(std::vector<platform::CallLogRecord> records) : records_(std::move(records)) {}

  bool Next(CALLLOGENTRY* entry) {
    if (next_ >= records_.size()) return false;
    current_ = records_[next_++];
    entry->ftStartTime = platform::FileTimeOf(current_.startTicks);
    entry->ftEndTime = platform::FileTimeOf(current_.EndTicks());
    entry->dwKind = current_.kind;
    entry->pszNumber = current_.number.c_str();
    entry->pszName = current_.name.c_str();
    entry->pszNumberLabel = current_.label.c_str();
    return true;
  }

 private:
  std::vector<platform::CallLogRecord> records_;
  size_t next_ = 0;
  platform::CallLogRecord current_;
};

std::shared_ptr<OpenCallLog> Find(HANDLE log) {
  if (!platform::CurrentDevice()) return nullptr;
  return platform::System::Current().Handles().Get<OpenCallLog>(log);
}

}  // namespace

PHONE_API HRESULT PhoneOpenCallLog(HANDLE* log) {
  if (!log) return E_POINTER;
  *log = nullptr;
  try {
    std::vector<platform::CallLogRecord> records;
    if (!platform::CurrentDevice() || !platform::ReadCallLogFile(&records)) return E_FAIL;
    *log = platform::System::Current().Handles().Add(std::make_shared<OpenCallLog>(std::move(records)));
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

PHONE_API HRESULT PhoneGetCallLogEntry(HANDLE log, CALLLOGENTRY* entry) {
  if (!entry) return E_POINTER;
  if (entry->cbSize < sizeof(CALLLOGENTRY)) return E_INVALIDARG;
  try {
    std::shared_ptr<OpenCallLog> open = Find(log);
    if (!open) return PHONE_E_INVALID_HANDLE;
    return open->Next(entry) ? S_OK : PHONE_E_NO_MORE_ENTRIES;
  } catch (...) {
    return E_FAIL;
  }
}

PHONE_API HRESULT PhoneCloseCallLog(HANDLE log) {
  try {
    if (!Find(log)) return PHONE_E_INVALID_HANDLE;
    platform::System::Current().Handles().Close(log);
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}
