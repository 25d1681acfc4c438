#include <gtest/gtest.h>

#include "platform/ui/Menu.h"
#include "tests/support/DeviceTest.h"
#include "text/ContactNameFormat.h"

namespace {

using namespace calyra;

const NameFormatTexts kTexts{u"(No name)", u"First", u"Middle", u"Last", u"Suffix", u"Company"};

std::u16string Build(int format, const ContactName& name, const std::u16string& custom = u"") {
  auto f = static_cast<FileAsFormat>(format);
  return BuildFileAs(f, name, custom, kTexts);
}

TEST(ContactNameFormatTest, BuildFollowsEachFormat) {
  ContactName ann{u"Ann", u"", u"Lee", u"", u""};
  EXPECT_EQ(Build(0, ann), u"Lee, Ann");
  EXPECT_EQ(Build(1, ann), u"Ann Lee");
  EXPECT_EQ(Build(3, ann), u"Lee, Ann ()") << "the parentheses stand even without a company";
  EXPECT_EQ(Build(4, ann), u", (Lee, Ann)");
  EXPECT_EQ(Build(6, ann, u"Annie"), u"Annie");
  EXPECT_EQ(Build(5, ann), u"(No name)") << "5 is never a format";
  EXPECT_EQ(Build(-1, ann), u"(No name)");

  ContactName full{u"Ann", u"B", u"Lee", u"Jr", u"Acme"};
  EXPECT_EQ(Build(0, full), u"Lee, Ann B");
  EXPECT_EQ(Build(1, full), u"Ann B Lee Jr");
  EXPECT_EQ(Build(2, full), u"Acme");
  EXPECT_EQ(Build(3, full), u"Lee, Ann (Acme)");
  EXPECT_EQ(Build(4, full), u"Acme, (Lee, Ann B)");

  EXPECT_EQ(Build(1, {u"Ann", u"B", u"", u"Jr", u""}), u"Ann B") << "the suffix goes only behind a last name";
  EXPECT_EQ(Build(1, {u"", u"B", u"Lee", u"Jr", u""}), u"Lee Jr")
      << "the middle goes only behind a first name";
  EXPECT_EQ(Build(0, {u"", u"B", u"Lee", u"", u""}), u"Lee");
  EXPECT_EQ(Build(3, {u"", u"", u"Lee", u"", u"Acme"}), u"Lee");
  EXPECT_EQ(Build(3, {u"Ann", u"", u"", u"", u"Acme"}), u"Ann (Acme)");
  EXPECT_EQ(Build(4, {u"Ann", u"B", u"", u"", u"Acme"}), u"Acme, (Ann B)");
  EXPECT_EQ(Build(0, {u" ", u"", u"", u"", u""}), u" ") << "a field of blanks counts as present";
}

TEST(ContactNameFormatTest, NormalisationPicksAFormatThatHasItsFields) {
  ContactName onlyCompany{u"", u"", u"", u"", u"Acme"};
  for (int format : {0, 1, 3, 4}) {
    auto f = static_cast<FileAsFormat>(format);
    EXPECT_EQ(BuildFileAs(f, onlyCompany, u"", kTexts), u"Acme") << "format " << format;
    EXPECT_EQ(f, FileAsFormat::Company) << "the normalised format is kept";
  }
  auto company = FileAsFormat::Company;
  EXPECT_EQ(BuildFileAs(company, {u"Ann", u"", u"Lee", u"", u""}, u"", kTexts), u"Lee, Ann")
      << "company cleared: saving builds format 0";
  EXPECT_EQ(company, FileAsFormat::LastFirstMiddle);
  auto custom = FileAsFormat::Custom;
  EXPECT_EQ(BuildFileAs(custom, onlyCompany, u"Mine", kTexts), u"Mine");
  EXPECT_EQ(Build(0, {u"", u"Jo", u"", u"", u""}), u"(No name)");
  EXPECT_EQ(Build(1, {u"", u"Jo", u"", u"", u""}), u"(No name)");
}

TEST(ContactNameFormatTest, RecognizeFindsTheFormatOrKeepsTheTextAsCustom) {
  ContactName full{u"Ann", u"B", u"Lee", u"Jr", u"Acme"};
  std::u16string custom;
  for (int format : {0, 1, 2, 3, 4}) {
    std::u16string fileAs = Build(format, full);
    EXPECT_EQ(RecognizeFileAs(fileAs, full, &custom), static_cast<FileAsFormat>(format))
        << "format " << format;
  }
  ContactName ann{u"Ann", u"", u"Lee", u"", u""};
  EXPECT_EQ(RecognizeFileAs(u"Lee Ann", ann, &custom), FileAsFormat::Custom);
  EXPECT_EQ(custom, u"Lee Ann");
  EXPECT_EQ(RecognizeFileAs(u"lee, ann", ann, &custom), FileAsFormat::Custom) << "compared with case";
  EXPECT_EQ(RecognizeFileAs(u"", ann, &custom), FileAsFormat::LastFirstMiddle)
      << "an empty FileAs is no custom text";

  custom.clear();
  EXPECT_EQ(RecognizeFileAs(u"Someone", {}, &custom), FileAsFormat::Custom) << "no name fields at all";
  EXPECT_EQ(custom, u"Someone");
  EXPECT_EQ(RecognizeFileAs(u"", {}, &custom), FileAsFormat::LastFirstMiddle);
  EXPECT_EQ(RecognizeFileAs(u"Lee", {u"", u"", u"Lee", u"", u""}, &custom), FileAsFormat::LastFirstMiddle);

  // Candidates of 1024 characters or more are not tried.
  ContactName longName{std::u16string(600, u'a'), u"", std::u16string(600, u'b'), u"", u""};
  std::u16string longFileAs = longName.last + u", " + longName.first;
  EXPECT_EQ(RecognizeFileAs(longFileAs, longName, &custom), FileAsFormat::Custom);
}

TEST(ContactNameFormatTest, MenuEntriesPreviewOrLabel) {
  auto entries = BuildFileAsMenuEntries({u"Ann", u"", u"Lee", u"", u"A & B"}, kTexts);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].text, u"Lee, Ann");
  EXPECT_EQ(entries[1].text, u"Ann Lee");
  EXPECT_EQ(entries[2].text, u"A && B") << "the first ampersand is doubled for the menu";
  EXPECT_EQ(entries[3].text, u"Lee, Ann (A && B)");
  EXPECT_EQ(entries[4].text, u"A && B, (Lee, Ann)");
  for (const auto& entry : entries) EXPECT_TRUE(entry.enabled);

  entries = BuildFileAsMenuEntries({u"", u"", u"Lee", u"", u""}, kTexts);
  EXPECT_TRUE(entries[0].enabled) << "a last name alone still files as format 0";
  EXPECT_EQ(entries[0].text, u"Lee");
  EXPECT_FALSE(entries[1].enabled);
  EXPECT_EQ(entries[1].text, u"First Middle Last Suffix");
  EXPECT_FALSE(entries[2].enabled);
  EXPECT_EQ(entries[2].text, u"Company");
  EXPECT_EQ(entries[3].text, u"Last, First (Company)");
  EXPECT_EQ(entries[4].text, u"Company, (Last, First Middle)");

  entries = BuildFileAsMenuEntries({u"", u"", u"", u"", u""}, kTexts);
  EXPECT_FALSE(entries[0].enabled);
  EXPECT_EQ(entries[0].text, u"Last, First Middle");
}

