#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/outlook/PocketOutlook.h"
#include "platform/time/TimeConversion.h"
#include "tests/support/DeviceTest.h"

namespace calyra::testing {

// A BSTR owned by the test.
class Bstr {
 public:
  explicit Bstr(const char16_t* text = nullptr) : text_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  operator BSTR() const { return text_; }  // NOLINT: passes as device code passes a BSTR
  BSTR* Out() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  std::u16string Text() const { return std::u16string(text_ ? text_ : u"", SysStringLen(text_)); }

 private:
  BSTR text_;
};

// Reads a text property through a get_ method: Text(item, &IContact::get_FirstName).
template <class T>
std::u16string Text(T* item, HRESULT (T::*getter)(BSTR*)) {
  Bstr text;
  EXPECT_EQ((item->*getter)(text.Out()), S_OK);
  return text.Text();
}

inline DATE Date(int year, int month, int day, int hour = 0, int minute = 0) {
  SYSTEMTIME time{static_cast<WORD>(year), static_cast<WORD>(month),  0, static_cast<WORD>(day),
                  static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  DATE date = 0;
  SystemTimeToVariantTime(&time, &date);
  return date;
}

inline int64_t Ticks(int year, int month, int day, int hour = 0, int minute = 0) {
  SYSTEMTIME time{static_cast<WORD>(year), static_cast<WORD>(month),  0, static_cast<WORD>(day),
                  static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return platform::TicksOf(file);
}

inline std::string Day(DATE date) {
  SYSTEMTIME time{};
  VariantTimeToSystemTime(date, &time);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                time.wMinute);
  return text;
}
inline std::vector<std::string> Days(const std::vector<DATE>& dates) {
  std::vector<std::string> out;
  for (DATE d : dates) out.push_back(Day(d).substr(0, 10));
  return out;
}

// Every property of a record, read straight from its database.
class RawRecord {
 public:
  RawRecord(const char16_t* database, CEOID oid) {
    CEOID dbOid = 0;
    HANDLE db = CeOpenDatabaseEx(nullptr, &dbOid, database, 0, 0, nullptr);
    if (db == INVALID_HANDLE_VALUE) return;
    if (CeSeekDatabase(db, CEDB_SEEK_CEOID, oid, nullptr) == oid) {
      DWORD size = 0;
      found_ = CeReadRecordPropsEx(db, CEDB_ALLOWREALLOC, &count_, nullptr, &buffer_, &size, nullptr) == oid;
    }
    CloseHandle(db);
  }
  ~RawRecord() {
    if (buffer_) LocalFree(buffer_);
  }
  RawRecord(const RawRecord&) = delete;
  RawRecord& operator=(const RawRecord&) = delete;
  bool Found() const { return found_; }
  const CEPROPVAL* Find(CEPROPID tag) const {
    const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer_);
    for (WORD i = 0; found_ && i < count_; ++i) {
      if (values[i].propid == tag && !(values[i].wFlags & CEDB_PROPNOTFOUND)) return &values[i];
    }
    return nullptr;
  }
  bool Has(CEPROPID tag) const { return Find(tag) != nullptr; }
  std::u16string String(CEPROPID tag) const {
    const CEPROPVAL* v = Find(tag);
    return v && v->val.lpwstr ? std::u16string(v->val.lpwstr) : std::u16string();
  }
  uint32_t Number(CEPROPID tag) const {
    const CEPROPVAL* v = Find(tag);
    return v ? v->val.ulVal : 0xFFFFFFFF;
  }
  int64_t Time(CEPROPID tag) const {
    const CEPROPVAL* v = Find(tag);
    return v ? platform::TicksOf(v->val.filetime) : -1;
  }
  std::vector<uint8_t> Blob(CEPROPID tag) const {
    const CEPROPVAL* v = Find(tag);
    if (!v) return {};
    return std::vector<uint8_t>(v->val.blob.lpb, v->val.blob.lpb + v->val.blob.dwCount);
  }

 private:
  bool found_ = false;
  WORD count_ = 0;
  LPBYTE buffer_ = nullptr;
};

// Writes properties to a record of a database straight through the object store.
inline CEOID WriteRaw(const char16_t* database, CEOID oid, std::vector<CEPROPVAL> values) {
  CEOID dbOid = 0;
  HANDLE db = CeOpenDatabaseEx(nullptr, &dbOid, database, 0, 0, nullptr);
  if (db == INVALID_HANDLE_VALUE) {
    CEDBASEINFO info{};
    info.dwFlags = CEDB_VALIDNAME;
    std::u16string name(database);
    name.copy(info.szDbaseName, name.size());
    CeCreateDatabaseEx(nullptr, &info);
    db = CeOpenDatabaseEx(nullptr, &dbOid, database, 0, 0, nullptr);
  }
  CEOID written = CeWriteRecordProps(db, oid, static_cast<WORD>(values.size()), values.data());
  CloseHandle(db);
  return written;
}

// A device with Pocket Outlook logged on.
class OutlookTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    ASSERT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                               reinterpret_cast<void**>(&app_)),
              S_OK);
    ASSERT_EQ(app_->Logon(nullptr), S_OK);
  }
  void TearDown() override {
    if (app_) app_->Logoff();
    app_.Reset();
    CoUninitialize();
    DeviceTest::TearDown();
  }

  template <class T>
  platform::ComPtr<T> Create(int itemType, REFIID iid) {
    platform::ComPtr<IDispatch> item;
    EXPECT_EQ(app_->CreateItem(itemType, &item), S_OK);
    return item.As<T>(iid);
  }
  platform::ComPtr<IAppointment> NewAppointment() {
    return Create<IAppointment>(olAppointmentItem, IID_IAppointment);
  }
  platform::ComPtr<ITask> NewTask() { return Create<ITask>(olTaskItem, IID_ITask); }
  platform::ComPtr<IContact> NewContact() { return Create<IContact>(olContactItem, IID_IContact); }

  template <class T>
  platform::ComPtr<T> Fetch(LONG oid, REFIID iid) {
    platform::ComPtr<IDispatch> item;
    EXPECT_EQ(app_->GetItemFromOid(static_cast<CEOID>(oid), &item), S_OK);
    return item.As<T>(iid);
  }
  template <class T>
  static LONG OidOf(const platform::ComPtr<T>& item) {
    LONG oid = 0;
    EXPECT_EQ(item->get_Oid(&oid), S_OK);
    return oid;
  }

  platform::ComPtr<IPOutlookApp> app_;
};

}  // namespace calyra::testing
