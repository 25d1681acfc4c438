// Registering, moving and removing a note's alarm: the file's name and the notification queue stay in
// step, and a failed rename leaves no notification to a file that is not there.
#include <gtest/gtest.h>

#include "notes/AlarmNoteActions.h"
#include "notes/NoteName.h"
#include "tests/notes/NoteFileTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

constexpr SYSTEMTIME kNextWeek = Date(2024, 3, 20, 9, 30);
constexpr SYSTEMTIME kYesterday = Date(2024, 3, 14, 9, 0);

class AlarmNoteActionsTest : public NoteFileTest {
 protected:
  // A note file as the editor left it, read without acting on it.
  AlarmNote NoteAt(const std::u16string& path, NoteKind kind = NoteKind::Alarm) {
    MakeFile(path);
    AlarmNote note;
    note.SetNotePath(path);
    note.kind = kind;
    EXPECT_TRUE(note.ReadOwnName());
    return note;
  }
  // An alarm note "Call bank" registered for next week.
  AlarmNote Scheduled() {
    AlarmNote note = NoteAt(AlarmFolder() + u"202403200930]Call bank.pwi");
    EXPECT_NE(ScheduleAlarm(note, u"Call bank", kNextWeek), 0u);
    return note;
  }
};

TEST_F(AlarmNoteActionsTest, TheAlarmFolderIsMadeTheFirstTimeItIsAskedFor) {
  AlarmNoteFolders folders;
  EXPECT_EQ(folders.Documents(), u"\\My Documents\\");
  EXPECT_FALSE(Exists(kAlarmFolderItself)) << "the documents folder alone makes nothing";
  EXPECT_EQ(folders.AlarmNotes(), kAlarmFolder);
  EXPECT_EQ(GetFileAttributesW(kAlarmFolderItself) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
  ASSERT_TRUE(RemoveDirectoryW(kAlarmFolderItself));
  EXPECT_EQ(folders.AlarmNotes(), kAlarmFolder);
  EXPECT_FALSE(Exists(kAlarmFolderItself)) << "worked out once, not again";
}

TEST_F(AlarmNoteActionsTest, SchedulingRegistersTheLauncherAndPutsTheHandleIntoTheName) {
  AlarmNote note = NoteAt(AlarmFolder() + u"202403200930]Call bank.pwi");
  DWORD handle = ScheduleAlarm(note, u"Call bank", kNextWeek);
  ASSERT_NE(handle, 0u);
  std::u16string path = AlarmFolder() + WithHandle(u"202403200930", handle, u"Call bank");
  EXPECT_EQ(note.Path(), path);
  EXPECT_EQ(note.notification, handle);
  EXPECT_EQ(note.title, u"Call bank");
  EXPECT_EQ(NamesIn(AlarmFolder()), std::vector<std::u16string>{note.fileName});
  ExpectOnlyNotification(handle, path, kNextWeek);
}

TEST_F(AlarmNoteActionsTest, OnlyValidTimesStillToComeWithATitleAreScheduled) {
  struct Case {
    const char* name;
    std::u16string title;
    SYSTEMTIME time;
  };
  const Case cases[] = {
      {"past", u"Call bank", kYesterday},
      {"removed alarm", u"Call bank", kRemovedAlarmTime},
      {"no date", u"Call bank", platform::kNoDateSystemTime},
      {"empty title", u"", kNextWeek},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.name);
    AlarmNote note;
    note.folder = AlarmFolder();
    std::u16string path = BuildNoteName(note.folder, entry.title, entry.time, 0);
    MakeFile(path);
    EXPECT_EQ(ScheduleAlarm(note, entry.title, entry.time), 0u);
    EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(Pending().empty());
  }
}

TEST_F(AlarmNoteActionsTest, AFailedRenameClearsTheNotificationJustMade) {
  AlarmNote note;
  note.folder = AlarmFolder();
  EXPECT_EQ(ScheduleAlarm(note, u"Missing", kNextWeek), 0u) << "no file of that name";
  EXPECT_TRUE(Pending().empty());
  EXPECT_TRUE(LauncherMarkedHandled());
}

TEST_F(AlarmNoteActionsTest, AFolderThatWentAwayLeavesNoNotification) {
  AlarmNote note = NoteAt(AlarmFolder() + u"202403200930]Call bank.pwi");
  DeleteFileW(note.Path().c_str());
  ASSERT_TRUE(RemoveDirectoryW(kAlarmFolderItself));
  EXPECT_EQ(ScheduleAlarm(note, u"Call bank", kNextWeek), 0u);
  EXPECT_TRUE(Pending().empty());
}

TEST_F(AlarmNoteActionsTest, RemovingTheAlarmRenamesTo1900AndClearsTheNotification) {
  AlarmNote note = Scheduled();
  ASSERT_TRUE(RemoveAlarm(note, UniqueNaming::No));
  EXPECT_EQ(note.Path(), AlarmFolder() + u"190001010000]Call bank.pwi");
  EXPECT_EQ(note.notification, 0u);
  EXPECT_TRUE(Pending().empty());
  EXPECT_TRUE(LauncherMarkedHandled());
}

TEST_F(AlarmNoteActionsTest, TheCallBankNoteLosesItsHandleInTheSameFolder) {
  AlarmNote note = NoteAt(AlarmFolder() + u"200703050930]00001A2B]Call bank.pwi");
  ASSERT_TRUE(RemoveAlarm(note, UniqueNaming::No));
  EXPECT_EQ(NamesIn(AlarmFolder()), std::vector<std::u16string>{u"190001010000]Call bank.pwi"});
  EXPECT_EQ(note.alarmTime, Date(1900, 1, 1));
}

