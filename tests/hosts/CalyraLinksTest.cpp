// `calyra link`, `links`, `unlink`, `icon` and `open-link`, run as a person runs them from a shell, and
// the links and icon of `show --json`.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>
#include <vector>

#include "links/LinkStore.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "tests/hosts/JsonReader.h"
#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using calyra::LinkRecord;
using calyra::LinkStore;
using calyra::LinkType;
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
    "BEGIN:VTODO\r\nUID:passport\r\nDTSTAMP:20240301T000000Z\r\nSUMMARY:Renew the passport\r\n"
    "DTSTART;VALUE=DATE:20240322\r\nDUE;VALUE=DATE:20240322\r\nEND:VTODO\r\n"
    "END:VCALENDAR\r\n";
constexpr const char* kCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lovelace;Ada;;;\r\nFN:Ada Lovelace\r\nEND:VCARD\r\n";
constexpr const char16_t* kAddress = u"http://www.example.com/passport";
constexpr const char16_t* kNotes = u"\\My Documents\\notes.txt";
constexpr const char16_t* kStar = u"\\My Documents\\star.bmp";

// The demo host on the test's device (fixed clock, Europe/Berlin) with an appointment "Dentist", a
// task "Renew the passport" and a contact "Lovelace, Ada", imported as a person imports them.
class CalyraLinksTest : public calyra::testing::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    std::filesystem::path calendar = DeviceFolder() / "items.ics";
    std::filesystem::path card = DeviceFolder() / "ada.vcf";
    std::ofstream(calendar) << kCalendar;
    std::ofstream(card) << kCard;
    ProgramRun run = Calyra({"import", calendar.string(), card.string()});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    appointment_ = OidAfter(run.output, "imported appointment ");
    task_ = OidAfter(run.output, "imported task ");
    contact_ = OidAfter(run.output, "imported contact ");
    ASSERT_TRUE(appointment_ && task_ && contact_) << run.output;
  }

  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::filesystem::path errors = DeviceFolder() / "stderr.txt";
    std::vector<std::string> all{"--device", (DeviceFolder() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProgramRun run = RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null", &errors);
    ReopenDevice();  // what the program wrote, as this process finds it now
    return run;
  }
  // A command that starts the component; a component that does not start fails the test.
  ProgramRun WithComponent(const std::vector<std::string>& arguments) {
    ProgramRun run = Calyra(arguments);
    if (run.exitCode == kNoComponent) ADD_FAILURE() << "the component does not start: " << run.errors;
    return run;
  }
  JsonValue Json(const std::vector<std::string>& arguments) {
    ProgramRun run = Calyra(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    std::string error;
    std::optional<JsonValue> json = JsonReader::Parse(run.output, &error);
    EXPECT_TRUE(json) << error << "\n" << run.output;
    return json.value_or(JsonValue{});
  }
  JsonValue Links(CEOID item) { return Json({"links", Hex(item), "--json"}); }
  std::vector<int> LinkIds(CEOID item) {
    std::vector<int> ids;
    for (const JsonValue& link : Links(item).items) ids.push_back(static_cast<int>(link["linkId"].number));
    return ids;
  }
  // Every link record the item owns, icons included, read in this process.
  std::vector<LinkRecord> Records(CEOID item) {
    std::vector<LinkRecord> records;
    LinkStore store;
    LinkRecord record;
    for (CEOID oid = store.FirstLinkOf(item, &record, false); oid;
         oid = store.NextLinkOf(item, &record, false))
      records.push_back(record);
    return records;
  }
  // Writes links the way the editors' links page does, in this process, for the program to find.
  WORD AddTextLink(CEOID owner, LinkType type, const char16_t* text) {
    WORD id = 0;
    {
      LinkStore store;
      EXPECT_TRUE(store.AddLink(owner, &id, type, 0, text));
    }
    ReopenDevice();
    return id;
  }
  // The component deletes links to files that are gone when it shuts down: the files are there.
  void WriteDeviceFile(const std::string& name, const std::string& text) {
    std::filesystem::path folder = DeviceFolder() / "device" / "fs" / "My Documents";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name) << text;
  }
  void WriteStar() {
    CreateDirectoryW(u"\\My Documents", nullptr);
    std::array<DWORD, 64> pixels{};
    pixels.fill(0x2050C0);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, pixels.data());
    ASSERT_TRUE(platform::SaveBitmapFile(bitmap, kStar));
    DeleteObject(bitmap);
    ReopenDevice();
  }

  CEOID appointment_ = 0;
  CEOID task_ = 0;
  CEOID contact_ = 0;
};

