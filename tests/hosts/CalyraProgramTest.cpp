#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;
using calyra::testing::TempFolder;

// `calyra` as a person runs it from a shell, on a device folder of the test's own.
class CalyraProgramTest : public ::testing::Test {
 protected:
  std::string DeviceFolder() const { return (folder_.Path() / "device").string(); }

  // Runs calyra with `arguments` (on the test's device unless the arguments name one), with
  // `input` as its terminal input.
  ProgramRun Calyra(const std::vector<std::string>& arguments, const std::string& input = "",
                    bool withDevice = true) {
    std::filesystem::path inputPath = folder_.Path() / "input.txt";
    std::ofstream(inputPath) << input;
    std::vector<std::string> all;
    if (withDevice) all = {"--device", DeviceFolder()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(CALYRA_HOST_PROGRAM, all, inputPath);
  }

  std::string Script(const std::string& name, const std::string& text) {
    std::string path = (folder_.Path() / name).string();
    std::ofstream(path) << text;
    return path;
  }

  // Skips a test that needs the editors while the component cannot start in this build.
  bool ComponentMissing(const ProgramRun& run) { return run.exitCode == kNoComponent; }

  // A new task made through `call NewTask` and OK; its oid as listed.
  std::string CallNewTask(const std::string& subject) {
    ProgramRun run = Calyra({"call", "NewTask", "0", "2026-03-05T09:30", "none", "\"" + subject + "\"", "0",
                             "[3,7]", "2", "1", "0", "--script", Script("ok.txt", "ok\n")});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    ProgramRun list = Calyra({"list", "tasks"});
    size_t line = list.output.find(subject);
    return line == std::string::npos || line < 12 ? std::string() : list.output.substr(line - 12, 10);
  }

  static size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  }

  TempFolder folder_;
};

TEST_F(CalyraProgramTest, CommandLinesItDoesNotUnderstandAnswerUsage) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"bogus"},
      {"list"},
      {"list", "widgets"},
      {"new"},
      {"new", "tasks"},
      {"show"},
      {"tour", "again"},
      {"--script", "x.txt", "list", "tasks"},
      {"--verbose", "tour"},
      {"show", "0x10", "0x11"},
  };
  for (const auto& arguments : wrong) {
    ProgramRun run = Calyra(arguments);
    std::string line;
    for (const auto& argument : arguments) line += argument + " ";
    EXPECT_EQ(run.exitCode, kUsage) << line << "\n" << run.output;
    EXPECT_NE(run.output.find("usage: calyra"), std::string::npos) << line;
    EXPECT_NE(run.output.find("exit codes"), std::string::npos) << line;
  }
  ProgramRun run = Calyra({"--device"}, "", false);
  EXPECT_EQ(run.exitCode, kUsage) << run.output;
}

TEST_F(CalyraProgramTest, ADeviceFolderThatCannotBeMadeAnswersThree) {
  std::string file = (folder_.Path() / "plain-file").string();
  std::ofstream(file) << "not a folder";
  ProgramRun run = Calyra({"--device", file + "/device", "list", "tasks"}, "", false);
  EXPECT_EQ(run.exitCode, kDevice) << run.output;
  EXPECT_NE(run.output.find("cannot open the device"), std::string::npos) << run.output;
}

TEST_F(CalyraProgramTest, AnOidThatNamesNoItemAnswersFive) {
  ProgramRun missing = Calyra({"show", "0x12345"});
  EXPECT_EQ(missing.exitCode, kBadOid) << missing.output;
  EXPECT_NE(missing.output.find("0x00012345"), std::string::npos) << missing.output;

  ProgramRun notANumber = Calyra({"show", "twelve"});
  EXPECT_EQ(notANumber.exitCode, kBadOid) << notANumber.output;
  EXPECT_NE(notANumber.output.find("\"twelve\" is not an oid"), std::string::npos) << notANumber.output;

  EXPECT_EQ(Calyra({"edit", "0"}).exitCode, kBadOid);
  EXPECT_EQ(Calyra({"edit", "4660"}).exitCode, kBadOid);
}

TEST_F(CalyraProgramTest, ListOnAFreshDevicePrintsNothing) {
  for (const char* kind : {"tasks", "appointments", "contacts"}) {
    ProgramRun run = Calyra({"list", kind});
    EXPECT_EQ(run.exitCode, 0) << kind << ": " << run.output;
    EXPECT_EQ(run.output, "") << kind;
  }
}

