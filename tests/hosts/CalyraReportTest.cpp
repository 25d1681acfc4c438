// `calyra report`: the project report of a project named by its oid or name, written beside the
// program, its path printed, its text with --text; the mistakes of the command line and a report
// file that cannot be created.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/time/TimeConversion.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectStore.h"
#include "projects/TimeRecordEntry.h"
#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using namespace calyra;
using calyra::testing::Hex;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;

constexpr int kNoSuchItem = 5;

class CalyraReportTest : public calyra::testing::DeviceTest {
 protected:
  std::filesystem::path ReportFile() const {
    return DeviceFolder() / "device" / "fs" / "Program Files" / "Calyra" / "vlrptgen.rtf";
  }
  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"--device", (DeviceFolder() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::filesystem::path errors = DeviceFolder() / "stderr.txt";
    ProgramRun run = RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null", &errors);
    ReopenDevice();
    return run;
  }
  // A project with an hour booked on it on 4 March, 09:00.
  static ItemOid AddProject(const char16_t* name) {
    Project project;
    project.InitNew();
    project.name = name;
    project.startDate = SYSTEMTIME{2024, 3, 0, 1, 0, 0, 0, 0};
    ItemOid record = project.Save();
    auto time = CreateProjectEntry(ProjectEntryType::TimeRecord, record);
    auto& entry = static_cast<TimeRecordEntry&>(*time);
    entry.projectId += 1;  // made in the same second as the project
    entry.name = u"Planning";
    entry.bookedOn = project.projectId;
    entry.startDate = SYSTEMTIME{2024, 3, 0, 4, 9, 0, 0, 0};
    entry.endDate = SYSTEMTIME{2024, 3, 0, 4, 10, 0, 0, 0};
    EXPECT_NE(entry.Save(), 0u);
    return record;
  }
  static std::string Bytes(const std::filesystem::path& file) { return calyra::testing::ReadTextFile(file); }
};

TEST_F(CalyraReportTest, WritesTheReportOfAProjectNamedByItsNameOrOid) {
  ItemOid office = AddProject(u"Office");
  std::string printed =
      "report: \\Program Files\\Calyra\\vlrptgen.rtf\non this machine: " + ReportFile().string() + "\n";
  const std::string text =
      "Office\n"
      "3/15/2024\n"
      "\n"
      "Start date: 3/1/2024\n"
      "End date: None\n"
      "Total time: 1 hour\n"
      "\n"
      "Time records: \n"
      "\n"
      "\tOffice\n"
      "\t\t(01:00) 3/4/2024 Planning\n"
      "\t\t(01:00) total\n"
      "\n"
      "\n";
  struct Case {
    std::vector<std::string> arguments;
    std::string output;
  };
  const Case cases[] = {
      {{"report", "Office"}, printed},
      {{"report", "office"}, printed},  // the name ignoring case
      {{"report", Hex(office)}, printed},
      {{"report", std::to_string(office), "--text"}, printed + "\n" + text},
      {{"--text", "report", "OFFICE"}, printed + "\n" + text},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(ReportFile());
    ProgramRun run = Calyra(c.arguments);
    EXPECT_EQ(run.exitCode, 0) << c.arguments[1] << "\n" << run.errors;
    EXPECT_EQ(run.output, c.output) << c.arguments[1];
    EXPECT_EQ(Bytes(ReportFile()).rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u) << c.arguments[1];
  }
}

TEST_F(CalyraReportTest, AProjectThatIsNotThereOrNotOne) {
  ItemOid first = AddProject(u"Twin");
  SYSTEMTIME later{2024, 3, 5, 15, 11, 0, 0, 0};  // another identifier for the second one
  SetLocalTime(&later);
  ItemOid second = AddProject(u"twin");
  struct Case {
    std::string project;
    std::string error;
  };
  const Case cases[] = {
      {"Garden", "calyra: no project has the oid or name \"Garden\"\n"},
      {"0x7FFFFFF0", "calyra: no project has the oid or name \"0x7FFFFFF0\"\n"},
      {"Twin",
       "calyra: 2 projects are named \"Twin\"; give one's oid: " + Hex(first) + " " + Hex(second) + "\n"},
  };
  for (const Case& c : cases) {
    ProgramRun run = Calyra({"report", c.project});
    EXPECT_EQ(run.exitCode, kNoSuchItem) << c.project;
    EXPECT_EQ(run.errors, c.error);
    EXPECT_EQ(run.output, "");
  }
  EXPECT_FALSE(std::filesystem::exists(ReportFile()));
  EXPECT_EQ(Calyra({"report", Hex(second)}).exitCode, 0) << "the oid tells them apart";
}

TEST_F(CalyraReportTest, ADeviceWithoutProjectsKeepsHavingNone) {
  for (const char* project : {"Office", "0x00010001"}) {
    ProgramRun run = Calyra({"report", project});
    EXPECT_EQ(run.exitCode, kNoSuchItem) << project;
    EXPECT_EQ(run.errors, std::string("calyra: no project has the oid or name \"") + project + "\"\n");
  }
  EXPECT_FALSE(ProjectDatabase().Exists(ProjectDatabase::Name())) << "looking made the database";
}

TEST_F(CalyraReportTest, MistakesOfTheCommandLine) {
  AddProject(u"Office");
  const std::vector<std::vector<std::string>> cases = {
      {"report"},
      {"report", "Office", "Garden"},
      {"report", "Office", "--json"},
      {"report", "Office", "--text", "--text"},
      {"report", "Office", "--device"},
  };
  for (const auto& arguments : cases) {
    ProgramRun run = Calyra(arguments);
    EXPECT_EQ(run.exitCode, kUsage) << arguments.size();
    EXPECT_NE(run.errors.find("usage: calyra [--device DIR] report PROJECT [--text]"), std::string::npos)
        << run.errors;
  }
  EXPECT_FALSE(std::filesystem::exists(ReportFile()));
}

TEST_F(CalyraReportTest, AReportFileThatCannotBeCreatedLeavesTheOldOne) {
  AddProject(u"Office");
  CreateDirectoryW(u"\\Program Files", nullptr);
  CreateDirectoryW(u"\\Program Files\\Calyra", nullptr);
  std::ofstream(ReportFile()) << "{old}";
  ASSERT_TRUE(SetFileAttributesW(u"\\Program Files\\Calyra\\vlrptgen.rtf", FILE_ATTRIBUTE_READONLY));
  ProgramRun run = Calyra({"report", "Office"});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_EQ(run.errors, "calyra: the report file \\Program Files\\Calyra\\vlrptgen.rtf cannot be created\n");
  EXPECT_EQ(Bytes(ReportFile()), "{old}");
}

}  // namespace
