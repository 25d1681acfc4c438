// The project commands: projects made and listed as a tree, items and files added through the
// exports (the picker worked by a script), and time booked on a project.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/hosts/CalyraDeviceTest.h"
#include "tests/hosts/JsonReader.h"
#include "tests/hosts/PublishedExitCodes.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::Hex;
using calyra::testing::JsonReader;
using calyra::testing::JsonValue;
using calyra::testing::OidAfter;
using calyra::testing::ProgramRun;

class CalyraProjectsTest : public calyra::testing::CalyraDeviceTest {
 protected:
  CEOID NewTask(const std::string& subject) {
    ProgramRun run = Calyra({"new", "task"}, "type 1050 " + subject + "\nok\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return OidAfter(run.output, "saved as task ");
  }
  // A project; the clock moves on a second, so that the next one gets another identifier.
  CEOID NewProject(const std::vector<std::string>& words) {
    std::vector<std::string> all{"project", "new"};
    all.insert(all.end(), words.begin(), words.end());
    ProgramRun run = Calyra(all);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    Calyra({"tick", "--minutes", "1"});
    return OidAfter(run.output, "project ");
  }
  JsonValue Projects() {
    ProgramRun run = Calyra({"projects", "--json"});
    std::string error;
    std::optional<JsonValue> value = JsonReader::Parse(run.output, &error);
    EXPECT_TRUE(value.has_value()) << error << run.output;
    return value.value_or(JsonValue{});
  }
};

TEST_F(CalyraProjectsTest, ProjectsAndSubProjectsAreListedAsATree) {
  CEOID house = NewProject({"House"});
  CEOID garden = NewProject({"Garden", "House"});
  NewProject({"Office"});
  ASSERT_NE(garden, 0u);
  JsonValue projects = Projects();
  ASSERT_EQ(projects.items.size(), 3u);
  const JsonValue& sub = projects[0]["name"].text == "Office" ? projects[2] : projects[1];
  EXPECT_EQ(sub.Keys(), (std::vector<std::string>{"oid", "name", "label", "parent", "start", "end",
                                                  "percentComplete", "complete"}));
  EXPECT_EQ(sub["name"].text, "Garden");
  EXPECT_EQ(sub["parent"].number, house);
  EXPECT_TRUE(sub["end"].IsNull());

  ProgramRun text = Calyra({"projects"});
  EXPECT_NE(text.output.find(Hex(garden) + "    Garden\n"), std::string::npos) << text.output;
}

TEST_F(CalyraProjectsTest, ItemsAndFilesAreAddedOnceAndTheTimeIsBooked) {
  NewProject({"House"});
  CEOID task = NewTask("Mow the lawn");
  ProgramRun run = Calyra({"project", "add", "House", Hex(task)});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 1"), std::string::npos) << run.output;
  run = Calyra({"project", "add", "House", Hex(task)});
  EXPECT_EQ(run.exitCode, kFailed) << run.output;

  std::filesystem::create_directories(Device() / "fs");
  std::ofstream(Device() / "fs" / "plan.txt") << "plan";
  run = Calyra({"project", "pick", "\\plan.txt"}, "dialog 371\nchoose 1800 0\nok\nend\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;

  run = Calyra({"project", "time", "House", "2024-03-15T09:00", "2024-03-15T10:30", "Mowing"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find(": 90 minutes on House"), std::string::npos) << run.output;
}

TEST_F(CalyraProjectsTest, TheProjectEditorOpensForANewProjectAndForAStoredOne) {
  ProgramRun run = Calyra({"new", "project"}, "type 1700 Shed\nok\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("opening a new project"), std::string::npos) << run.output;
  Calyra({"tick", "--minutes", "1"});
  JsonValue projects = Projects();
  ASSERT_EQ(projects.items.size(), 1u);
  EXPECT_EQ(projects[0]["name"].text, "Shed");

  // The third page books time through the time record dialog.
  run = Calyra({"project", "edit", "Shed"},
               "tab 3\ndialog 1212\ntype 1750 Painting\ndate 1753 2024-03-15 08:00\n"
               "date 1755 2024-03-15 09:15\nok\nend\nclick 1740\nok\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  run = Calyra({"report", "Shed", "--text"});
  EXPECT_NE(run.output.find("(01:15) 3/15/2024 Painting"), std::string::npos) << run.output;
}

TEST_F(CalyraProjectsTest, WrongWordsAndUnknownProjectsAreToldInOneLine) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {{"project"}, kUsage, "calyra: project new NAME [PARENT], project add"},
      {{"project", "time", "House", "tomorrow", "2024-03-15T10:30"},
       kUsage,
       "calyra: project time takes START and END"},
      {{"projects", "extra"}, kUsage, "calyra: projects takes no words"},
      {{"project", "edit"}, kUsage, "calyra: project new NAME [PARENT], project add"},
      {{"project", "edit", "Nowhere"}, kBadOid, "calyra: no project has the oid or name \"Nowhere\"\n"},
      {{"project", "add", "Nowhere", "0x10001"},
       kBadOid,
       "calyra: no project has the oid or name \"Nowhere\"\n"},
      {{"project", "new", "Shed", "Nowhere"},
       kBadOid,
       "calyra: no project has the oid or name \"Nowhere\"\n"},
  };
  for (const Case& each : cases) {
    ProgramRun run = Calyra(each.arguments);
    EXPECT_EQ(run.exitCode, each.exitCode) << run.output;
    EXPECT_EQ(run.output.substr(0, each.message.size()), each.message);
  }
}

}  // namespace
