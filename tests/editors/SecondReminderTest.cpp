// The second reminder: its first time from the stored default, the dialog's buttons, and what the
// appointment's commit does with it.
#include <gtest/gtest.h>

#include "editors/SecondReminder.h"
#include "links/LinkStore.h"
#include "platform/registry/Registry.h"
#include "platform/time/TimeConversion.h"
#include "tests/editors/AppointmentEditorFixture.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

class SecondReminderTest : public AppointmentEditorTest {
 protected:
  static void StoreDefault(WORD hour, WORD minute) {
    SYSTEMTIME time = Date(2020, 1, 1, hour, minute);
    WriteSecondReminderDefault(time);
  }
  // The date and time the dialog shows when it opens.
  platform::ScriptedUserAgent::DialogStep& ExpectDialogShowing(SYSTEMTIME* shown) {
    return user_->ExpectDialog(kDialogSecondReminder).Do("read the time", [shown](HWND dialog) {
      DateTime_GetSystemtime(GetDlgItem(dialog, kSecondReminderDate), shown);
      return true;
    });
  }
  const CPIMAppointment& Second() const { return *Frame().Context().secondAppointment; }
};

TEST_F(SecondReminderTest, ANewSecondReminderStartsTheDayBeforeAtTheStoredDefault) {
  StoreDefault(18, 30);
  OpenNew(Date(2024, 4, 5, 10), Date(2024, 4, 5, 11));
  SYSTEMTIME shown{};
  ExpectDialogShowing(&shown).Click(IDCANCEL);
  Click(kAppointmentSecondReminder);
  EXPECT_EQ(shown.wDay, 4);
  EXPECT_EQ(shown.wHour, 18);
  EXPECT_EQ(shown.wMinute, 30);
}

TEST_F(SecondReminderTest, WithoutAStoredDefaultItStartsADayBeforeAtTheStartTime) {
  OpenNew(Date(2024, 4, 5, 10, 15), Date(2024, 4, 5, 11));
  SYSTEMTIME shown{};
  ExpectDialogShowing(&shown).Click(IDCANCEL);
  Click(kAppointmentSecondReminder);
  EXPECT_EQ(shown.wDay, 4);
  EXPECT_EQ(shown.wHour, 10);
  EXPECT_EQ(shown.wMinute, 15);
}

TEST_F(SecondReminderTest, ATimeInThePastBecomesFiveMinutesFromNow) {
  // The device's clock stands at 2024-03-15 10:30 local time.
  OpenNew(Date(2024, 3, 15, 11), Date(2024, 3, 15, 12));
  SYSTEMTIME shown{};
  ExpectDialogShowing(&shown).Click(IDCANCEL);
  Click(kAppointmentSecondReminder);
  EXPECT_EQ(shown, Date(2024, 3, 15, 10, 35));
}

TEST_F(SecondReminderTest, TheDialogsButtonsMoveTheTime) {
  OpenNew(Date(2024, 4, 5, 10), Date(2024, 4, 5, 11));
  user_->ExpectDialog(kDialogSecondReminder)
      .Click(kSecondReminderLater)
      .Click(kSecondReminderLater)
      .Click(kSecondReminderEarlier)
      .Click(IDOK);
  Click(kAppointmentSecondReminder);
  EXPECT_EQ(Second().start, Date(2024, 4, 5, 10));
  EXPECT_EQ(Second().end, Date(2024, 4, 5, 10));
  user_->ExpectDialog(kDialogSecondReminder)
      .Click(kSecondReminderReset)
      .Click(kSecondReminderEarlier)
      .Click(IDOK);
  Click(kAppointmentSecondReminder);
  EXPECT_EQ(Second().start, Date(2024, 4, 4, 10));
}

