// `calyra notes` and the note launcher: note files found as the component takes them, and an alarm
// note that comes due under `calyra tick` shown by the launcher the device starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ui/controls/InkBlob.h"
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

// The program on the test's own device: its clock stands at 2024-03-15 10:30 in Berlin.
class CalyraNotesTest : public calyra::testing::DeviceTest {
 protected:
  std::filesystem::path Device() const { return DeviceFolder() / "device"; }
  ProgramRun Run(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"--device", Device().string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProgramRun run = RunProgram(program, all, "/dev/null");
    ReopenDevice();
    return run;
  }
  ProgramRun Calyra(const std::vector<std::string>& arguments) { return Run(CALYRA_HOST_PROGRAM, arguments); }
  ProgramRun Launcher(const std::vector<std::string>& arguments) {
    return Run((std::filesystem::path(CALYRA_HOST_PROGRAM).parent_path() / "CalyraNotesLauncher").string(),
               arguments);
  }
  // A note file holding `text` as the ink control keeps it, at `path` under the device's file system.
  void WriteNote(const std::string& path, const std::u16string& text) {
    std::filesystem::path file = Device() / "fs" / path;
    std::filesystem::create_directories(file.parent_path());
    platform::InkContent content;
    content.text = text;
    std::vector<uint8_t> blob = platform::WriteInkBlob(content);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(blob.data()), static_cast<std::streamsize>(blob.size()));
  }
};

TEST_F(CalyraNotesTest, NotesAreListedAsTakenAndAnAlarmNoteThatComesDueIsShown) {
  WriteNote("My Documents/CalyraAlarmNotes/202403151100]Call bank.pwi", u"Ask about the loan");
  WriteNote("My Documents/Shopping.pwi", u"Milk");
  ProgramRun run = Calyra({"notes", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::string error;
  std::optional<JsonValue> notes = JsonReader::Parse(run.output, &error);
  ASSERT_TRUE(notes) << error << run.output;
  ASSERT_EQ(notes->items.size(), 2u) << run.output;
  const JsonValue& plain = (*notes)[0];
  EXPECT_EQ(plain["title"].text, "Shopping");
  EXPECT_EQ(plain["kind"].text, "plain");
  EXPECT_TRUE(plain["alarmTime"].IsNull());
  EXPECT_EQ(plain["text"].text, "Milk");
  const JsonValue& alarm = (*notes)[1];
  EXPECT_EQ(alarm["kind"].text, "alarm");
  EXPECT_EQ(alarm["alarmTime"].text, "2024-03-15T11:00");
  ASSERT_NE(alarm["handle"].number, 0) << "listing registers the alarm of a name without a handle";
  char handle[16];
  std::snprintf(handle, sizeof handle, "%08X", static_cast<unsigned>(alarm["handle"].number));
  std::string path =
      std::string("\\My Documents\\CalyraAlarmNotes\\202403151100]") + handle + "]Call bank.pwi";
  EXPECT_EQ(alarm["path"].text, path) << "the name now carries the handle";

  run = Calyra({"tick", "--minutes", "60"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find(
                "2024-03-15 11:00  started CalyraNotesLauncher.exe OpenAlarmNote " + path + "\n" +
                "  the launcher: the note \"Call bank\" (alarm 2024-03-15 11:00)\n    Ask about the loan\n"),
            std::string::npos)
      << run.output;
  run = Calyra({"notes"});
  EXPECT_NE(run.output.find("202403151100]Call bank.pwi"), std::string::npos)
      << "a passed alarm loses its handle from the name\n"
      << run.output;
}

TEST_F(CalyraNotesTest, TheNoteEditorMakesAndRenamesNotesFromAScript) {
  std::filesystem::path script = DeviceFolder() / "new.txt";
  std::ofstream(script) << "dialog 610\ntype 2001 Shopping\ntype 2002 Milk\n"
                           "# no alarm time: saved as a plain note\ndialog 200\nclick 6\nend\nok\nend\n";
  ProgramRun run = Calyra({"note", "new", "--script", script.string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("calling CalyraEditor_NewAlarmNote\n"), std::string::npos) << run.output;
  EXPECT_EQ(Calyra({"notes"}).output,
            "plain note       no handle   Shopping  \\My Documents\\Shopping.pwi\n");

  WriteNote("My Documents/CalyraAlarmNotes/202403151100]Call bank.pwi", u"Ask about the loan");
  std::filesystem::path rename = DeviceFolder() / "rename.txt";
  std::ofstream(rename) << "dialog 610\ntype 2001 Call\nok\nend\n";
  run = Calyra({"note", "edit", "\\My Documents\\CalyraAlarmNotes\\202403151100]Call bank.pwi", "--script",
                rename.string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("result: 1\nthe note: \\My Documents\\CalyraAlarmNotes\\202403151100]"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("]Call.pwi\n"), std::string::npos) << run.output;
  EXPECT_NE(Calyra({"notes", "--json"}).output.find("\"text\": \"Ask about the loan\""), std::string::npos)
      << "the content stays";

  run = Calyra({"note", "edit", "\\My Documents\\gone.pwi"});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_NE(run.output.find("no note file at \\My Documents\\gone.pwi"), std::string::npos) << run.output;
  EXPECT_EQ(Calyra({"note", "open"}).exitCode, kUsage);
}

TEST_F(CalyraNotesTest, TheLauncherRefusesWhatItCannotOpen) {
  EXPECT_EQ(Launcher({}).exitCode, kUsage);
  EXPECT_EQ(Launcher({"OpenAlarmNote"}).exitCode, kUsage);
  ProgramRun run = Launcher({"OpenAlarmNote noinfo"});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_NE(run.output.find("noinfo"), std::string::npos) << run.output;
  run = Launcher({"OpenAlarmNote", "\\My Documents\\gone.pwi"});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_NE(run.output.find("no note can be read at \\My Documents\\gone.pwi"), std::string::npos)
      << run.output;
  WriteNote("My Documents/Shopping.pwi", u"Milk");
  run = Launcher({"OpenAlarmNote", "\\My Documents\\Shopping.pwi"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "the note \"Shopping\"\nMilk\n");
}

}  // namespace
