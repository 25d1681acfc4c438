// Note file names: building and reading them, which names count as alarm notes, and free names.
#include <gtest/gtest.h>

#include "notes/NoteName.h"
#include "tests/notes/NoteFileTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

TEST(NoteNameTest, TheThreeFormsAreBuiltBehindTheFolder) {
  const std::u16string folder = u"\\My Documents\\CalyraAlarmNotes\\";
  SYSTEMTIME time = Date(2007, 3, 5, 9, 30);
  EXPECT_EQ(BuildNoteName(folder, u"Call bank", time, 0x1A2B),
            folder + u"200703050930]00001A2B]Call bank.pwi");
  EXPECT_EQ(BuildNoteName(folder, u"Call bank", time, 0), folder + u"200703050930]Call bank.pwi");
  EXPECT_EQ(BuildNoteName(folder, u"Call bank", kRemovedAlarmTime, 0),
            folder + u"190001010000]Call bank.pwi");
  EXPECT_EQ(BuildNoteName(folder, u"Call bank", platform::kNoDateSystemTime, 7), folder + u"Call bank.pwi")
      << "a time that is no alarm time gives the plain form";
  EXPECT_EQ(PlainNotePath(folder, u"Call bank"), folder + u"Call bank.pwi");
}

TEST(NoteNameTest, NamesAreBuiltOnlyForTitlesUpTo192Characters) {
  std::u16string longest(192, u'a');
  EXPECT_EQ(BuildNoteName(u"\\", longest, Date(2024, 1, 2, 3, 4), 0xFFFFFFFF),
            u"\\202401020304]FFFFFFFF]" + longest + u".pwi");
  EXPECT_EQ(BuildNoteName(u"\\", longest + u"a", Date(2024, 1, 2, 3, 4), 0), u"");
}

struct ReadCase {
  const char* name;
  std::u16string fileName;
  bool hasTime;
  SYSTEMTIME time;
  DWORD handle;
  std::u16string title;
};

const ReadCase kReadCases[] = {
    {"registered", u"200703050930]00001A2B]Call bank.pwi", true, Date(2007, 3, 5, 9, 30), 0x1A2B,
     u"Call bank"},
    {"without handle", u"200703050930]Call bank.pwi", true, Date(2007, 3, 5, 9, 30), 0, u"Call bank"},
    {"removed alarm", u"190001010000]Call bank.pwi", true, Date(1900, 1, 1), 0, u"Call bank"},
    {"last minute", u"299912312359]x.pwi", true, Date(2999, 12, 31, 23, 59), 0, u"x"},
    {"lower-case hex", u"200703050930]00001a2b]x.pwi", true, Date(2007, 3, 5, 9, 30), 0x1A2B, u"x"},
    {"other characters count as 0", u"200703050930]1xyz]x.pwi", true, Date(2007, 3, 5, 9, 30), 0x1000, u"x"},
    {"empty handle", u"200703050930]]x.pwi", true, Date(2007, 3, 5, 9, 30), 0, u"x"},
    {"title cut at its first dot", u"200703050930]a.b.pwi", true, Date(2007, 3, 5, 9, 30), 0, u"a"},
    {"plain", u"Call bank.pwi", false, {}, 0, u"Call bank"},
    {"plain with dots", u"a.b.pwi", false, {}, 0, u"a"},
};

struct BadName {
  const char* name;
  std::u16string fileName;
};

const BadName kBadNames[] = {
    {"eleven digits", u"20070305093]x.pwi"},
    {"thirteen digits", u"2007030509301]x.pwi"},
    {"letter in the stamp", u"2007O3050930]x.pwi"},
    {"year 1899", u"189912312359]x.pwi"},
    {"year 3000", u"300001010000]x.pwi"},
    {"month 0", u"200700050930]x.pwi"},
    {"month 13", u"200713050930]x.pwi"},
    {"day 0", u"200703000930]x.pwi"},
    {"day 32", u"200703320930]x.pwi"},
    {"hour 24", u"200703052400]x.pwi"},
    {"minute 60", u"200703050960]x.pwi"},
    {"empty stamp", u"]x.pwi"},
};

TEST(NoteNameTest, ReadsGoodNames) {
  for (const ReadCase& entry : kReadCases) {
    SCOPED_TRACE(entry.name);
    auto read = ParseNoteName(entry.fileName);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->hasTime, entry.hasTime);
    if (entry.hasTime) {
      EXPECT_EQ(read->time, entry.time);
    }
    EXPECT_EQ(read->handle, entry.handle);
    EXPECT_EQ(read->title, entry.title);
  }
}

TEST(NoteNameTest, RefusesBadTimestamps) {
  for (const BadName& entry : kBadNames) {
    EXPECT_FALSE(ParseNoteName(entry.fileName).has_value()) << entry.name;
  }
}