TEST_F(CalyraLinksTest, LinkWritesBothHalvesThroughTheComponentAndEachSideListsTheOther) {
  ProgramRun run = WithComponent({"link", Hex(appointment_), Hex(contact_)});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, "linked appointment " + Hex(appointment_) + " and contact " + Hex(contact_) +
                            ": links 1 and 2\n");

  JsonValue links = Links(appointment_);
  ASSERT_EQ(links.items.size(), 1u);
  EXPECT_EQ(links[0].Keys(), (std::vector<std::string>{"linkId", "type", "target", "text"}));
  EXPECT_EQ(links[0]["linkId"].number, 1);
  EXPECT_EQ(links[0]["type"].text, "contact");
  EXPECT_EQ(links[0]["target"].number, contact_);
  EXPECT_EQ(links[0]["text"].text, "Lovelace, Ada");

  JsonValue back = Links(contact_);
  ASSERT_EQ(back.items.size(), 1u);
  EXPECT_EQ(back[0]["linkId"].number, 2);
  EXPECT_EQ(back[0]["type"].text, "appointment");
  EXPECT_EQ(back[0]["target"].number, appointment_);
  EXPECT_EQ(back[0]["text"].text.rfind("Dentist (", 0), 0u) << "the subject and the start's date";

  EXPECT_EQ(Calyra({"links", Hex(appointment_)}).output,
            "    1  contact      " + Hex(contact_) + "  Lovelace, Ada\n");
}

TEST_F(CalyraLinksTest, TheListKeepsTheLinksListsOrderContactsThenDatedItemsThenWebThenFiles) {
  WriteDeviceFile("notes.txt", "Bring the card");
  WriteStar();
  AddTextLink(appointment_, LinkType::File, kNotes);
  AddTextLink(appointment_, LinkType::Web, kAddress);
  AddTextLink(appointment_, LinkType::Icon, kStar);  // never listed
  ASSERT_EQ(WithComponent({"link", Hex(appointment_), Hex(task_)}).exitCode, 0);
  ASSERT_EQ(WithComponent({"link", Hex(appointment_), Hex(contact_)}).exitCode, 0);

  JsonValue links = Links(appointment_);
  std::vector<std::string> types;
  for (const JsonValue& link : links.items) types.push_back(link["type"].text);
  EXPECT_EQ(types, (std::vector<std::string>{"contact", "task", "web", "file"}));
  EXPECT_EQ(links[2]["target"].text, "http://www.example.com/passport")
      << "a web link's far end is its address";
  EXPECT_EQ(links[2]["text"].text, "http://www.example.com/passport");
  EXPECT_EQ(links[3]["target"].text, "\\My Documents\\notes.txt");
  EXPECT_EQ(links[1]["text"].text, "Renew the passport");

  // show --json carries the same list, then the icon, after every member it had before.
  JsonValue shown = Json({"show", Hex(appointment_), "--json"});
  std::vector<std::string> keys = shown.Keys();
  ASSERT_GE(keys.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(keys.end() - 3, keys.end()),
            (std::vector<std::string>{"secondReminder", "links", "icon"}));
  ASSERT_EQ(shown["links"].items.size(), links.items.size());
  for (size_t i = 0; i < links.items.size(); ++i) {
    EXPECT_EQ(shown["links"][i]["linkId"].number, links[i]["linkId"].number);
    EXPECT_EQ(shown["links"][i]["text"].text, links[i]["text"].text);
  }
  EXPECT_EQ(shown["icon"].text, "\\My Documents\\star.bmp");
}

