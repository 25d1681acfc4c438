#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "notes/AlarmNote.h"
#include "notes/AlarmNoteFolders.h"
#include "notes/AlarmNotification.h"
#include "platform/files/FileSystem.h"
#include "platform/notify/Notifications.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/NoteFiles.h"

namespace calyra::testing {

// A device with a documents folder; the clock stands at 2024-03-15 10:30 local time (Berlin).
class NoteFileTest : public DeviceTest {
 protected:
  static constexpr const char16_t* kDocuments = u"\\My Documents\\";
  static constexpr const char16_t* kAlarmFolder = u"\\My Documents\\CalyraAlarmNotes\\";
  static constexpr const char16_t* kAlarmFolderItself = u"\\My Documents\\CalyraAlarmNotes";

  void SetUp() override {
    DeviceTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
  }

  // The alarm notes folder, made as the component makes it.
  std::u16string AlarmFolder() { return folders_.AlarmNotes(); }

  static void MakeFile(const std::u16string& path, std::string_view bytes = "ink") {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << platform::ToUtf8(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  static bool Exists(const std::u16string& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  static std::string Bytes(const std::u16string& path) { return FileBytes(path); }
  static std::vector<std::u16string> NamesIn(const std::u16string& folder) { return FileNamesIn(folder); }

  static std::u16string WithHandle(std::u16string_view stamp, DWORD handle, std::u16string_view title) {
    return AlarmNoteName(stamp, handle, title);
  }

  static std::vector<platform::PendingNotification> Pending() { return platform::ReadPendingNotifications(); }
  static DWORD HandleValue(HANDLE handle) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(handle)); }
  static int64_t UtcTicksOf(const SYSTEMTIME& local) {
    FILETIME utc{};
    platform::LocalSystemTimeToUtc(local, &utc);
    return platform::TicksOf(utc);
  }
  // Expects exactly one pending notification: the launcher opening `path` at `time`.
  static void ExpectOnlyNotification(DWORD handle, const std::u16string& path, const SYSTEMTIME& time) {
    auto pending = Pending();
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(HandleValue(pending[0].handle), handle);
    EXPECT_EQ(pending[0].triggerType, CNT_TIME);
    EXPECT_EQ(pending[0].application, u"CalyraNotesLauncher.exe");
    EXPECT_EQ(pending[0].arguments, u"OpenAlarmNote " + path);
    EXPECT_EQ(pending[0].fireTimeUtc, UtcTicksOf(time));
    EXPECT_EQ(pending[0].actionFlags, 0u) << "the system shows nothing itself";
  }
  static bool LauncherMarkedHandled() {
    auto handled = platform::HandledNotificationApplications();
    return std::find(handled.begin(), handled.end(), u"CalyraNotesLauncher.exe") != handled.end();
  }

  AlarmNoteFolders folders_;
};

}  // namespace calyra::testing
