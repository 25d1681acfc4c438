// The delete exports as a host calls them: the questions with their texts and flags, what each answer
// does, and what a deletion leaves behind in the journal, the links database and the outbox.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "host/Component.h"
#include "links/LinkStore.h"
#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"
#include "platform/outlook/Outbox.h"
#include "platform/text/Formatter.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/ItemIdentity.h"
#include "store/OutlookSession.h"
#include "tests/support/StoredLinks.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

constexpr const char16_t* kJournalPath = u"\\My Documents\\journal.cyj";
constexpr UINT kConfirmFlags = MB_YESNO | MB_ICONEXCLAMATION;
constexpr UINT kOccurrenceFlags = MB_YESNOCANCEL | MB_ICONEXCLAMATION;
constexpr UINT kMeetingFlags = MB_YESNO | MB_ICONQUESTION;

// A message box as it was shown.
struct Box {
  std::u16string text;
  std::u16string caption;
  UINT flags;
  HWND owner;
};

// Records every message box, then lets the scripted person answer it.
class RecordingAgent : public platform::UserAgent {
 public:
  explicit RecordingAgent(platform::UserAgent& person) : person_(person) {}
  bool ActOnDialog(HWND dialog) override { return person_.ActOnDialog(dialog); }
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    boxes.push_back({std::u16string(text), std::u16string(caption), flags, owner});
    return person_.AnswerMessageBox(owner, text, caption, flags);
  }
  UINT ChooseMenuCommand(HMENU menu, HWND owner) override { return person_.ChooseMenuCommand(menu, owner); }
  std::optional<std::u16string> ChooseFile(const platform::FileDialogRequest& request) override {
    return person_.ChooseFile(request);
  }
  std::vector<Box> boxes;

 private:
  platform::UserAgent& person_;
};

class DeleteExportsTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
    CalyraJournalOptions journal{};
    journal.flags = 0x3F;
    std::u16string(kJournalPath).copy(journal.location, 259);
    Component::Process().Options().SetJournalOptions(journal);
    agent_.emplace(*user_);
    platform::SetUserAgent(&*agent_);
  }
  void TearDown() override {
    platform::SetUserAgent(&*user_);
    EditorHostTest::TearDown();
  }

  std::u16string Text(UINT id) const { return ResourceText(resources_, id); }
  const std::vector<Box>& Boxes() const { return agent_->boxes; }
  static bool Exists(ItemOid item) { return ItemKindOf(item) != ItemKind::None; }

  // The journal's entries as (type, item) pairs.
  static std::vector<std::pair<DWORD, ItemOid>> Journal() {
    std::vector<std::pair<DWORD, ItemOid>> entries;
    for (const JournalEntry& entry :
         JournalFile(kJournalPath).LoadAll().value_or(std::vector<JournalEntry>{}))
      entries.emplace_back(entry.entryType, entry.item);
    return entries;
  }
  static std::vector<std::u16string> JournalTexts() {
    std::vector<std::u16string> texts;
    for (const JournalEntry& entry :
         JournalFile(kJournalPath).LoadAll().value_or(std::vector<JournalEntry>{}))
      texts.push_back(entry.text);
    return texts;
  }

  // Items made through Pocket Outlook itself, so that a subject may stay empty.
  template <class Item>
  static ItemOid SaveRaw(platform::ComPtr<Item> item, const std::u16string& subject) {
    BSTR text = SysAllocString(subject.c_str());
    item->put_Subject(text);
    SysFreeString(text);
    EXPECT_EQ(item->Save(), S_OK);
    LONG oid = 0;
    item->get_Oid(&oid);
    return static_cast<ItemOid>(oid);
  }
  static ItemOid RawTask(const std::u16string& subject) {
    OutlookSession session;
    session.Logon(nullptr);
    return SaveRaw(session.NewTask(), subject);
  }
  static ItemOid RawAppointment(const std::u16string& subject) {
    OutlookSession session;
    session.Logon(nullptr);
    platform::ComPtr<IAppointment> appointment = session.NewAppointment();
    appointment->put_Start(45371.375);  // 2024-03-20 09:00
    appointment->put_End(45371.4166666667);
    return SaveRaw(appointment, subject);
  }
  static ItemOid SaveContact(const std::u16string& fileAs) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    EXPECT_EQ(contact.Save(ItemContext{}), S_OK);
    return contact.oid;
  }
  ItemOid SaveMeeting(const std::u16string& subject) {
    CPIMAppointment meeting;
    meeting.subject = subject;
    meeting.start = SYSTEMTIME{2024, 3, 0, 20, 14, 0, 0, 0};
    meeting.end = SYSTEMTIME{2024, 3, 0, 20, 15, 0, 0, 0};
    meeting.meeting = true;
    meeting.attendees = {{u"Ada", u"ada@example.org"}};
    meeting.attendeesChanged = true;
    user_->ExpectMessageBoxString(kStringMeetingUpdate, IDNO);  // not sent when made
    ItemContext context;
    context.resources = resources_;
    EXPECT_EQ(meeting.Save(context), S_OK);
    return meeting.oid;
  }
  ItemOid SaveDailyTask(const std::u16string& subject) {
    CPIMTask task;
    task.subject = subject;
    task.start = task.due = SYSTEMTIME{2024, 3, 0, 18, 0, 0, 0, 0};
    task.recurring = true;
    task.recurrence.type = olRecursDaily;
    task.recurrence.interval = 1;
    task.recurrence.patternStart = task.start;
    EXPECT_EQ(task.Save(ItemContext{}), S_OK);
    return task.oid;
  }
  // Links `item` both ways with a fresh task, and gives it a web link too; the fresh task.
  static ItemOid LinkSomething(ItemOid item) {
    ItemOid other = RawTask(u"Other");
    LinkStore store(&Component::Process().links);
    EXPECT_TRUE(store.LinkTask(item, other));
    EXPECT_TRUE(store.AddWebLink(item, u"http://example.org"));
    return other;
  }

  std::optional<RecordingAgent> agent_;
};

