// Saving from the note editor: the title's checks, the question for a note without valid alarm time,
// new notes named and registered, and an edited note written and renamed.
#include <gtest/gtest.h>

#include "notes/AlarmNoteActions.h"
#include "notes/NoteSave.h"
#include "platform/text/Text.h"
#include "tests/notes/NoteFileTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

constexpr SYSTEMTIME kNextWeek = Date(2024, 3, 20, 9, 30);

// Answers the questions as told and counts them.
class ScriptedQuestions : public NoteSaveQuestions {
 public:
  void RefuseTitle() override { ++refused; }
  bool SaveWithoutAlarm() override {
    ++asked;
    return answer;
  }
  bool answer = true;
  int refused = 0;
  int asked = 0;
};

class NoteSaveTest : public NoteFileTest {
 protected:
  NoteSaveResult Save(AlarmNote& note, std::u16string_view title, SYSTEMTIME time, NoteEditorMode mode,
                      std::string_view content = "ink", CalyraAlarmNote* host = nullptr) {
    NoteSaveRequest request{title, time, mode,
                            std::span(reinterpret_cast<const BYTE*>(content.data()), content.size())};
    return SaveNoteFromEditor(note, request, questions_, folders_, host);
  }
  ScriptedQuestions questions_;
};

TEST_F(NoteSaveTest, TitlesAreCutAndLoseTheirLeadingBlanks) {
  EXPECT_EQ(NoteTitleOf(u"  Call bank"), u"Call bank");
  EXPECT_EQ(NoteTitleOf(u"Call bank  "), u"Call bank  ");
  EXPECT_EQ(NoteTitleOf(std::u16string(200, u'a')), std::u16string(192, u'a'));
  EXPECT_EQ(NoteTitleOf(u"   "), u"");
  for (char16_t c : std::u16string_view(u"\\/:*?\"<>|.")) {
    EXPECT_EQ(NoteTitleOf(std::u16string(u"a") + c + u"b"), std::nullopt) << static_cast<int>(c);
  }
  EXPECT_EQ(NoteTitleOf(std::u16string(192, u'a') + u"."), std::u16string(192, u'a'))
      << "a character behind the 192nd does not count";
}

TEST_F(NoteSaveTest, ARefusedTitleWritesNothing) {
  AlarmNote note;
  EXPECT_EQ(Save(note, u"Bank: call", kNextWeek, NoteEditorMode::NewAlarm), NoteSaveResult::Refused);
  EXPECT_EQ(questions_.refused, 1);
  EXPECT_TRUE(NamesIn(AlarmFolder()).empty());
  EXPECT_TRUE(NamesIn(kDocuments).empty());
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteSaveTest, ANewAlarmNoteIsWrittenInTheAlarmFolderAndRegistered) {
  AlarmNote note;
  ASSERT_EQ(Save(note, u" Call bank", kNextWeek, NoteEditorMode::NewAlarm, "strokes"), NoteSaveResult::Saved);
  EXPECT_EQ(note.kind, NoteKind::Alarm);
  ASSERT_NE(note.notification, 0u);
  EXPECT_EQ(note.Path(), AlarmFolder() + WithHandle(u"202403200930", note.notification, u"Call bank"));
  EXPECT_EQ(Bytes(note.Path()), "strokes");
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
  EXPECT_EQ(questions_.asked, 0);
}

TEST_F(NoteSaveTest, ASecondNoteOfTheSameTitleAndTimeGetsANumber) {
  // The time has passed, so neither note is registered and both keep the name without handle.
  SYSTEMTIME time = Date(2007, 3, 5, 9, 30);
  AlarmNote first, second;
  ASSERT_EQ(Save(first, u"Call bank", time, NoteEditorMode::NewAlarm), NoteSaveResult::Saved);
  ASSERT_EQ(Save(second, u"Call bank", time, NoteEditorMode::NewAlarm), NoteSaveResult::Saved);
  EXPECT_EQ(first.title, u"Call bank");
  EXPECT_EQ(second.title, u"Call bank (1)");
  EXPECT_EQ(second.Path(), AlarmFolder() + u"200703050930]Call bank (1).pwi");
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteSaveTest, WithoutAValidTimeYesMakesAPlainNote) {
  AlarmNote note;
  ASSERT_EQ(Save(note, u"Ideas", platform::kNoDateSystemTime, NoteEditorMode::NewAlarm),
            NoteSaveResult::Saved);
  EXPECT_EQ(questions_.asked, 1);
  EXPECT_EQ(note.kind, NoteKind::Plain);
  EXPECT_EQ(note.Path(), u"\\My Documents\\Ideas.pwi");
  EXPECT_EQ(Bytes(note.Path()), "ink");
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteSaveTest, WithoutAValidTimeNoKeepsTheEditorOpen) {
  questions_.answer = false;
  AlarmNote note;
  EXPECT_EQ(Save(note, u"Ideas", Date(1899, 12, 31), NoteEditorMode::NewPlain), NoteSaveResult::Refused);
  EXPECT_TRUE(NamesIn(kDocuments).empty());
}

TEST_F(NoteSaveTest, AnEditWithoutChangesWritesTheContentOnly) {
  MakeFile(u"\\My Documents\\Ideas.pwi", "old");
  AlarmNote note;
  RecogniseNote(note, u"\\My Documents\\Ideas.pwi");
  CalyraAlarmNote host{};
  host.kind = 99;
  questions_.answer = true;
  ASSERT_EQ(Save(note, u"Ideas", platform::kNoDateSystemTime, NoteEditorMode::Edit, "new", &host),
            NoteSaveResult::Saved);
  EXPECT_EQ(Bytes(u"\\My Documents\\Ideas.pwi"), "new");
  EXPECT_EQ(host.kind, 99u) << "the host's note is left alone";
}

TEST_F(NoteSaveTest, AnEditThatGivesAPlainNoteATimeMovesItAndTellsTheHost) {
  MakeFile(u"\\My Documents\\Call bank.pwi", "old");
  AlarmNote note;
  RecogniseNote(note, u"\\My Documents\\Call bank.pwi");
  CalyraAlarmNote host{};
  ASSERT_EQ(Save(note, u"Call bank", kNextWeek, NoteEditorMode::Edit, "new", &host), NoteSaveResult::Saved);
  ASSERT_NE(note.notification, 0u);
  EXPECT_EQ(Bytes(note.Path()), "new");
  EXPECT_EQ(platform::TextView(host.path), note.Path());
  EXPECT_EQ(host.kind, 4u);
  EXPECT_EQ(host.notification, note.notification);
  EXPECT_EQ(host.alarmTime, kNextWeek);
  ExpectOnlyNotification(note.notification, note.Path(), kNextWeek);
}

TEST_F(NoteSaveTest, AnEditThatRemovesTheTimeMakesTheAlarmNotePlain) {
  MakeFile(AlarmFolder() + u"202403200930]Call bank.pwi");
  AlarmNote note;
  RecogniseNote(note, AlarmFolder() + u"202403200930]Call bank.pwi");
  ASSERT_EQ(Pending().size(), 1u);
  ASSERT_EQ(Save(note, u"Call bank", platform::kNoDateSystemTime, NoteEditorMode::Edit),
            NoteSaveResult::Saved);
  EXPECT_EQ(note.Path(), u"\\My Documents\\Call bank.pwi");
  EXPECT_TRUE(Pending().empty());
}

}  // namespace
