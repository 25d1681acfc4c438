#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PhoneCallLog.h"
#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "platform/phone/CallLogFile.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceLibrary.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;
using platform::CallLogRecord;

// 2026-12-01 10:00:00 UTC in FILETIME ticks.
constexpr int64_t kStart = 134'405'928'000'000'000;
constexpr int64_t kTicksPerSecond = 10'000'000;

// The device's phone library as a program reaches it: loaded by name, its entry points found by name.
class StandInPhoneTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    module_ = LoadLibraryW(PHONE_LIBRARY);
    ASSERT_NE(module_, nullptr) << GetLastError();
    open_ = reinterpret_cast<PhoneOpenCallLogFunction>(GetProcAddressW(module_, u"PhoneOpenCallLog"));
    get_ = reinterpret_cast<PhoneGetCallLogEntryFunction>(GetProcAddressW(module_, u"PhoneGetCallLogEntry"));
    close_ = reinterpret_cast<PhoneCloseCallLogFunction>(GetProcAddressW(module_, u"PhoneCloseCallLog"));
    ASSERT_TRUE(open_ && get_ && close_);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    DeviceTest::TearDown();
  }

  // Replaces the device's call-log file with `text`.
  static void WriteLog(const std::string& text) {
    CreateDirectoryW(u"\\Windows", nullptr);
    HANDLE file = CreateFileW(platform::kCallLogFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    CloseHandle(file);
  }

  // Every entry the library hands out for a fresh open, as records.
  std::vector<CallLogRecord> ReadAll() {
    HANDLE log = nullptr;
    EXPECT_EQ(open_(&log), S_OK);
    std::vector<CallLogRecord> records;
    CALLLOGENTRY entry{};
    entry.cbSize = sizeof(entry);
    HRESULT result;
    while ((result = get_(log, &entry)) == S_OK) {
      int64_t start = platform::TicksOf(entry.ftStartTime);
      int64_t seconds = (platform::TicksOf(entry.ftEndTime) - start) / kTicksPerSecond;
      records.push_back({entry.dwKind, start, static_cast<uint32_t>(seconds), entry.pszNumber, entry.pszName,
                         entry.pszNumberLabel});
    }
    EXPECT_EQ(result, PHONE_E_NO_MORE_ENTRIES);
    EXPECT_EQ(get_(log, &entry), PHONE_E_NO_MORE_ENTRIES) << "the end stays the end";
    EXPECT_EQ(close_(log), S_OK);
    return records;
  }

  HINSTANCE module_ = nullptr;
  PhoneOpenCallLogFunction open_ = nullptr;
  PhoneGetCallLogEntryFunction get_ = nullptr;
  PhoneCloseCallLogFunction close_ = nullptr;
};

TEST_F(StandInPhoneTest, ADeviceWithoutTheFileHasAnEmptyLog) {
  EXPECT_TRUE(ReadAll().empty()) << "no \\Windows folder either";
  CreateDirectoryW(u"\\Windows", nullptr);
  EXPECT_TRUE(ReadAll().empty());
  WriteLog("");
  EXPECT_TRUE(ReadAll().empty());
}

TEST_F(StandInPhoneTest, EntriesComeBackAsTheyWereWritten) {
  const std::vector<CallLogRecord> kCalls = {
      {CALLLOG_KIND_INCOMING, kStart, 95, u"+49 30 1234", u"Anna Berg", u"Work"},
      {CALLLOG_KIND_MISSED, kStart + 3600 * kTicksPerSecond, 0, u"", u"", u""},
      {CALLLOG_KIND_OUTGOING, kStart + 7200 * kTicksPerSecond, 3725, u"0171 555", u"\u00c9mile", u"Mobile"},
  };
  for (const CallLogRecord& call : kCalls) ASSERT_TRUE(platform::AppendToCallLogFile(call));
  EXPECT_EQ(ReadAll(), kCalls);
}

TEST_F(StandInPhoneTest, MalformedLinesAreSkipped) {
  WriteLog(
      "incoming\t2026-12-01T10:00:00Z\t95\t1\n"
      "incoming\t2026-13-01T10:00:00Z\t95\t2\n"
      "\xff\xfe garbage \t\t\t\n"
      "outgoing\t2026-12-01T10:00:00Z\t5\t3\tName\tHome\ttoo many\n"
      "outgoing\t2026-12-01T10:00:00Z\t5\t4\n");
  auto records = ReadAll();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].number, u"1");
  EXPECT_EQ(records[1].number, u"4");
}