using Entries = std::vector<std::pair<DWORD, ItemOid>>;
constexpr DWORD kDeletedEntry = 1;

TEST_F(DeleteExportsTest, APlainDeletionAsksNamesTheItemAndLeavesAJournalEntryAndNoLinks) {
  ItemOid appointment = RawAppointment(u"Dentist");
  ItemOid other = LinkSomething(appointment);
  user_->ExpectMessageBox(u"\"Dentist\" " + Text(kStringDeleteNamed), IDYES);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(appointment, 0, nullptr, 1), 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].flags, kConfirmFlags);
  EXPECT_EQ(Boxes()[0].caption, Text(kStringCaption));
  EXPECT_EQ(Boxes()[0].owner, MainWindow());
  EXPECT_FALSE(Exists(appointment));
  EXPECT_EQ(Journal(), (Entries{{kDeletedEntry, appointment}}));
  ASSERT_EQ(JournalTexts().size(), 1u);
  EXPECT_NE(JournalTexts()[0].find(u"Dentist"), std::u16string::npos) << "written while the item still was";
  EXPECT_TRUE(LinksOf(appointment).empty());
  EXPECT_TRUE(LinksOf(other).empty()) << "the reverse half goes with it";
  EXPECT_EQ(CalyraEditor_IsItemLinked(other), 0) << "the cache follows the database";
  EXPECT_TRUE(Exists(other));
}

