#include <gtest/gtest.h>

#include <thread>

#include "platform/core/LastError.h"
#include "platform/core/LocalMemory.h"
#include "platform/core/System.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

struct Counter : platform::KernelObject {
  explicit Counter(int* alive) : alive(alive) { ++*alive; }
  ~Counter() override { --*alive; }
  int* alive;
};

TEST_F(DeviceTest, HandlesAreTypedAndNeverReused) {
  auto& handles = platform::System::Current().Handles();
  int alive = 0;
  HANDLE first = handles.Add(std::make_shared<Counter>(&alive));
  EXPECT_EQ(alive, 1);
  EXPECT_NE(handles.Get<Counter>(first), nullptr);
  EXPECT_EQ(CloseHandle(first), TRUE);
  EXPECT_EQ(alive, 0);

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(CloseHandle(first), FALSE) << "closing twice";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(CloseHandle(INVALID_HANDLE_VALUE), FALSE);
  EXPECT_EQ(CloseHandle(nullptr), FALSE);

  HANDLE second = handles.Add(std::make_shared<Counter>(&alive));
  EXPECT_NE(second, first) << "a stale handle must not name a new object";
  EXPECT_EQ(handles.Get<Counter>(first), nullptr);
  EXPECT_EQ(CloseHandle(second), TRUE);
}

TEST_F(DeviceTest, DetachingTheDeviceClosesEveryHandle) {
  int alive = 0;
  platform::System::Current().Handles().Add(std::make_shared<Counter>(&alive));
  platform::System::Current().Handles().Add(std::make_shared<Counter>(&alive));
  ReopenDevice();
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(platform::System::Current().Handles().Count(), 0u);
}

TEST(LastErrorTest, IsPerThread) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  std::thread other([] {
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    SetLastError(ERROR_HANDLE_EOF);
  });
  other.join();
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(LocalMemoryTest, AllocGrowFree) {
  auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, 16));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(LocalSize(block), 16u);
  EXPECT_EQ(block[15], 0) << "LPTR zero-fills";
  block[0] = 0xAB;
  block = static_cast<BYTE*>(LocalReAlloc(block, 4096, LMEM_MOVEABLE | LMEM_ZEROINIT));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[0], 0xAB) << "contents survive growing";
  EXPECT_EQ(block[4095], 0);
  EXPECT_EQ(LocalSize(block), 4096u);
  EXPECT_EQ(LocalFree(block), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
  alignas(std::max_align_t) BYTE notLocal[64] = {};
  EXPECT_EQ(LocalSize(notLocal + 32), 0u) << "foreign memory is not a local block";
}

TEST_F(DeviceTest, ClockComesFromTheDeviceSettings) {
  auto& clock = platform::System::Current().DeviceClock();
  EXPECT_TRUE(clock.IsFixed());
  EXPECT_FALSE(clock.IsHostTime());
  EXPECT_EQ(clock.NowUtc(), kFixedNowUtc);
  Device().ClearSetting("Clock.Fixed");
  Device().SetSetting("Clock.Offset", u"-36000000000");  // an hour behind the host
  ReopenDevice();
  EXPECT_FALSE(clock.IsFixed());
  EXPECT_FALSE(clock.IsHostTime()) << "shifted";
  int64_t difference = platform::Clock::HostNowUtc() - clock.NowUtc();
  EXPECT_NEAR(static_cast<double>(difference), 36'000'000'000.0, 600'000'000.0);
  clock.UseHostTime();
  EXPECT_TRUE(clock.IsHostTime());
}

TEST_F(DeviceTest, SettingsSurviveReopening) {
  Device().SetSetting("Version.Major", u"5");
  ReopenDevice();
  EXPECT_EQ(Device().Setting("Version.Major"), std::u16string(u"5"));
  EXPECT_FALSE(Device().Setting("Nothing").has_value());
}

TEST_F(DeviceTest, ChangesOfTheSettingsAreCountedForEveryConnection) {
  platform::Device::ChangeCounts before = Device().Changes();
  Device().SetSetting("Locale", u"de-DE");
  platform::Device::ChangeCounts after = Device().Changes();
  EXPECT_GT(after.settings, before.settings);
  EXPECT_EQ(after.registry, before.registry);
  EXPECT_EQ(Device().Changes(), after) << "reading changes nothing";
  Device().SetSetting("Locale", u"de-DE");
  EXPECT_GT(Device().Changes().settings, after.settings) << "every write counts, even of the same value";
  after = Device().Changes();
  Device().ClearSetting("Locale");
  EXPECT_GT(Device().Changes().settings, after.settings) << "a removed setting";

  after = Device().Changes();
  auto other = platform::Device::Open(DeviceFolder() / "device");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->Changes(), after) << "every connection reads the same counts";
  other->SetSetting("TimeZone", u"UTC");
  EXPECT_GT(Device().Changes().settings, after.settings) << "a write through another connection";
  other.reset();
  after = Device().Changes();
  ReopenDevice();
  EXPECT_EQ(Device().Changes(), after) << "the counts are kept with the device";
}

TEST_F(DeviceTest, AKeptSettingGivesWayToAnyChange) {
  Device().SetSetting("TimeZone", u"Europe/Berlin");
  EXPECT_EQ(Device().Setting("TimeZone"), std::u16string(u"Europe/Berlin"));
  Device().SetSetting("TimeZone", u"Asia/Tokyo");
  EXPECT_EQ(Device().Setting("TimeZone"), std::u16string(u"Asia/Tokyo")) << "this connection's own write";

  auto other = platform::Device::Open(DeviceFolder() / "device");
  ASSERT_NE(other, nullptr);
  other->SetSetting("TimeZone", u"UTC");
  Device().Changes();  // any read of the store brings the other connection's write into view
  EXPECT_EQ(Device().Setting("TimeZone"), std::u16string(u"UTC")) << "another connection's write";
  other->ClearSetting("TimeZone");
  Device().Changes();
  EXPECT_FALSE(Device().Setting("TimeZone").has_value());
}

TEST(DeviceOpenTest, ReportsAFolderThatCannotBeMade) {
  std::string error;
  EXPECT_EQ(platform::Device::Open("/proc/no-such/device", &error), nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
