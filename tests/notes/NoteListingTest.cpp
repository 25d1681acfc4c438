// Listing the note files of the two folders: each file recognised by its name, with the renames and
// registrations that recognition makes.
#include <gtest/gtest.h>

#include <map>

#include "notes/AlarmNoteActions.h"
#include "notes/NoteListing.h"
#include "tests/notes/NoteFileTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class NoteListingTest : public NoteFileTest {
 protected:
  std::map<std::u16string, AlarmNote> ByTitle(const std::vector<AlarmNote>& notes) {
    std::map<std::u16string, AlarmNote> titles;
    for (const AlarmNote& note : notes) titles[note.title] = note;
    return titles;
  }
};

TEST_F(NoteListingTest, EachFileIsRecognisedByItsName) {
  std::u16string folder = AlarmFolder();
  MakeFile(folder + u"Shopping.list.pwi");
  MakeFile(folder + u"12345678901]x.pwi");
  MakeFile(folder + u"202413200930]Bad month.pwi");
  MakeFile(folder + u"190001010000]Removed.pwi");
  MakeFile(folder + u"notes.txt");
  CreateDirectoryW((folder + u"folder.pwi").c_str(), nullptr);

  auto notes = ByTitle(ListNotesIn(folder));
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[u"Shopping.list"].kind, NoteKind::Plain) << "titled without the last extension";
  EXPECT_EQ(notes[u"12345678901]x"].kind, NoteKind::Plain) << "eleven digits";
  EXPECT_EQ(notes[u"202413200930]Bad month"].kind, NoteKind::Plain) << "a timestamp that does not read";
  const AlarmNote& removed = notes[u"Removed"];
  EXPECT_EQ(removed.kind, NoteKind::Alarm);
  EXPECT_EQ(removed.alarmTime, Date(1900, 1, 1));
  EXPECT_EQ(removed.notification, 0u);
  EXPECT_EQ(removed.Path(), folder + u"190001010000]Removed.pwi");
  EXPECT_EQ(notes[u"Shopping.list"].alarmTime, Date(2024, 3, 15, 10, 30));
  EXPECT_TRUE(Pending().empty()) << "nothing to register";
}

TEST_F(NoteListingTest, AnAlarmToComeWithoutHandleIsRegistered) {
  MakeFile(AlarmFolder() + u"202403200930]Dentist.pwi");
  auto notes = ListNotesIn(AlarmFolder());
  ASSERT_EQ(notes.size(), 1u);
  const AlarmNote& note = notes[0];
  EXPECT_EQ(note.kind, NoteKind::Alarm);
  ASSERT_NE(note.notification, 0u);
  EXPECT_EQ(note.fileName, WithHandle(u"202403200930", note.notification, u"Dentist"));
  ExpectOnlyNotification(note.notification, note.Path(), Date(2024, 3, 20, 9, 30));
  // Listed again, the registered note stays as it is.
  auto again = ListNotesIn(AlarmFolder());
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].Path(), note.Path());
  EXPECT_EQ(Pending().size(), 1u);
}

TEST_F(NoteListingTest, APassedAlarmWithoutHandleStaysAsItIs) {
  MakeFile(AlarmFolder() + u"202403140900]Yesterday.pwi");
  auto notes = ListNotesIn(AlarmFolder());
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].fileName, u"202403140900]Yesterday.pwi");
  EXPECT_TRUE(Pending().empty());
}

TEST_F(NoteListingTest, APassedAlarmLosesItsHandleMadeUnique) {
  SYSTEMTIME passed = Date(2024, 3, 14, 9, 0);
  DWORD handle = SetAlarmNotification(0, u"noinfo", passed);
  MakeFile(AlarmFolder() + WithHandle(u"202403140900", handle, u"Old"));
  MakeFile(AlarmFolder() + u"202403140900]Old.pwi");
  auto notes = ListNotesIn(AlarmFolder());
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(NamesIn(AlarmFolder()),
            (std::vector<std::u16string>{u"202403140900]Old (1).pwi", u"202403140900]Old.pwi"}));
  EXPECT_TRUE(Pending().empty()) << "its leftover notification would open the old name";
}

TEST_F(NoteListingTest, BothFoldersAreListedDocumentsFirst) {
  MakeFile(u"\\My Documents\\Plain.pwi");
  MakeFile(u"\\My Documents\\Letter.txt");
  MakeFile(AlarmFolder() + u"190001010000]Removed.pwi");
  auto notes = ListNotes(folders_);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].Path(), u"\\My Documents\\Plain.pwi");
  EXPECT_EQ(notes[1].Path(), AlarmFolder() + u"190001010000]Removed.pwi");
}

TEST_F(NoteListingTest, AMissingFolderListsNothing) {
  EXPECT_TRUE(ListNotesIn(u"\\Nowhere\\").empty());
}

}  // namespace
