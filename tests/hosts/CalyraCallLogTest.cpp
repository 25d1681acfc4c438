// `calyra call-log` and `calyra call-log add`, run as a person runs them from a shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/hosts/JsonReader.h"
#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::JsonReader;
using calyra::testing::JsonValue;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;
using calyra::testing::TempFolder;

class CalyraCallLogTest : public ::testing::Test {
 protected:
  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::filesystem::path input = folder_.Path() / "input.txt";
    std::ofstream(input) << "";
    std::vector<std::string> all{"--device", (folder_.Path() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(CALYRA_HOST_PROGRAM, all, input);
  }
  JsonValue Calls() {
    ProgramRun run = Calyra({"call-log", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::string error;
    std::optional<JsonValue> json = JsonReader::Parse(run.output, &error);
    EXPECT_TRUE(json) << error << "\n" << run.output;
    return json.value_or(JsonValue{});
  }
  std::filesystem::path LogFile() const {
    return folder_.Path() / "device" / "fs" / "Windows" / "CallLog.txt";
  }

  TempFolder folder_;
};

TEST_F(CalyraCallLogTest, AnEmptyDeviceHasNoCalls) {
  EXPECT_EQ(Calyra({"call-log", "--json"}).output, "[]\n");
  ProgramRun run = Calyra({"call-log"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "");
}

TEST_F(CalyraCallLogTest, AddedCallsAreListedAsThePhoneLibraryHandsThemOut) {
  ProgramRun added =
      Calyra({"call-log", "add", "--kind", "incoming", "--number", "+49 30 1234", "--start",
              "2026-12-01T10:00", "--seconds", "95", "--name", "Anna Berg", "--label", "Work"});
  EXPECT_EQ(added.exitCode, 0) << added.output;
  EXPECT_EQ(added.output, "added incoming  2026-12-01T10:00  00:01:35  +49 30 1234 [Work]  Anna Berg\n");
  EXPECT_EQ(
      Calyra({"call-log", "add", "--kind", "missed", "--number", "", "--start", "2026-12-01T11:30"}).exitCode,
      0);

  JsonValue calls = Calls();
  ASSERT_EQ(calls.items.size(), 2u);
  EXPECT_EQ(calls[0].Keys(),
            (std::vector<std::string>{"kind", "start", "seconds", "number", "name", "label"}));
  EXPECT_EQ(calls[0]["kind"].text, "incoming");
  EXPECT_EQ(calls[0]["start"].text, "2026-12-01T10:00");
  EXPECT_EQ(calls[0]["seconds"].number, 95);
  EXPECT_EQ(calls[0]["number"].text, "+49 30 1234");
  EXPECT_EQ(calls[0]["name"].text, "Anna Berg");
  EXPECT_EQ(calls[0]["label"].text, "Work");
  EXPECT_EQ(calls[1]["kind"].text, "missed");
  EXPECT_EQ(calls[1]["number"].text, "");

  EXPECT_EQ(Calyra({"call-log"}).output,
            "incoming  2026-12-01T10:00  00:01:35  +49 30 1234 [Work]  Anna Berg\n"
            "missed    2026-12-01T11:30  00:00:00  (withheld)\n");
}

TEST_F(CalyraCallLogTest, DamagedLinesOfTheLogAreLeftOut) {
  ASSERT_EQ(Calyra({"call-log", "add", "--kind", "outgoing", "--number", "0301234"}).exitCode, 0)
      << "the start is the device clock's";
  std::ofstream(LogFile(), std::ios::app) << "outgoing\tyesterday\t5\t0405678\n\xff\xfe\n";
  JsonValue calls = Calls();
  ASSERT_EQ(calls.items.size(), 1u);
  EXPECT_EQ(calls[0]["number"].text, "0301234");
  EXPECT_EQ(calls[0]["seconds"].number, 0);
}

TEST_F(CalyraCallLogTest, WrongUseIsToldAsUsage) {
  const std::vector<std::vector<std::string>> kWrong = {
      {"call-log", "add", "--kind", "rejected", "--number", "1"},
      {"call-log", "add", "--number", "1"},
      {"call-log", "add", "--kind", "missed"},
      {"call-log", "add", "--kind", "missed", "--number", "1", "--start", "2026-02-30T10:00"},
      {"call-log", "add", "--kind", "missed", "--number", "1", "--start", "2026-12-01"},
      {"call-log", "add", "--kind", "missed", "--number", "1", "--seconds", "-1"},
      {"call-log", "add", "--kind", "missed", "--number", "1", "--seconds", "1000000000"},
      {"call-log", "add", "--kind", "missed", "--number", "1", "--json"},
      {"call-log", "add", "--kind", "missed", "--kind", "incoming", "--number", "1"},
      {"call-log", "--kind", "missed"},
      {"call-log", "remove"},
      {"list", "tasks", "--number", "1"},
  };
  for (const auto& arguments : kWrong) {
    ProgramRun run = Calyra(arguments);
    EXPECT_EQ(run.exitCode, kUsage) << arguments[arguments.size() - 1] << "\n" << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(LogFile())) << "nothing was added";
}

}  // namespace
