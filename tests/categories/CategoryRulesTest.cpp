// The rules of category names, icon file names, colours, the special categories and the change flags.
#include <gtest/gtest.h>

#include <string>

#include "CalyraEditorResources.h"
#include "categories/BuiltInCategories.h"
#include "categories/CategoryChangeFlags.h"
#include "categories/CategoryColours.h"
#include "categories/CategoryFiles.h"
#include "categories/CategoryNames.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using calyra::testing::DeviceTest;

class CategoryRulesTest : public DeviceTest {
 protected:
  // The default resources with another language tag.
  static HINSTANCE ResourcesTagged(const char16_t* tag) {
    auto module = platform::ResourceModuleFromTable(CalyraResources_Table());
    module->AddString(kStringLanguageTag, tag);
    return platform::RegisterResourceModule(module);
  }
  static std::vector<std::u16string> SpecialNames(HINSTANCE resources) {
    std::vector<std::u16string> names;
    for (const BuiltInCategory& special : BuiltInCategories(resources)) names.push_back(special.name);
    return names;
  }
};

TEST_F(CategoryRulesTest, NamesAreCheckedInOrder) {
  const std::vector<std::u16string> listed{u"Work", u"Old-->(hidden)"};
  struct Case {
    std::u16string text;
    unsigned refusal;
    std::u16string stored;
  };
  const Case cases[] = {
      {u"", kStringCategoryNameMissing, u""},
      {u"A;B", kStringCategorySeparatorInName, u""},
      {u"A,B", kStringCategorySeparatorInName, u""},
      {u"   ", kStringCategoryNameBlank, u""},
      {u"Work", kStringCategoryExists, u"Work"},
      {u"Work  ", kStringCategoryExists, u"Work"},
      {u"work", 0, u"work"},  // the same text only
      {u"Home ", 0, u"Home"},
      {u"  Home", 0, u"  Home"},  // leading blanks stay
      {u"Old-->(hidden)", kStringCategoryExists, u"Old-->(hidden)"},
  };
  for (const Case& c : cases) {
    CategoryNameCheck check = CheckCategoryName(c.text, listed);
    EXPECT_EQ(check.refusal, c.refusal) << platform::ToUtf8(c.text);
    if (!c.refusal || c.refusal == kStringCategoryExists) {
      EXPECT_EQ(check.name, c.stored) << platform::ToUtf8(c.text);
    }
  }
  std::u16string longName(300, u'x');
  EXPECT_EQ(CheckCategoryName(longName, {}).name.size(), kCategoryNameChars) << "cut at the edit's bound";
  EXPECT_EQ(MarkedCategoryName(u"Old", u"hidden"), u"Old-->(hidden)");
}

TEST_F(CategoryRulesTest, IconFileNamesAreFileSafe) {
  struct Case {
    std::u16string name;
    std::optional<std::u16string> file;
  };
  const Case cases[] = {
      {u"a/b", u"a_b"},
      {u"  Work", u"__Work"},
      {u"Work  x", u"Work  x"},
      {u"\\/:*?\"<>|", u"_________"},
      {u"", std::nullopt},
      {std::u16string(250, u'n'), std::u16string(250, u'n')},
      {std::u16string(251, u'n'), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CategoryFileName(c.name), c.file) << platform::ToUtf8(c.name);
}

TEST_F(CategoryRulesTest, IconPathsLieInTheCategoriesFolder) {
  EXPECT_EQ(CategoryIconPath(u"a/b"), u"\\My Documents\\Category Icons\\a_b.bmp") << "the default folder";
  platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey)
      .SetText(u"Core.Categories", u"\\Icons\\");
  EXPECT_EQ(CategoryIconPath(u"Work"), u"\\Icons\\Work.bmp");
  EXPECT_EQ(CategoryIconPath(u"cybirthday"), u"\\Icons\\cybirthday.bmp");
  EXPECT_EQ(CategoryIconPath(std::u16string(251, u'n')), std::nullopt);
}

TEST_F(CategoryRulesTest, ColoursAreFourBytesAndMoveWithTheName) {
  EXPECT_EQ(CategoryColour(u"Work"), std::nullopt) << "none: white is shown";
  SetCategoryColour(u"Work", 0x00332211);
  auto bytes = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey).Bytes(u"CatColor.Work");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, (std::vector<BYTE>{0x11, 0x22, 0x33, 0x00})) << "red, green, blue, zero";
  EXPECT_EQ(CategoryColour(u"Work"), 0x00332211u);

  MoveCategoryColour(u"Work", u"Office");
  EXPECT_EQ(CategoryColour(u"Work"), std::nullopt);
  EXPECT_EQ(CategoryColour(u"Office"), 0x00332211u);
  SetCategoryColour(u"Office", std::nullopt);
  EXPECT_FALSE(
      platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey).Bytes(u"CatColor.Office"))
      << "no colour deletes the value";

  const BYTE eight[8] = {1, 2, 3, 0, 5, 6, 7, 8};
  platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey)
      .SetBytes(u"CatColor.Odd", REG_BINARY, eight, sizeof(eight));
  EXPECT_EQ(CategoryColour(u"Odd"), std::nullopt) << "a value not of 4 bytes is no colour";
}

