// The project report's parts: where its file goes, the duration and total texts, the editor's own
// time records, and a report file that cannot be created. Whole reports are the cases of
// ProjectReportGoldenTest.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "projects/Project.h"
#include "projects/ProjectReport.h"
#include "projects/ProjectStore.h"
#include "projects/ReportTexts.h"
#include "projects/TimeRecordEntry.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;
using calyra::testing::Local;

// The report as a readable trace: <b>bold</b>, [value], a tab count as <N>, one line per paragraph.
class TraceWriter : public ReportWriter {
 public:
  bool Open(std::u16string_view path) override {
    opened = platform::ToUtf8(path);
    return canOpen;
  }
  void BoldOn() override { trace += "<b>"; }
  void BoldOff() override { trace += "</b>"; }
  void BeginValue() override { trace += "["; }
  void EndValue() override { trace += "]"; }
  void WriteText(std::u16string_view text) override { trace += platform::ToUtf8(text); }
  void Indent(int level) override { trace += "<" + std::to_string(level) + ">"; }
  void EndParagraph() override { trace += "\n"; }
  bool Close() override {
    trace += "<end>";
    return true;
  }

  bool canOpen = true;
  std::string opened;
  std::string trace;
};

class ProjectReportTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  }

  // A stored time record of `parent` booked on it, from `start` for `minutes`.
  static void AddRecord(ItemOid parent, const char16_t* name, const SYSTEMTIME& start, WORD minutes) {
    calyra::testing::AdvanceClock();
    auto record = CreateProjectEntry(ProjectEntryType::TimeRecord, parent);
    ASSERT_NE(record, nullptr);
    auto& time = static_cast<TimeRecordEntry&>(*record);
    time.name = name;
    time.startDate = start;
    time.endDate = start;
    platform::AddMinutes(&time.endDate, minutes);
    time.bookedOn = time.parentId;
    ASSERT_NE(time.Save(), 0u);
  }
  static ItemOid AddProject(ItemOid parent, const char16_t* name) {
    calyra::testing::AdvanceClock();
    auto project = CreateProjectEntry(ProjectEntryType::Project, parent);
    project->name = name;
    return project->Save();
  }
  static std::unique_ptr<TimeRecordEntry> Held(const Project& project, const char16_t* name,
                                               const SYSTEMTIME& start, WORD minutes) {
    auto record = std::make_unique<TimeRecordEntry>();
    record->name = name;
    record->parentId = record->bookedOn = project.projectId;
    record->startDate = record->endDate = start;
    platform::AddMinutes(&record->endDate, minutes);
    return record;
  }
  // The line of the trace that starts with `start`.
  static std::string LineOf(const std::string& trace, const std::string& start) {
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind(start, 0) == 0) return line;
    }
    return "(no line " + start + ")";
  }

  HINSTANCE resources_ = nullptr;
};