// Declining: an appointment or contact answers 0, a task 1; nothing is deleted or written.
TEST_F(DeleteExportsTest, DecliningThePlainQuestionKeepsEveryKindAndAnswersByKind) {
  ItemOid appointment = RawAppointment(u"Dentist");
  ItemOid task = RawTask(u"Taxes");
  ItemOid contact = SaveContact(u"Lovelace, Ada");
  LinkSomething(task);
  user_->ExpectMessageBoxContaining(Text(kStringDeleteNamed), IDNO);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(appointment, 0, nullptr, 1), 0);
  user_->ExpectMessageBoxContaining(Text(kStringDeleteNamed), IDNO);
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 0, 1), 1);
  DWORD wentAhead = 7;
  user_->ExpectMessageBox(u"\"Lovelace, Ada\" " + Text(kStringDeleteNamed), IDNO);
  EXPECT_EQ(CalyraEditor_DeleteContact(contact, 1, &wentAhead, 1), 0);
  EXPECT_EQ(wentAhead, 0u);
  EXPECT_TRUE(Exists(appointment) && Exists(task) && Exists(contact));
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(LinksOf(task).size(), 2u);
}

TEST_F(DeleteExportsTest, ItemsWithoutSubjectOrNameAskTheirOwnQuestion) {
  struct Case {
    const char* what;
    ItemOid item;
    UINT text;
  };
  std::vector<Case> cases = {{"appointment", RawAppointment(u""), kStringDeleteAppointment},
                             {"task", RawTask(u""), kStringDeleteTask},
                             {"contact", SaveContact(u""), kStringDeleteContact}};
  for (const Case& c : cases) {
    user_->ExpectMessageBox(Text(c.text), IDYES);
    int result = c.text == kStringDeleteAppointment ? CalyraEditor_DeleteAppointment(c.item, 0, nullptr, 1)
                 : c.text == kStringDeleteTask      ? CalyraEditor_DeleteTask(c.item, 0, 1)
                                                    : CalyraEditor_DeleteContact(c.item, 1, nullptr, 1);
    EXPECT_EQ(result, 1) << c.what;
    EXPECT_FALSE(Exists(c.item)) << c.what;
    EXPECT_EQ(Boxes().back().flags, kConfirmFlags) << c.what;
  }
}

TEST_F(DeleteExportsTest, SubjectsAreCutAt64AndContactNamesAt128InTheQuestion) {
  std::u16string longText(200, u'x');
  ItemOid task = RawTask(longText);
  ItemOid contact = SaveContact(longText);
  user_->ExpectMessageBox(u"\"" + longText.substr(0, 64) + u"\" " + Text(kStringDeleteNamed), IDYES);
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 0, 1), 1);
  DWORD wentAhead = 7;
  user_->ExpectMessageBox(u"\"" + longText.substr(0, 128) + u"\" " + Text(kStringDeleteNamed), IDYES);
  EXPECT_EQ(CalyraEditor_DeleteContact(contact, 1, &wentAhead, 1), 1);
  EXPECT_EQ(wentAhead, 1u);
}

TEST_F(DeleteExportsTest, WithConfirmOffNothingIsAskedAndTheOptionStaysForTheEditors) {
  ItemOid task = RawTask(u"Taxes");
  ItemOid contact = SaveContact(u"Ada");
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 0, 0), 1);
  EXPECT_FALSE(Component::Process().Options().ConfirmDeletions());
  DWORD wentAhead = 7;
  EXPECT_EQ(CalyraEditor_DeleteContact(contact, 1, &wentAhead, 0), 1);
  EXPECT_EQ(wentAhead, 1u);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Journal(), (Entries{{kDeletedEntry, task}, {kDeletedEntry, contact}}));
  // A contact deletion without the ask flag does not ask even with confirm on.
  ItemOid second = SaveContact(u"Grace");
  EXPECT_EQ(CalyraEditor_DeleteContact(second, 0, nullptr, 1), 1);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Component::Process().Options().ConfirmDeletions());
}

TEST_F(DeleteExportsTest, AnItemThatCannotBeFoundShowsNothingAndAnswersZero) {
  ItemOid task = RawTask(u"Taxes");
  ItemOid contact = SaveContact(u"Ada");
  EXPECT_EQ(CalyraEditor_DeleteAppointment(0, 0, nullptr, 1), 0);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(task, 0, nullptr, 1), 0) << "a task is no appointment";
  EXPECT_EQ(CalyraEditor_DeleteTask(contact, 1, 1), 0);
  DWORD wentAhead = 7;
  EXPECT_EQ(CalyraEditor_DeleteContact(0x7FFFFF, 1, &wentAhead, 1), 0);
  EXPECT_EQ(wentAhead, 7u);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Journal().empty());
}

