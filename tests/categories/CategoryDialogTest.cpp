// The category dialog as a host calls it, worked by a scripted person.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "categories/CategoryColours.h"
#include "categories/CategoryFiles.h"
#include "categories/CategoryIcons.h"
#include "editors/EditorMessages.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CategoryDatabase.h"
#include "store/CategorySet.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

constexpr CEPROPID kSubject = 0x0037001F;

class CategoryDialogTest : public EditorHostTest {
 protected:
  int RunDialog(int showUnlisted = 0) { return CalyraEditor_CategoryAddDeleteDialog(host_, showUnlisted); }

  static CategoryRecord Find(const std::u16string& name) {
    for (const CategoryRecord& record : ReadCategoryRecords()) {
      if (record.name == name) return record;
    }
    return {};
  }
  static ItemOid AddItem(ItemKind kind, const std::u16string& subject, const std::vector<int>& categories) {
    Database db;
    if (!db.Exists(DatabaseNameOfKind(kind))) db.Create(DatabaseNameOfKind(kind), 0, {});
    EXPECT_TRUE(db.OpenByName(DatabaseNameOfKind(kind)));
    Record record;
    record.Set(PropertyValue::String(kSubject, subject));
    EXPECT_TRUE(db.WriteRecord(record));
    EXPECT_TRUE(SaveCategorySet(record.Oid(), kind, CategorySet::FromNumbers(categories)));
    return record.Oid();
  }
  // The texts of the dialog's category list, read by the person.
  static platform::ScriptedUserAgent::DialogStep& ReadRows(platform::ScriptedUserAgent::DialogStep& step,
                                                           std::vector<std::u16string>& rows) {
    return step.Do("read the rows", [&rows](HWND dialog) {
      rows.clear();
      HWND list = GetDlgItem(dialog, kCategoryList);
      for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        WCHAR text[300] = {};
        ListView_GetItemText(list, i, 0, text, 300);
        rows.emplace_back(text);
      }
      return true;
    });
  }
  // A palette folder of its own with one icon.
  std::u16string MakePalette() {
    std::u16string folder = u"\\Palette";
    CreateDirectoryW(folder.c_str(), nullptr);
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    EXPECT_TRUE(platform::SaveBitmapFile(bitmap, (folder + u"\\Star.bmp").c_str()));
    DeleteObject(bitmap);
    platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey)
        .SetText(u"SourceIconLocation", folder);
    return folder;
  }
  static bool FileExists(const std::u16string& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

TEST_F(CategoryDialogTest, AddingStoresTheTrimmedNameUnderTheLowestFreeIndex) {
  for (int index : {0, 1, 3}) AddCategoryRecord(platform::FormatText(u"C%d", {index}), index);
  user_->ExpectDialog(kDialogCategories).Type(kCategoryName, u"Work ").Click(kCategoryAdd).Click(IDOK);
  EXPECT_EQ(RunDialog(), 0) << "a category was added: the export answers 0";
  CategoryRecord work = Find(u"Work");
  EXPECT_EQ(work.index, 2);
  EXPECT_TRUE(work.listed);
  EXPECT_FALSE(work.InUse());
}

TEST_F(CategoryDialogTest, EveryRefusedNameShowsItsMessageAndAddsNothing) {
  AddCategoryRecord(u"Work");
  struct Case {
    std::u16string text;
    unsigned message;
  };
  const Case cases[] = {{u"", kStringCategoryNameMissing},
                        {u"A;B", kStringCategorySeparatorInName},
                        {u"A,B", kStringCategorySeparatorInName},
                        {u"    ", kStringCategoryNameBlank},
                        {u"Work", kStringCategoryExists}};
  for (const Case& c : cases) {
    user_->ExpectDialog(kDialogCategories).Type(kCategoryName, c.text).Click(kCategoryAdd).Click(IDOK);
    user_->ExpectMessageBoxString(c.message, IDOK);
    EXPECT_EQ(RunDialog(), 0) << platform::ToUtf8(c.text);
    EXPECT_EQ(ReadCategoryRecords().size(), 1u) << platform::ToUtf8(c.text);
  }
}

TEST_F(CategoryDialogTest, BrokenRecordsGoAndUnlistedOnesShowOnRequest) {
  AddCategoryRecord(u"Work");
  Database db;
  ASSERT_TRUE(db.OpenByName(CategoriesDatabaseName()));
  for (auto [name, index, listed] : {std::tuple{u"", 4, 1}, std::tuple{u"Far", 1027, 1},
                                     std::tuple{u"Kept", 1026, 1}, std::tuple{u"Synced", 5, 0}}) {
    Record record;
    record.Set(PropertyValue::String(kCategoryNameTag, name));
    record.Set(PropertyValue::Integer(kCategoryIndexTag, index));
    record.Set(PropertyValue::Integer(kCategoryListedTag, listed));
    ASSERT_TRUE(db.WriteRecord(record));
  }
  std::vector<std::u16string> rows;
  ReadRows(user_->ExpectDialog(kDialogCategories), rows).Click(IDOK);
  RunDialog();
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"Kept", u"Work"}));
  EXPECT_EQ(ReadCategoryRecords().size(), 3u) << "the empty name and index 1027 are deleted";

  ReadRows(user_->ExpectDialog(kDialogCategories), rows).Click(IDOK);
  RunDialog(1);
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"Kept", u"Synced-->(hidden)", u"Work"}));
}