TEST_F(StandInPhoneTest, AnEntrysTextsLastUntilTheNextEntry) {
  WriteLog("incoming\t2026-12-01T10:00:00Z\t95\t0301\tAnna\tWork\nmissed\t2026-12-01T11:00:00Z\t0\t0302\n");
  HANDLE log = nullptr;
  ASSERT_EQ(open_(&log), S_OK);
  CALLLOGENTRY entry{};
  entry.cbSize = sizeof(entry);
  ASSERT_EQ(get_(log, &entry), S_OK);
  EXPECT_EQ(std::u16string(entry.pszNumber), u"0301");
  EXPECT_EQ(std::u16string(entry.pszName), u"Anna");
  EXPECT_EQ(std::u16string(entry.pszNumberLabel), u"Work");
  EXPECT_EQ(platform::TicksOf(entry.ftEndTime) - platform::TicksOf(entry.ftStartTime), 95 * kTicksPerSecond);
  ASSERT_EQ(get_(log, &entry), S_OK);
  EXPECT_EQ(entry.dwKind, DWORD{CALLLOG_KIND_MISSED});
  EXPECT_EQ(std::u16string(entry.pszName), u"") << "an empty text, never null";
  EXPECT_EQ(platform::TicksOf(entry.ftEndTime), platform::TicksOf(entry.ftStartTime));
  EXPECT_EQ(close_(log), S_OK);
}

TEST_F(StandInPhoneTest, EachOpenReadsTheFileAgain) {
  HANDLE first = nullptr;
  ASSERT_EQ(open_(&first), S_OK);
  WriteLog("incoming\t2026-12-01T10:00:00Z\t95\t1\n");
  CALLLOGENTRY entry{};
  entry.cbSize = sizeof(entry);
  EXPECT_EQ(get_(first, &entry), PHONE_E_NO_MORE_ENTRIES) << "the log opened before the call came";
  EXPECT_EQ(ReadAll().size(), 1u);
  EXPECT_EQ(close_(first), S_OK);
}

TEST_F(StandInPhoneTest, WrongArgumentsAreRefused) {
  EXPECT_EQ(open_(nullptr), E_POINTER);
  HANDLE log = nullptr;
  ASSERT_EQ(open_(&log), S_OK);
  CALLLOGENTRY entry{};
  entry.cbSize = sizeof(entry) - 1;
  EXPECT_EQ(get_(log, &entry), E_INVALIDARG) << "a structure smaller than the library's";
  EXPECT_EQ(get_(log, nullptr), E_POINTER);
  entry.cbSize = sizeof(entry);
  EXPECT_EQ(get_(nullptr, &entry), PHONE_E_INVALID_HANDLE);
  EXPECT_EQ(close_(log), S_OK);
  EXPECT_EQ(get_(log, &entry), PHONE_E_INVALID_HANDLE) << "a closed log";
  EXPECT_EQ(close_(log), PHONE_E_INVALID_HANDLE) << "closed twice";

  HANDLE file =
      CreateFileW(u"\\other.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(get_(file, &entry), PHONE_E_INVALID_HANDLE) << "a handle of another kind";
  EXPECT_EQ(close_(file), PHONE_E_INVALID_HANDLE);
  EXPECT_TRUE(CloseHandle(file)) << "and it stays open";
}

TEST_F(StandInPhoneTest, ALogThatCannotBeReadDoesNotOpen) {
  CreateDirectoryW(u"\\Windows", nullptr);
  ASSERT_TRUE(CreateDirectoryW(platform::kCallLogFile, nullptr)) << "a folder where the file belongs";
  HANDLE log = reinterpret_cast<HANDLE>(uintptr_t{1});
  EXPECT_EQ(open_(&log), E_FAIL);
  EXPECT_EQ(log, nullptr);
}

TEST_F(StandInPhoneTest, WithoutADeviceNothingOpens) {
  platform::System::Current().DetachDevice();
  module_ = nullptr;  // its handle went with the device
  HANDLE log = nullptr;
  EXPECT_EQ(open_(&log), E_FAIL);
  ReopenDevice();
}

}  // namespace
