// The attendees page in the appointment editor, driven as a host and a person do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/AttendeesPage.h"
#include "host/EditorFrame.h"
#include "platform/text/Text.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

constexpr CEPROPID kEmail = 0x4083001F;
constexpr CEPROPID kEmail2 = 0x4093001F;

// One row as the page shows it.
struct Row {
  std::u16string name;
  std::u16string email;
  bool checked = false;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << platform::ToUtf8(row.name) << " <" << platform::ToUtf8(row.email) << ">"
       << (row.checked ? " [x]" : "");
}

class AttendeesPageTest : public EditorHostTest {
 protected:
  static ItemOid SaveContact(const std::u16string& fileAs, CEPROPID emailTag, const std::u16string& email) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    if (!email.empty()) contact.SetText(emailTag, email);
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  // Ann and Cy have addresses (Cy's is his second), Bo has none.
  void SaveContacts() {
    SaveContact(u"Lee, Ann", kEmail, u"ann@example.com");
    SaveContact(u"Berg, Bo", kEmail, u"");
    SaveContact(u"Cole, Cy", kEmail2, u"cy@example.com");
  }
  ItemOid SaveAppointment(const std::vector<Attendee>& attendees, bool allDay = false) {
    CPIMAppointment appointment;
    appointment.subject = u"Review";
    appointment.start = Date(2024, 3, 20, 9);
    appointment.end = Date(2024, 3, 20, 10);
    appointment.allDay = allDay;
    appointment.attendees = attendees;
    appointment.meeting = appointment.attendeesChanged = !attendees.empty();
    if (!attendees.empty()) user_->ExpectMessageBoxString(kStringMeetingUpdate, IDNO);  // a new meeting asks
    ItemContext context;
    context.resources = resources_;
    EXPECT_EQ(appointment.Save(context), S_OK);
    return appointment.oid;
  }
  CPIMAppointment Reload(ItemOid oid) {
    CPIMAppointment appointment;
    appointment.oid = oid;
    appointment.openScope = kOpenSeries;
    ItemContext context;
    context.resources = resources_;
    EXPECT_TRUE(appointment.Load(context));
    return appointment;
  }

