// The phrase library: where the file is looked for, what a phrase file yields, and how usage bits
// filter phrases for a field.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/core/Device.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/PhraseFiles.h"
#include "text/PhraseLibrary.h"

namespace calyra {
namespace {

using testing::DeviceTest;
using testing::WriteDeviceFile;

std::string DataFile(const std::string& name) {
  std::ifstream in(std::string(CALYRA_PHRASE_TEST_DATA) + "/" + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

constexpr char16_t kProgramFolder[] = u"\\Program Files\\Calyra\\";
constexpr char16_t kDocuments[] = u"\\My Documents\\";

class PhraseLibraryTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    platform::SetModuleFileName(u"\\Program Files\\Calyra\\Calyra.exe");
    CreateDirectoryW(u"\\Program Files", nullptr);
    CreateDirectoryW(u"\\Program Files\\Calyra", nullptr);
    CreateDirectoryW(u"\\My Documents", nullptr);
  }

  PhraseLoadResult LoadData(const std::string& name) {
    WriteDeviceFile(std::u16string(kDocuments) + kPhraseFileName, DataFile(name));
    return LoadPhraseLibrary(library, kPhraseFileName);
  }

  std::vector<std::u16string> Titles() const {
    std::vector<std::u16string> titles;
    for (const Phrase& phrase : library.phrases) titles.push_back(phrase.title);
    return titles;
  }

  PhraseLibrary library;
};

TEST(PhraseUsageTest, KeywordsAreFoundAnywhereInAnyCase) {
  struct Case {
    std::u16string_view usage;
    DWORD bits;
  };
  const Case cases[] = {
      {u"", 0},
      {u"Subject, Task", kPhraseSubject | kPhraseTask},
      {u"context", kPhraseText},  // "text" inside "context"
      {u"APPOINTMENTS;LOCATION", kPhraseAppointment | kPhraseLocation},
      {u"contacts notes", kPhraseContact | kPhraseNotes},
      {u"subjecttextlocation", kPhraseSubject | kPhraseText | kPhraseLocation},
      {u"tasks/anything", kPhraseTask},
      {u"sub ject", 0},
  };
  for (const Case& each : cases)
    EXPECT_EQ(ParsePhraseUsage(each.usage), each.bits) << platform::ToUtf8(each.usage);
}

TEST(PhraseUsageTest, APhraseSuitsWhenItsKindsAndFieldsMeetTheFilter) {
  struct Case {
    DWORD usage;
    DWORD filter;
    bool suits;
  };
  const Case cases[] = {
      {kPhraseSubject | kPhraseTask, 0x10001, true},   // a task's subject
      {kPhraseSubject | kPhraseTask, 0x20001, false},  // an appointment's subject
      {kPhraseSubject | kPhraseTask, 0x10004, false},  // a task's notes
      {0, 0x20002, true},                              // no usage: everywhere
      {0, 0, true},
      {kPhraseText, 0x40004, true},     // a field alone suits every kind
      {kPhraseContact, 0x40001, true},  // a kind alone suits every field
      {kPhraseContact, 0x20001, false},
      {kPhraseNotes | kPhraseText, 0xFFFFFFFF, true},  // the note editor offers every phrase
      {kPhraseSubject, 0x20000, false},                // the filter names no field
  };
  for (const Case& each : cases)
    EXPECT_EQ(PhraseSuits(each.usage, each.filter), each.suits)
        << std::hex << each.usage << " " << each.filter;
}

TEST_F(PhraseLibraryTest, AFileYieldsItsPhrasesInOrder) {
  ASSERT_EQ(LoadData("library.xml"), PhraseLoadResult::Loaded);
  EXPECT_TRUE(library.loaded);
  EXPECT_EQ(library.rootName, u"velmoraquillon");
  EXPECT_EQ(library.menuEntry, u"My Phrases");
  EXPECT_EQ(library.loadedPath, u"\\My Documents\\quillon.xml");
  EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"Call back", u"Everywhere", u"Context", u"Padded", u"",
                                                   u"Last text", u"Only CDATA", u"Entities & more"}));
  const auto& phrases = library.phrases;
  EXPECT_EQ(phrases[0].text, u"Call [fn] [ln] back");
  EXPECT_EQ(phrases[0].usage, kPhraseSubject | kPhraseTask);
  EXPECT_EQ(phrases[1].usage, 0u);
  EXPECT_EQ(phrases[2].usage, kPhraseText);  // an upper-case element, a usage of "context"
  EXPECT_EQ(phrases[3].text, u"Hello  ");
  EXPECT_EQ(phrases[4].text, u"");  // a phrase without attributes is still one
  EXPECT_EQ(phrases[4].usage, 0u);
  EXPECT_EQ(phrases[5].text, u"second");  // the last text child; the CDATA after it unread
  EXPECT_EQ(phrases[5].usage, kPhraseAppointment | kPhraseLocation);
  EXPECT_EQ(phrases[6].text, u"");
  EXPECT_EQ(phrases[7].text, u"A <b> \u00E9");
}

