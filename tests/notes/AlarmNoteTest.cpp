// The note in memory: its path, reading a name into it, and the host's record.
#include <gtest/gtest.h>

#include "notes/AlarmNote.h"
#include "platform/text/Text.h"
#include "tests/notes/NoteFileTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class AlarmNoteTest : public NoteFileTest {};

TEST_F(AlarmNoteTest, APathSplitsAtItsLastBackslash) {
  AlarmNote note;
  note.SetNotePath(u"\\My Documents\\CalyraAlarmNotes\\200703050930]Call bank.pwi");
  EXPECT_EQ(note.folder, u"\\My Documents\\CalyraAlarmNotes\\");
  EXPECT_EQ(note.fileName, u"200703050930]Call bank.pwi");
  EXPECT_EQ(note.Path(), u"\\My Documents\\CalyraAlarmNotes\\200703050930]Call bank.pwi");
  note.SetNotePath(u"bare.pwi");
  EXPECT_EQ(note.folder, u"");
  EXPECT_EQ(note.fileName, u"bare.pwi");
}

TEST_F(AlarmNoteTest, APlainNameReadsAsNowWithoutHandleOrAlarmText) {
  AlarmNote note;
  note.notification = 5;
  note.alarmText = u"tomorrow";
  ASSERT_TRUE(note.ReadNoteName(u"Call bank.pwi"));
  EXPECT_EQ(note.title, u"Call bank");
  EXPECT_EQ(note.notification, 0u);
  EXPECT_EQ(note.alarmText, u"");
  EXPECT_EQ(note.alarmTime, Date(2024, 3, 15, 10, 30));
}

TEST_F(AlarmNoteTest, AnAlarmNameKeepsTheHostsAlarmText) {
  AlarmNote note;
  note.alarmText = u"tomorrow";
  ASSERT_TRUE(note.ReadNoteName(u"200703050930]00001A2B]Call bank.pwi"));
  EXPECT_EQ(note.alarmTime, Date(2007, 3, 5, 9, 30));
  EXPECT_EQ(note.notification, 0x1A2Bu);
  EXPECT_EQ(note.alarmText, u"tomorrow");
}

TEST_F(AlarmNoteTest, ANameThatDoesNotReadLeavesTheNote) {
  AlarmNote note;
  ASSERT_TRUE(note.ReadNoteName(u"200703050930]00001A2B]Call bank.pwi"));
  EXPECT_FALSE(note.ReadNoteName(u"200713050930]Other.pwi"));
  EXPECT_EQ(note.title, u"Call bank");
  EXPECT_EQ(note.notification, 0x1A2Bu);
}

TEST_F(AlarmNoteTest, ANewNoteHasNoDate) {
  AlarmNote note;
  EXPECT_EQ(note.kind, NoteKind::None);
  EXPECT_EQ(note.alarmTime, Date(4501, 1, 1));
}

TEST_F(AlarmNoteTest, TheHostsRecordCarriesTheStateBothWays) {
  AlarmNote note;
  note.SetNotePath(u"\\My Documents\\CalyraAlarmNotes\\200703050930]00001A2B]Call bank.pwi");
  ASSERT_TRUE(note.ReadOwnName());
  note.kind = NoteKind::Alarm;
  note.alarmText = u"5 Mar";
  note.listText = u"Call bank, 5 Mar";
  CalyraAlarmNote record = ToHostNote(note);
  EXPECT_EQ(platform::TextView(record.fileName), u"200703050930]00001A2B]Call bank.pwi");
  EXPECT_EQ(platform::TextView(record.folder), u"\\My Documents\\CalyraAlarmNotes\\");
  EXPECT_EQ(platform::TextView(record.path), note.Path());
  EXPECT_EQ(platform::TextView(record.title), u"Call bank");
  EXPECT_EQ(record.kind, 4u);
  EXPECT_EQ(record.notification, 0x1A2Bu);
  EXPECT_EQ(record.alarmTime, Date(2007, 3, 5, 9, 30));

  AlarmNote back = FromHostNote(record);
  EXPECT_EQ(back.Path(), note.Path());
  EXPECT_EQ(back.title, note.title);
  EXPECT_EQ(back.kind, NoteKind::Alarm);
  EXPECT_EQ(back.alarmText, u"5 Mar");
  EXPECT_EQ(back.listText, u"Call bank, 5 Mar");
  EXPECT_EQ(back.notification, 0x1A2Bu);
}

TEST_F(AlarmNoteTest, TextsAreCutAtTheirBounds) {
  AlarmNote note;
  note.folder = u"\\";
  note.fileName = std::u16string(300, u'f');
  note.title = std::u16string(300, u't');
  note.alarmText = std::u16string(100, u'a');
  EXPECT_EQ(note.Path().size(), 259u);
  CalyraAlarmNote record = ToHostNote(note);
  EXPECT_EQ(platform::TextView(record.fileName).size(), 259u);
  EXPECT_EQ(platform::TextView(record.title).size(), 192u);
  EXPECT_EQ(platform::TextView(record.alarmText).size(), 63u);
  EXPECT_EQ(platform::TextView(record.path).size(), 259u);
}

TEST_F(AlarmNoteTest, AHostRecordWithAPathAloneNamesItsFile) {
  CalyraAlarmNote record{};
  platform::BoundedCopy(record.path, 260, u"\\My Documents\\Call bank.pwi");
  AlarmNote note = FromHostNote(record);
  EXPECT_EQ(note.folder, u"\\My Documents\\");
  EXPECT_EQ(note.fileName, u"Call bank.pwi");
}

}  // namespace
