// The alarm-time dialog through its export, its time-from-now label, and the questions of a note's
// save as the person sees them.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "editors/AlarmTimeDialog.h"
#include "host/Component.h"
#include "notes/NoteSave.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

// The device's clock stands at 2024-03-15 10:30 local time, a Friday.
constexpr SYSTEMTIME kNow = Date(2024, 3, 15, 10, 30);

class AlarmNoteExportsTest : public EditorHostTest {
 protected:
  static std::u16string TextOf(HWND dialog, int id) {
    WCHAR text[128] = {};
    GetDlgItemTextW(dialog, id, text, 128);
    return text;
  }
  // Reads the label and the day-after button as the dialog shows them.
  platform::ScriptedUserAgent::DialogStep& ExpectAlarmDialog() {
    return user_->ExpectDialog(kDialogAlarmTime).Do("read the labels", [this](HWND dialog) {
      fromNow_ = TextOf(dialog, kAlarmTimeFromNow);
      dayAfter_ = TextOf(dialog, kAlarmTimeDayAfter);
      return true;
    });
  }
  static int Edit(SYSTEMTIME* time) { return CalyraEditor_EditAlarmNoteTime(nullptr, time); }

  std::u16string fromNow_;
  std::u16string dayAfter_;
};

TEST_F(AlarmNoteExportsTest, TheLabelSaysTheLargestWholeUnit) {
  struct Case {
    int64_t minutes;
    const char16_t* text;
  };
  const Case cases[] = {
      {20160, u"2 weeks"},
      {10080, u"1 weeks"},
      {1500, u"25 hours"},
      {2880, u"2 days"},
      {90, u"90 minutes"},
      {0, u"0 minutes"},
      {-120, u"2 hours (in the past)"},
      {-7, u"7 minutes (in the past)"},
  };
  for (const Case& entry : cases) {
    EXPECT_EQ(TimeFromNowText(resources_, entry.minutes), entry.text) << entry.minutes;
  }
}

TEST_F(AlarmNoteExportsTest, ANoteWithoutAlarmStartsAQuarterOfAnHourFromNow) {
  SYSTEMTIME time = Date(1900, 1, 1);
  ExpectAlarmDialog().Click(IDOK);
  EXPECT_EQ(Edit(&time), 1);
  EXPECT_EQ(time, Date(2024, 3, 15, 10, 45));
  EXPECT_EQ(fromNow_, u"15 minutes");
  EXPECT_EQ(dayAfter_, u"Sunday");
}

TEST_F(AlarmNoteExportsTest, CancelLeavesTheTime) {
  SYSTEMTIME time = Date(2024, 3, 20, 9, 30);
  ExpectAlarmDialog().Click(kAlarmTimeTomorrow).Click(IDCANCEL);
  EXPECT_EQ(Edit(&time), 0);
  EXPECT_EQ(time, Date(2024, 3, 20, 9, 30));
  EXPECT_EQ(Edit(nullptr), 0) << "no time to edit";
}

TEST_F(AlarmNoteExportsTest, ATimeToComeIsKeptAndAPassedOneBecomesFiveMinutesFromNow) {
  SYSTEMTIME time = Date(2024, 3, 20, 9, 30);
  time.wSecond = 12;
  ExpectAlarmDialog().Click(IDOK);
  ASSERT_EQ(Edit(&time), 1);
  EXPECT_EQ(time, Date(2024, 3, 20, 9, 30)) << "seconds dropped";
  EXPECT_EQ(fromNow_, u"119 hours");

  time = Date(2024, 3, 14, 8, 0);
  ExpectAlarmDialog().Click(IDOK);
  ASSERT_EQ(Edit(&time), 1);
  EXPECT_EQ(time, Date(2024, 3, 15, 10, 35));
  EXPECT_EQ(fromNow_, u"5 minutes");
}

