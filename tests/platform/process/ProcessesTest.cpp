#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/core/LastError.h"
#include "platform/process/Processes.h"
#include "platform/process/SharedSection.h"
#include "platform/process/Synchronization.h"
#include "platform/process/SystemInformation.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing;

class ProcessesTest : public DeviceTest {
 protected:
  std::string DeviceArg() { return (DeviceFolder() / "device").string(); }
  int RunWorker(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), DeviceArg());
    ChildProcess worker(HelperProgram("device_worker"), arguments);
    return worker.Wait();
  }
};

TEST_F(ProcessesTest, StartsAreLoggedAndHandedToTheRegisteredHandler) {
  std::vector<std::pair<std::u16string, std::u16string>> calls;
  platform::RegisterProgramHandler(u"Calyra.exe",
                                   [&](const std::u16string& program, const std::u16string& arguments) {
                                     calls.emplace_back(program, arguments);
                                   });
  std::u16string arguments = u"-open 42";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(u"\\Windows\\CALYRA.EXE", arguments.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, nullptr, &process));
  EXPECT_EQ(WaitForSingleObject(process.hProcess, INFINITE), WAIT_OBJECT_0) << "a started program has ended";
  EXPECT_TRUE(CloseHandle(process.hProcess));
  EXPECT_TRUE(CloseHandle(process.hThread));
  ASSERT_TRUE(CreateProcessW(u"CalyraFind.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             nullptr, nullptr))
      << GetLastError();

  SHELLEXECUTEINFO open{};
  open.cbSize = sizeof(open);
  open.lpFile = u"\\My Documents\\plan.txt";
  ASSERT_TRUE(ShellExecuteEx(&open));
  EXPECT_GT(reinterpret_cast<intptr_t>(open.hInstApp), 32);
  SHELLEXECUTEINFO bad{};
  EXPECT_FALSE(ShellExecuteEx(&bad)) << "wrong size";
  EXPECT_FALSE(ShellExecuteEx(nullptr));
  EXPECT_FALSE(
      CreateProcessW(nullptr, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr));

  ASSERT_EQ(calls.size(), 1u) << "only the registered program reaches the handler";
  EXPECT_EQ(calls[0].first, u"\\Windows\\CALYRA.EXE");
  EXPECT_EQ(calls[0].second, u"-open 42");

  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].program, u"\\Windows\\CALYRA.EXE");
  EXPECT_EQ(log[0].timeUtc, kFixedNowUtc);
  EXPECT_EQ(log[1].program, u"CalyraFind.exe");
  EXPECT_EQ(log[1].arguments, u"");
  EXPECT_EQ(log[2].verb, u"open");
  EXPECT_EQ(log[2].program, u"\\My Documents\\plan.txt");

  platform::UnregisterProgramHandler(u"calyra.exe");
  CreateProcessW(u"Calyra.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ProcessesTest, AnotherProcessesStartsAreInTheSameLog) {
  ASSERT_EQ(RunWorker({"launch", "Calyra.exe", ""}), 0);
  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].program, u"Calyra.exe");
}

TEST_F(ProcessesTest, MutexesAreRecursiveForTheOwnerAndExclusiveForOthers) {
  SetLastError(0);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, u"CalyraUpdateAlarmDBMtx");
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  HANDLE same = CreateMutexW(nullptr, FALSE, u"calyraupdatealarmdbmtx");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS) << "names compare without regard to case";

  EXPECT_FALSE(ReleaseMutex(mutex)) << "not owned";
  EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
  ASSERT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
  ASSERT_EQ(WaitForSingleObject(same, 0), WAIT_OBJECT_0) << "the owner may take it again, through any handle";

  std::atomic<DWORD> other{0};
  std::thread([&] { other = WaitForSingleObject(same, 50); }).join();
  EXPECT_EQ(other, WAIT_TIMEOUT) << "another thread waits, even through the same handle";
  EXPECT_TRUE(ReleaseMutex(mutex));
  std::thread([&] { other = WaitForSingleObject(same, 50); }).join();
  EXPECT_EQ(other, WAIT_TIMEOUT) << "still held once";
  EXPECT_TRUE(ReleaseMutex(same));
  std::thread([&] {
    other = WaitForSingleObject(same, 1000);
    ReleaseMutex(same);
  }).join();
  EXPECT_EQ(other, WAIT_OBJECT_0);

  CloseHandle(same);
  CloseHandle(mutex);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(ReleaseMutex(nullptr));
  std::u16string tooLong(MAX_PATH + 1, u'm');
  EXPECT_EQ(CreateMutexW(nullptr, FALSE, tooLong.c_str()), nullptr);

  HANDLE unnamed = CreateMutexW(nullptr, TRUE, nullptr);
  ASSERT_NE(unnamed, nullptr);
  std::thread([&] { other = WaitForSingleObject(unnamed, 20); }).join();
  EXPECT_EQ(other, WAIT_TIMEOUT) << "created owned";
  EXPECT_TRUE(ReleaseMutex(unnamed));
  CloseHandle(unnamed);
}