TEST_F(CategoryDialogTest, AMarkedCategoryKeepsItsName) {
  AddCategoryRecord(u"Work");
  Database db;
  ASSERT_TRUE(db.OpenByName(CategoriesDatabaseName()));
  Record record;
  record.Set(PropertyValue::String(kCategoryNameTag, u"Synced"));
  record.Set(PropertyValue::Integer(kCategoryIndexTag, 5));
  ASSERT_TRUE(db.WriteRecord(record));
  user_->ExpectDialog(kDialogCategories)
      .Choose(kCategoryList, 0)
      .Type(kCategoryName, u"Mine")
      .Click(kCategoryRename)
      .Click(IDOK);
  user_->ExpectMessageBoxString(kStringHiddenCategoryRename, IDOK);
  RunDialog(1);
  EXPECT_EQ(Find(u"Synced").index, 5);
  EXPECT_EQ(Find(u"Mine").oid, 0u);
}

TEST_F(CategoryDialogTest, DeletingACategoryOfTwoAppointmentsAsksWithTheCountsAndClearsTheirBits) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  CategoryRecord home = AddCategoryRecord(u"Home");
  ItemOid first = AddItem(ItemKind::Appointment, u"Review", {work.index, home.index});
  ItemOid second = AddItem(ItemKind::Appointment, u"Planning", {work.index});
  ItemOid task = AddItem(ItemKind::Task, u"Report", {home.index});
  SetCategoryColour(u"Work", 0x0000FF);

  // Cancel keeps everything.
  user_->ExpectDialog(kDialogCategories).Choose(kCategoryList, 1).Click(kCategoryDelete).Click(IDOK);
  user_->ExpectMessageBox(
      u"The category \"Work\" is used by 2 appointments, 0 tasks and 0 contacts.\n\n"
      u"Delete it and remove it from these items?",
      IDCANCEL);
  RunDialog();
  EXPECT_EQ(Find(u"Work").appointments, 2);

  user_->ExpectDialog(kDialogCategories).Choose(kCategoryList, 1).Click(kCategoryDelete).Click(IDOK);
  user_->ExpectMessageBoxString(kStringDeleteUsedCategory, IDOK);
  EXPECT_EQ(RunDialog(), 0);
  EXPECT_EQ(Find(u"Work").oid, 0u);
  EXPECT_EQ(ReadCategorySet(first, ItemKind::Appointment).Numbers(), std::vector<int>{home.index});
  EXPECT_TRUE(ReadCategorySet(second, ItemKind::Appointment).Empty());
  EXPECT_EQ(ReadCategorySet(task, ItemKind::Task).Numbers(), std::vector<int>{home.index});
  EXPECT_EQ(CategoryColour(u"Work"), std::nullopt) << "the colour goes with the category";
}

TEST_F(CategoryDialogTest, AnUnusedCategoryIsDeletedWithoutAQuestionAndItsReadOnlyIconGoes) {
  MakePalette();
  AddCategoryRecord(u"Work");
  ASSERT_TRUE(AssignCategoryIcon(u"Work", u"\\Palette\\Star.bmp"));
  std::u16string icon = *CategoryIconPath(u"Work");
  SetFileAttributesW(icon.c_str(), FILE_ATTRIBUTE_READONLY);
  user_->ExpectDialog(kDialogCategories).Choose(kCategoryList, 0).Click(kCategoryDelete).Click(IDOK);
  RunDialog();
  EXPECT_TRUE(ReadCategoryRecords().empty());
  EXPECT_FALSE(FileExists(icon));
}