TEST_F(DeleteExportsTest, AnOccurrenceAnsweredNoBecomesTheSeriesOnlyException) {
  ItemOid series = SaveWeeklyAppointment(u"Standup");
  LinkSomething(series);
  SYSTEMTIME day{2024, 3, 0, 25, 9, 0, 0, 0};
  user_->ExpectMessageBox(Text(kStringDeleteOccurrence) + u"\n\"Standup\"", IDNO);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(series, 1, &day, 0), 1) << "confirm off still asks this";
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].flags, kOccurrenceFlags);

  OutlookSession session;
  ASSERT_TRUE(session.Logon(nullptr));
  platform::ComPtr<IAppointment> stored = session.GetItem<IAppointment>(series, IID_IAppointment);
  ASSERT_TRUE(stored);
  platform::ComPtr<IRecurrencePattern> pattern;
  ASSERT_EQ(stored->GetRecurrencePattern(&pattern), S_OK);
  platform::ComPtr<IExceptions> exceptions;
  ASSERT_EQ(pattern->get_Exceptions(&exceptions), S_OK);
  int count = 0;
  exceptions->get_Count(&count);
  ASSERT_EQ(count, 1);
  platform::ComPtr<IException> exception;
  ASSERT_EQ(exceptions->Item(1, &exception), S_OK);
  VARIANT_BOOL deleted = VARIANT_FALSE;
  DATE original = 0;
  exception->get_Deleted(&deleted);
  exception->get_OriginalDate(&original);
  EXPECT_NE(deleted, VARIANT_FALSE);
  EXPECT_EQ(static_cast<long>(original), 45376) << "2024-03-25";
  for (DATE other : {45369.0, 45383.0, 45390.0}) {  // 18 March, 1 and 8 April
    platform::ComPtr<IAppointment> occurrence;
    EXPECT_EQ(pattern->GetOccurrence(other, &occurrence), S_OK) << other;
  }
  EXPECT_EQ(Journal(), (Entries{{kDeletedEntry, series}}));
}

TEST_F(DeleteExportsTest, TheOccurrenceQuestionAnsweredYesDeletesTheSeriesAndCancelNothing) {
  ItemOid kept = SaveWeeklyAppointment(u"Standup");
  ItemOid gone = SaveWeeklyAppointment(u"Review");
  SYSTEMTIME day{2024, 3, 0, 25, 0, 0, 0, 0};
  user_->ExpectMessageBoxContaining(Text(kStringDeleteOccurrence), IDCANCEL);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(kept, 1, &day, 1), 1) << "the question was answered";
  EXPECT_TRUE(Exists(kept));
  EXPECT_TRUE(Journal().empty());
  user_->ExpectMessageBoxContaining(Text(kStringDeleteOccurrence), IDYES);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(gone, 1, &day, 1), 1);
  EXPECT_FALSE(Exists(gone));
  EXPECT_EQ(Journal(), (Entries{{kDeletedEntry, gone}}));
}

TEST_F(DeleteExportsTest, AnOccurrenceFlagOnAnAppointmentThatDoesNotRecurDeletesItPlainly) {
  ItemOid appointment = RawAppointment(u"Dentist");
  SYSTEMTIME day{2024, 3, 0, 20, 0, 0, 0, 0};
  user_->ExpectMessageBoxContaining(Text(kStringDeleteNamed), IDYES);
  EXPECT_EQ(CalyraEditor_DeleteAppointment(appointment, 1, &day, 1), 1);
  EXPECT_FALSE(Exists(appointment));
}