TEST_F(ProcessesTest, ANamedMutexExcludesAcrossProcesses) {
  constexpr int kEach = 200;
  { std::ofstream(DeviceFolder() / "device" / "counter") << 0; }
  std::vector<std::string> count{DeviceArg(), "count", "Counter", std::to_string(kEach)};
  ChildProcess first(HelperProgram("device_worker"), count);
  ChildProcess second(HelperProgram("device_worker"), count);
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(second.Wait(), 0);
  long value = 0;
  std::ifstream(DeviceFolder() / "device" / "counter") >> value;
  EXPECT_EQ(value, 2 * kEach) << "an update was lost: the mutex did not exclude";

  ChildProcess holder(HelperProgram("device_worker"), {DeviceArg(), "hold", "Held", "300"});
  std::string line;
  ASSERT_TRUE(holder.ReadLine(&line));
  ASSERT_EQ(line, "held");
  HANDLE mutex = CreateMutexW(nullptr, FALSE, u"Held");
  EXPECT_EQ(WaitForSingleObject(mutex, 10), WAIT_TIMEOUT) << "the other process holds it";
  EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0) << "free once it let go";
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(holder.Wait(), 0);
  CloseHandle(mutex);
}

TEST_F(ProcessesTest, AMutexWhoseOwnerDiedIsFree) {
  ChildProcess holder(HelperProgram("device_worker"), {DeviceArg(), "hold", "Orphan", "60000"});
  std::string line;
  ASSERT_TRUE(holder.ReadLine(&line));
  holder.Kill();
  HANDLE mutex = CreateMutexW(nullptr, FALSE, u"Orphan");
  EXPECT_EQ(WaitForSingleObject(mutex, 5000), WAIT_OBJECT_0);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

TEST_F(ProcessesTest, SharedSectionsAreSharedAcrossProcesses) {
  SetLastError(0);
  HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, u"OpenItems");
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  auto* view = static_cast<char*>(MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view[0], 0) << "a new section reads as zero";
  ASSERT_EQ(RunWorker({"section", "OpenItems", "written elsewhere"}), 0);
  EXPECT_STREQ(view, "written elsewhere");

  HANDLE again = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, u"OpenItems");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  auto* second = static_cast<char*>(MapViewOfFile(again, FILE_MAP_ALL_ACCESS, 0, 0, 16));
  std::strcpy(second, "here");
  EXPECT_STREQ(view, "here") << "two views of one section";
  EXPECT_TRUE(UnmapViewOfFile(second));
  EXPECT_FALSE(UnmapViewOfFile(second)) << "twice";
  CloseHandle(again);
  CloseHandle(section);
  EXPECT_STREQ(view, "here") << "a view outlives its mapping handle";
  EXPECT_TRUE(UnmapViewOfFile(view));

  EXPECT_EQ(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0, u"Empty"), nullptr);
  EXPECT_EQ(CreateFileMappingW(reinterpret_cast<HANDLE>(8), nullptr, PAGE_READWRITE, 0, 16, u"File"),
            nullptr);
  EXPECT_EQ(MapViewOfFile(nullptr, FILE_MAP_ALL_ACCESS, 0, 0, 0), nullptr);
  HANDLE small = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, nullptr);
  EXPECT_EQ(MapViewOfFile(small, FILE_MAP_ALL_ACCESS, 0, 0, 17), nullptr) << "larger than the section";
  CloseHandle(small);
}

TEST_F(ProcessesTest, SystemInformationComesFromTheDevice) {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  ASSERT_TRUE(GetVersionExW(&version));
  EXPECT_EQ(version.dwMajorVersion, 4u);
  EXPECT_EQ(version.dwPlatformId, VER_PLATFORM_WIN32_CE);
  WCHAR type[256];
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(type), type, 0));
  EXPECT_EQ(std::u16string(type), u"PocketPC");

  Device().SetSetting("Version.Major", u"3");
  Device().SetSetting("PlatformType", u"Palm PC2");
  ASSERT_TRUE(GetVersionExW(&version));
  EXPECT_EQ(version.dwMajorVersion, 3u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 512, type, 0));
  EXPECT_EQ(std::u16string(type), u"Palm PC2");
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 8, type, 0));
  EXPECT_EQ(std::u16string(type), u"Pal") << "cut to a buffer of 8 bytes";
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 1, type, 0));
  EXPECT_FALSE(SystemParametersInfoW(9999, 512, type, 0));
  version.dwOSVersionInfoSize = 4;
  EXPECT_FALSE(GetVersionExW(&version));
}

}  // namespace
