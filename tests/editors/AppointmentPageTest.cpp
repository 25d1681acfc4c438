// The appointment page as a person uses it: what it shows for each kind of appointment, the times
// kept with their duration, all day, the pickers, and what OK writes.
#include <gtest/gtest.h>

#include "editors/AppointmentTimes.h"
#include "editors/DurationPicker.h"
#include "platform/core/Device.h"
#include "platform/time/Locale.h"
#include "platform/ui/Dialog.h"
#include "store/CPIMContact.h"
#include "tests/editors/AppointmentEditorFixture.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

struct DurationCase {
  LONG minutes;
  const char16_t* text;
};

TEST_F(AppointmentEditorTest, DurationTextsNameDaysHoursAndMinutes) {
  constexpr DurationCase kCases[] = {
      {0, u"0 minutes"},
      {1, u"1 minute"},
      {59, u"59 minutes"},
      {60, u"1 hour"},
      {120, u"2 hours"},
      {61, u"1 hour, 1 minute"},
      {150, u"2 hours, 30 minutes"},
      {1440, u"1 day"},
      {1500, u"1 day + 1:00"},
      {1445, u"1 day + 0:05"},
      {2880, u"2 days"},
      {44640, u"31 days"},
  };
  for (const DurationCase& entry : kCases) {
    EXPECT_EQ(DurationText(resources_, entry.minutes), entry.text) << entry.minutes;
  }
}

TEST_F(AppointmentEditorTest, ANewAppointmentShowsItsRequestAndSavesIt) {
  HWND page = OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10, 30));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(platform::DialogTemplateId(page), kDialogAppointmentPage);
  EXPECT_EQ(TextOf(kAppointmentSubject), u"Dentist");
  EXPECT_EQ(TextOf(kAppointmentStartTime), u"9:00 AM");
  EXPECT_EQ(TextOf(kAppointmentEndTime), u"10:30 AM");
  EXPECT_EQ(TextOf(kAppointmentDuration), u"1 hour, 30 minutes");
  EXPECT_EQ(TextOf(kAppointmentBusyStatus), Text(kStringBusyBusy));
  EXPECT_FALSE(Visible(kAppointmentSeriesStart));

  ASSERT_TRUE(platform::UserType(Control(kAppointmentLocation), u"Room 4"));
  ASSERT_TRUE(platform::UserChoose(Control(kAppointmentBusyStatus), olOutOfOffice));
  Click(kAppointmentPrivate);
  PressOk();
  ASSERT_FALSE(Frame().IsOpen());
  std::vector<ItemOid> saved = StoredAppointments();
  ASSERT_EQ(saved.size(), 1u);
  CPIMAppointment stored = Stored(saved[0]);
  EXPECT_EQ(stored.subject, u"Dentist");
  EXPECT_EQ(stored.location, u"Room 4");
  EXPECT_EQ(stored.busyStatus, olOutOfOffice);
  EXPECT_TRUE(stored.isPrivate);
  EXPECT_EQ(stored.start, Date(2024, 3, 20, 9));
  EXPECT_EQ(stored.end, Date(2024, 3, 20, 10, 30));
}

TEST_F(AppointmentEditorTest, AnEmptySubjectShowsThePlaceholderAndSavesAsNoSubject) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10), u"");
  HWND subject = Control(kAppointmentSubject);
  EXPECT_EQ(WindowText(subject), Text(kStringSubjectPlaceholder));
  DWORD first = 0, last = 0;
  SendMessageW(subject, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(last, Text(kStringSubjectPlaceholder).size());
  PressOk();
  EXPECT_EQ(Stored(StoredAppointments().at(0)).subject, Text(kStringNoSubject));
}

TEST_F(AppointmentEditorTest, MovingTheStartKeepsTheDurationAndMovingTheEndChangesIt) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10, 30));
  SYSTEMTIME day = Date(2024, 3, 22);
  ASSERT_TRUE(platform::UserPickDate(Control(kAppointmentStartDate), &day));
  Pump();
  SYSTEMTIME end{};
  DateTime_GetSystemtime(Control(kAppointmentEndDate), &end);
  EXPECT_EQ(end.wDay, 22);
  EXPECT_EQ(TextOf(kAppointmentEndTime), u"10:30 AM");

  SYSTEMTIME later = Date(2024, 3, 23);
  ASSERT_TRUE(platform::UserPickDate(Control(kAppointmentEndDate), &later));
  Pump();
  EXPECT_EQ(TextOf(kAppointmentDuration), u"1 day + 1:30");
  PressOk();
  CPIMAppointment stored = Stored(StoredAppointments().at(0));
  EXPECT_EQ(stored.start, Date(2024, 3, 22, 9));
  EXPECT_EQ(stored.end, Date(2024, 3, 23, 10, 30));
}