TEST(NoteNameTest, ReadingComputesTheWeekdayAndCutsTheTitle) {
  auto read = ParseNoteName(u"200703050930]" + std::u16string(200, u'a') + u".pwi");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->time.wDayOfWeek, 1) << "5 March 2007 was a Monday";
  EXPECT_EQ(read->title, std::u16string(192, u'a'));
}

struct RecognitionCase {
  std::u16string name;
  bool alarm;
};

TEST(NoteNameTest, AlarmNamesAreLongerThan16WithTwelveDigitsAndABracket) {
  const RecognitionCase cases[] = {
      {u"200703050930]00001A2B]Call bank.pwi", true},
      {u"200703050930]x.pwi", true},
      {u"123456789012]x.pw", true},   // 17 characters
      {u"123456789012]x.p", false},   // 16
      {u"12345678901]x.pwi", false},  // eleven digits
      {u"12345678901a]xxxx.pwi", false},
      {u"123456789012xyyyy.pwi", false},
      {u"Call bank.pwi", false},
      {u"", false},
  };
  for (const RecognitionCase& entry : cases) {
    EXPECT_EQ(IsAlarmNoteName(entry.name), entry.alarm) << platform::ToUtf8(entry.name);
  }
  EXPECT_EQ(PlainNoteTitle(u"Shopping.list.pwi"), u"Shopping.list");
  EXPECT_EQ(PlainNoteTitle(u"12345678901]x.pwi"), u"12345678901]x");
  EXPECT_EQ(PlainNoteTitle(u"no extension"), u"no extension");
}

class UniqueNameTest : public NoteFileTest {};

TEST_F(UniqueNameTest, AFreeNameIsKept) {
  UniqueName unique = MakeUniqueName(u"\\My Documents\\Call bank.pwi");
  EXPECT_EQ(unique.path, u"\\My Documents\\Call bank.pwi");
  EXPECT_EQ(unique.number, 0);
}

TEST_F(UniqueNameTest, ATakenNameGetsTheFirstFreeNumber) {
  MakeFile(u"\\My Documents\\Call bank.pwi");
  MakeFile(u"\\My Documents\\Call bank (1).pwi");
  UniqueName unique = MakeUniqueName(u"\\My Documents\\Call bank.pwi");
  EXPECT_EQ(unique.path, u"\\My Documents\\Call bank (2).pwi");
  EXPECT_EQ(unique.number, 2);
}

TEST_F(UniqueNameTest, TheHundredthTryIsTheLast) {
  MakeFile(u"\\My Documents\\n.pwi");
  for (int n = 1; n < 100; ++n) MakeFile(platform::FormatText(u"\\My Documents\\n (%d).pwi", {n}));
  UniqueName unique = MakeUniqueName(u"\\My Documents\\n.pwi");
  EXPECT_EQ(unique.path, u"\\My Documents\\n (100).pwi");
  EXPECT_EQ(unique.number, 100);
  MakeFile(u"\\My Documents\\n (100).pwi");
  unique = MakeUniqueName(u"\\My Documents\\n.pwi");
  EXPECT_EQ(unique.path, u"\\My Documents\\n (100).pwi") << "no 101st try, although that name is taken";
  EXPECT_EQ(unique.number, 100);
}

TEST_F(UniqueNameTest, ABaseOf256CharactersIsCutToEndWithin255) {
  // "\My Documents\" and a name of 242 characters: a base of 256 characters.
  std::u16string base = u"\\My Documents\\" + std::u16string(242, u'b');
  ASSERT_EQ(base.size(), 256u);
  MakeFile(base);
  UniqueName unique = MakeUniqueName(base);
  EXPECT_EQ(unique.path, base.substr(0, 251) + u" (1)");
  EXPECT_EQ(unique.path.size(), 255u);

  MakeFile(base + u".p");
  unique = MakeUniqueName(base + u".p");
  EXPECT_EQ(unique.path, base.substr(0, 249) + u" (1).p");
  EXPECT_EQ(unique.path.size(), 255u);

  std::u16string shorter = u"\\My Documents\\" + std::u16string(241, u'c');  // a base of 255: not cut
  MakeFile(shorter);
  EXPECT_EQ(MakeUniqueName(shorter).path, shorter + u" (1)");
}

TEST_F(UniqueNameTest, ADotInAFolderIsNoExtension) {
  CreateDirectoryW(u"\\My Documents\\a.b", nullptr);
  MakeFile(u"\\My Documents\\a.b\\note");
  EXPECT_EQ(MakeUniqueName(u"\\My Documents\\a.b\\note").path, u"\\My Documents\\a.b\\note (1)");
}

}  // namespace