TEST(ContactNameFormatTest, NameVariantsAreDistinctWithoutRegardToCase) {
  auto variants = BuildNameVariants(u"Lee, Ann", {u"Ann", u"B", u"Lee", u"Jr", u"Acme & Co"});
  std::vector<std::pair<unsigned, std::u16string>> expected{{5000, u"Lee, Ann"},
                                                            {5001, u"Ann Lee"},
                                                            {5002, u"Lee, Ann B"},
                                                            {5003, u"Ann B Lee Jr"},
                                                            {5004, u"Acme && Co"},
                                                            {5005, u"Lee, Ann (Acme && Co)"},
                                                            {5006, u"Acme && Co, (Lee, Ann B)"}};
  EXPECT_EQ(variants, expected);

  variants = BuildNameVariants(u"ann lee", {u"Ann", u"", u"Lee", u"", u""});
  ASSERT_EQ(variants.size(), 2u) << "5001 equals FileAs without regard to case, 5003 equals 5001";
  EXPECT_EQ(variants[1], (std::pair<unsigned, std::u16string>{5002, u"Lee, Ann"}));

  variants = BuildNameVariants(u"X", {u"", u"", u"Lee", u"", u""});
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[1], (std::pair<unsigned, std::u16string>{5002, u"Lee"}));
  EXPECT_EQ(BuildNameVariants(u"X", {u"", u"", u"Lee", u"", u"Acme"}).size(), 2u)
      << "Last alone is not offered beside a company";
}

TEST(ContactNameFormatTest, MenuEscapingDoublesOnlyTheFirstAmpersand) {
  EXPECT_EQ(EscapeMenuText(u"A & B & C"), u"A && B & C");
  EXPECT_EQ(EscapeMenuText(u"none"), u"none");
  std::u16string longText(1023, u'&');
  EXPECT_EQ(EscapeMenuText(longText), longText) << "no room left in the menu buffer";
}

}  // namespace

namespace {

class FileAsMenuTest : public calyra::testing::DeviceTest {};

TEST_F(FileAsMenuTest, FillsTheResourceMenuOnce) {
  using namespace calyra;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCustomFileAsCommand, u"Custom...");
  ContactName name{u"Ann", u"", u"Lee", u"", u"A & B"};
  FillFileAsMenu(menu, name, FileAsFormat::FirstMiddleLastSuffix, kTexts);
  ASSERT_EQ(GetMenuItemCount(menu), 7);
  EXPECT_EQ(GetMenuItemID(menu, 0), 43004u);
  EXPECT_EQ(GetMenuItemID(menu, 4), 43000u);
  EXPECT_EQ(GetMenuItemID(menu, 6), kCustomFileAsCommand);
  WCHAR text[64];
  GetMenuStringW(menu, 2, text, 64, MF_BYPOSITION);
  EXPECT_EQ(std::u16string(text), u"A && B");
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);

  // Opened again for a contact without a company: no entries are added twice.
  FillFileAsMenu(menu, {u"Ann", u"", u"Lee", u"", u""}, FileAsFormat::Custom, kTexts);
  EXPECT_EQ(GetMenuItemCount(menu), 7);
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
  GetMenuStringW(menu, 2, text, 64, MF_BYPOSITION);
  EXPECT_EQ(std::u16string(text), u"Company") << "a disabled entry shows its label";
  EXPECT_EQ(GetMenuState(menu, 6, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED) << "the custom entry";
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
  DestroyMenu(menu);
  FillFileAsMenu(menu, name, FileAsFormat::Company, kTexts);  // a destroyed menu: nothing happens
}

}  // namespace
