// `calyra complete`, `redate`, `move`, `delete` and `convert`, run as a person runs them from a shell:
// the questions answered by a script or at the terminal, the exit codes, and what the store holds after.
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
using calyra::testing::Hex;
using calyra::testing::JsonReader;
using calyra::testing::JsonValue;
using calyra::testing::OidAfter;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;

constexpr const char* kCalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra tests//EN\r\n"
    "BEGIN:VEVENT\r\nUID:dentist\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Dentist\r\n"
    "DTSTART:20240320T090000Z\r\nDTEND:20240320T100000Z\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:choir\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Choir\r\n"
    "DTSTART:20240318T180000Z\r\nDTEND:20240318T190000Z\r\nRRULE:FREQ=WEEKLY;BYDAY=MO\r\nEND:VEVENT\r\n"
    "BEGIN:VTODO\r\nUID:passport\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Renew the passport\r\n"
    "DTSTART;VALUE=DATE:20240320\r\nDUE;VALUE=DATE:20240322\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";
constexpr const char* kCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lovelace;Ada;;;\r\nFN:Ada Lovelace\r\nEND:VCARD\r\n";

class CalyraOperationsTest : public calyra::testing::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    std::filesystem::path calendar = DeviceFolder() / "items.ics";
    std::filesystem::path card = DeviceFolder() / "ada.vcf";
    std::ofstream(calendar) << kCalendar;
    std::ofstream(card) << kCard;
    ProgramRun run = Calyra({"import", calendar.string(), card.string()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    appointment_ = OidAfter(run.output, "imported appointment ");
    task_ = OidAfter(run.output, "imported task ");
    contact_ = OidAfter(run.output, "imported contact ");
    size_t second = run.output.find("imported appointment ", run.output.find("imported appointment ") + 1);
    series_ = second == std::string::npos ? 0 : OidAfter(run.output.substr(second), "imported appointment ");
    ASSERT_TRUE(appointment_ && series_ && task_ && contact_) << run.output;
  }

  // The program on the test's device; `input` is what the person types.
  ProgramRun Calyra(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::filesystem::path typed = DeviceFolder() / "input.txt";
    std::ofstream(typed) << input;
    std::vector<std::string> all{"--device", (DeviceFolder() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(CALYRA_HOST_PROGRAM, all, typed);
  }
  std::string Script(const std::string& text) {
    std::filesystem::path path = DeviceFolder() / "answers.txt";
    std::ofstream(path) << text;
    return path.string();
  }
  JsonValue Show(CEOID item) {
    ProgramRun run = Calyra({"show", Hex(item), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::string error;
    return JsonReader::Parse(run.output, &error).value_or(JsonValue{});
  }
  bool Exists(CEOID item) { return Calyra({"show", Hex(item)}).exitCode == 0; }

  CEOID appointment_ = 0;
  CEOID series_ = 0;
  CEOID task_ = 0;
  CEOID contact_ = 0;
};

TEST_F(CalyraOperationsTest, ATaskIsCompletedReopenedMovedAndRedated) {
  ProgramRun run = Calyra({"complete", Hex(task_)});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("calling CalyraEditor_MarkTaskComplete\nresult: 1\n"), std::string::npos)
      << run.output;
  EXPECT_TRUE(Show(task_)["complete"].boolean);
  EXPECT_EQ(Calyra({"complete", Hex(task_), "--mode", "2"}).exitCode, 0);
  EXPECT_FALSE(Show(task_)["complete"].boolean) << "mode 2 turns a complete task back";

  // Dragged from its first day: both ends move and the task keeps its three days.
  EXPECT_EQ(Calyra({"move", Hex(task_), "2024-03-20", "2024-03-25"}).exitCode, 0);
  JsonValue moved = Show(task_);
  EXPECT_EQ(moved["start"].text, "2024-03-25");
  EXPECT_EQ(moved["due"].text, "2024-03-27");
  // A copy leaves the task where it is.
  run = Calyra({"move", Hex(task_), "2024-03-25", "2024-04-02", "--copy"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Show(task_)["start"].text, "2024-03-25");
  EXPECT_NE(Calyra({"list", "tasks"}).output.find("start 2024-04-02, due 2024-04-04"), std::string::npos);

  EXPECT_EQ(Calyra({"redate", Hex(task_), "2024-03-24"}).exitCode, 0);
  JsonValue redated = Show(task_);
  EXPECT_EQ(redated["start"].text, "2024-03-22") << "a due date before the start takes the start along";
  EXPECT_EQ(redated["due"].text, "2024-03-24");
  EXPECT_EQ(Calyra({"redate", Hex(task_), "none"}).exitCode, 0);
  EXPECT_TRUE(Show(task_)["due"].IsNull());
}

TEST_F(CalyraOperationsTest, DeleteAsksAndTheAnswerComesFromTheScriptOrTheTerminal) {
  ProgramRun run = Calyra({"delete", Hex(appointment_), "--script", Script("answer 63614 IDNO\n")});
  EXPECT_EQ(run.exitCode, kFailed) << "declined: the export answers 0\n" << run.output;
  EXPECT_NE(run.output.find("CalyraEditor_DeleteAppointment answered 0"), std::string::npos) << run.output;
  EXPECT_TRUE(Exists(appointment_));

  run = Calyra({"delete", Hex(appointment_)}, "yes\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("\"Dentist\" will be deleted"), std::string::npos) << run.output;
  EXPECT_FALSE(Exists(appointment_));

  run = Calyra({"delete", Hex(contact_), "--no-confirm"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output.find("message box"), std::string::npos) << "nothing asked\n" << run.output;
  EXPECT_FALSE(Exists(contact_));
}

TEST_F(CalyraOperationsTest, DeletingOneOccurrenceKeepsTheSeries) {
  ProgramRun run = Calyra(
      {"delete", Hex(series_), "--occurrence", "2024-03-25", "--script", Script("answer 63025 IDNO\n")});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(Exists(series_));
  std::filesystem::path exported = DeviceFolder() / "out.ics";
  ASSERT_EQ(Calyra({"export", "appointments", exported.string()}).exitCode, 0);
  std::ifstream file(exported);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("EXDATE"), std::string::npos) << text;
  EXPECT_NE(text.find("20240325"), std::string::npos) << text;
}

TEST_F(CalyraOperationsTest, ConvertMakesTheOtherKindAndRefusesAContact) {
  ProgramRun run = Calyra({"convert", Hex(appointment_)});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  CEOID made = OidAfter(run.output, "(");
  EXPECT_NE(made, 0u) << run.output;
  EXPECT_EQ(Show(made)["subject"].text, "Dentist");
  EXPECT_TRUE(Exists(appointment_)) << "the appointment stays";
  run = Calyra({"convert", Hex(contact_)});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_EQ(run.output,
            "calyra: a contact cannot be converted; appointments become tasks and tasks appointments\n");
}

TEST_F(CalyraOperationsTest, MistakesAreToldInOneLineBeforeAnythingIsDone) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"complete", Hex(task_), "--mode", "3"}, kUsage, "--mode is 0"},
      {{"complete", Hex(task_), "--copy"}, kUsage, "--copy is not an option of complete"},
      {{"delete", Hex(task_), "--mode", "1"}, kUsage, "--mode is not an option of delete"},
      {{"list", "tasks", "--no-confirm"}, kUsage, "are for the item operations"},
      {{"move", Hex(task_), "2024-03-20"}, kUsage, "wrong number of arguments for move"},
      {{"redate", "soon", "none"}, kBadOid, "\"soon\" is not an oid"},
      {{"complete", Hex(appointment_)}, kBadOid, "no task has the oid"},
      {{"delete", "0x7FFFFF"}, kBadOid, "no appointment, task or contact has the oid"},
      {{"delete", Hex(contact_), "--occurrence", "2024-03-25"}, kUsage, "a contact has no occurrences"},
      {{"move", Hex(task_), "2024-02-30", "2024-03-01"}, kUsage, "is not a date"},
  };
  for (const Case& c : cases) {
    ProgramRun run = Calyra(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[0] << " " << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
  }
  EXPECT_FALSE(Show(task_)["complete"].boolean);
}

}  // namespace