TEST_F(SecondReminderTest, OkSavesTheSecondReminderLinkedToTheAppointment) {
  StoreDefault(18, 30);
  OpenNew(Date(2024, 4, 5, 10), Date(2024, 4, 5, 11), u"Dentist");
  ASSERT_TRUE(platform::UserType(Control(kAppointmentLocation), u"Main Street"));
  user_->ExpectDialog(kDialogSecondReminder).Click(IDOK);
  Click(kAppointmentSecondReminder);
  EXPECT_NE(TextOf(kAppointmentSecondReminderTime), u"");
  PressOk();
  std::vector<ItemOid> saved = StoredAppointments();
  ASSERT_EQ(saved.size(), 2u);
  ItemOid second = saved[0];  // saved before the main appointment
  CPIMAppointment main = Stored(saved[1]);
  EXPECT_EQ(main.companionOid, second);
  LinkRecord link;
  LinkStore links;
  ASSERT_NE(links.FirstLinkOf(main.oid, &link, false), 0u) << "the two are linked";
  EXPECT_EQ(link.type, LinkType::Appointment);
  EXPECT_EQ(link.target, second);
  ASSERT_NE(links.FirstLinkOf(second, &link, false), 0u);
  EXPECT_EQ(link.target, main.oid);
  CPIMAppointment reminder = Stored(second);
  EXPECT_EQ(reminder.start, Date(2024, 4, 4, 18, 30));
  EXPECT_EQ(reminder.end, Date(2024, 4, 4, 18, 30));
  EXPECT_EQ(reminder.subject, u"Dentist (4/5/24 10:00 AM)");
  EXPECT_EQ(reminder.location, u"");
  EXPECT_TRUE(reminder.reminderSet);
  WORD hour = 0, minute = 0;
  ASSERT_TRUE(ReadSecondReminderDefault(&hour, &minute));
  EXPECT_EQ(hour, 18);
  EXPECT_EQ(minute, 30);
}

TEST_F(SecondReminderTest, TheSecondReminderFollowsTheAppointmentWhenItIsSavedAgain) {
  OpenNew(Date(2024, 4, 5, 10), Date(2024, 4, 5, 11), u"Dentist");
  user_->ExpectDialog(kDialogSecondReminder).Click(IDOK);
  Click(kAppointmentSecondReminder);
  PressOk();
  std::vector<ItemOid> saved = StoredAppointments();
  ASSERT_EQ(saved.size(), 2u);
  OpenStored(saved[1]);
  ASSERT_TRUE(platform::UserType(Control(kAppointmentSubject), u"Dentist again"));
  PressOk();
  EXPECT_EQ(StoredAppointments().size(), 2u);
  EXPECT_EQ(Stored(saved[0]).subject, u"Dentist again (4/5/24 10:00 AM)");
}

TEST_F(SecondReminderTest, RemoveDeletesTheStoredSecondReminder) {
  OpenNew(Date(2024, 4, 5, 10), Date(2024, 4, 5, 11));
  user_->ExpectDialog(kDialogSecondReminder).Click(IDOK);
  Click(kAppointmentSecondReminder);
  PressOk();
  ItemOid main = StoredAppointments().at(1);
  OpenStored(main);
  bool removeEnabled = false;
  user_->ExpectDialog(kDialogSecondReminder)
      .Do("see Remove",
          [&](HWND dialog) {
            removeEnabled = IsWindowEnabled(GetDlgItem(dialog, kSecondReminderRemove));
            return true;
          })
      .Click(kSecondReminderRemove);
  Click(kAppointmentSecondReminder);
  EXPECT_TRUE(removeEnabled);
  EXPECT_EQ(TextOf(kAppointmentSecondReminderTime), u"");
  PressOk();
  EXPECT_EQ(StoredAppointments(), std::vector<ItemOid>{main});
  EXPECT_EQ(Stored(main).companionOid, 0u);
}

class RecurringSecondReminderTest : public SecondReminderTest {
 protected:
  // A stored weekly series with a second reminder, opened as the series.
  ItemOid OpenSeriesWithSecondReminder() {
    CPIMAppointment reminder;
    reminder.start = reminder.end = Date(2024, 3, 17, 18);
    ItemOid second = SaveAppointment(reminder);
    ItemOid series = SaveWeeklyAppointment(u"Choir");
    CPIMAppointment stored = Stored(series, kOpenSeries);
    stored.companionOid = second;
    EXPECT_EQ(SaveAppointment(stored), series);
    user_->ExpectMessageBoxString(kStringRecurringQuestion, IDNO);
    EXPECT_NE(OpenStored(series), nullptr);
    return second;
  }
};

TEST_F(RecurringSecondReminderTest, NoKeepsTheEditorOpenAndTheSecondReminder) {
  ItemOid second = OpenSeriesWithSecondReminder();
  user_->ExpectMessageBoxString(kStringSecondReminderOnSeries, IDNO);
  PressOk();
  EXPECT_TRUE(Frame().IsOpen());
  Command(kCommandCancel);
  EXPECT_EQ(StoredAppointments().size(), 2u);
  EXPECT_EQ(StoredAppointments().front(), second);
}

TEST_F(RecurringSecondReminderTest, YesDeletesTheSecondReminder) {
  ItemOid second = OpenSeriesWithSecondReminder();
  user_->ExpectMessageBoxString(kStringSecondReminderOnSeries, IDYES);
  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
  std::vector<ItemOid> saved = StoredAppointments();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_NE(saved[0], second);
  EXPECT_EQ(Stored(saved[0], kOpenSeries).companionOid, 0u);
}

}  // namespace