  // The one appointment of the store.
  static ItemOid OnlyAppointment() {
    Database appointments;
    Record record;
    record.Request(CPIMContact::kFileAs);
    EXPECT_TRUE(appointments.OpenByName(AppointmentsDatabaseName()) && appointments.SeekBeginning() &&
                appointments.ReadRecord(record));
    return record.Oid();
  }
  void OpenNew() {
    ASSERT_EQ(NewItem(EditorKind::NewAppointment).Subject(u"Review").Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
    ShowAttendees();
  }
  // The person taps the attendees tab.
  void ShowAttendees() {
    ASSERT_NE(Page(), nullptr);
    ASSERT_TRUE(platform::UserSelectTab(Tabs(), Page()->TabIndex()));
    Pump();
  }
  void OpenExisting(ItemOid oid) {
    ASSERT_EQ(EditItem(EditorKind::EditAppointment, oid).Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
    ShowAttendees();
  }
  void Ok() {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
    Pump();
  }

  AttendeesPage* Page() {
    return dynamic_cast<AttendeesPage*>(Frame().Pages().GetPage(PageNumber::Attendees));
  }
  HWND List() { return GetDlgItem(Page()->GetWindow(), kAttendeesList); }
  CPIMAppointment* Appointment() { return dynamic_cast<CPIMAppointment*>(Frame().Context().item); }
  std::vector<Row> Rows() {
    std::vector<Row> rows;
    HWND list = List();
    for (int index = 0; index < ListView_GetItemCount(list); ++index) {
      WCHAR name[64] = {};
      WCHAR email[64] = {};
      ListView_GetItemText(list, index, 0, name, 64);
      ListView_GetItemText(list, index, 1, email, 64);
      rows.push_back({name, email, ListView_GetCheckState(list, index) != FALSE});
    }
    return rows;
  }
  bool Check(int row, bool checked) { return platform::UserSetListViewCheck(List(), row, checked); }
};

TEST_F(AttendeesPageTest, EveryContactIsListedWithTheAttendeesCheckedAndTheOthersAdded) {
  SaveContacts();
  ItemOid review = SaveAppointment({{u"Ann", u"ANN@example.com"},  // Ann's address in other letters
                                    {u"Dee", u"dee@example.com"},  // no contact
                                    {u"berg, bo", u""}});          // Bo by name: neither has an address
  OpenExisting(review);
  ASSERT_NE(Page(), nullptr);
  const std::vector<Row> expected = {{u"Berg, Bo", u"", true},
                                     {u"Cole, Cy", u"cy@example.com", false},
                                     {u"Lee, Ann", u"ann@example.com", true},
                                     {u"Dee", u"dee@example.com", true}};
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(Page()->CheckedCount(), 3);
  EXPECT_TRUE(IsWindowEnabled(List()));
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  EXPECT_EQ(platform::CursorHistory(), (std::vector<HCURSOR>{wait, arrow})) << "filled under the wait cursor";

  // Nothing changed: OK writes nothing and asks nothing.
  Ok();
  EXPECT_FALSE(Frame().IsOpen());
  CPIMAppointment stored = Reload(review);
  EXPECT_EQ(stored.attendees,
            (std::vector<Attendee>{
                {u"Ann", u"ANN@example.com"}, {u"Dee", u"dee@example.com"}, {u"berg, bo", u""}}));
}

TEST_F(AttendeesPageTest, TheMeetingMarkFollowsTheCheckedCount) {
  SaveContacts();
  OpenNew();
  ASSERT_NE(Page(), nullptr);
  ASSERT_EQ(Rows().size(), 3u);
  struct Step {
    int row;
    bool checked;
    int count;
    bool meeting;
  };
  const Step steps[] = {
      {0, true, 1, true}, {2, true, 2, true}, {0, false, 1, true}, {2, false, 0, false}, {1, true, 1, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << "row " << step.row << (step.checked ? " checked" : " cleared"));
    ASSERT_TRUE(Check(step.row, step.checked));
    EXPECT_EQ(Page()->CheckedCount(), step.count);
    EXPECT_EQ(Appointment()->meeting, step.meeting);
  }
  EXPECT_TRUE(Appointment()->attendees.empty()) << "the item hears of the attendees when the page stores";

  user_->ExpectMessageBoxString(kStringMeetingUpdate, IDNO);
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  CPIMAppointment stored = Reload(OnlyAppointment());
  EXPECT_EQ(stored.attendees, (std::vector<Attendee>{{u"Cole, Cy", u"cy@example.com"}}));
  EXPECT_TRUE(stored.meeting);
}

TEST_F(AttendeesPageTest, TheFirstAttendeeOfAnAllDayEventIsRefusedAndTheEditorStaysAsItWas) {
  SaveContacts();
  ItemOid holiday = SaveAppointment({}, true);
  OpenExisting(holiday);
  ASSERT_NE(Page(), nullptr);
  const std::vector<Row> before = Rows();

  user_->ExpectMessageBoxString(kStringAllDayAttendee, IDOK);
  Check(2, true);
  EXPECT_EQ(Rows(), before) << "the check is undone";
  EXPECT_EQ(Page()->CheckedCount(), 0);
  EXPECT_FALSE(Appointment()->meeting);
  EXPECT_TRUE(Appointment()->allDay);

  // Once no longer all-day (the appointment page's switch), the same contact is taken.
  Appointment()->allDay = false;
  ASSERT_TRUE(Check(2, true));
  EXPECT_EQ(Page()->CheckedCount(), 1);
  EXPECT_TRUE(Appointment()->meeting);
}

TEST_F(AttendeesPageTest, CheckedRowsAreSavedAsTheAttendeesOfAMeeting) {
  SaveContacts();
  ItemOid review = SaveAppointment({{u"Dee", u"dee@example.com"}});
  OpenExisting(review);
  ASSERT_NE(Page(), nullptr);
  ASSERT_TRUE(Check(0, true));   // Bo
  ASSERT_TRUE(Check(3, false));  // Dee, who is no contact
  ASSERT_TRUE(Check(2, true));   // Ann
  user_->ExpectMessageBoxString(kStringMeetingUpdate, IDNO);
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  CPIMAppointment stored = Reload(review);
  EXPECT_EQ(stored.attendees, (std::vector<Attendee>{{u"Berg, Bo", u""}, {u"Lee, Ann", u"ann@example.com"}}));
  EXPECT_TRUE(stored.meeting);

  // Every row cleared: no meeting, no attendees, and nothing to ask.
  OpenExisting(review);
  ASSERT_TRUE(Check(0, false));
  ASSERT_TRUE(Check(2, false));
  EXPECT_FALSE(Appointment()->meeting);
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  CPIMAppointment cleared = Reload(review);
  EXPECT_TRUE(cleared.attendees.empty());
  EXPECT_FALSE(cleared.meeting);
}

// Attendees make a meeting, and an all-day meeting is not opened at all.
TEST_F(AttendeesPageTest, AnAllDayEventWithAttendeesIsNotOpened) {
  SaveContacts();
  ItemOid offsite = SaveAppointment({{u"Dee", u"dee@example.com"}}, true);
  HostMessages();
  user_->ExpectMessageBoxString(kStringAllDayMeeting, IDOK);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, offsite).Post(), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(AttendeesPageTest, AnOccurrenceShowsItsAttendeesWithoutLettingThemChange) {
  SaveContacts();
  ItemOid series = SaveWeeklyAppointment(u"Team meeting");
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).DoNotAsk().Post(), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  ShowAttendees();
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_FALSE(IsWindowEnabled(List()));
  EXPECT_FALSE(Check(0, true));
}

TEST_F(AttendeesPageTest, TheAttendeesPageIsTheAppointmentEditorsLastTab) {
  for (PageNumber number : {PageNumber::Appointment, PageNumber::Recurrence, PageNumber::Notes,
                            PageNumber::Categories, PageNumber::Links}) {
    UseTestPage(number);
  }
  ASSERT_EQ(NewItem(EditorKind::NewAppointment).Subject(u"Review").Post(), 1);
  Pump();
  ASSERT_EQ(TabCtrl_GetItemCount(Tabs()), 6);
  TCITEMW tab{};
  tab.mask = TCIF_IMAGE;
  ASSERT_TRUE(TabCtrl_GetItem(Tabs(), 5, &tab));
  EXPECT_EQ(tab.iImage, static_cast<int>(PageKind::Attendees));
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 5));
  Pump();
  EXPECT_EQ(Frame().CurrentPage(), Page());
  EXPECT_EQ(Page()->GetPageKind(), PageKind::Attendees);
}

}  // namespace