// The time picker of a 12-hour locale: an hour keeps the half of the day until PM or AM is chosen;
// five minutes more carry into the next hour and past midnight into the next day's first hour.
struct TimePickCase {
  const char* name;
  SYSTEMTIME start;
  std::vector<int> buttons;
  const char16_t* shown;
};

TEST_F(AppointmentEditorTest, TheTwelveHourPickerSetsTheStartTime) {
  const TimePickCase kCases[] = {
      {"an hour keeps the morning", Date(2024, 3, 20, 9), {kTimeHour0 + 2, kTimeMinute30}, u"3:30 AM"},
      {"PM moves it to the afternoon", Date(2024, 3, 20, 9), {kTimeHour0 + 2, kTimePm}, u"3:00 PM"},
      {"twelve in the morning is midnight", Date(2024, 3, 20, 9), {kTimeHour0 + 11}, u"12:00 AM"},
      {"minutes carry into the hour", Date(2024, 3, 20, 10, 55), {kTimePlus5}, u"11:00 AM"},
      {"minutes before the hour borrow", Date(2024, 3, 20, 11), {kTimeMinus5}, u"10:55 AM"},
      {"the day wraps at midnight", Date(2024, 3, 20, 23, 55), {kTimePlus5}, u"12:00 AM"},
  };
  for (const TimePickCase& entry : kCases) {
    SCOPED_TRACE(entry.name);
    OpenNew(entry.start, Date(2024, 3, 21, 1));
    auto& step = user_->ExpectDialog(kDialogTimePicker12);
    for (int button : entry.buttons) step.Click(button);
    step.Click(IDOK);
    Click(kAppointmentStartTime);
    EXPECT_EQ(TextOf(kAppointmentStartTime), entry.shown);
    Command(kCommandCancel);
  }
}

TEST_F(AppointmentEditorTest, TheTwentyFourHourPickerShowsTheEveningHoursOnItsSecondPage) {
  Device().SetSetting("Locale." + std::to_string(LOCALE_ITIME), std::u16string(u"1"));
  Device().SetSetting("Locale." + std::to_string(LOCALE_STIMEFORMAT), std::u16string(u"HH:mm"));
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10));
  std::u16string label;
  user_->ExpectDialog(kDialogTimePicker24)
      .Click(kTimeEveningHours)
      .Do("read the first hour's label",
          [&](HWND dialog) {
            label = WindowText(GetDlgItem(dialog, kTimeHour0));
            return true;
          })
      .Click(kTimeHour0 + 3)
      .Click(kTimeMinute45)
      .Click(IDOK);
  Click(kAppointmentStartTime);
  EXPECT_EQ(label, u"12");
  EXPECT_EQ(TextOf(kAppointmentStartTime), u"15:45");
  EXPECT_EQ(TextOf(kAppointmentEndTime), u"16:45");
}

struct DurationPickCase {
  const char* name;
  std::vector<int> buttons;
  const char16_t* shown;
};

TEST_F(AppointmentEditorTest, TheDurationPickerStepsWithinZeroAndThirtyOneDays) {
  std::vector<int> manyDays(40, kDurationPlusDay);
  const DurationPickCase kCases[] = {
      {"steps add up", {kDurationPlus15, kDurationPlus30, kDurationMinus5}, u"1 hour, 40 minutes"},
      {"a step below zero is ignored", {kDurationMinusHour, kDurationMinus5, kDurationPlus5}, u"5 minutes"},
      {"whole days", {kDurationPlusDay, kDurationPlusDay}, u"2 days + 1:00"},
      {"reset goes back to the opened duration", {kDurationPlusDay, kDurationReset}, u"1 hour"},
      {"thirty-one days at most", manyDays, u"31 days"},
  };
  for (const DurationPickCase& entry : kCases) {
    SCOPED_TRACE(entry.name);
    OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10));
    auto& step = user_->ExpectDialog(kDialogDurationPicker);
    for (int button : entry.buttons) step.Click(button);
    step.Click(IDOK);
    Click(kAppointmentDuration);
    EXPECT_EQ(TextOf(kAppointmentDuration), entry.shown);
    Command(kCommandCancel);
  }
}

TEST_F(AppointmentEditorTest, AllDayHidesTheTimesAndBringsThemBackWhenSwitchedOff) {
  OpenNew(Date(2024, 3, 20, 9, 15), Date(2024, 3, 21, 11));
  Click(kAppointmentAllDay);
  EXPECT_FALSE(Visible(kAppointmentStartTime));
  EXPECT_FALSE(Visible(kAppointmentEndTime));
  Click(kAppointmentAllDay);
  EXPECT_TRUE(Visible(kAppointmentStartTime));
  EXPECT_EQ(TextOf(kAppointmentStartTime), u"9:15 AM");
  EXPECT_EQ(TextOf(kAppointmentEndTime), u"11:00 AM");
  EXPECT_EQ(TextOf(kAppointmentDuration), u"1 day + 1:45");
}

