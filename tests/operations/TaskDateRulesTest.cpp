// The date rules of the task date operations, read as a table of cases from
// tests/data/operations/task-dates.txt (its head explains the format).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "operations/TaskDateRules.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::Date;
using calyra::testing::DeviceTest;

enum class Operation { Change, Move };

struct RuleCase {
  std::string name;
  int line = 0;
  TaskDates task;
  Operation operation = Operation::Change;
  SYSTEMTIME due{};   // change
  SYSTEMTIME from{};  // move
  SYSTEMTIME to{};
  TaskDates expected;
  std::optional<ClockTime> remembered;
};

// "none", "2024-03-18" or "2024-03-18T09:15".
std::optional<SYSTEMTIME> ParseWhen(const std::string& text) {
  if (text == "none") return platform::kNoDateSystemTime;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  char rest = 0;
  int read = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%c", &year, &month, &day, &hour, &minute, &rest);
  if (read != 3 && read != 5) return std::nullopt;
  return Date(year, month, day, hour, minute);
}

// The key=value fields of a line after its first word.
std::map<std::string, std::string> Fields(std::istringstream& words) {
  std::map<std::string, std::string> fields;
  std::string word;
  while (words >> word) {
    size_t equals = word.find('=');
    fields[word.substr(0, equals)] = equals == std::string::npos ? "" : word.substr(equals + 1);
  }
  return fields;
}

// Reads the dates of a "task" or "expect" line; false when a field does not read.
bool ReadDates(const std::map<std::string, std::string>& fields, TaskDates* dates) {
  for (const auto& [key, value] : fields) {
    if (key == "remembered") continue;
    if (key == "reminder" && value == "off") {
      dates->reminderSet = false;
      continue;
    }
    std::optional<SYSTEMTIME> when = ParseWhen(value);
    if (!when) return false;
    if (key == "start") {
      dates->start = *when;
    } else if (key == "due") {
      dates->due = *when;
    } else if (key == "reminder") {
      dates->reminderSet = true;
      dates->reminder = *when;
    } else {
      return false;
    }
  }
  return true;
}

bool ReadLine(const std::string& kind, std::istringstream& words, RuleCase& current) {
  if (kind == "change") {
    std::string when;
    words >> when;
    current.operation = Operation::Change;
    std::optional<SYSTEMTIME> due = ParseWhen(when);
    if (due) current.due = *due;
    return due.has_value();
  }
  std::map<std::string, std::string> fields = Fields(words);
  if (kind == "move") {
    current.operation = Operation::Move;
    std::optional<SYSTEMTIME> from = ParseWhen(fields["from"]);
    std::optional<SYSTEMTIME> to = ParseWhen(fields["to"]);
    if (from) current.from = *from;
    if (to) current.to = *to;
    return from && to;
  }
  if (kind == "task") return ReadDates(fields, &current.task);
  if (kind == "expect") {
    if (fields.count("remembered")) {
      unsigned hour = 0, minute = 0;
      if (std::sscanf(fields["remembered"].c_str(), "%2u:%2u", &hour, &minute) != 2) return false;
      current.remembered = ClockTime{static_cast<WORD>(hour), static_cast<WORD>(minute)};
    }
    return ReadDates(fields, &current.expected);
  }
  return false;
}

std::vector<RuleCase> ReadCases(const std::string& path) {
  std::vector<RuleCase> cases;
  std::ifstream file(path);
  EXPECT_TRUE(file.is_open()) << path;
  std::string text;
  int number = 0;
  while (std::getline(file, text)) {
    ++number;
    if (text.empty() || text[0] == '#') continue;
    std::istringstream words(text);
    std::string kind;
    words >> kind;
    if (kind == "case") {
      cases.push_back(RuleCase{});
      cases.back().line = number;
      std::getline(words >> std::ws, cases.back().name);
      continue;
    }
    if (cases.empty() || !ReadLine(kind, words, cases.back()))
      ADD_FAILURE() << path << ":" << number << ": cannot read \"" << text << "\"";
  }
  return cases;
}

class TaskDateRulesTest : public DeviceTest {};

