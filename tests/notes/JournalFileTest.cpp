#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

class JournalFileTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
  }
  std::filesystem::path Host(const char16_t* path) { return *platform::HostPathOf(path); }
  std::string Bytes(const char16_t* path) {
    std::ifstream in(Host(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void WriteBytes(const char16_t* path, const std::string& bytes) {
    std::ofstream(Host(path), std::ios::binary | std::ios::trunc) << bytes;
  }
  JournalEntry Entry(DWORD type, ItemOid item, std::u16string text, WORD day = 15) {
    return JournalEntry{SYSTEMTIME{2024, 3, 5, day, 9, 30, 0, 0}, type, 0, item, std::move(text)};
  }
  const char16_t* kPath = u"\\My Documents\\journal.dat";
};

TEST_F(JournalFileTest, TheFirstEntryMakesTheFile) {
  JournalFile journal(kPath);
  ASSERT_TRUE(journal.Append(Entry(2, 0x10005, u"abc")));
  std::string bytes = Bytes(kPath);
  ASSERT_EQ(bytes.size(), 8u + 32u + 8u) << "the header, then 32 + 8 bytes for 'abc' and its zero";
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x01\x20\xC7\x00\x01\x00\x00\x00", 8)) << "magic, count 1";
  EXPECT_EQ(bytes[8 + 16], 2) << "entry type";
  EXPECT_EQ(bytes[8 + 28], 4) << "length with the zero";
  ASSERT_TRUE(journal.Append(Entry(0, 0, u"")));
  EXPECT_EQ(Bytes(kPath).size(), 48u + 32u) << "an entry without text has length 0";

  auto entries = journal.LoadAll();
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].text, u"abc");
  EXPECT_EQ((*entries)[0].item, 0x10005u);
  EXPECT_EQ((*entries)[0].time.wDay, 15);
  EXPECT_EQ((*entries)[1].text, u"");
}

TEST_F(JournalFileTest, RewriteReplacesTheEntriesInTheGivenOrder) {
  JournalFile journal(kPath);
  journal.Append(Entry(0, 0, u"one", 1));
  journal.Append(Entry(0, 0, u"two", 2));
  ASSERT_TRUE(journal.Rewrite({Entry(0, 0, u"two", 2), Entry(0, 0, u"new", 3)}));
  auto entries = journal.LoadAll();
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].text, u"two");
  EXPECT_EQ((*entries)[1].text, u"new");
  ASSERT_TRUE(journal.Rewrite({}));
  EXPECT_EQ(Bytes(kPath).size(), 8u) << "an empty journal is its header";
}

TEST_F(JournalFileTest, ExportWritesTextBesideTheJournal) {
  JournalFile journal(kPath);
  journal.Append(Entry(1, 0, u"Deleted: Dentist \u20ac"));
  auto written = journal.ExportText();
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, u"\\My Documents\\journal.txt");
  EXPECT_EQ(Bytes(u"\\My Documents\\journal.txt"), "3/15/24 9:30 AM Deleted: Dentist \x80\r\n")
      << "in code page 1252";
  EXPECT_EQ(JournalFile::ExportPath(u"\\My.Docs\\journal"), u"\\My.Docs\\journal.txt");
  EXPECT_EQ(JournalFile::ExportPath(u"\\a\\b.c.d"), u"\\a\\b.c.txt");
}

TEST_F(JournalFileTest, AJournalNamedTxtSurvivesItsExport) {
  const char16_t* path = u"\\My Documents\\x.txt";
  JournalFile journal(path);
  ASSERT_TRUE(journal.Append(Entry(0, 0, u"kept")));
  std::string before = Bytes(path);
  auto written = journal.ExportText();
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, u"\\My Documents\\x.txt.txt");
  EXPECT_EQ(Bytes(u"\\My Documents\\x.txt.txt"), "3/15/24 9:30 AM kept\r\n");
  EXPECT_EQ(Bytes(path), before) << "the journal is untouched";
  ASSERT_EQ(journal.LoadAll()->size(), 1u);
  EXPECT_EQ((*journal.LoadAll())[0].text, u"kept");

  EXPECT_EQ(JournalFile::ExportPath(u"\\a\\Log.TXT"), u"\\a\\Log.TXT.txt")
      << "names compare without regard to case";
  EXPECT_EQ(JournalFile::ExportPath(u"\\a\\log.txt.bak"), u"\\a\\log.txt.txt");
}

TEST_F(JournalFileTest, BadFilesAreNeverOverwritten) {
  const std::string wrongMagic("\x02\x20\xC7\x00\x00\x00\x00\x00", 8);
  for (const std::string& bad : {wrongMagic, std::string("\x01\x20\xC7", 3)}) {
    WriteBytes(kPath, bad);
    JournalFile journal(kPath);
    EXPECT_FALSE(journal.Append(Entry(0, 0, u"x")));
    EXPECT_FALSE(journal.LoadAll().has_value());
    EXPECT_FALSE(journal.Rewrite({Entry(0, 0, u"y")}));
    EXPECT_FALSE(journal.ExportText().has_value());
    EXPECT_EQ(Bytes(kPath), bad) << "the file is untouched";
  }
}

TEST_F(JournalFileTest, ALoadStopsAtTheFirstEntryCutShort) {
  JournalFile journal(kPath);
  journal.Append(Entry(0, 0, u"kept"));
  journal.Append(Entry(0, 0, u"cut"));
  std::string bytes = Bytes(kPath);
  bytes[4] = 9;  // a count larger than the entries
  WriteBytes(kPath, bytes);
  EXPECT_EQ(journal.LoadAll()->size(), 2u);

  std::string runsPast = bytes;
  runsPast[8 + 42 + 28] = '\x7F';  // the second entry's text length runs past the end
  runsPast[8 + 42 + 31] = '\x7F';
  WriteBytes(kPath, runsPast);
  auto entries = journal.LoadAll();
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].text, u"kept");

  WriteBytes(kPath, bytes.substr(0, bytes.size() - 3));  // cut in the middle of the text
  EXPECT_EQ(journal.LoadAll()->size(), 1u);

  std::mt19937 random(5);
  for (int round = 0; round < 50; ++round) {
    std::string noise = bytes.substr(0, 8);
    for (int i = 0; i < 200; ++i) noise += static_cast<char>(random());
    WriteBytes(kPath, noise);
    EXPECT_LE(journal.LoadAll()->size(), 9u) << "random entries load without a crash";
  }
}

}  // namespace