TEST_F(AppointmentEditorTest, AnAllDayEventIsStoredAsWholeDaysAndShowsItsLastDay) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 21, 10));
  Click(kAppointmentAllDay);
  PressOk();
  ItemOid saved = StoredAppointments().at(0);
  CPIMAppointment stored = Stored(saved);
  EXPECT_TRUE(stored.allDay);
  EXPECT_EQ(stored.start, Date(2024, 3, 20));
  EXPECT_EQ(stored.end, Date(2024, 3, 22));

  OpenStored(saved);
  SYSTEMTIME end{};
  DateTime_GetSystemtime(Control(kAppointmentEndDate), &end);
  EXPECT_EQ(end.wDay, 21);
  EXPECT_EQ(IsDlgButtonChecked(Frame().FocusedPage(), kAppointmentAllDay), static_cast<UINT>(BST_CHECKED));
  PressOk();
  stored = Stored(saved);
  EXPECT_EQ(stored.start, Date(2024, 3, 20));
  EXPECT_EQ(stored.end, Date(2024, 3, 22));
}

TEST_F(AppointmentEditorTest, AMeetingCannotBecomeAllDay) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10));
  static_cast<CPIMAppointment*>(Frame().Context().item)->meeting = true;  // as the attendees page sets it
  user_->ExpectMessageBoxString(kStringAllDayWhileMeeting, IDOK);
  Click(kAppointmentAllDay);
  EXPECT_EQ(IsDlgButtonChecked(Frame().FocusedPage(), kAppointmentAllDay), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_TRUE(Visible(kAppointmentStartTime));
}

TEST_F(AppointmentEditorTest, TheReminderLeadIsShownInItsLargestWholeUnit) {
  struct LeadCase {
    LONG minutes;
    const char16_t* lead;
    unsigned unit;
    LONG unitMinutes;
  };
  constexpr LeadCase kCases[] = {{15, u"15", kStringUnitMinutes, 1},
                                 {120, u"2", kStringUnitHours, 60},
                                 {2880, u"2", kStringUnitDays, 1440},
                                 {10080, u"1", kStringUnitWeeks, 10080},
                                 {90, u"90", kStringUnitMinutes, 1}};
  for (const LeadCase& entry : kCases) {
    SCOPED_TRACE(entry.minutes);
    CPIMAppointment appointment;
    appointment.start = Date(2024, 3, 20, 9);
    appointment.end = Date(2024, 3, 20, 10);
    appointment.reminderMinutes = entry.minutes;
    ItemOid item = SaveAppointment(appointment);
    OpenStored(item);
    EXPECT_EQ(TextOf(kAppointmentReminderLead), entry.lead);
    EXPECT_EQ(TextOf(kAppointmentReminderUnit), Text(entry.unit));
    ASSERT_TRUE(platform::UserType(Control(kAppointmentReminderLead), u"3"));
    PressOk();
    EXPECT_EQ(Stored(item).reminderMinutes, 3 * entry.unitMinutes);
  }
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

TEST_F(AppointmentEditorTest, AWholeSeriesShowsTextsInPlaceOfItsDates) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDNO);
  ASSERT_NE(OpenStored(series), nullptr);
  for (int id : {kAppointmentStartDate, kAppointmentStartTime, kAppointmentEndDate, kAppointmentEndTime}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
  EXPECT_TRUE(Visible(kAppointmentSeriesStart));
  EXPECT_EQ(TextOf(kAppointmentSeriesStart), Text(kStringSeriesStart));
  EXPECT_EQ(TextOf(kAppointmentSeriesEnd), Text(kStringSeriesEnd));
  EXPECT_TRUE(Enabled(kAppointmentPrivate));
}

TEST_F(AppointmentEditorTest, OneOccurrenceKeepsItsDatesAndPrivateMark) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  EXPECT_TRUE(Visible(kAppointmentStartDate));
  EXPECT_FALSE(Enabled(kAppointmentStartDate));
  EXPECT_FALSE(Enabled(kAppointmentEndDate));
  EXPECT_FALSE(Enabled(kAppointmentPrivate));
  EXPECT_FALSE(Visible(kAppointmentSeriesStart));
}

