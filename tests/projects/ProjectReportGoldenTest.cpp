// The project report of each case in tests/data/projects: the projects of NAME.project written into
// the store, the report written beside the program, and its bytes compared with NAME.rtf.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "platform/files/FileSystem.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "projects/Project.h"
#include "projects/ProjectReport.h"
#include "tests/projects/ReportCase.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;
using calyra::testing::ReadReportCase;
using calyra::testing::ReportCase;
using calyra::testing::StoreReportCase;

const std::filesystem::path kCaseFolder = CALYRA_PROJECT_TEST_DATA;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& file : std::filesystem::directory_iterator(kCaseFolder, ec)) {
    if (file.path().extension() == ".project") names.push_back(file.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The lines of a report, each ending where its "\par" line break ends, so that a failure shows
// the lines that differ.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream text(bytes);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

class ProjectReportGoldenTest : public DeviceTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    // The program's folder, as the program's installation makes it.
    CreateDirectoryW(u"\\Program Files", nullptr);
    CreateDirectoryW(u"\\Program Files\\Calyra", nullptr);
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  }

  HINSTANCE resources_ = nullptr;
};

TEST_P(ProjectReportGoldenTest, WritesTheExpectedBytes) {
  std::filesystem::path input = kCaseFolder / (GetParam() + ".project");
  std::filesystem::path expectedFile = kCaseFolder / (GetParam() + ".rtf");
  ReportCase reportCase = ReadReportCase(input.string());
  ASSERT_EQ(reportCase.error, "");
  std::string error;
  ItemOid record = StoreReportCase(reportCase, &error);
  ASSERT_NE(record, 0u) << error;

  Project project;
  ASSERT_TRUE(project.Load(record));
  std::optional<std::u16string> path = ProjectReport(resources_).WriteReportFile(project);
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(*path == u"\\Program Files\\Calyra\\vlrptgen.rtf");
  std::string actual = ReadBytes(*platform::HostPathOf(*path));
  // CALYRA_UPDATE_GOLDEN=1 writes what the report now gives over the expected file, to be read
  // line by line before it is committed.
  if (std::getenv("CALYRA_UPDATE_GOLDEN")) std::ofstream(expectedFile, std::ios::binary) << actual;
  std::string expected = ReadBytes(expectedFile);
  EXPECT_EQ(Lines(actual), Lines(expected)) << expectedFile;
  EXPECT_TRUE(actual == expected) << "the bytes differ (line ends?) from " << expectedFile;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectReportGoldenTest, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// A folder that was not found would leave the cases above without a single test.
TEST(ProjectReportCases, AreThere) {
  EXPECT_GE(CaseNames().size(), 9u) << kCaseFolder;
}

}  // namespace