TEST_F(ProjectReportTest, TheFileGoesIntoTheFolderOfTheProgramsThirdBackslash) {
  struct Case {
    const char16_t* program;
    const char16_t* report;
  };
  const Case cases[] = {
      {u"\\Program Files\\Suite\\Main.exe", u"\\Program Files\\Suite\\vlrptgen.rtf"},
      {u"\\Program Files\\Suite\\Bin\\Main.exe", u"\\Program Files\\Suite\\vlrptgen.rtf"},
      {u"\\Program Files\\Suite\\Bin\\Deep\\Main.exe", u"\\Program Files\\Suite\\vlrptgen.rtf"},
      {u"\\Windows\\Main.exe", u"\\Windows\\vlrptgen.rtf"},  // fewer than three: the program's folder
      {u"\\Main.exe", u"\\vlrptgen.rtf"},
      {u"Main.exe", u"\\vlrptgen.rtf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ToUtf8(ReportFilePathFor(c.program)), platform::ToUtf8(c.report))
        << platform::ToUtf8(c.program);
  }
  platform::SetModuleFileName(u"\\Program Files\\Suite\\Main.exe");
  EXPECT_EQ(platform::ToUtf8(ReportFilePath()), "\\Program Files\\Suite\\vlrptgen.rtf");
  platform::SetModuleFileName(u"\\Program Files\\Calyra\\Calyra.exe");
}

TEST_F(ProjectReportTest, DurationsAndTotals) {
  ReportStrings strings(resources_);
  struct Case {
    int64_t minutes;
    const char* line;
    const char* total;
  };
  const Case cases[] = {
      {0, "(--:--) ", "0 hours"},
      {1, "(00:01) ", "1 minute"},
      {7, "(00:07) ", "7 minutes"},
      {59, "(00:59) ", "59 minutes"},
      {60, "(01:00) ", "1 hour"},
      {61, "(01:01) ", "1 hour 1 minute"},
      {65, "(01:05) ", "1 hour 5 minutes"},
      {120, "(02:00) ", "2 hours"},
      {121, "(02:01) ", "2 hours 1 minute"},
      {6000, "(100:00) ", "100 hours"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ToUtf8(ReportDuration(c.minutes)), c.line) << c.minutes;
    EXPECT_EQ(platform::ToUtf8(ReportTotal(c.minutes, strings)), c.total) << c.minutes;
  }
}

TEST_F(ProjectReportTest, TheTotalTakesSubProjectsAndTheEditorsUnsavedRecords) {
  Project project;
  project.InitNew();
  project.name = u"Office";
  ItemOid office = project.Save();
  AddRecord(office, u"Stored", Local(2024, 3, 4, 9, 0), 60);
  AddRecord(office, u"Stored, deleted", Local(2024, 3, 4, 11, 0), 10);
  ItemOid sub = AddProject(office, u"Move");
  AddRecord(sub, u"Van", Local(2024, 3, 5, 9, 0), 30);
  Project loaded;
  ASSERT_TRUE(loaded.Load(office));
  ASSERT_TRUE(loaded.LoadChildren(static_cast<DWORD>(ProjectEntryType::TimeRecord), false));
  ASSERT_EQ(loaded.children.size(), 2u);

  auto unsaved = Held(loaded, u"Unsaved", Local(2024, 3, 6, 9, 0), 45);
  auto dropped = Held(loaded, u"Unsaved, deleted", Local(2024, 3, 6, 10, 0), 100);
  auto* stored = static_cast<TimeRecordEntry*>(loaded.children[0].get());
  auto* storedDeleted = static_cast<TimeRecordEntry*>(loaded.children[1].get());
  ProjectReport report(resources_);
  report.HoldTimeRecords(
      {{stored, false}, {unsaved.get(), false}, {dropped.get(), true}, {storedDeleted, true}});
  TraceWriter writer;
  ASSERT_TRUE(report.Write(loaded, writer, u"\\r.rtf"));
  // 60 stored + 30 in the sub-project + 45 unsaved; the deleted ones count nowhere.
  EXPECT_EQ(LineOf(writer.trace, "<0><b>Total time: </b>"), "<0><b>Total time: </b>[2 hours 15 minutes]")
      << writer.trace;
  EXPECT_NE(writer.trace.find("<2>[(01:00) 3/4/2024 ]<b>Stored</b>\n<2>[(00:45) 3/6/2024 ]<b>Unsaved</b>\n"
                              "<2><b>(01:45) total</b>\n"),
            std::string::npos)
      << writer.trace;
  EXPECT_EQ(writer.trace.find("deleted"), std::string::npos) << writer.trace;
  EXPECT_NE(writer.trace.find("<1><b>Move</b>\n<1><b>Start date: </b>"), std::string::npos)
      << "the sub-project still comes from the store\n"
      << writer.trace;
}

TEST_F(ProjectReportTest, ANewProjectReportsTheEditorsRecords) {
  Project project;
  project.InitNew();
  project.name = u"Not saved yet";
  auto record = Held(project, u"First hour", Local(2024, 3, 15, 8, 0), 60);
  ProjectReport report(resources_);
  report.HoldTimeRecords({{record.get(), false}});
  TraceWriter writer;
  ASSERT_TRUE(report.Write(project, writer, u"\\r.rtf"));
  EXPECT_EQ(writer.trace,
            "<0><b>Not saved yet</b>\n"
            "[<0>3/15/2024]\n"
            "\n"
            "<0><b>Start date: </b>[None]\n"
            "<0><b>End date: </b>[None]\n"
            "<0><b>Total time: </b>[1 hour]\n"
            "\n"
            "<0><b>Time records: </b>\n"
            "\n"
            "<1><b>Not saved yet</b>\n"
            "<2>[(01:00) 3/15/2024 ]<b>First hour</b>\n"
            "<2><b>(01:00) total</b>\n"
            "\n"
            "\n"
            "<end>");
}

TEST_F(ProjectReportTest, AnEmptyHeldListReportsNoRecords) {
  Project project;
  project.InitNew();
  project.name = u"Office";
  ItemOid office = project.Save();
  AddRecord(office, u"Stored", Local(2024, 3, 4, 9, 0), 60);
  ASSERT_TRUE(project.Load(office));
  ProjectReport report(resources_);
  report.HoldTimeRecords({});
  TraceWriter writer;
  ASSERT_TRUE(report.Write(project, writer, u"\\r.rtf"));
  EXPECT_EQ(writer.trace.find("Time records"), std::string::npos) << writer.trace;
  EXPECT_EQ(LineOf(writer.trace, "<0><b>Total time: </b>"), "<0><b>Total time: </b>[1 hour]")
      << "the stored record still counts\n"
      << writer.trace;
}

TEST_F(ProjectReportTest, AReportThatCannotBeCreatedKeepsTheOldOne) {
  CreateDirectoryW(u"\\Program Files", nullptr);
  CreateDirectoryW(u"\\Program Files\\Calyra", nullptr);
  const char16_t* path = u"\\Program Files\\Calyra\\vlrptgen.rtf";
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "{old}", 5, &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY));

  Project project;
  project.InitNew();
  project.name = u"Office";
  ASSERT_NE(project.Save(), 0u);
  ProjectReport report(resources_);
  EXPECT_FALSE(report.WriteReportFile(project).has_value());
  std::ifstream old(*platform::HostPathOf(path), std::ios::binary);
  std::stringstream bytes;
  bytes << old.rdbuf();
  EXPECT_EQ(bytes.str(), "{old}");

  TraceWriter writer;
  writer.canOpen = false;
  EXPECT_FALSE(report.Write(project, writer, u"\\elsewhere.rtf"));
  EXPECT_EQ(writer.opened, "\\elsewhere.rtf");
  EXPECT_EQ(writer.trace, "") << "nothing is written when the file cannot be created";
}

}  // namespace