TEST_F(CategoryRulesTest, TheColourTableReadsEveryColourAtOnce) {
  SetCategoryColour(u"Work", 0x00112233);
  SetCategoryColour(u"cynone", 0x00445566);
  auto key = platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey);
  key.SetText(u"CatColor.Long", u"not a colour");
  key.SetText(u"Core.Categories", u"\\Icons");
  CategoryColourTable table = CategoryColourTable::Read();
  EXPECT_EQ(table.Of(u"Work"), 0x00112233u);
  EXPECT_EQ(table.Of(u"work"), 0x00112233u) << "value names ignore case, as the registry does";
  EXPECT_EQ(table.Of(u"cynone"), 0x00445566u);
  EXPECT_EQ(table.Of(u"Long"), std::nullopt);
  EXPECT_EQ(table.Of(u"Home"), std::nullopt);
  EXPECT_EQ(CategoryColour(u"work"), 0x00112233u);
}

TEST_F(CategoryRulesTest, SpecialCategoriesFollowTheLanguageTag) {
  struct Case {
    const char16_t* tag;
    std::vector<std::u16string> names;
  };
  const Case cases[] = {
      {u"EN", {u"*Contact Anniversary", u"*Contact Birthday", u"**No Categories"}},
      {u"DE", {u"*Kontakt Jahrestag", u"*Kontakt Geburtstag", u"**Keine Kategorien"}},
      {u"NL", {u"*Jubilieum contactpersoon", u"*Verjaardag contactpersoon", u"**Geen categorieën"}},
      {u"FR", {u"*Contact Fête", u"*Contact Anniversaire", u"**Pas de Catégories"}},
      {u"ES", {u"*Aniversarios Contactos", u"*Cumpleaños Contactos", u"**Sin Categorias"}},
      {u"IT", {u"*Anniversario Contatto", u"*Compleanno Contatto", u"**Nessuna Categoria"}},
      {u"PT", {u"*Contact Anniversary", u"*Contact Birthday", u"**No Categories"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SpecialNames(ResourcesTagged(c.tag)), c.names) << platform::ToUtf8(c.tag);

  std::vector<BuiltInCategory> specials = BuiltInCategories(ResourcesTagged(u"DE"));
  ASSERT_EQ(specials.size(), 3u);
  EXPECT_EQ(std::u16string(specials[0].key), u"cyanniversary");
  EXPECT_EQ(specials[0].changeIndex, -3);
  EXPECT_EQ(std::u16string(specials[1].key), u"cybirthday");
  EXPECT_EQ(specials[1].changeIndex, -2);
  EXPECT_EQ(std::u16string(specials[2].key), u"cynone");
  EXPECT_EQ(specials[2].changeIndex, -1);
}

TEST_F(CategoryRulesTest, ChangeFlagsAreKeptPerViewUntilCleared) {
  CategoryChangeFlags flags;
  EXPECT_FALSE(flags.Any());
  flags.Mark(9);
  for (int view : {CategoryChangeFlags::kAppointmentView, CategoryChangeFlags::kTaskView}) {
    EXPECT_TRUE(flags.IsChanged(view, 9, false)) << view;
    EXPECT_TRUE(flags.IsChanged(view, 9, false)) << view << ": asking without clearing keeps it";
    EXPECT_FALSE(flags.IsChanged(view, 8, false));
  }
  EXPECT_TRUE(flags.IsChanged(CategoryChangeFlags::kAppointmentView, 9, true));
  EXPECT_FALSE(flags.IsChanged(CategoryChangeFlags::kAppointmentView, 9, false)) << "cleared";
  EXPECT_TRUE(flags.IsChanged(CategoryChangeFlags::kTaskView, 9, false)) << "the other view keeps its flag";
  EXPECT_FALSE(flags.IsChanged(2, 9, false)) << "view 2 has no flags";

  for (int special : {-1, -2, -3}) {
    flags.Mark(special);
    EXPECT_TRUE(flags.IsChanged(CategoryChangeFlags::kTaskView, special, true)) << special;
    EXPECT_FALSE(flags.IsChanged(CategoryChangeFlags::kTaskView, special, false)) << special;
    EXPECT_TRUE(flags.IsChanged(CategoryChangeFlags::kAppointmentView, special, false)) << special;
  }
  flags.Mark(1023);
  EXPECT_TRUE(flags.IsChanged(CategoryChangeFlags::kTaskView, 1023, false));
  flags.Mark(1024);
  flags.Mark(-4);
  EXPECT_FALSE(flags.IsChanged(CategoryChangeFlags::kTaskView, 1024, false));
  EXPECT_FALSE(flags.IsChanged(CategoryChangeFlags::kTaskView, -4, false));
}

}  // namespace