TEST_F(PhraseLibraryTest, LeadingLineBreaksTabsAndBlanksGoTrailingOnesStay) {
  ASSERT_EQ(LoadData("crlf.xml"), PhraseLoadResult::Loaded);
  ASSERT_EQ(library.phrases.size(), 2u);
  EXPECT_EQ(library.phrases[0].text, u"Hello  ");
  EXPECT_EQ(library.phrases[1].text, u"Hello  ");  // "\r\n\t Hello  " written as character references
  EXPECT_EQ(library.rootName, u"phrases");         // another root name serves as well
  EXPECT_EQ(library.menuEntry, kDefaultPhraseMenuEntry);
}

TEST_F(PhraseLibraryTest, TheLibraryHoldsTwoHundredFiftyFivePhrases) {
  std::string xml = "<quillon>";
  for (int i = 1; i <= 256; ++i) xml += "<phrase title=\"P" + std::to_string(i) + "\">t</phrase>";
  xml += "</quillon>";
  WriteDeviceFile(std::u16string(kDocuments) + kPhraseFileName, xml);
  ASSERT_EQ(LoadPhraseLibrary(library, kPhraseFileName), PhraseLoadResult::Loaded);
  ASSERT_EQ(library.phrases.size(), kMaxPhrases);
  EXPECT_EQ(library.phrases.back().title, u"P255");
}

TEST_F(PhraseLibraryTest, LongNamesAreCutAtTheirBound) {
  std::string longName(300, 'r');
  std::string xml =
      "<" + longName + " menuentry=\"" + std::string(300, 'm') + "\"><phrase/></" + longName + ">";
  WriteDeviceFile(std::u16string(kDocuments) + kPhraseFileName, xml);
  ASSERT_EQ(LoadPhraseLibrary(library, kPhraseFileName), PhraseLoadResult::Loaded);
  EXPECT_EQ(library.rootName.size(), kPhraseLibraryTextChars);
  EXPECT_EQ(library.menuEntry.size(), kPhraseLibraryTextChars);
}

TEST_F(PhraseLibraryTest, TheProgramFolderComesBeforeTheDocumentsFolder) {
  WriteDeviceFile(std::u16string(kDocuments) + kPhraseFileName, DataFile("crlf.xml"));
  ASSERT_EQ(LoadPhraseLibrary(library, kPhraseFileName), PhraseLoadResult::Loaded);
  EXPECT_EQ(library.loadedPath, u"\\My Documents\\quillon.xml");
  EXPECT_EQ(library.programFolder, kProgramFolder);

  WriteDeviceFile(std::u16string(kProgramFolder) + kPhraseFileName, DataFile("library.xml"));
  ASSERT_EQ(LoadPhraseLibrary(library, kPhraseFileName), PhraseLoadResult::Loaded);
  EXPECT_EQ(library.loadedPath, u"\\Program Files\\Calyra\\quillon.xml");
  EXPECT_EQ(library.menuEntry, u"My Phrases");
  EXPECT_EQ(library.loadCount, 2u);
}

