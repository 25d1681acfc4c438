// `calyra snapshot` and `tour --pictures`: the screen with an editor open written as PNG files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/hosts/CalyraDeviceTest.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/PictureFiles.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::CalyraDeviceTest;
using calyra::testing::ProgramRun;
using calyra::testing::ReadPng;

class CalyraSnapshotTest : public CalyraDeviceTest {
 protected:
  std::filesystem::path Picture(const std::string& name) const { return DeviceFolder() / name; }
};

TEST_F(CalyraSnapshotTest, WritesTheScreenWithTheEditorOpenAfterTheScript) {
  ProgramRun plain = Calyra({"snapshot", "new", "task", "--png", Picture("plain.png").string()});
  ASSERT_EQ(plain.exitCode, 0) << plain.output;
  ProgramRun typed = Calyra({"snapshot", "new", "task", "--tab", "0", "--png", Picture("typed.png").string()},
                            "type 1050 Call the plumber\n");
  ASSERT_EQ(typed.exitCode, 0) << typed.output;
  EXPECT_NE(typed.output.find("wrote " + Picture("typed.png").string()), std::string::npos) << typed.output;
  platform::Pixels before = ReadPng(Picture("plain.png"));
  platform::Pixels after = ReadPng(Picture("typed.png"));
  ASSERT_EQ(before.width, 240);
  ASSERT_EQ(before.height, 320);
  ASSERT_EQ(after.width, 240);
  EXPECT_NE(before.values, after.values) << "the subject typed shows";
  ProgramRun tasks = Calyra({"list", "tasks"});
  EXPECT_EQ(tasks.output.find("Call the plumber"), std::string::npos)
      << "the editor is cancelled: " << tasks.output;
}

TEST_F(CalyraSnapshotTest, ADeviceOf192DpiGivesPicturesTwiceTheSize) {
  DeviceTest::Device().SetSetting("Screen.DpiX", u"192");
  DeviceTest::Device().SetSetting("Screen.DpiY", u"192");
  DeviceTest::Device().SetSetting("Screen.Width", u"480");
  DeviceTest::Device().SetSetting("Screen.Height", u"640");
  ProgramRun run = Calyra({"snapshot", "new", "contact", "--png", Picture("large.png").string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  platform::Pixels picture = ReadPng(Picture("large.png"));
  EXPECT_EQ(picture.width, 480);
  EXPECT_EQ(picture.height, 640);
}

TEST_F(CalyraSnapshotTest, RefusesWhatItCannotDo) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    const char* says;
  } cases[] = {
      {{"snapshot", "new", "task"}, kUsage, "needs --png"},
      {{"snapshot", "new", "note", "--png", "x.png"}, kUsage, "snapshot OID, or snapshot new KIND"},
      {{"snapshot", "new", "task", "--tab", "x", "--png", "x.png"}, kUsage, "--tab takes"},
      {{"snapshot", "new", "task", "--tab", "9", "--png", "x.png"}, kUsage, "there is no tab 9"},
      {{"list", "tasks", "--png", "x.png"}, kUsage, "are for snapshot"},
      {{"tour", "--png", "x.png"}, kUsage, "tour takes --pictures"},
      {{"snapshot", "0x7777", "--png", "x.png"}, 5, "no appointment, task or contact"},
  };
  for (const Case& c : cases) {
    ProgramRun run = Calyra(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.back() << ": " << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
  }
}

}  // namespace
