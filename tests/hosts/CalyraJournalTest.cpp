// `calyra journal` and its add, export and open forms, run as a person runs them from a shell: the
// entries the session's journal gets from the person and from item operations, the text export, the
// window worked by a script, and the refusals.
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
using calyra::testing::ReadTextFile;
using calyra::testing::RunProgram;

constexpr const char* kCalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Calyra tests//EN\r\n"
    "BEGIN:VTODO\r\nUID:passport\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Renew the passport\r\n"
    "DTSTART;VALUE=DATE:20240320\r\nDUE;VALUE=DATE:20240322\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";

// The program on the test's own device: its clock stands at 2024-03-15 10:30 in Berlin.
class CalyraJournalTest : public calyra::testing::DeviceTest {
 protected:
  std::filesystem::path Device() const { return DeviceFolder() / "device"; }
  std::filesystem::path Documents() const { return Device() / "fs" / "My Documents"; }
  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"--device", Device().string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProgramRun run = RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null");
    ReopenDevice();
    return run;
  }
  std::string Script(const std::string& text) {
    std::filesystem::path path = DeviceFolder() / "script.txt";
    std::ofstream(path) << text;
    return path.string();
  }
  JsonValue Journal() {
    ProgramRun run = Calyra({"journal", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::string error;
    std::optional<JsonValue> entries = JsonReader::Parse(run.output, &error);
    EXPECT_TRUE(entries) << error << run.output;
    return entries.value_or(JsonValue{});
  }
};

TEST_F(CalyraJournalTest, ThePersonsEntriesAndTheItemOperationsAreJournalled) {
  ProgramRun run = Calyra({"journal"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "") << "no journal yet";
  EXPECT_FALSE(std::filesystem::exists(Documents() / "journal.dat")) << "listing makes no file";

  run = Calyra({"journal", "add", "Paid the rent"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output,
            "calling CalyraEditor_AddJournalEntryCustom\nresult: 1\n"
            "written: 2024-03-15T10:30  0  0x00000000  Paid the rent\n");

  std::filesystem::path calendar = DeviceFolder() / "task.ics";
  std::ofstream(calendar) << kCalendar;
  run = Calyra({"import", calendar.string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  CEOID task = OidAfter(run.output, "imported task ");
  ASSERT_NE(task, 0u) << run.output;
  ASSERT_EQ(Calyra({"complete", Hex(task)}).exitCode, 0);
  ASSERT_EQ(Calyra({"journal", "add", "Two\nlines"}).exitCode, 0);

  JsonValue entries = Journal();
  ASSERT_EQ(entries.items.size(), 3u);
  EXPECT_EQ(entries[0]["time"].text, "2024-03-15T10:30");
  EXPECT_EQ(entries[0]["type"].number, 0);
  EXPECT_EQ(entries[0]["item"].number, 0);
  EXPECT_EQ(entries[0]["text"].text, "Paid the rent");
  EXPECT_EQ(entries[1]["type"].number, 2) << "the session journals completed tasks";
  EXPECT_EQ(entries[1]["item"].number, static_cast<int64_t>(task));
  EXPECT_EQ(entries[1]["text"].text, "Completed: Renew the passport");
  EXPECT_EQ(entries[2]["text"].text, "Two\r\nlines");

  run = Calyra({"journal"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output,
            "2024-03-15T10:30  0  0x00000000  Paid the rent\n"
            "2024-03-15T10:30  2  " +
                Hex(task) +
                "  Completed: Renew the passport\n"
                "2024-03-15T10:30  0  0x00000000  Two\\nlines\n");
}

TEST_F(CalyraJournalTest, ExportWritesTheTextFileAndPrintsItsPath) {
  ASSERT_EQ(Calyra({"journal", "add", "Paid the rent"}).exitCode, 0);
  ProgramRun run = Calyra({"journal", "export"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output,
            "calling CalyraEditor_OpenJournal\nresult: 1\nthe text file: \\My Documents\\journal.txt\n");
  EXPECT_EQ(ReadTextFile(Documents() / "journal.txt"), "3/15/24 10:30 AM Paid the rent\r\n");
}

TEST_F(CalyraJournalTest, OpenLetsAScriptWorkTheWindow) {
  ASSERT_EQ(Calyra({"journal", "add", "first"}).exitCode, 0);
  ASSERT_EQ(Calyra({"journal", "add", "second"}).exitCode, 0);
  // Newest first, a new entry added on top, the oldest deleted, then OK.
  std::string script = Script(
      "dialog 506\n"
      "click 2012\n"
      "dialog 507\ntype 2022 third\nok\nend\n"
      "click 2014\n"
      "choose 2013 2\n"
      "click 2015\n"
      "ok\n"
      "end\n");
  ProgramRun run = Calyra({"journal", "open", "--script", script});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("calling CalyraEditor_OpenJournal\n"), std::string::npos) << run.output;
  JsonValue entries = Journal();
  ASSERT_EQ(entries.items.size(), 2u) << "first deleted";
  EXPECT_EQ(entries[0]["text"].text, "third") << "written in the order shown";
  EXPECT_EQ(entries[1]["text"].text, "second");
}

TEST_F(CalyraJournalTest, WhatCannotBeDoneIsRefused) {
  EXPECT_EQ(Calyra({"journal", "add", ""}).exitCode, kFailed) << "an empty text writes nothing";

  std::filesystem::create_directories(Documents());
  std::ofstream(Documents() / "journal.dat", std::ios::binary) << std::string("not a journal", 13);
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"journal"}, {"journal", "add", "x"}, {"journal", "export"}}) {
    ProgramRun run = Calyra(words);
    EXPECT_EQ(run.exitCode, kFailed) << words.size() << run.output;
    EXPECT_EQ(run.output, "calyra: \\My Documents\\journal.dat is not a journal file\n");
  }
  EXPECT_EQ(ReadTextFile(Documents() / "journal.dat"), "not a journal") << "the file is untouched";

  const std::vector<std::vector<std::string>> wrong = {
      {"journal", "frob"},
      {"journal", "add"},
      {"journal", "add", "a", "b"},
      {"journal", "add", "x", "--json"},
      {"journal", "export", "--json"},
      {"journal", "--script", "x.txt"},
  };
  for (const std::vector<std::string>& words : wrong) {
    EXPECT_EQ(Calyra(words).exitCode, kUsage) << words.back();
  }
}

}  // namespace