TEST_F(AlarmNoteActionsTest, RemovingWithUniqueNamingKeepsAnEarlierRemovedNote) {
  MakeFile(AlarmFolder() + u"190001010000]Call bank.pwi");
  AlarmNote note = Scheduled();
  ASSERT_TRUE(RemoveAlarm(note, UniqueNaming::Yes));
  EXPECT_EQ(note.fileName, u"190001010000]Call bank (1).pwi");
  EXPECT_EQ(note.title, u"Call bank (1)");
  AlarmNote plain = NoteAt(u"\\My Documents\\Plain.pwi", NoteKind::Plain);
  EXPECT_FALSE(RemoveAlarm(plain, UniqueNaming::Yes)) << "only alarm notes";
}

TEST_F(AlarmNoteActionsTest, DeletingRemovesTheAlarmThenTheFile) {
  AlarmNote note = Scheduled();
  ASSERT_TRUE(DeleteNote(note));
  EXPECT_TRUE(NamesIn(AlarmFolder()).empty());
  EXPECT_TRUE(Pending().empty());
  AlarmNote plain = NoteAt(u"\\My Documents\\Plain.pwi", NoteKind::Plain);
  ASSERT_TRUE(DeleteNote(plain));
  EXPECT_FALSE(Exists(u"\\My Documents\\Plain.pwi"));
}

TEST_F(AlarmNoteActionsTest, ANoteWithoutFileIsNeitherDeletedNorConverted) {
  AlarmNote note;
  note.kind = NoteKind::NewAlarm;
  note.folder = AlarmFolder();
  note.title = u"Call bank";
  EXPECT_FALSE(DeleteNote(note));
  EXPECT_FALSE(ConvertToPlainNote(note));
  EXPECT_TRUE(Exists(kAlarmFolderItself)) << "its path is the folder, which stays";
  EXPECT_TRUE(NamesIn(AlarmFolder()).empty());
}

TEST_F(AlarmNoteActionsTest, ConvertingMakesAPlainNoteInTheSameFolder) {
  AlarmNote note = Scheduled();
  ASSERT_TRUE(ConvertToPlainNote(note));
  EXPECT_EQ(note.Path(), AlarmFolder() + u"Call bank.pwi");
  EXPECT_EQ(note.kind, NoteKind::Plain);
  EXPECT_EQ(note.notification, 0u);
  EXPECT_EQ(note.alarmTime, Date(2024, 3, 15, 10, 30)) << "a plain note's time reads as now";
  EXPECT_TRUE(Pending().empty());
}

TEST_F(AlarmNoteActionsTest, ChangingTheTimeRenamesAndMovesTheNotification) {
  AlarmNote note = Scheduled();
  DWORD handle = note.notification;
  SYSTEMTIME later = Date(2024, 3, 21, 18, 0);
  ASSERT_TRUE(ChangeAlarmTime(note, later, folders_));
  std::u16string path = AlarmFolder() + WithHandle(u"202403211800", handle, u"Call bank");
  EXPECT_EQ(note.Path(), path);
  EXPECT_EQ(note.alarmTime, later);
  ExpectOnlyNotification(handle, path, later);
}

TEST_F(AlarmNoteActionsTest, ChangingTheTimeOfAnUnregisteredNoteRegistersIt) {
  AlarmNote note = NoteAt(AlarmFolder() + u"202403140900]Call bank.pwi");
  ASSERT_TRUE(ChangeAlarmTime(note, kNextWeek, folders_));
  ASSERT_NE(note.notification, 0u);
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
}

TEST_F(AlarmNoteActionsTest, APastOrEqualTimeChangesNothing) {
  AlarmNote note = Scheduled();
  std::u16string path = note.Path();
  EXPECT_FALSE(ChangeAlarmTime(note, kYesterday, folders_));
  EXPECT_FALSE(ChangeAlarmTime(note, platform::kNoDateSystemTime, folders_));
  EXPECT_TRUE(ChangeAlarmTime(note, kNextWeek, folders_)) << "already there";
  EXPECT_EQ(note.Path(), path);
  ExpectOnlyNotification(note.notification, path, kNextWeek);
}

TEST_F(AlarmNoteActionsTest, AFailedRenameWhileChangingTheTimeClearsTheNotification) {
  AlarmNote note = Scheduled();
  SYSTEMTIME later = Date(2024, 3, 21, 18, 0);
  MakeFile(AlarmFolder() + WithHandle(u"202403211800", note.notification, u"Call bank"));
  EXPECT_FALSE(ChangeAlarmTime(note, later, folders_));
  EXPECT_TRUE(Pending().empty());
  EXPECT_TRUE(LauncherMarkedHandled());
}

TEST_F(AlarmNoteActionsTest, APlainNoteGivenATimeMovesIntoTheAlarmFolder) {
  AlarmNote note = NoteAt(u"\\My Documents\\Call bank.pwi", NoteKind::Plain);
  ASSERT_TRUE(ChangeAlarmTime(note, kNextWeek, folders_));
  EXPECT_EQ(note.kind, NoteKind::Alarm);
  ASSERT_NE(note.notification, 0u);
  EXPECT_EQ(note.Path(), AlarmFolder() + WithHandle(u"202403200930", note.notification, u"Call bank"));
  EXPECT_FALSE(Exists(u"\\My Documents\\Call bank.pwi"));
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
}

}  // namespace