TEST_F(CalyraProgramTest, AScriptLineThatIsNoStepAnswersFourWithItsLine) {
  std::string unknown = Script("unknown.txt", "# a new task\n\nfrobnicate 12\nok\n");
  ProgramRun run = Calyra({"new", "task", "--script", unknown});
  EXPECT_EQ(run.exitCode, kScript) << run.output;
  EXPECT_NE(run.output.find("unknown.txt:3: unknown step \"frobnicate\""), std::string::npos) << run.output;

  std::string missingId = Script("missing-id.txt", "tab 1\nclick\n");
  run = Calyra({"new", "appointment", "--script", missingId});
  EXPECT_EQ(run.exitCode, kScript) << run.output;
  EXPECT_NE(run.output.find("missing-id.txt:2: \"click\" is not a step; write click <control id>"),
            std::string::npos)
      << run.output;

  std::string open = Script("open.txt", "dialog 500\n  type 1001 Dentist\nok\n");
  run = Calyra({"new", "task", "--script", open});
  EXPECT_EQ(run.exitCode, kScript) << run.output;
  EXPECT_NE(run.output.find("open.txt:1: `dialog 500` has no `end`"), std::string::npos) << run.output;

  run = Calyra({"new", "task", "--script", (folder_.Path() / "nowhere.txt").string()});
  EXPECT_EQ(run.exitCode, kScript) << run.output;
  EXPECT_NE(run.output.find("cannot read the script"), std::string::npos) << run.output;
}

TEST_F(CalyraProgramTest, AScriptStepThatMatchesNothingOnTheScreenAnswersFour) {
  std::string script = Script("no-control.txt", "# nothing has this id\nclick 64999\nok\n");
  ProgramRun run = Calyra({"new", "task", "--script", script});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  EXPECT_EQ(run.exitCode, kScript) << run.output;
  EXPECT_NE(run.output.find("step 2: click 64999"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("no-control.txt:2: click 64999: "), std::string::npos) << run.output;
}

TEST_F(CalyraProgramTest, AnAnswerNothingAskedForAnswersFour) {
  std::string script = Script("answer.txt", "ok\nanswer 63008 IDYES\n");
  ProgramRun run = Calyra({"new", "task", "--script", script});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  EXPECT_EQ(run.exitCode, kScript) << run.output;
  EXPECT_NE(run.output.find("answer.txt:2: answer 63008 IDYES: nothing appeared"), std::string::npos)
      << run.output;
}

TEST_F(CalyraProgramTest, AScriptedNewTaskIsSavedAndOpensAgainByItsOid) {
  std::string script = Script("ok.txt", "ok\n");
  ProgramRun created = Calyra({"new", "task", "--script", script});
  if (ComponentMissing(created)) GTEST_SKIP() << "the component does not start: " << created.output;
  ASSERT_EQ(created.exitCode, 0) << created.output;
  EXPECT_NE(created.output.find("step 1: ok"), std::string::npos) << created.output;
  EXPECT_NE(created.output.find("host: 6383 editor closed"), std::string::npos) << created.output;
  size_t saved = created.output.find("saved as task 0x");
  ASSERT_NE(saved, std::string::npos) << created.output;
  std::string oid = created.output.substr(saved + 14, 10);

  ProgramRun list = Calyra({"list", "tasks"});
  EXPECT_EQ(list.exitCode, 0);
  EXPECT_EQ(list.output.rfind(oid, 0), 0u) << list.output;

  ProgramRun show = Calyra({"show", oid});
  EXPECT_EQ(show.exitCode, 0) << show.output;
  EXPECT_NE(show.output.find(oid + "  task"), std::string::npos) << show.output;

  ProgramRun edited = Calyra({"edit", oid, "--script", script});
  EXPECT_EQ(edited.exitCode, 0) << edited.output;
  EXPECT_NE(edited.output.find("opening the task " + oid), std::string::npos) << edited.output;
  EXPECT_NE(edited.output.find("host: 6383 editor closed"), std::string::npos) << edited.output;
}

TEST_F(CalyraProgramTest, AScriptTypesAndDrawsIntoTheNotes) {
  std::string script = Script("notes.txt",
                              "tab 2\nmenu 40045\ntype 1200 Call the bank\nmenu 40253\n"
                              "draw 1200 10,10 20,30 -4,0x10\ndump\nok\n");
  ProgramRun run = Calyra({"new", "task", "--script", script});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("text=\"Call the bank\" strokes=1"), std::string::npos) << run.output;

  std::string typing = Script("typing.txt", "tab 2\nmenu 40045\ndraw 1200 1,1\nok\n");
  run = Calyra({"new", "task", "--script", typing});
  EXPECT_EQ(run.exitCode, 4) << "no stroke while typing\n" << run.output;
  std::string malformed = Script("malformed.txt", "draw 1200 1;1\nok\n");
  run = Calyra({"new", "task", "--script", malformed});
  EXPECT_EQ(run.exitCode, 4) << run.output;
}

