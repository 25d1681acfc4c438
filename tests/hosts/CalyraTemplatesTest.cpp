// `calyra templates` and `calyra template save`, run as a person runs them from a shell: templates
// written from imported items, listed in alphabetical order as text and JSON, and the refusals.
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

constexpr const char* kCalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra tests//EN\r\n"
    "BEGIN:VTODO\r\nUID:passport\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Renew the passport\r\n"
    "DTSTART;VALUE=DATE:20240320\r\nDUE;VALUE=DATE:20240322\r\nEND:VTODO\r\n"
    "BEGIN:VEVENT\r\nUID:dentist\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Dentist\r\n"
    "DTSTART:20240320T090000Z\r\nDTEND:20240320T100000Z\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

class CalyraTemplatesTest : public calyra::testing::CalyraDeviceTest {
 protected:
  // The imported task and appointment.
  std::pair<CEOID, CEOID> Import() {
    std::filesystem::path calendar = DeviceFolder() / "items.ics";
    std::ofstream(calendar) << kCalendar;
    ProgramRun run = Calyra({"import", calendar.string()});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return {OidAfter(run.output, "imported task "), OidAfter(run.output, "imported appointment ")};
  }
};

TEST_F(CalyraTemplatesTest, SavedTemplatesAreListedInAlphabeticalOrder) {
  auto [task, appointment] = Import();
  ASSERT_NE(task, 0u);
  ProgramRun run = Calyra({"templates", "tasks"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "") << "no templates yet";

  for (const char* name : {"Beta", "alpha", "Gamma"}) {
    run = Calyra({"template", "save", Hex(task), "--name", name});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("result: 1\ntemplate: 0x"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(std::string("  ") + name + "\n"), std::string::npos) << run.output;
  }
  run = Calyra({"templates", "tasks", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::string error;
  std::optional<JsonValue> rows = JsonReader::Parse(run.output, &error);
  ASSERT_TRUE(rows) << error << run.output;
  std::vector<std::string> texts;
  for (const JsonValue& row : rows->items) {
    texts.push_back(row["text"].text);
    EXPECT_NE(row["oid"].number, static_cast<double>(task));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"alpha", "Beta", "Gamma"}));

  run = Calyra({"template", "save", Hex(appointment)});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("  Dentist\n"), std::string::npos) << "the subject as proposed: " << run.output;
  run = Calyra({"templates", "appointments"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("  Dentist\n"), std::string::npos) << run.output;
  EXPECT_EQ(Calyra({"templates", "contacts"}).output, "");
}

TEST_F(CalyraTemplatesTest, TheRefusals) {
  struct Case {
    std::vector<std::string> words;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {{"templates"}, kUsage, "templates appointments, tasks or contacts"},
      {{"templates", "widgets"}, kUsage, "templates appointments, tasks or contacts"},
      {{"templates", "tasks", "--name", "x"}, kUsage, "--name is for template save"},
      {{"template", "save", "0x10", "--json"}, kUsage, "--json is for templates"},
      {{"template", "load", "0x10"}, kUsage, "template save OID [--name TEXT]"},
      {{"template", "save", "soon"}, kUsage, "is not an oid"},
      {{"template", "save", "0x10", "--kind", "missed"}, kUsage, "no option but --name"},
      {{"template", "save", "0x7FFFFF"}, kBadOid, "no appointment, task or contact has the oid 0x007FFFFF"},
  };
  for (const Case& entry : cases) {
    ProgramRun run = Calyra(entry.words);
    EXPECT_EQ(run.exitCode, entry.exitCode) << entry.words.back() << ": " << run.output;
    EXPECT_NE(run.output.find(entry.message), std::string::npos) << run.output;
  }
}

TEST_F(CalyraTemplatesTest, AnEmptyNameWritesNoTemplate) {
  CEOID task = Import().first;
  ProgramRun run = Calyra({"template", "save", Hex(task), "--name", ""});
  EXPECT_EQ(run.exitCode, kFailed) << run.output;
  EXPECT_EQ(Calyra({"templates", "tasks"}).output, "");
}

}  // namespace
