// What an edit's save does to the note's file and its notification, for each change of kind.
#include <gtest/gtest.h>

#include "notes/AlarmNoteActions.h"
#include "notes/NoteName.h"
#include "tests/notes/NoteFileTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

constexpr SYSTEMTIME kNextWeek = Date(2024, 3, 20, 9, 30);
constexpr SYSTEMTIME kLater = Date(2024, 3, 21, 18, 0);
constexpr SYSTEMTIME kYesterday = Date(2024, 3, 14, 9, 0);

class NoteChangesTest : public NoteFileTest {
 protected:
  AlarmNote Read(const std::u16string& path, NoteKind kind) {
    AlarmNote note;
    note.SetNotePath(path);
    note.kind = kind;
    EXPECT_TRUE(note.ReadOwnName());
    return note;
  }
  AlarmNote Plain(const std::u16string& title) {
    MakeFile(u"\\My Documents\\" + title + u".pwi");
    return Read(u"\\My Documents\\" + title + u".pwi", NoteKind::Plain);
  }
  // "Call bank", registered for next week.
  AlarmNote Registered() {
    std::u16string path = AlarmFolder() + u"202403200930]Call bank.pwi";
    MakeFile(path);
    AlarmNote note = Read(path, NoteKind::Alarm);
    EXPECT_NE(ScheduleAlarm(note, u"Call bank", kNextWeek), 0u);
    return note;
  }
  // Saves `edited` over the file `previous` is.
  bool Apply(AlarmNote& edited, const AlarmNote& previous) {
    return ApplyNoteChanges(edited, previous.Path(), previous, folders_);
  }
  static AlarmNote Edited(const AlarmNote& previous, NoteKind kind, std::u16string title, SYSTEMTIME time) {
    AlarmNote edited = previous;
    edited.kind = kind;
    edited.title = std::move(title);
    edited.alarmTime = time;
    return edited;
  }
};

TEST_F(NoteChangesTest, PlainToPlainRenamesForANewTitleMadeUnique) {
  AlarmNote previous = Plain(u"Shopping");
  MakeFile(u"\\My Documents\\Groceries.pwi");
  AlarmNote note = Edited(previous, NoteKind::Plain, u"Groceries", platform::kNoDateSystemTime);
  ASSERT_TRUE(Apply(note, previous));
  EXPECT_EQ(note.Path(), u"\\My Documents\\Groceries (1).pwi");
  EXPECT_EQ(note.title, u"Groceries (1)");
  EXPECT_EQ(note.kind, NoteKind::Plain);
  EXPECT_FALSE(Exists(previous.Path()));
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteChangesTest, PlainToPlainWithTheSameTitleKeepsTheFile) {
  AlarmNote previous = Plain(u"Shopping");
  AlarmNote note = Edited(previous, NoteKind::Plain, u"Shopping", platform::kNoDateSystemTime);
  ASSERT_TRUE(Apply(note, previous));
  EXPECT_EQ(note.Path(), previous.Path());
  EXPECT_EQ(NamesIn(kDocuments), std::vector<std::u16string>{u"Shopping.pwi"});
}

TEST_F(NoteChangesTest, AFailedPlainRenameReadsTheOldNameAgain) {
  AlarmNote previous = Plain(u"Shopping");
  DeleteFileW(previous.Path().c_str());
  AlarmNote note = Edited(previous, NoteKind::Plain, u"Groceries", platform::kNoDateSystemTime);
  EXPECT_FALSE(Apply(note, previous));
  EXPECT_EQ(note.Path(), previous.Path());
  EXPECT_EQ(note.title, u"Shopping");
}

TEST_F(NoteChangesTest, AlarmToAlarmMovesAPendingNotificationToTheNewTime) {
  AlarmNote previous = Registered();
  DWORD handle = previous.notification;
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call the bank", kLater);
  ASSERT_TRUE(Apply(note, previous));
  std::u16string path = AlarmFolder() + WithHandle(u"202403211800", handle, u"Call the bank");
  EXPECT_EQ(note.Path(), path);
  EXPECT_EQ(note.notification, handle);
  EXPECT_EQ(NamesIn(AlarmFolder()), std::vector<std::u16string>{note.fileName});
  ExpectOnlyNotification(handle, path, kLater);
}

TEST_F(NoteChangesTest, ANewTitleAtTheSameTimePointsTheNotificationAtTheNewName) {
  AlarmNote previous = Registered();
  DWORD handle = previous.notification;
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call the bank", kNextWeek);
  ASSERT_TRUE(Apply(note, previous));
  ExpectOnlyNotification(handle, AlarmFolder() + WithHandle(u"202403200930", handle, u"Call the bank"),
                         kNextWeek);
}