TEST_F(CalyraProgramTest, ThePersonAtTheTerminalPressesOk) {
  ProgramRun run = Calyra({"new", "contact"}, "help\nok\n");
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("steps: type <id> <text>"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("host: 6383 editor closed"), std::string::npos) << run.output;
}

TEST_F(CalyraProgramTest, TheEndOfTheTerminalInputCancelsTheEditor) {
  ProgramRun run = Calyra({"new", "task"}, "");
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("host: 6383 editor closed"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("no task was saved"), std::string::npos) << run.output;
}

TEST_F(CalyraProgramTest, TheTourSavesAnItemOfEachKindAndReportsTheNotifications) {
  ProgramRun run = Calyra({"tour"});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("dialog ended with OK"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("host: 6383 editor closed"), std::string::npos) << run.output;
  for (const char* kind : {"appointment", "task", "contact"}) {
    EXPECT_NE(run.output.find(std::string("saved as ") + kind + " 0x"), std::string::npos) << kind;
  }
  EXPECT_NE(run.output.find("opened again"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Renew the passport"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("stays open after OK"), std::string::npos) << run.output;
  // The summaries' dumps list their fields.
  EXPECT_NE(run.output.find("[Subject] [*Renew the passport]"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("[*Lovelace, Ada]"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("[ada@example.org]"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("shows page 493"), std::string::npos) << "the links page\n" << run.output;
  // The tax return's notes: a typed line, the sample phrases' time stamp chosen in the phrase selection,
  // and a pen stroke, in the dump and in its JSON.
  EXPECT_NE(run.output.find("STATIC #1454 \"Phrases: Notes\""), std::string::npos) << run.output;
  size_t notes = run.output.find("text=\"Receipts are in the blue folder\\n");
  ASSERT_NE(notes, std::string::npos) << run.output;
  std::string line = run.output.substr(notes, run.output.find('\n', notes) - notes);
  EXPECT_NE(line.find(" '"), std::string::npos) << line;  // the stamp's year, as "December 07 '26"
  EXPECT_NE(line.find(" strokes=1"), std::string::npos) << line;
  EXPECT_NE(run.output.find("\"notes\": \"Receipts are in the blue folder"), std::string::npos) << run.output;
  // The contact's summary shows her photo and call, and mails and dials her.
  EXPECT_NE(run.output.find("the summary shows the photo: yes"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("\"Incoming 00:03:05  Outgoing 00:00:00\""), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("started tmail.exe -to \"ada@example.org\""), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("the dialer was asked: DialNumber"), std::string::npos) << run.output;
}

// ---- calyra call ----------------------------------------------------------------------------------

TEST_F(CalyraProgramTest, CallNewTaskWithAScriptThatPressesOkStoresTheTask) {
  std::string script = Script("ok.txt", "ok\n");
  ProgramRun run = Calyra({"call", "NewTask", "0", "2026-03-05T09:30", "none", "\"Call back\"", "0", "[3,7]",
                           "2", "1", "0", "--script", script});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("calling CalyraEditor_NewTask\nresult: 1\n"), std::string::npos) << run.output;
  size_t step = run.output.find("step 1: ok");
  size_t closed = run.output.find("host: 6383 editor closed");
  ASSERT_NE(closed, std::string::npos) << run.output;
  EXPECT_LT(step, closed) << "the notification comes with the OK that closes the editor\n" << run.output;

  ProgramRun list = Calyra({"list", "tasks"});
  EXPECT_NE(list.output.find("Call back"), std::string::npos) << list.output;
}

TEST_F(CalyraProgramTest, CallTakesTheNameWithItsPrefixAndTheTextAsTheShellLeavesIt) {
  std::string script = Script("ok.txt", "ok\n");
  ProgramRun run = Calyra({"call", "CalyraEditor_NewTask", "0", "null", "2026-03-06", "Bare words", "0",
                           "null", "0", "1", "0", "--script", script});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 1"), std::string::npos) << run.output;
  EXPECT_NE(Calyra({"list", "tasks"}).output.find("Bare words"), std::string::npos);
}

TEST_F(CalyraProgramTest, CallEditTaskOnAStoredTaskWithAScriptThatCancels) {
  std::string oid = CallNewTask("Edit me");
  if (oid.empty()) GTEST_SKIP() << "no task was made";
  std::string script = Script("cancel.txt", "cancel\n");
  ProgramRun run = Calyra({"call", "EditTask", "0", "null", oid, "0", "0", "0", "--script", script});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 1"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("step 1: cancel"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("host: 6383 editor closed"), std::string::npos) << run.output;
  EXPECT_NE(Calyra({"list", "tasks"}).output.find(oid + "  Edit me"), std::string::npos);
}

TEST_F(CalyraProgramTest, CallGetTemplateCountPrintsANumber) {
  ProgramRun run = Calyra({"call", "GetTemplateCount", "3"});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  size_t result = run.output.find("result: ");
  ASSERT_NE(result, std::string::npos) << run.output;
  EXPECT_TRUE(result == 0 || run.output[result - 1] == '\n') << run.output;
  size_t digits = run.output.find_first_not_of("-0123456789", result + 8);
  EXPECT_GT(digits, result + 8) << run.output;
  EXPECT_EQ(run.output[digits], '\n') << run.output;
}

TEST_F(CalyraProgramTest, CallPrintsWhatTheExportWroteIntoItsOutArguments) {
  ProgramRun run = Calyra(
      {"call", "GetAddressCityLineFormat", "\"Germany\"", "\"Berlin\"", "null", "\"10115\"", "&text", "100"});
  if (ComponentMissing(run)) GTEST_SKIP() << "the component does not start: " << run.output;
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 1\nout 5: \"10115 Berlin"), std::string::npos) << run.output;
}

TEST_F(CalyraProgramTest, CallWithArgumentsItCannotReadAnswersUsageInOneLine) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
      {{"call", "Frobnicate", "1"}, "no export is called \"Frobnicate\""},
      {{"call", "NewTask", "0", "2026-03-05T09:30"}, "NewTask takes 9 arguments"},
      {{"call", "NewTask", "0", "2026-02-30T09:30", "none", "\"x\"", "0", "[]", "0", "1", "0"},
       "NewTask argument 2: \"2026-02-30T09:30\" is not a date"},
      {{"call", "NewTask", "0", "none", "none", "\"Call back", "0", "[]", "0", "1", "0"},
       "NewTask argument 4: \"\"Call back\" does not end with its closing quote"},
      {{"call", "GetTemplateCount", "70000"}, "GetTemplateCount argument 1: \"70000\" is not a number"},
      {{"call", "NewContact", "0", "[3,x]", "1", "1", "0"}, "NewContact argument 2"},
      {{"call", "DeleteContact", "1", "1", "5", "0"}, "DeleteContact argument 3"},
      {{"call", "SetEditorOptions", "0x1000"}, "a record cannot be written"},
  };
  for (const auto& [arguments, message] : wrong) {
    ProgramRun run = Calyra(arguments);
    EXPECT_EQ(run.exitCode, kUsage) << arguments[1] << "\n" << run.output;
    EXPECT_EQ(Lines(run.output), 1u) << run.output;
    EXPECT_EQ(run.output.rfind("calyra: ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
  }
}

// The table of the call command has a row for every export the header declares, and no other.
TEST_F(CalyraProgramTest, TheExportTableCoversEveryExportOfTheHeader) {
  std::ifstream header(CALYRA_EDITOR_HEADER);
  ASSERT_TRUE(header) << CALYRA_EDITOR_HEADER;
  std::stringstream text;
  text << header.rdbuf();
  std::string declarations = text.str();
  std::set<std::string> declared;
  // Every "CalyraEditor_Name(" of the header, blanks allowed before the parenthesis.
  const std::string prefix = "CalyraEditor_";
  for (size_t at = declarations.find(prefix); at != std::string::npos;
       at = declarations.find(prefix, at + 1)) {
    size_t begin = at + prefix.size();
    size_t end = begin;
    while (end < declarations.size() &&
           (std::isalnum(static_cast<unsigned char>(declarations[end])) || declarations[end] == '_')) {
      ++end;
    }
    size_t next = declarations.find_first_not_of(" \t\n", end);
    if (end > begin && next != std::string::npos && declarations[next] == '(') {
      declared.insert(declarations.substr(begin, end - begin));
    }
  }
  ASSERT_GT(declared.size(), 50u);

  ProgramRun run = Calyra({"exports"}, "", false);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::set<std::string> listed;
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) listed.insert(line.substr(0, line.find('(')));
  EXPECT_EQ(listed, declared);
  EXPECT_NE(run.output.find("NewTask(uint, time, time, text, uint, [categories], word, int, uint) -> int\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("DeleteContact(uint, int, &int, int) -> int\n"), std::string::npos);
  EXPECT_NE(run.output.find("AddItemToProject(handle, word, text, uint, time, text) -> oid\n"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("not built yet"), std::string::npos) << "every export is built";
}

}  // namespace
