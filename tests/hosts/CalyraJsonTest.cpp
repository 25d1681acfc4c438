#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/outlook/PocketOutlook.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/controls/InkBlob.h"
#include "store/PimDatabase.h"
#include "store/PimItem.h"
#include "tests/hosts/JsonReader.h"
#include "tests/hosts/ProgramRun.h"
#include "tests/hosts/PublishedExitCodes.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing::exits;
using calyra::testing::JsonReader;
using calyra::testing::JsonValue;
using calyra::testing::ProgramRun;
using calyra::testing::RunProgram;
using platform::ComPtr;

DATE Ole(int year, int month, int day, int hour = 0, int minute = 0) {
  SYSTEMTIME time = calyra::testing::Date(year, month, day, hour, minute);
  DATE date = 0;
  SystemTimeToVariantTime(&time, &date);
  return date;
}

template <class Item>
void Put(Item* item, HRESULT (Item::*put)(BSTR), std::u16string_view text) {
  BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  EXPECT_EQ((item->*put)(value), S_OK);
  SysFreeString(value);
}

// `calyra --json` on the test's device, after the test put items there through Pocket Outlook's
// object model, as the device's other programs would.
class CalyraJsonTest : public calyra::testing::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp,
                               reinterpret_cast<void**>(&app_)),
              S_OK);
    ASSERT_EQ(app_->Logon(nullptr), S_OK);
  }
  void TearDown() override {
    app_->Logoff();
    app_.Reset();
    CoUninitialize();
    DeviceTest::TearDown();
  }

  template <class Item>
  ComPtr<Item> Create(int type, REFIID iid) {
    ComPtr<IDispatch> item;
    EXPECT_EQ(app_->CreateItem(type, &item), S_OK);
    return item.As<Item>(iid);
  }

  template <class Item>
  static CEOID Save(Item* item) {
    EXPECT_EQ(item->Save(), S_OK);
    LONG oid = 0;
    item->get_Oid(&oid);
    return static_cast<CEOID>(oid);
  }

  // A meeting every other Monday and Wednesday, five times, with everything an appointment has.
  CEOID SaveMeeting() {
    auto a = Create<IAppointment>(olAppointmentItem, IID_IAppointment);
    Put(a.Get(), &IAppointment::put_Subject, u"Review \"Q2\"");
    Put(a.Get(), &IAppointment::put_Location, u"Zürich, Room 4");
    EXPECT_EQ(a->put_Start(Ole(2024, 3, 18, 14, 0)), S_OK);
    EXPECT_EQ(a->put_End(Ole(2024, 3, 18, 15, 30)), S_OK);
    a->put_BusyStatus(olTentative);
    a->put_Sensitivity(olPrivate);
    a->put_ReminderSet(VARIANT_TRUE);
    a->put_ReminderMinutesBeforeStart(30);
    a->put_MeetingStatus(olMeeting);
    Put(a.Get(), &IAppointment::put_Categories, u"Business, Holiday");
    Put(a.Get(), &IAppointment::put_Body, u"Bring the slides.\r\nAnd the figures.");
    ComPtr<IRecipients> recipients;
    EXPECT_EQ(a->get_Recipients(&recipients), S_OK);
    for (auto [name, address] :
         {std::pair{u"Ada Lovelace", u"ada@example.com"}, std::pair{u"Charles", u""}}) {
      ComPtr<IRecipient> recipient;
      BSTR text = SysAllocString(name);
      EXPECT_EQ(recipients->Add(text, &recipient), S_OK);
      SysFreeString(text);
      Put(recipient.Get(), &IRecipient::put_Address, address);
    }
    ComPtr<IRecurrencePattern> pattern;
    EXPECT_EQ(a->GetRecurrencePattern(&pattern), S_OK);
    pattern->put_RecurrenceType(olRecursWeekly);
    pattern->put_Interval(2);
    pattern->put_DayOfWeekMask(olMonday | olWednesday);
    pattern->put_Occurrences(5);
    return Save(a.Get());
  }

  CEOID SaveTask() {
    auto t = Create<ITask>(olTaskItem, IID_ITask);
    Put(t.Get(), &ITask::put_Subject, u"Pay the rent");
    t->put_StartDate(Ole(2024, 3, 15));
    t->put_DueDate(Ole(2024, 3, 20));
    t->put_ReminderSet(VARIANT_TRUE);
    t->put_ReminderTime(Ole(2024, 3, 20, 8, 15));
    t->put_Importance(olImportanceHigh);
    Put(t.Get(), &ITask::put_Categories, u"Errands");
    Put(t.Get(), &ITask::put_Body, u"Standing order?");
    ComPtr<IRecurrencePattern> pattern;
    EXPECT_EQ(t->GetRecurrencePattern(&pattern), S_OK);
    pattern->put_RecurrenceType(olRecursMonthly);
    pattern->put_Interval(1);
    pattern->put_DayOfMonth(15);
    pattern->put_PatternEndDate(Ole(2024, 12, 31));
    return Save(t.Get());
  }

  CEOID SaveContact() {
    auto c = Create<IContact>(olContactItem, IID_IContact);
    Put(c.Get(), &IContact::put_FileAs, u"Lovelace, Ada");
    Put(c.Get(), &IContact::put_FirstName, u"Ada");
    Put(c.Get(), &IContact::put_MiddleName, u"King");
    Put(c.Get(), &IContact::put_LastName, u"Lovelace");
    Put(c.Get(), &IContact::put_Title, u"Countess");
    Put(c.Get(), &IContact::put_CompanyName, u"Analytical Engines Ltd");
    Put(c.Get(), &IContact::put_Email1Address, u"ada@example.com");
    Put(c.Get(), &IContact::put_Email3Address, u"countess@example.org");
    Put(c.Get(), &IContact::put_BusinessTelephoneNumber, u"+44 20 7946 0018");
    Put(c.Get(), &IContact::put_MobileTelephoneNumber, u"07700 900123");
    Put(c.Get(), &IContact::put_HomeFaxNumber, u"020 7946 0999");
    Put(c.Get(), &IContact::put_HomeAddressCity, u"London");
    Put(c.Get(), &IContact::put_BusinessAddressStreet, u"12 St James's Square");
    Put(c.Get(), &IContact::put_BusinessAddressCity, u"London");
    Put(c.Get(), &IContact::put_BusinessAddressPostalCode, u"SW1Y 4LB");
    Put(c.Get(), &IContact::put_BusinessAddressCountry, u"United Kingdom");
    Put(c.Get(), &IContact::put_WebPage, u"https://example.com/ada");
    Put(c.Get(), &IContact::put_Categories, u"Personal");
    Put(c.Get(), &IContact::put_Body, u"Prefers letters.");
    c->put_Birthday(Ole(1985, 12, 10));
    return Save(c.Get());
  }

  // Standard output alone is the JSON; standard error is kept apart.
  ProgramRun Calyra(const std::vector<std::string>& arguments) {
    std::filesystem::path errors = DeviceFolder() / "stderr.txt";
    std::vector<std::string> all{"--device", (DeviceFolder() / "device").string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null", &errors);
  }

  // The output of a run that must succeed, parsed.
  JsonValue Parsed(const std::vector<std::string>& arguments) {
    ProgramRun run = Calyra(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    std::string error;
    auto value = JsonReader::Parse(run.output, &error);
    EXPECT_TRUE(value) << error << "\n" << run.output;
    return value ? *value : JsonValue{};
  }

  // The expected text of `show --json` in tests/data/hosts/<name>, its @OID@ the item's oid.
  static std::string Expected(const std::string& name, CEOID oid) {
    std::string text = calyra::testing::ReadTextFile(std::filesystem::path(CALYRA_HOST_TEST_DATA) / name);
    size_t at = text.find("@OID@");
    if (at != std::string::npos) text.replace(at, 5, std::to_string(oid));
    return text;
  }

  ComPtr<IPOutlookApp> app_;
};

TEST_F(CalyraJsonTest, AnEmptyStoreListsAnEmptyArray) {
  for (const char* kind : {"appointments", "tasks", "contacts"}) {
    ProgramRun run = Calyra({"list", kind, "--json"});
    EXPECT_EQ(run.exitCode, 0) << kind << ": " << run.errors;
    EXPECT_EQ(run.output, "[]\n") << kind;
  }
}

TEST_F(CalyraJsonTest, ShowWritesTheAppointmentAsTheDataFileHasIt) {
  CEOID oid = SaveMeeting();
  ProgramRun run = Calyra({"show", std::to_string(oid), "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, Expected("appointment.json", oid));
}

TEST_F(CalyraJsonTest, ShowWritesTheTaskAsTheDataFileHasIt) {
  CEOID oid = SaveTask();
  ProgramRun run = Calyra({"--json", "show", std::to_string(oid)});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, Expected("task.json", oid));
}

TEST_F(CalyraJsonTest, ShowWritesTheContactAsTheDataFileHasIt) {
  CEOID oid = SaveContact();
  ProgramRun run = Calyra({"show", std::to_string(oid), "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.output, Expected("contact.json", oid));
}

TEST_F(CalyraJsonTest, ListReadsBackFieldByField) {
  CEOID meeting = SaveMeeting();
  auto allDay = Create<IAppointment>(olAppointmentItem, IID_IAppointment);
  Put(allDay.Get(), &IAppointment::put_Subject, u"Holiday");
  allDay->put_Start(Ole(2024, 3, 20, 10, 0));
  allDay->put_AllDayEvent(VARIANT_TRUE);
  allDay->put_ReminderSet(VARIANT_FALSE);
  CEOID holiday = Save(allDay.Get());

  JsonValue list = Parsed({"list", "appointments", "--json"});
  ASSERT_EQ(list.type, JsonValue::Type::kArray);
  ASSERT_EQ(list.items.size(), 2u);
  // The calendar lists by start.
  const JsonValue& first = list[0];
  EXPECT_EQ(first["oid"].number, meeting);
  EXPECT_EQ(first["kind"].text, "appointment");
  EXPECT_EQ(first["categories"].Texts(), (std::vector<std::string>{"Business", "Holiday"}));
  EXPECT_EQ(first["notes"].text, "Bring the slides.\r\nAnd the figures.");
  EXPECT_EQ(first["subject"].text, "Review \"Q2\"");
  EXPECT_EQ(first["start"].text, "2024-03-18T14:00");
  EXPECT_EQ(first["end"].text, "2024-03-18T15:30");
  EXPECT_EQ(first["reminderMinutes"].number, 30);
  EXPECT_TRUE(first["meeting"].boolean);
  EXPECT_TRUE(first["private"].boolean);
  ASSERT_EQ(first["attendees"].items.size(), 2u);
  EXPECT_EQ(first["attendees"][0]["name"].text, "Ada Lovelace");
  EXPECT_EQ(first["attendees"][0]["email"].text, "ada@example.com");
  EXPECT_EQ(first["attendees"][1]["email"].text, "");
  const JsonValue& recurrence = first["recurrence"];
  EXPECT_EQ(recurrence["kind"].number, olRecursWeekly);
  EXPECT_EQ(recurrence["interval"].number, 2);
  EXPECT_EQ(recurrence["daysOfWeekMask"].number, olMonday | olWednesday);
  EXPECT_EQ(recurrence["occurrences"].number, 5);
  EXPECT_FALSE(recurrence["noEndDate"].boolean);
  EXPECT_EQ(recurrence["patternStart"].text, "2024-03-18");

  const JsonValue& second = list[1];
  EXPECT_EQ(second["oid"].number, holiday);
  EXPECT_TRUE(second["allDay"].boolean);
  // An all-day event runs from its day's midnight to the next.
  EXPECT_EQ(second["start"].text, "2024-03-20T00:00");
  EXPECT_EQ(second["end"].text, "2024-03-21T00:00");
  EXPECT_TRUE(second["reminderMinutes"].IsNull());
  EXPECT_TRUE(second["recurrence"].IsNull());
  EXPECT_EQ(second["attendees"].type, JsonValue::Type::kArray);
  EXPECT_EQ(second["categories"].type, JsonValue::Type::kArray);
  EXPECT_EQ(second["notes"].text, "");
}

TEST_F(CalyraJsonTest, TasksAndContactsListWithTheirKinds) {
  CEOID task = SaveTask();
  auto done = Create<ITask>(olTaskItem, IID_ITask);
  Put(done.Get(), &ITask::put_Subject, u"Buy stamps");
  done->put_DateCompleted(Ole(2024, 3, 14));
  done->put_Complete(VARIANT_TRUE);
  CEOID stamps = Save(done.Get());
  CEOID contact = SaveContact();

  JsonValue tasks = Parsed({"list", "tasks", "--json"});
  ASSERT_EQ(tasks.items.size(), 2u);
  // Tasks sort by subject.
  EXPECT_EQ(tasks[0]["oid"].number, stamps);
  EXPECT_TRUE(tasks[0]["complete"].boolean);
  EXPECT_EQ(tasks[0]["completedDate"].text, "2024-03-14");
  EXPECT_TRUE(tasks[0]["start"].IsNull());
  EXPECT_TRUE(tasks[0]["due"].IsNull());
  EXPECT_TRUE(tasks[0]["reminder"].IsNull());
  EXPECT_EQ(tasks[0]["importance"].number, olImportanceNormal);
  EXPECT_EQ(tasks[1]["oid"].number, task);
  EXPECT_EQ(tasks[1]["reminder"].text, "2024-03-20T08:15");
  EXPECT_EQ(tasks[1]["recurrence"]["kind"].number, olRecursMonthly);
  EXPECT_EQ(tasks[1]["recurrence"]["patternEnd"].text, "2024-12-31");

  JsonValue contacts = Parsed({"list", "contacts", "--json"});
  ASSERT_EQ(contacts.items.size(), 1u);
  const JsonValue& ada = contacts[0];
  EXPECT_EQ(ada["oid"].number, contact);
  EXPECT_EQ(ada["kind"].text, "contact");
  EXPECT_EQ(ada["emails"].Texts(), (std::vector<std::string>{"ada@example.com", "countess@example.org"}));
  EXPECT_EQ(ada["phones"].Keys(), (std::vector<std::string>{"work", "mobile", "homeFax"}));
  EXPECT_EQ(ada["phones"]["mobile"].text, "07700 900123");
  EXPECT_EQ(ada["addresses"].Keys(), (std::vector<std::string>{"home", "work"}));
  EXPECT_EQ(ada["addresses"]["home"]["city"].text, "London");
  EXPECT_EQ(ada["addresses"]["home"]["street"].text, "");
  EXPECT_EQ(ada["addresses"]["work"]["postalCode"].text, "SW1Y 4LB");
  EXPECT_EQ(ada["birthday"].text, "1985-12-10");
  EXPECT_TRUE(ada["anniversary"].IsNull());
}

TEST_F(CalyraJsonTest, TextWithQuotesControlCharactersAndNonAsciiRoundTrips) {
  std::u16string subject = u"Zürich \"Büro\"\n\\ \t\x01 \U0001F600 \u65E5\u672C";
  auto t = Create<ITask>(olTaskItem, IID_ITask);
  Put(t.Get(), &ITask::put_Subject, subject);
  Put(t.Get(), &ITask::put_Body, subject);
  CEOID oid = Save(t.Get());

  ProgramRun run = Calyra({"show", std::to_string(oid), "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  // Escaped as JSON asks, the emoji as its four UTF-8 bytes rather than a pair of escapes.
  EXPECT_NE(run.output.find(R"("subject": "Zürich \"Büro\"\n\\ \t\u0001 )"
                            "\xF0\x9F\x98\x80"),
            std::string::npos)
      << run.output;
  std::string error;
  auto value = JsonReader::Parse(run.output, &error);
  ASSERT_TRUE(value) << error << "\n" << run.output;
  EXPECT_EQ((*value)["subject"].text, platform::ToUtf8(subject));
  EXPECT_EQ((*value)["notes"].text, platform::ToUtf8(subject));
}

TEST_F(CalyraJsonTest, NotesAreTheTypedTextOfTheNotesBlobElseTheBodyText) {
  platform::InkContent typed;
  typed.text = u"Typed\r\nnotes";
  typed.strokes.push_back({{{1, 2}, {3, 4}}});
  platform::InkContent drawn;
  drawn.strokes.push_back({{{5, 6}}});
  struct Case {
    const char16_t* body;
    std::vector<uint8_t> blob;  // none when empty
    std::string notes;
  };
  const Case cases[] = {
      {u"", {}, ""},
      {u"Plain body", {}, "Plain body"},
      {u"Old body", platform::WriteInkBlob(typed), "Typed\r\nnotes"},
      {u"Body of a drawing", platform::WriteInkBlob(drawn), "Body of a drawing"},
      {u"Body of a broken blob", {1, 2, 3}, "Body of a broken blob"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::ToUtf8(c.body));
    auto t = Create<ITask>(olTaskItem, IID_ITask);
    Put(t.Get(), &ITask::put_Subject, u"Notes");
    Put(t.Get(), &ITask::put_Body, c.body);
    CEOID oid = Save(t.Get());
    if (!c.blob.empty()) {
      ASSERT_TRUE(calyra::WritePimProperty(oid, calyra::ItemKind::Task, calyra::kNotesTag, c.blob.data(),
                                           static_cast<DWORD>(c.blob.size())));
    }
    EXPECT_EQ(Parsed({"show", std::to_string(oid), "--json"})["notes"].text, c.notes);
  }
}

TEST_F(CalyraJsonTest, JsonKeepsTheExitCodesOfBadCommandLines) {
  CEOID oid = SaveTask();
  EXPECT_EQ(Calyra({"show", "0x12345", "--json"}).exitCode, kBadOid);
  EXPECT_EQ(Calyra({"show", "twelve", "--json"}).exitCode, kBadOid);
  EXPECT_EQ(Calyra({"list", "widgets", "--json"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"tour", "--json"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"edit", std::to_string(oid), "--json"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"list", "tasks", "--json", "--json"}).exitCode, kUsage);
  EXPECT_EQ(Calyra({"list", "tasks", "--jsonl"}).exitCode, kUsage);
  // Without --json the text stays as it was.
  ProgramRun text = Calyra({"list", "tasks"});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_EQ(text.output.rfind("0x", 0), 0u) << text.output;
}

}  // namespace