TEST_F(PhraseLibraryTest, AFullPathMustExistAndIsNotLookedForElsewhere) {
  WriteDeviceFile(std::u16string(kDocuments) + kPhraseFileName, DataFile("library.xml"));
  EXPECT_EQ(LoadPhraseLibrary(library, u"\\Elsewhere\\quillon.xml"), PhraseLoadResult::NotFound);
  EXPECT_EQ(LoadPhraseLibrary(library, u"\\My Documents\\quillon.xml"), PhraseLoadResult::Loaded);
  EXPECT_EQ(library.fileName, u"\\My Documents\\quillon.xml");
}

TEST_F(PhraseLibraryTest, EveryFailureLeavesAnEmptyLibraryAndAReason) {
  struct Case {
    const char* file;  // null: no file anywhere
    std::u16string_view name;
    PhraseLoadResult result;
    std::u16string_view reason;  // empty: any text of the parser
  };
  const Case cases[] = {
      {nullptr, u"", PhraseLoadResult::NoName, u""},
      {nullptr, kPhraseFileName, PhraseLoadResult::NotFound, u"XML import file not found."},
      {"malformed.xml", kPhraseFileName, PhraseLoadResult::Failed, u""},
      {"empty.xml", kPhraseFileName, PhraseLoadResult::Failed, u""},
      {"childless.xml", kPhraseFileName, PhraseLoadResult::Failed, u"The root element has no children."},
      {"invalid.xml", kPhraseFileName, PhraseLoadResult::Failed, u""},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.file ? each.file : "no file");
    ASSERT_EQ(LoadData("library.xml"), PhraseLoadResult::Loaded);
    DeleteFileW((std::u16string(kDocuments) + kPhraseFileName).c_str());
    if (each.file) WriteDeviceFile(std::u16string(kDocuments) + kPhraseFileName, DataFile(each.file));
    EXPECT_EQ(LoadPhraseLibrary(library, each.name), each.result);
    EXPECT_FALSE(library.loaded);
    EXPECT_TRUE(library.phrases.empty());
    EXPECT_TRUE(library.loadedPath.empty());
    EXPECT_EQ(library.menuEntry, kDefaultPhraseMenuEntry);
    if (each.result == PhraseLoadResult::NoName) continue;
    if (each.reason.empty()) {
      EXPECT_FALSE(library.errorText.empty());
    } else {
      EXPECT_EQ(library.errorText, each.reason);
    }
  }
}

TEST_F(PhraseLibraryTest, ADocumentThatDeclaresItsTypeIsValidatedAsItLoads) {
  ASSERT_EQ(LoadData("declared.xml"), PhraseLoadResult::Loaded);
  EXPECT_EQ(library.phrases.at(0).text, u"Valid");
  ASSERT_EQ(LoadData("invalid.xml"), PhraseLoadResult::Failed);
  EXPECT_NE(library.errorText.find(u"DTD"), std::u16string::npos) << platform::ToUtf8(library.errorText);
}

TEST_F(PhraseLibraryTest, APalmSizePcOfVersionThreeLoadsWithTheLegacyParser) {
  Device().SetSetting("Version.Major", u"3");
  Device().SetSetting("PlatformType", u"Palm PC2");
  ASSERT_EQ(LoadData("library.xml"), PhraseLoadResult::Loaded);
  EXPECT_TRUE(library.legacyParser);
  EXPECT_EQ(library.phrases.size(), 8u);

  Device().SetSetting("Version.Major", u"4");
  ASSERT_EQ(LoadData("library.xml"), PhraseLoadResult::Loaded);
  EXPECT_FALSE(library.legacyParser);
}

TEST_F(PhraseLibraryTest, ADocumentInMemoryReadsAsTheFileWould) {
  EXPECT_EQ(ReadPhraseDocument(library, u"memory", DataFile("library.xml")), PhraseLoadResult::Loaded);
  EXPECT_EQ(library.phrases.size(), 8u);
  EXPECT_EQ(library.loadedPath, u"memory");
  EXPECT_EQ(ReadPhraseDocument(library, u"memory", "<a"), PhraseLoadResult::Failed);
  EXPECT_TRUE(library.phrases.empty());
}

}  // namespace
}  // namespace calyra