TEST_F(DeleteExportsTest, AMeetingAsksWhetherToSendItsCancellationEvenWithoutConfirmation) {
  for (int answer : {IDYES, IDNO}) {
    platform::ClearOutlookOutbox();
    ItemOid meeting = SaveMeeting(u"Board");
    size_t before = Boxes().size();
    user_->ExpectMessageBoxString(kStringMeetingUpdate, answer);
    EXPECT_EQ(CalyraEditor_DeleteAppointment(meeting, 0, nullptr, 0), 1);
    ASSERT_EQ(Boxes().size(), before + 1);
    EXPECT_EQ(Boxes().back().flags, kMeetingFlags);
    std::vector<platform::OutlookOutboxEntry> outbox = platform::ReadOutlookOutbox();
    if (answer == IDYES) {
      ASSERT_EQ(outbox.size(), 1u);
      EXPECT_EQ(outbox[0].action, u"MeetingCancellation");
      EXPECT_EQ(outbox[0].oids, std::vector<CEOID>{meeting});
      EXPECT_EQ(outbox[0].recipients, std::vector<std::u16string>{u"Ada <ada@example.org>"});
    } else {
      EXPECT_TRUE(outbox.empty());
    }
    EXPECT_FALSE(Exists(meeting));
  }
}

// The companion goes with the appointment when the record's flag says so; else only its links go.
TEST_F(DeleteExportsTest, ACompanionAppointmentFollowsItsFlag) {
  for (int flag : {1, 0}) {
    ItemOid main = RawAppointment(u"Flight");
    ItemOid companion = RawAppointment(u"Flight reminder");
    ItemOid other = LinkSomething(companion);
    Database appointments;
    ASSERT_TRUE(appointments.OpenByName(AppointmentsDatabaseName()) && appointments.SeekToOid(main));
    Record record(main);
    record.Set(PropertyValue::Integer(CPIMAppointment::kCompanionFlag, flag));
    record.Set(PropertyValue::Integer(CPIMAppointment::kCompanionOid, companion));
    ASSERT_TRUE(appointments.WriteRecord(record));
    EXPECT_EQ(CalyraEditor_DeleteAppointment(main, 0, nullptr, 0), 1);
    EXPECT_FALSE(Exists(main));
    EXPECT_EQ(Exists(companion), flag == 0) << flag;
    EXPECT_TRUE(LinksOf(companion).empty()) << flag;
    EXPECT_TRUE(LinksOf(other).empty()) << flag;
  }
}

TEST_F(DeleteExportsTest, ARecurringTaskAsksWholeOrSkipAndAnswersByTheChoice) {
  ItemOid task = SaveDailyTask(u"Water the plants");
  LinkSomething(task);
  user_->ExpectMessageBox(platform::FormatText(Text(kStringDeleteRecurringTask), {u"Water the plants"}),
                          IDCANCEL);
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 1, 1), 0);
  EXPECT_EQ(Boxes().back().flags, kOccurrenceFlags);

  user_->ExpectMessageBoxString(kStringDeleteRecurringTask, IDNO);
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 1, 1), 1);
  CPIMTask skipped;
  skipped.oid = task;
  ASSERT_TRUE(skipped.Load(ItemContext{}));
  EXPECT_EQ(skipped.due.wDay, 19) << "moved on to the next occurrence";
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(LinksOf(task).size(), 2u);

  user_->ExpectMessageBoxString(kStringDeleteRecurringTask, IDYES);
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 1, 1), 1);
  EXPECT_FALSE(Exists(task));
  EXPECT_TRUE(LinksOf(task).empty());
  EXPECT_EQ(Journal(), (Entries{{kDeletedEntry, task}}));
}

TEST_F(DeleteExportsTest, ARecurringTaskWithoutTheOccurrenceFlagIsAPlainDeletion) {
  ItemOid task = SaveDailyTask(u"Water the plants");
  user_->ExpectMessageBoxContaining(Text(kStringDeleteNamed), IDYES);
  EXPECT_EQ(CalyraEditor_DeleteTask(task, 0, 1), 1);
  EXPECT_FALSE(Exists(task));
}

}  // namespace