TEST_F(NoteChangesTest, MovingAnAlarmIntoThePastClearsTheNotificationAndDropsTheHandle) {
  AlarmNote previous = Registered();
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call bank", kYesterday);
  ASSERT_TRUE(Apply(note, previous));
  EXPECT_EQ(note.Path(), AlarmFolder() + u"202403140900]Call bank.pwi");
  EXPECT_EQ(note.notification, 0u);
  EXPECT_EQ(NamesIn(AlarmFolder()), std::vector<std::u16string>{u"202403140900]Call bank.pwi"});
  EXPECT_TRUE(Pending().empty());
  EXPECT_TRUE(LauncherMarkedHandled());
}

TEST_F(NoteChangesTest, ARemovedAlarmGivenATimeToComeIsRegistered) {
  std::u16string path = AlarmFolder() + u"190001010000]Call bank.pwi";
  MakeFile(path);
  AlarmNote previous = Read(path, NoteKind::Alarm);
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call bank", kNextWeek);
  ASSERT_TRUE(Apply(note, previous));
  ASSERT_NE(note.notification, 0u);
  EXPECT_EQ(note.Path(), AlarmFolder() + WithHandle(u"202403200930", note.notification, u"Call bank"));
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
}

TEST_F(NoteChangesTest, APassedAlarmsLeftoverNotificationGivesWayToTheNewOne) {
  // The alarm's time has passed, but its notification still waits in the queue.
  SYSTEMTIME passed = Date(2024, 3, 15, 10, 0);
  DWORD stale = SetAlarmNotification(0, u"noinfo", passed);
  ASSERT_NE(stale, 0u);
  std::u16string path = AlarmFolder() + WithHandle(u"202403151000", stale, u"Call bank");
  MakeFile(path);
  AlarmNote previous = Read(path, NoteKind::Alarm);
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call bank", kNextWeek);
  ASSERT_TRUE(Apply(note, previous));
  ASSERT_NE(note.notification, 0u);
  EXPECT_NE(note.notification, stale);
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
}

TEST_F(NoteChangesTest, AlarmToPlainMovesIntoTheDocumentsFolderAndClearsTheNotification) {
  AlarmNote previous = Registered();
  AlarmNote note = Edited(previous, NoteKind::Plain, u"Call bank", platform::kNoDateSystemTime);
  ASSERT_TRUE(Apply(note, previous));
  EXPECT_EQ(note.Path(), u"\\My Documents\\Call bank.pwi");
  EXPECT_EQ(note.kind, NoteKind::Plain);
  EXPECT_EQ(note.notification, 0u);
  EXPECT_TRUE(NamesIn(AlarmFolder()).empty());
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteChangesTest, PlainToAlarmMovesIntoTheAlarmFolderAndRegisters) {
  AlarmNote previous = Plain(u"Call bank");
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call bank", kNextWeek);
  ASSERT_TRUE(Apply(note, previous));
  EXPECT_EQ(note.kind, NoteKind::Alarm);
  ASSERT_NE(note.notification, 0u);
  EXPECT_EQ(note.Path(), AlarmFolder() + WithHandle(u"202403200930", note.notification, u"Call bank"));
  EXPECT_TRUE(NamesIn(kDocuments).empty());
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
}

TEST_F(NoteChangesTest, PlainToAlarmAtAPassedTimeMovesButRegistersNothing) {
  AlarmNote previous = Plain(u"Call bank");
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call bank", kYesterday);
  ASSERT_TRUE(Apply(note, previous));
  EXPECT_EQ(note.Path(), AlarmFolder() + u"202403140900]Call bank.pwi");
  EXPECT_EQ(note.notification, 0u);
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteChangesTest, PlainToAlarmWithoutTheAlarmFolderLeavesTheNoteAndNoNotification) {
  AlarmNote previous = Plain(u"Call bank");
  AlarmFolder();
  ASSERT_TRUE(RemoveDirectoryW(kAlarmFolderItself));
  AlarmNote note = Edited(previous, NoteKind::Alarm, u"Call bank", kNextWeek);
  EXPECT_FALSE(Apply(note, previous));
  EXPECT_EQ(note.Path(), previous.Path());
  EXPECT_EQ(note.kind, NoteKind::Plain);
  EXPECT_TRUE(Exists(previous.Path()));
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteChangesTest, AnAlarmRenameThatFailsKeepsTheNotificationWithItsFile) {
  AlarmNote previous = Registered();
  DWORD handle = previous.notification;
  std::u16string path = previous.Path();
  // A title of 193 characters cannot be a name: nothing is renamed.
  AlarmNote note = Edited(previous, NoteKind::Alarm, std::u16string(193, u'x'), kLater);
  EXPECT_FALSE(Apply(note, previous));
  EXPECT_EQ(note.Path(), path);
  EXPECT_TRUE(Exists(path));
  ExpectOnlyNotification(handle, path, kNextWeek);
}

}  // namespace