TEST_F(CalyraLinksTest, AnIconIsSetReplacedAndTakenAwayThroughTheComponent) {
  WriteStar();
  EXPECT_TRUE(Json({"show", Hex(contact_), "--json"})["icon"].IsNull());
  ProgramRun run = WithComponent({"icon", Hex(contact_), "\\My Documents\\star.bmp"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, "the icon of " + Hex(contact_) + " is \\My Documents\\star.bmp\n");
  EXPECT_EQ(Json({"show", Hex(contact_), "--json"})["icon"].text, "\\My Documents\\star.bmp");
  EXPECT_EQ(Links(contact_).items.size(), 0u) << "the icon is no entry of the list";

  // Set again, the item still has one icon link.
  ASSERT_EQ(WithComponent({"icon", Hex(contact_), "\\My Documents\\star.bmp"}).exitCode, 0);
  std::vector<LinkRecord> records = Records(contact_);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].type, LinkType::Icon);

  run = WithComponent({"icon", Hex(contact_), "none"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, Hex(contact_) + " has no icon\n");
  EXPECT_TRUE(Json({"show", Hex(contact_), "--json"})["icon"].IsNull());
  EXPECT_TRUE(Records(contact_).empty());
}

TEST_F(CalyraLinksTest, AnIconThatIsNoFileOnTheDeviceIsRefusedAndTheOldOneStays) {
  WriteStar();
  ASSERT_EQ(WithComponent({"icon", Hex(task_), "\\My Documents\\star.bmp"}).exitCode, 0);
  ProgramRun run = Calyra({"icon", Hex(task_), "\\My Documents\\missing.bmp"});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_EQ(run.errors, "calyra: the device has no file \\My Documents\\missing.bmp\n");
  EXPECT_EQ(Json({"show", Hex(task_), "--json"})["icon"].text, "\\My Documents\\star.bmp");
}

TEST_F(CalyraLinksTest, UnlinkDeletesBothHalvesOfAnItemLinkAndOnlyTheItemsOwnLinks) {
  ASSERT_EQ(WithComponent({"link", Hex(task_), Hex(appointment_)}).exitCode, 0);
  WORD web = AddTextLink(task_, LinkType::Web, kAddress);
  ASSERT_EQ(LinkIds(task_), (std::vector<int>{1, web}));

  // A link of another item, and a link that is not there, are refused and nothing goes.
  ProgramRun run = Calyra({"unlink", Hex(task_), "2"});
  EXPECT_EQ(run.exitCode, kFailed);
  EXPECT_EQ(run.errors,
            "calyra: " + Hex(task_) + " has no link 2 (calyra links " + Hex(task_) + " lists them)\n");
  EXPECT_EQ(Calyra({"unlink", Hex(task_), "77"}).exitCode, kFailed);
  EXPECT_EQ(LinkIds(appointment_), (std::vector<int>{2}));

  run = Calyra({"unlink", Hex(task_), "1"});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output.rfind("deleted link 1: appointment " + Hex(appointment_), 0), 0u) << run.output;
  EXPECT_TRUE(LinkIds(appointment_).empty()) << "the other half went too";
  EXPECT_EQ(LinkIds(task_), (std::vector<int>{web}));

  run = Calyra({"unlink", Hex(task_), std::to_string(web)});
  EXPECT_EQ(run.output, "deleted link " + std::to_string(web) + ": web http://www.example.com/passport\n");
  EXPECT_EQ(Calyra({"links", Hex(task_), "--json"}).output, "[]\n");
  EXPECT_EQ(Calyra({"links", Hex(task_)}).output, "");
}

