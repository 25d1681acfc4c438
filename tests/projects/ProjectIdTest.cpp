#include <gtest/gtest.h>

#include <string>

#include "platform/time/TimeConversion.h"
#include "projects/Project.h"
#include "projects/ProjectId.h"
#include "projects/ProjectStore.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

DWORD Seconds(ProjectId id) {
  return id & 0x3F;
}
DWORD MinuteOfDay(ProjectId id) {
  return (id >> 6) & 0x7FF;
}
DWORD DayTimesMonth(ProjectId id) {
  return (id >> 17) & 0x1FF;
}
DWORD Ticks(ProjectId id) {
  return id >> 26;
}

class ProjectIdTest : public DeviceTest {
 protected:
  // Stops the device clock at a local time of the device's zone, as a device that was set to it.
  void SetLocalClock(const SYSTEMTIME& local) {
    FILETIME utc{};
    ASSERT_TRUE(platform::LocalSystemTimeToUtc(local, &utc));
    std::string ticks = std::to_string(platform::TicksOf(utc));
    Device().SetSetting("Clock.Fixed", std::u16string(ticks.begin(), ticks.end()));
    ReopenDevice();
  }
};

TEST(ProjectIdLayoutTest, FieldsTakeTheirBits) {
  SYSTEMTIME local{2024, 3, 0, 7, 14, 25, 37, 0};
  ProjectId id = MakeProjectId(local, 1000);
  EXPECT_EQ(Seconds(id), 37u);
  EXPECT_EQ(MinuteOfDay(id), 865u);
  EXPECT_EQ(DayTimesMonth(id), 21u);
  EXPECT_EQ(Ticks(id), 1000u % 63);

  SYSTEMTIME lateInTheYear{2024, 12, 0, 31, 23, 59, 59, 999};
  ProjectId late = MakeProjectId(lateInTheYear, 62);
  EXPECT_EQ(Seconds(late), 59u);
  EXPECT_EQ(MinuteOfDay(late), 1439u);
  EXPECT_EQ(DayTimesMonth(late), 372u);
  EXPECT_EQ(Ticks(late), 62u);
  EXPECT_EQ(Ticks(MakeProjectId(lateInTheYear, 63)), 0u) << "the tick count is taken modulo 63";
}

TEST_F(ProjectIdTest, EntryCreatedAtADeviceTimeCarriesIt) {
  SetLocalClock(SYSTEMTIME{2024, 3, 0, 7, 14, 25, 37, 0});
  SYSTEMTIME now{};
  GetLocalTime(&now);
  ASSERT_EQ(now.wHour, 14);
  ASSERT_EQ(now.wSecond, 37);

  Project project;
  project.InitNew();
  EXPECT_EQ(Seconds(project.projectId), 37u);
  EXPECT_EQ(MinuteOfDay(project.projectId), 865u);
  EXPECT_EQ(DayTimesMonth(project.projectId), 21u);
  EXPECT_EQ(Ticks(project.projectId), GetTickCount() % 63);
  ASSERT_NE(project.Save(), 0u);

  auto task = CreateProjectEntry(ProjectEntryType::Task, project.Record());
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->parentId, project.projectId);
}

}  // namespace
