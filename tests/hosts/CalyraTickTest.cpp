// `calyra tick`: the device's clock moved on, the notifications that come due run in the order of
// their times, and the new time kept for the device's later processes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;

// Two tasks whose reminders come on 16 March 08:00 and 17 March 10:00 (Berlin), the later one first.
constexpr const char* kTasks =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra tests//EN\r\n"
    "BEGIN:VTODO\r\nUID:plants\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Water the plants\r\n"
    "DUE;VALUE=DATE:20240317\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
    "TRIGGER;VALUE=DATE-TIME:20240317T090000Z\r\nEND:VALARM\r\nEND:VTODO\r\n"
    "BEGIN:VTODO\r\nUID:rent\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Pay rent\r\n"
    "DUE;VALUE=DATE:20240316\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
    "TRIGGER;VALUE=DATE-TIME:20240316T070000Z\r\nEND:VALARM\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";

// The program on the test's own device: its clock stands at 2024-03-15 10:30 in Berlin.
class CalyraTickTest : public calyra::testing::DeviceTest {
 protected:
  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"--device", (DeviceFolder() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProgramRun run = RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null");
    ReopenDevice();
    return run;
  }
  void ImportTasks() {
    std::filesystem::path file = DeviceFolder() / "tasks.ics";
    std::ofstream(file) << kTasks;
    ASSERT_EQ(Calyra({"import", file.string()}).exitCode, 0);
  }
};

TEST_F(CalyraTickTest, RemindersFireInTheOrderOfTheirTimesAndTheClockStaysMoved) {
  ImportTasks();
  ProgramRun run = Calyra({"tick", "--until", "2024-03-16T12:00"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.substr(0, run.output.find('\n')), "the clock: 2024-03-15 10:30");
  EXPECT_NE(run.output.find("2024-03-16 08:00  started TASKS.EXE Task Reminder\n  it shows: Pay rent"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("Water the plants"), std::string::npos) << "not due yet\n" << run.output;

  run = Calyra({"tick", "--minutes", "1440"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.substr(0, run.output.find('\n')), "the clock: 2024-03-16 12:00") << "kept from before";
  EXPECT_NE(
      run.output.find("2024-03-17 10:00  started TASKS.EXE Task Reminder\n  it shows: Water the plants"),
      std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("the clock: 2024-03-17 12:00\n"), std::string::npos) << run.output;

  run = Calyra({"tick"});
  EXPECT_EQ(run.output, "the clock: 2024-03-17 12:00\nthe clock: 2024-03-17 12:00\n")
      << "nothing left to run";
}

TEST_F(CalyraTickTest, TimesItCannotUseAreToldInOneLine) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
      {{"tick", "--until", "2024-03-14T12:00"}, "the clock only moves forward"},
      {{"tick", "--until", "2024-02-30T12:00"}, "is not a time"},
      {{"tick", "--until", "tomorrow"}, "is not a time"},
      {{"tick", "--minutes", "-5"}, "is not a number of minutes"},
      {{"tick", "--minutes", "5", "--until", "2024-03-16T12:00"}, "not both"},
      {{"tick", "now"}, "tick takes no words"},
      {{"tick", "--copy"}, "is not an option of tick"},
  };
  for (const auto& [arguments, message] : wrong) {
    ProgramRun run = Calyra(arguments);
    EXPECT_EQ(run.exitCode, kUsage) << arguments[1];
    EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
  }
}

}  // namespace