TEST_F(AppointmentEditorTest, ATemplateIsEditedOnTodayAndStoredOnTheTemplateDay) {
  CPIMAppointment model;
  model.subject = u"Standup";
  model.start = Date(2999, 9, 9, 9, 15);
  model.end = Date(2999, 9, 10, 9, 45);
  ItemOid item = SaveAppointment(model);
  ASSERT_NE(OpenStored(item, 1), nullptr);
  SYSTEMTIME start{};
  DateTime_GetSystemtime(Control(kAppointmentStartDate), &start);
  EXPECT_EQ(start.wYear, 2024);
  EXPECT_EQ(start.wMonth, 3);
  EXPECT_EQ(start.wDay, 15);
  EXPECT_FALSE(Enabled(kAppointmentStartDate));
  EXPECT_EQ(TextOf(kAppointmentDuration), u"1 day + 0:30");
  PressOk();
  CPIMAppointment stored = Stored(item);
  EXPECT_EQ(stored.start, Date(2999, 9, 9, 9, 15));
  EXPECT_EQ(stored.end, Date(2999, 9, 10, 9, 45));
}

TEST_F(AppointmentEditorTest, AnAllDayTemplateOfOneDayEndsAMinuteAfterTheTemplateDaysMidnight) {
  SYSTEMTIME start = Date(2024, 3, 20, 9);
  SYSTEMTIME end = Date(2024, 3, 20, 10);
  MoveOntoTemplateDay(&start, &end, false);
  EXPECT_EQ(start, Date(2999, 9, 9, 9));
  EXPECT_EQ(end, Date(2999, 9, 9, 10));
  start = Date(2024, 3, 20);
  end = Date(2024, 3, 20);
  MoveOntoTemplateDay(&start, &end, true);
  EXPECT_EQ(start, Date(2999, 9, 9));
  EXPECT_EQ(end, Date(2999, 9, 9, 0, 1));
}

TEST_F(AppointmentEditorTest, BusyStatusesOutsideTheListShowBusy) {
  for (LONG status : {olFree, olTentative, olBusy, olOutOfOffice}) {
    CPIMAppointment appointment;
    appointment.start = Date(2024, 3, 20, 9);
    appointment.end = Date(2024, 3, 20, 10);
    appointment.busyStatus = status;
    OpenStored(SaveAppointment(appointment));
    EXPECT_EQ(SendMessageW(Control(kAppointmentBusyStatus), CB_GETCURSEL, 0, 0), status);
    Command(kCommandCancel);
  }
}

TEST_F(AppointmentEditorTest, SaveAsTemplateAsksForANameAndClosesTheEditor) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10), u"Weekly review");
  std::u16string offered;
  user_->ExpectDialog(kDialogTextPrompt)
      .Do("read the name offered",
          [&](HWND dialog) {
            offered = WindowText(GetDlgItem(dialog, kTextPromptText));
            return true;
          })
      .Type(kTextPromptText, u"Review")
      .Click(IDOK);
  Command(kCommandSaveAsTemplate);
  EXPECT_EQ(offered, u"Weekly review");
  EXPECT_FALSE(Frame().IsOpen());
}

TEST_F(AppointmentEditorTest, CancellingTheTemplateNameKeepsTheEditorOpen) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10));
  user_->ExpectDialog(kDialogTextPrompt).Click(IDCANCEL);
  Command(kCommandSaveAsTemplate);
  EXPECT_TRUE(Frame().IsOpen());
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

TEST_F(AppointmentEditorTest, AChosenContactIsAddedToTheSubjectOrBecomesTheLocation) {
  CPIMContact contact;
  contact.SetText(CPIMContact::kFileAs, u"Doe, Jane");
  ItemContext context;
  ASSERT_EQ(contact.Save(context), S_OK);
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10), u"Lunch");
  HWND subject = Control(kAppointmentSubject);
  SendMessageW(subject, EM_SETSEL, 5, 5);
  user_->ExpectDialog(kDialogContactChooser).Choose(kContactChooserList, 0).Click(IDOK);
  Command(kCommandInsertContact);
  EXPECT_EQ(TextOf(kAppointmentSubject), u"Lunch @ Doe, Jane");

  SetFocus(Control(kAppointmentLocation));
  user_->ExpectDialog(kDialogContactChooser).Choose(kContactChooserList, 0).Click(IDOK);
  Command(kCommandInsertContact);
  EXPECT_EQ(TextOf(kAppointmentLocation), u"Doe, Jane");
  EXPECT_EQ(TextOf(kAppointmentSubject), u"Lunch @ Doe, Jane");
}

TEST_F(AppointmentEditorTest, TheLocationListHoldsTheHistoryAndOkAddsTheNewLocation) {
  OpenNew(Date(2024, 3, 20, 9), Date(2024, 3, 20, 10));
  ASSERT_TRUE(platform::UserType(Control(kAppointmentLocation), u"Town hall"));
  PressOk();
  OpenNew(Date(2024, 3, 21, 9), Date(2024, 3, 21, 10));
  ASSERT_TRUE(platform::UserChooseText(Control(kAppointmentLocation), u"town HALL"));
  PressOk();
  EXPECT_EQ(Stored(StoredAppointments().at(1)).location, u"Town hall");
}

}  // namespace