TEST_F(CategoryDialogTest, RenamingMovesTheIconFileAndTheColour) {
  MakePalette();
  CategoryRecord work = AddCategoryRecord(u"Work");
  ASSERT_TRUE(AssignCategoryIcon(u"Work", u"\\Palette\\Star.bmp"));
  SetCategoryColour(u"Work", 0x00FF00);
  user_->ExpectDialog(kDialogCategories)
      .Choose(kCategoryList, 0)
      .Type(kCategoryName, u"a/b")
      .Click(kCategoryRename)
      .Click(IDOK);
  user_->ExpectMessageBoxString(kStringKeepIconForNewName, IDYES);
  EXPECT_EQ(RunDialog(), 0) << "a new name: the export answers 0";
  EXPECT_EQ(Find(u"a/b").index, work.index);
  EXPECT_FALSE(HasCategoryIcon(u"Work"));
  EXPECT_TRUE(FileExists(CategoryIconFolder() + u"\\a_b.bmp"));
  EXPECT_EQ(CategoryColour(u"Work"), std::nullopt);
  EXPECT_EQ(CategoryColour(u"a/b"), 0x00FF00u);
}

TEST_F(CategoryDialogTest, RenamingAnswersNoDeletesTheIconAndCancelKeepsTheName) {
  MakePalette();
  AddCategoryRecord(u"Work");
  ASSERT_TRUE(AssignCategoryIcon(u"Work", u"\\Palette\\Star.bmp"));
  user_->ExpectDialog(kDialogCategories)
      .Choose(kCategoryList, 0)
      .Type(kCategoryName, u"Office")
      .Click(kCategoryRename)
      .Click(IDOK);
  user_->ExpectMessageBoxString(kStringKeepIconForNewName, IDCANCEL);
  RunDialog();
  EXPECT_NE(Find(u"Work").oid, 0u);
  EXPECT_TRUE(HasCategoryIcon(u"Work"));

  user_->ExpectDialog(kDialogCategories)
      .Choose(kCategoryList, 0)
      .Type(kCategoryName, u"Office")
      .Click(kCategoryRename)
      .Click(IDOK);
  user_->ExpectMessageBoxString(kStringKeepIconForNewName, IDNO);
  RunDialog();
  EXPECT_NE(Find(u"Office").oid, 0u);
  EXPECT_FALSE(HasCategoryIcon(u"Work"));
  EXPECT_FALSE(HasCategoryIcon(u"Office"));
}

TEST_F(CategoryDialogTest, AssigningAnIconMarksBothViewsAndTellsTheHost) {
  MakePalette();
  CategoryRecord work = AddCategoryRecord(u"Work", 9);
  user_->ExpectDialog(kDialogCategories)
      .Click(kCategoryShowIcons)
      .Choose(kCategoryPalette, 0)
      .Choose(kCategoryList, 3)  // below the three special categories
      .Click(kCategoryAssignIcon)
      .Click(IDOK)   // back to the names
      .Click(IDOK);  // closes
  EXPECT_EQ(RunDialog(), 1) << "only an icon changed";
  EXPECT_TRUE(HasCategoryIcon(u"Work"));
  Pump();
  EXPECT_EQ(HostMessagesAre({{kNotifyCategoryImages, platform::kPosted}}), "");
  for (int view : {1, 3}) {
    EXPECT_NE(CalyraEditor_IsCategoryImageChanged(view, work.index, 0), 0) << view;
    EXPECT_NE(CalyraEditor_IsCategoryImageChanged(view, work.index, 1), 0) << view;
    EXPECT_EQ(CalyraEditor_IsCategoryImageChanged(view, work.index, 0), 0) << view << " cleared";
  }
  EXPECT_EQ(CalyraEditor_IsCategoryImageChanged(2, work.index, 0), 0);
}

TEST_F(CategoryDialogTest, TheSpecialCategoriesShowOnlyOnTheIconsPageAndTakeIconsUnderTheirKeys) {
  MakePalette();
  AddCategoryRecord(u"Work");
  std::vector<std::u16string> names, icons;
  auto& step = user_->ExpectDialog(kDialogCategories);
  ReadRows(step, names).Click(kCategoryShowIcons);
  ReadRows(step, icons).Choose(kCategoryPalette, 0).Choose(kCategoryList, 1).Click(kCategoryAssignIcon);
  step.Choose(kCategoryList, 0).Click(kCategoryRemoveIcon).Click(IDOK).Click(IDOK);
  EXPECT_EQ(RunDialog(), 1);
  EXPECT_EQ(names, std::vector<std::u16string>{u"Work"});
  EXPECT_EQ(icons, (std::vector<std::u16string>{u"*Contact Anniversary", u"*Contact Birthday",
                                                u"**No Categories", u"Work"}));
  EXPECT_TRUE(HasCategoryIcon(u"cybirthday"));
  EXPECT_NE(CalyraEditor_IsCategoryImageChanged(3, -2, 0), 0);
  EXPECT_EQ(CalyraEditor_IsCategoryImageChanged(3, -3, 0), 0)
      << "removing an icon it does not have changes nothing";
}