TEST_F(TaskDateRulesTest, EveryCaseOfTheTable) {
  const std::string path = std::string(CALYRA_OPERATIONS_TEST_DATA) + "/task-dates.txt";
  std::vector<RuleCase> cases = ReadCases(path);
  EXPECT_GE(cases.size(), 60u) << "the table was not read whole";
  for (const RuleCase& rule : cases) {
    SCOPED_TRACE(path + ":" + std::to_string(rule.line) + ": " + rule.name);
    TaskDates result = rule.operation == Operation::Change ? ChangeDueDate(rule.task, rule.due)
                                                           : MoveToDay(rule.task, rule.from, rule.to);
    EXPECT_EQ(result.start, rule.expected.start);
    EXPECT_EQ(result.due, rule.expected.due);
    EXPECT_EQ(result.reminderSet, rule.expected.reminderSet);
    if (rule.expected.reminderSet) {
      EXPECT_EQ(result.reminder, rule.expected.reminder);
    }
    if (rule.remembered) {
      ClockTime clock = RememberedReminderClock(rule.task);
      EXPECT_EQ(clock.hour, rule.remembered->hour);
      EXPECT_EQ(clock.minute, rule.remembered->minute);
    }
  }
}

// The two measures the rules are made of.
TEST_F(TaskDateRulesTest, DayDifferenceIgnoresTheTimeOfDayAndAddDaysKeepsIt) {
  struct Days {
    SYSTEMTIME from;
    SYSTEMTIME to;
    int days;
  };
  const Days differences[] = {
      {Date(2024, 3, 18, 23, 59), Date(2024, 3, 19, 0, 1), 1},
      {Date(2024, 3, 19, 0, 1), Date(2024, 3, 18, 23, 59), -1},
      {Date(2024, 3, 18, 0, 0), Date(2024, 3, 18, 23, 59), 0},
      {Date(2024, 2, 28), Date(2024, 3, 1), 2},
      {Date(2023, 2, 28), Date(2023, 3, 1), 1},
      {Date(2024, 12, 31, 22), Date(2025, 1, 1, 1), 1},
      {Date(2024, 3, 30, 12), Date(2024, 4, 1, 12), 2},  // over the day of 23 hours in Berlin
  };
  for (const Days& d : differences) {
    SCOPED_TRACE(::testing::PrintToString(d.from) + " to " + ::testing::PrintToString(d.to));
    EXPECT_EQ(DayDifference(d.from, d.to), d.days);
  }

  EXPECT_EQ(ShiftDays(Date(2024, 2, 28, 9, 15), 1), Date(2024, 2, 29, 9, 15));
  EXPECT_EQ(ShiftDays(Date(2024, 3, 30, 2, 30), 1), Date(2024, 3, 31, 2, 30))
      << "wall-clock days: the hour the clock skips is kept";
  EXPECT_EQ(ShiftDays(Date(2024, 10, 26, 2, 30), 1), Date(2024, 10, 27, 2, 30));
  EXPECT_EQ(ShiftDays(Date(2025, 1, 1, 6), -2), Date(2024, 12, 30, 6));
  EXPECT_EQ(ShiftDays(Date(2024, 1, 31, 23, 59), 29), Date(2024, 2, 29, 23, 59));
  SYSTEMTIME early = Date(1601, 1, 1, 8);
  EXPECT_EQ(ShiftDays(early, -1), early) << "out of range: unchanged";
  EXPECT_EQ(StartOfDay(Date(2024, 3, 18, 17, 45)), Date(2024, 3, 18));
}

TEST_F(TaskDateRulesTest, ReminderPositions) {
  TaskDates task{Date(2024, 3, 18), Date(2024, 3, 20), true, Date(2024, 3, 18, 23, 0)};
  EXPECT_EQ(PositionOf(task), ReminderPosition::BeforeStart) << "on the start day";
  task.reminder = Date(2024, 3, 20, 0, 30);
  EXPECT_EQ(PositionOf(task), ReminderPosition::OnDue);
  task.reminder = Date(2024, 3, 19, 12, 0);
  EXPECT_EQ(PositionOf(task), ReminderPosition::Between);
  task.reminder = Date(2024, 3, 22, 12, 0);
  EXPECT_EQ(PositionOf(task), ReminderPosition::Between) << "after the due date";
  task.start = task.due;
  task.reminder = Date(2024, 3, 20, 9, 0);
  EXPECT_EQ(PositionOf(task), ReminderPosition::BeforeStart) << "a one-day task: the start comes first";
  task.start = platform::kNoDateSystemTime;
  task.reminder = Date(2024, 3, 18, 9, 0);
  EXPECT_EQ(PositionOf(task), ReminderPosition::OnDue) << "without a start it counts from the due date";
}

}  // namespace
