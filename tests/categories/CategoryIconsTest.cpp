// Icons at the screen's scale, the icon chooser, the special categories in another language and the
// host's request to switch away while the category dialog is up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "categories/CategoryFiles.h"
#include "categories/CategoryIcons.h"
#include "categories/IconChooser.h"
#include "platform/core/Device.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/registry/RegistryKey.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CategoryDatabase.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

// A palette of its own: "\Palette" with two 16 x 16 icons.
void MakePalette() {
  CreateDirectoryW(u"\\Palette", nullptr);
  HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
  for (const char16_t* name : {u"\\Palette\\Moon.bmp", u"\\Palette\\Sun.bmp"})
    EXPECT_TRUE(platform::SaveBitmapFile(bitmap, name));
  DeleteObject(bitmap);
  platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey)
      .SetText(u"SourceIconLocation", u"\\Palette");
}

SIZE BitmapSize(const std::u16string& path) {
  HBITMAP image = platform::DecodeImageFile(path.c_str());
  BITMAP size{};
  if (image) GetObjectW(image, sizeof(size), &size);
  DeleteObject(image);
  return {size.bmWidth, size.bmHeight};
}

class CategoryIconsTest : public EditorHostTest {};

TEST_F(CategoryIconsTest, TheIconChooserAnswersThePathOfTheIconChosen) {
  MakePalette();
  user_->ExpectDialog(kDialogIconChooser).Choose(kIconChooserPalette, 1).Click(IDOK);
  EXPECT_EQ(ChooseIconImage(host_, resources_), u"\\Palette\\Sun.bmp");

  user_->ExpectDialog(kDialogIconChooser).Choose(kIconChooserPalette, 0).Click(IDCANCEL);
  EXPECT_EQ(ChooseIconImage(host_, resources_), std::nullopt) << "cancelled";

  user_->ExpectDialog(kDialogIconChooser).Click(IDOK).Click(IDCANCEL);
  EXPECT_EQ(ChooseIconImage(host_, resources_), std::nullopt) << "OK without a choice keeps it up";
}

TEST_F(CategoryIconsTest, AnIconIsCopiedBelow192DotsPerInch) {
  MakePalette();
  ASSERT_TRUE(AssignCategoryIcon(u"Work", u"\\Palette\\Sun.bmp"));
  SIZE size = BitmapSize(*CategoryIconPath(u"Work"));
  EXPECT_EQ(size.cx, 16);
  EXPECT_EQ(size.cy, 16);
}

class HighDpiCategoryIconsTest : public EditorHostTest {
 protected:
  void ConfigureDevice() override {
    Device().SetSetting("Screen.DpiX", u"192");
    Device().SetSetting("Screen.DpiY", u"192");
  }
};

TEST_F(HighDpiCategoryIconsTest, AnIconIsDrawnAtTheScreensScaleFrom192DotsPerInch) {
  MakePalette();
  ASSERT_TRUE(AssignCategoryIcon(u"Work", u"\\Palette\\Sun.bmp"));
  SIZE size = BitmapSize(*CategoryIconPath(u"Work"));
  EXPECT_EQ(size.cx, 32);
  EXPECT_EQ(size.cy, 32);
  EXPECT_EQ(CategoryIconSize(), 32);
}

class GermanCategoryDialogTest : public EditorHostTest {
 protected:
  HINSTANCE MakeResources() override {
    auto module = platform::ResourceModuleFromTable(CalyraResources_Table());
    module->AddString(kStringLanguageTag, u"DE");
    return RegisterResourceModule(module);
  }
};

TEST_F(GermanCategoryDialogTest, TheIconsPageListsTheGermanSpecialCategories) {
  AddCategoryRecord(u"Arbeit");
  std::vector<std::u16string> rows;
  user_->ExpectDialog(kDialogCategories)
      .Click(kCategoryShowIcons)
      .Do("read the rows",
          [&rows](HWND dialog) {
            HWND list = GetDlgItem(dialog, kCategoryList);
            for (int i = 0; i < ListView_GetItemCount(list); ++i) {
              WCHAR text[64] = {};
              ListView_GetItemText(list, i, 0, text, 64);
              rows.emplace_back(text);
            }
            return true;
          })
      .Click(IDOK)
      .Click(IDOK);
  CalyraEditor_CategoryAddDeleteDialog(host_, 0);
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"*Kontakt Jahrestag", u"*Kontakt Geburtstag",
                                               u"**Keine Kategorien", u"Arbeit"}));
}

TEST_F(CategoryIconsTest, TheHostsRequestToSwitchAwayEndsTheDialog) {
  AddCategoryRecord(u"Work");
  user_->ExpectDialog(kDialogCategories)
      .Type(kCategoryName, u"Home")
      .Click(kCategoryAdd)
      .Do("the host asks to switch away",
          [this](HWND) { return CalyraEditor_IsEditorActive(1, host_, kHostMessage, 5, 6) == 1; });
  EXPECT_EQ(CalyraEditor_CategoryAddDeleteDialog(host_, 0), 0);
  EXPECT_EQ(ReadCategoryRecords().size(), 2u) << "what was done stays done";
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 5, 6), 0) << "no dialog is up any more";
}

}  // namespace