TEST_F(AlarmNoteExportsTest, TheDayButtonsKeepTheHourAndMinute) {
  struct Case {
    int button;
    SYSTEMTIME given;
    SYSTEMTIME chosen;
  };
  const Case cases[] = {
      {kAlarmTimeTomorrow, Date(2024, 3, 20, 9, 30), Date(2024, 3, 16, 9, 30)},
      {kAlarmTimeDayAfter, Date(2024, 3, 20, 9, 30), Date(2024, 3, 17, 9, 30)},
      {kAlarmTimeToday, Date(2024, 3, 20, 18, 0), Date(2024, 3, 15, 18, 0)},
      {kAlarmTimeToday, Date(2024, 3, 20, 9, 30), Date(2024, 3, 15, 10, 35)},  // today at 9:30 has passed
  };
  for (const Case& entry : cases) {
    SYSTEMTIME time = entry.given;
    ExpectAlarmDialog().Click(entry.button).Click(IDOK);
    ASSERT_EQ(Edit(&time), 1);
    EXPECT_EQ(time, entry.chosen) << entry.button;
  }
}

TEST_F(AlarmNoteExportsTest, APickedDateKeepsTheHourAndMinute) {
  SYSTEMTIME time = Date(2024, 3, 20, 9, 30);
  SYSTEMTIME picked = Date(2024, 4, 1, 0, 0);
  ExpectAlarmDialog()
      .Do("pick 1 April",
          [&](HWND dialog) { return platform::UserPickDate(GetDlgItem(dialog, kAlarmTimeDate), &picked); })
      .Do("read the label",
          [this](HWND dialog) {
            fromNow_ = TextOf(dialog, kAlarmTimeFromNow);
            return true;
          })
      .Click(IDOK);
  ASSERT_EQ(Edit(&time), 1);
  EXPECT_EQ(time, Date(2024, 4, 1, 9, 30));
  EXPECT_EQ(fromNow_, u"407 hours") << "17 days less an hour on the clock";
}

TEST_F(AlarmNoteExportsTest, TheTimeButtonOpensTheTimePicker) {
  SYSTEMTIME time = Date(2024, 3, 20, 9, 30);
  ExpectAlarmDialog().Click(kAlarmTimeTime).Click(IDOK);
  user_->ExpectDialog(kDialogTimePicker12).Click(kTimeHour0 + 2).Click(kTimePm).Click(IDOK);
  ASSERT_EQ(Edit(&time), 1);
  EXPECT_EQ(time, Date(2024, 3, 20, 15, 30));
}

TEST_F(AlarmNoteExportsTest, TheDurationButtonCountsFromNow) {
  SYSTEMTIME time = Date(1900, 1, 1);
  ExpectAlarmDialog()
      .Click(kAlarmTimeDuration)
      .Do("read the label",
          [this](HWND dialog) {
            fromNow_ = TextOf(dialog, kAlarmTimeFromNow);
            return true;
          })
      .Click(IDOK);
  user_->ExpectDialog(kDialogDurationPicker).Click(kDurationPlusDay).Click(kDurationMinus15).Click(IDOK);
  ASSERT_EQ(Edit(&time), 1);
  EXPECT_EQ(time, Date(2024, 3, 16, 10, 30));
  EXPECT_EQ(fromNow_, u"1 days");
}

TEST_F(AlarmNoteExportsTest, ANoteTitleThatCannotBeANameIsRefusedWithTheMessage) {
  NoteSaveDialogs dialogs(host_, resources_, Component::Process().OwnModule());
  user_->ExpectMessageBoxString(kStringNoteTitleInvalid, IDOK);
  dialogs.RefuseTitle();
}

TEST_F(AlarmNoteExportsTest, TheQuestionForANoteWithoutValidTimeAnswersYesOrNo) {
  NoteSaveDialogs dialogs(host_, resources_, Component::Process().OwnModule());
  user_->ExpectDialog(kPlainNoteQuestionDialog).Click(IDYES);
  EXPECT_TRUE(dialogs.SaveWithoutAlarm());
  user_->ExpectDialog(kPlainNoteQuestionDialog).Click(IDNO);
  EXPECT_FALSE(dialogs.SaveWithoutAlarm());
}

}  // namespace