TEST_F(CategoryDialogTest, EachRowStandsOnItsCategorysColour) {
  AddCategoryRecord(u"Home");
  AddCategoryRecord(u"Work");
  SetCategoryColour(u"Work", 0x00FF0000);
  std::vector<COLORREF> backgrounds;
  auto paint = [&backgrounds](HWND dialog) {
    for (const auto& text : platform::PaintListView(GetDlgItem(dialog, kCategoryList)))
      backgrounds.push_back(text.background);
    return true;
  };
  user_->ExpectDialog(kDialogCategories)
      .Do("paint", paint)
      .Choose(kCategoryList, 0)
      .Click(kCategoryColour)
      .Do("paint", paint)
      .Click(IDOK);
  user_->ExpectPopupMenu(kCommandFirstColour);
  RunDialog();
  EXPECT_EQ(backgrounds, (std::vector<COLORREF>{kNoCategoryColour, 0x00FF0000, 0x000000FF, 0x00FF0000}));
}

TEST_F(CategoryDialogTest, AColourIsPickedOrTakenAway) {
  AddCategoryRecord(u"Work");
  user_->ExpectDialog(kDialogCategories).Choose(kCategoryList, 0).Click(kCategoryColour).Click(IDOK);
  user_->ExpectPopupMenu(kCommandFirstColour);
  EXPECT_EQ(RunDialog(), 1) << "only a colour changed";
  auto bytes = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey).Bytes(u"CatColor.Work");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 4u);

  user_->ExpectDialog(kDialogCategories).Choose(kCategoryList, 0).Click(kCategoryColour).Click(IDOK);
  user_->ExpectPopupMenu(kCommandNoColour);
  EXPECT_EQ(RunDialog(), 1);
  EXPECT_EQ(CategoryColour(u"Work"), std::nullopt);
}

TEST_F(CategoryDialogTest, ThePaletteFolderIsMadeWithTheSampleIconsAndWrittenBack) {
  user_->ExpectDialog(kDialogCategories)
      .Click(kCategoryShowIcons)
      .Do("the palette shows the samples",
          [](HWND dialog) { return ListView_GetItemCount(GetDlgItem(dialog, kCategoryPalette)) == 6; })
      .Click(IDOK)
      .Click(IDOK);
  RunDialog();
  auto key = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey);
  std::optional<std::u16string> folder = key.Chars(u"SourceIconLocation", 520);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->c_str(), std::u16string(u"\\Program Files\\Calyra\\Calyra Sample Icons"));
  EXPECT_TRUE(FileExists(u"\\Program Files\\Calyra\\Calyra Sample Icons\\Star.bmp"));
}

TEST_F(CategoryDialogTest, ThePaletteFolderDialogRefusesTheCategoriesFolder) {
  MakePalette();
  CreateDirectoryW(u"\\Other", nullptr);
  int beeps = platform::BeepCount();
  user_->ExpectDialog(kDialogCategories)
      .Click(kCategoryShowIcons)
      .Click(kCategoryPaletteFolder)
      .Click(IDOK)
      .Click(IDOK);
  user_->ExpectDialog(kDialogIconFolder)
      .Type(kIconFolderPath, CategoryIconFolder())
      .Click(IDOK)
      .Type(kIconFolderPath, u"\\Other")
      .Click(IDOK);
  RunDialog();
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  EXPECT_EQ(platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey)
                .Chars(u"SourceIconLocation", 520)
                ->c_str(),
            std::u16string(u"\\Other"));
}

TEST_F(CategoryDialogTest, TheIconSetMenuSwitchesToASubfolderAndBack) {
  MakePalette();
  CreateDirectoryW(u"\\Sets", nullptr);
  CreateDirectoryW(u"\\Sets\\Bold", nullptr);
  HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
  for (const char16_t* name : {u"\\Sets\\Bold\\A.bmp", u"\\Sets\\Bold\\B.bmp"})
    platform::SaveBitmapFile(bitmap, name);
  DeleteObject(bitmap);
  platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey).SetText(u"AltIconSet1", u"\\Sets");
  std::vector<int> counts;
  auto count = [&counts](HWND dialog) {
    counts.push_back(ListView_GetItemCount(GetDlgItem(dialog, kCategoryPalette)));
    return true;
  };
  user_->ExpectDialog(kDialogCategories)
      .Click(kCategoryShowIcons)
      .Click(kCategoryIconSet)
      .Do("count", count)
      .Click(kCategoryIconSet)
      .Do("count", count)
      .Click(IDOK)
      .Click(IDOK);
  user_->ExpectPopupMenu(kCommandFirstIconSet);
  user_->ExpectPopupMenu(kCommandDefaultIconSet);
  RunDialog();
  EXPECT_EQ(counts, (std::vector<int>{2, 1}));
}

}  // namespace