TEST_F(CalyraLinksTest, OpenLinkStartsTheBrowserOpensFilesThroughTheShellAndNamesLinkedItems) {
  WriteDeviceFile("notes.txt", "Bring the old passport");
  WORD web = AddTextLink(task_, LinkType::Web, kAddress);
  WORD file = AddTextLink(task_, LinkType::File, kNotes);
  ASSERT_EQ(WithComponent({"link", Hex(task_), Hex(contact_)}).exitCode, 0);
  WORD contactLink = Records(task_).back().linkId;

  ProgramRun run = Calyra({"open-link", Hex(task_), std::to_string(web)});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, "started iexplore.exe http://www.example.com/passport\n");
  run = Calyra({"open-link", Hex(task_), std::to_string(file)});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, "opened \\My Documents\\notes.txt with the shell's open verb\n");
  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].verb, u"");
  EXPECT_EQ(log[0].program, u"iexplore.exe");
  EXPECT_EQ(log[0].arguments, kAddress);
  EXPECT_EQ(log[1].verb, u"open");
  EXPECT_EQ(log[1].program, kNotes);

  run = Calyra({"open-link", Hex(task_), std::to_string(contactLink)});
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, "the host would open contact " + Hex(contact_) + "  Lovelace, Ada\n");
  EXPECT_EQ(platform::ReadLaunchLog().size(), 2u) << "an item link starts nothing";
  EXPECT_EQ(Calyra({"open-link", Hex(contact_), std::to_string(web)}).exitCode, kFailed);
}

TEST_F(CalyraLinksTest, WrongUsesAreToldWithTheirExitCodes) {
  ASSERT_EQ(WithComponent({"link", Hex(task_), Hex(appointment_)}).exitCode, 0);
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
  };
  const std::string task = Hex(task_);
  const std::vector<Case> cases = {
      {{"link", task}, kUsage},
      {{"link", task, Hex(appointment_), Hex(contact_)}, kUsage},
      {{"link", task, "soon"}, kBadOid},
      {{"link", task, "0x99"}, kBadOid},
      {{"link", "0x99", task}, kBadOid},
      {{"link", task, task}, kFailed},
      {{"link", task, Hex(appointment_)}, kFailed},  // already linked
      {{"link", Hex(appointment_), task}, kFailed},  // the other half is there too
      {{"link", task, Hex(contact_), "--json"}, kUsage},
      {{"links"}, kUsage},
      {{"links", task, "1"}, kUsage},
      {{"links", "0x99"}, kBadOid},
      {{"links", "-1"}, kBadOid},
      {{"unlink", task}, kUsage},
      {{"unlink", task, "0"}, kUsage},
      {{"unlink", task, "65535"}, kUsage},
      {{"unlink", task, "one"}, kUsage},
      {{"unlink", task, "1", "--json"}, kUsage},
      {{"unlink", "0x99", "1"}, kBadOid},
      {{"unlink", task, "500"}, kFailed},
      {{"icon", task}, kUsage},
      {{"icon", "0x99", "none"}, kBadOid},
      {{"open-link", task}, kUsage},
      {{"open-link", task, "x"}, kUsage},
      {{"open-link", task, "9"}, kFailed},
      {{"open-link", task, "1", "--script", "s.txt"}, kUsage},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& word : c.arguments) line += word + " ";
    ProgramRun run = Calyra(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << line << "\n" << run.errors;
    EXPECT_EQ(run.output, "") << line;
    EXPECT_FALSE(run.errors.empty()) << line;
  }
  EXPECT_EQ(LinkIds(task_), (std::vector<int>{1})) << "no wrong use changed a link";
}

TEST_F(CalyraLinksTest, TheTourLinksTheItemsItMadeAndPrintsTheirLists) {
  ProgramRun run = WithComponent({"tour"});
  ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
  size_t made =
      run.output.find("the appointment 0x", run.output.find("links between the items the tour made"));
  ASSERT_NE(made, std::string::npos) << run.output;
  std::string appointment = run.output.substr(made + 16, 10);
  size_t with = run.output.find(" with the contact 0x", made);
  ASSERT_EQ(with, made + 26) << run.output;
  std::string contact = run.output.substr(with + 18, 10);
  EXPECT_NE(run.output.find("  contact      " + contact + "  Lovelace, Ada\n"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("web          http://www.example.com/passport\n"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("started iexplore.exe http://www.example.com/passport\n"), std::string::npos)
      << run.output;

  JsonValue shown = Json({"show", contact, "--json"});
  EXPECT_EQ(shown["icon"].text, "\\My Documents\\Ada.bmp") << "the icon's file is there, so it stays";
  EXPECT_TRUE(shown["links"].items.empty()) << "the tour deleted the appointment last, and its links with it";
  EXPECT_NE(run.output.find("calyra delete " + appointment), std::string::npos) << run.output;
}

}  // namespace
