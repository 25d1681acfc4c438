#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "CalyraEditorResources.h"
#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

constexpr const char16_t* kLibrary = u"CalyraEditorResources.dll";

struct ExpectedString {
  UINT id;
  const char* specifiers;  // the printf specifiers of the text, in order; "" for a text shown as is
};

// The numbers of every string the component loads from its resource module, with the values each
// text is formatted with.
constexpr ExpectedString kComponentStrings[] = {
    {1007, ""},          {2000, ""},          {2001, ""},        {2002, ""},    {3021, ""},
    {3022, ""},          {3025, ""},          {3026, ""},        {3027, ""},    {10000, ""},
    {20100, ""},         {20101, ""},         {22500, ""},       {22501, ""},   {22502, ""},
    {22503, ""},         {22504, ""},         {22505, ""},       {22506, ""},   {22507, ""},
    {22508, ""},         {26005, ""},         {26006, ""},       {26007, ""},   {26010, ""},
    {26011, ""},         {26012, ""},         {26013, ""},       {27000, ""},   {38500, ""},
    {38501, ""},         {38502, ""},         {38503, ""},       {38504, ""},   {38700, ""},
    {41000, ""},         {41001, ""},         {41002, ""},       {41003, ""},   {41004, ""},
    {41005, ""},         {41006, ""},         {41007, ""},       {41008, ""},   {41009, ""},
    {41010, ""},         {41011, ""},         {41012, ""},       {41013, ""},   {41014, ""},
    {41015, ""},         {41016, ""},         {41017, ""},       {41018, ""},   {41019, ""},
    {41020, ""},         {41021, ""},         {41022, ""},       {41023, ""},   {41024, ""},
    {41025, ""},         {41026, ""},         {41027, ""},       {41028, ""},   {41029, ""},
    {41030, ""},         {41031, ""},         {41032, ""},       {41033, ""},   {41034, ""},
    {41035, ""},         {41036, ""},         {41037, ""},       {41038, ""},   {41039, ""},
    {41040, ""},         {41041, ""},         {41042, ""},       {41043, ""},   {41044, ""},
    {41045, ""},         {41046, ""},         {41047, ""},       {41048, ""},   {41100, ""},
    {41101, ""},         {41102, ""},         {41103, ""},       {41104, ""},   {41105, ""},
    {41106, ""},         {41107, ""},         {41108, ""},       {41109, ""},   {41110, ""},
    {41111, ""},         {41112, ""},         {41113, ""},       {41114, ""},   {41115, ""},
    {41116, ""},         {41117, ""},         {41118, ""},       {41119, ""},   {41120, ""},
    {41121, ""},         {41122, ""},         {41123, ""},       {41124, ""},   {41125, ""},
    {41126, ""},         {50002, ""},         {53000, "%s"},     {53001, "%s"}, {53002, "%s"},
    {53003, ""},         {53004, ""},         {53005, ""},       {53006, ""},   {61001, ""},
    {61002, ""},         {61006, ""},         {61025, ""},       {63001, ""},   {63002, ""},
    {63003, ""},         {63004, ""},         {63006, ""},       {63007, ""},   {63008, ""},
    {63009, "%s"},       {63010, ""},         {63016, ""},       {63017, "%s"}, {63018, ""},
    {63019, "%s"},       {63021, ""},         {63022, ""},       {63023, ""},   {63025, ""},
    {63026, ""},         {63100, ""},         {63502, ""},       {63504, ""},   {63509, ""},
    {63510, ""},         {63511, ""},         {63517, ""},       {63518, ""},   {63526, ""},
    {63527, ""},         {63547, ""},         {63549, ""},       {63553, ""},   {63556, ""},
    {63557, ""},         {63558, ""},         {63559, ""},       {63584, ""},   {63585, ""},
    {63586, ""},         {63587, ""},         {63588, ""},       {63589, ""},   {63590, ""},
    {63591, ""},         {63592, ""},         {63593, ""},       {63594, ""},   {63595, ""},
    {63597, ""},         {63598, ""},         {63604, ""},       {63608, ""},   {63609, ""},
    {63610, ""},         {63611, ""},         {63612, ""},       {63613, ""},   {63614, ""},
    {63615, ""},         {63616, ""},         {63617, ""},       {63619, ""},   {63620, "%s%s"},
    {63621, "%s%s%s"},   {63622, "%s%s"},     {63623, "%s%s%s"}, {63624, ""},   {63635, ""},
    {63636, ""},         {63641, "%s%d%d%d"}, {63642, ""},       {63644, ""},   {63645, ""},
    {63650, "%.2f%.2f"}, {63651, ""},         {63652, ""},       {63653, ""},   {63670, ""},
    {63671, ""},         {63672, ""},         {63673, ""},       {63687, ""},   {63688, ""},
    {63695, ""},         {63732, ""},         {63736, ""},       {63737, ""},   {63738, ""},
    {63739, ""},         {63740, ""},         {63741, ""},       {63742, ""},   {63743, ""},
    {63744, ""},         {63745, ""},         {63746, ""},       {63747, ""},   {63748, ""},
    {63749, ""},         {63760, ""},         {63761, ""},       {63762, ""},   {63763, ""},
    {63764, ""},         {63765, ""},         {63766, ""},       {63767, ""},   {63768, ""},
    {63769, ""},         {63770, ""},         {63771, ""},       {63772, ""},   {63773, ""},
    {63774, "%d"},       {63775, ""},         {63776, ""},       {63777, ""},   {63778, ""},
    {63779, ""},         {63780, ""},         {63781, ""},       {63782, ""},   {63783, ""},
    {63784, ""},         {63785, ""},         {63786, ""},       {63787, ""},   {63788, ""},
    {63789, ""},         {63790, ""},         {63791, ""},       {63792, ""},   {63793, ""},
    {63794, ""},         {63795, ""},         {63796, ""},       {63797, ""},   {63798, ""},
    {63799, ""},         {63800, ""},         {63801, ""},       {63802, ""},   {63803, ""},
    {63804, ""},         {63805, "%s%s%s%s"}, {64335, "%s"},     {64336, ""},   {64347, ""},
    {64348, ""},         {64353, ""},         {64370, ""},       {64377, ""},   {64378, "%d"},
    {64379, ""},         {64380, "%d"},       {64381, ""},       {64382, "%d"}, {64912, ""},
    {64913, "%s"},       {64914, ""},         {64915, ""},       {64936, ""},   {64938, ""},
    {64944, ""},         {64949, ""},         {64950, ""},       {64951, ""},   {64952, ""},
    {64964, ""},         {64965, ""},         {64966, ""},       {64970, ""},   {64971, "%s"},
    {64972, ""},
};

// The printf specifiers of a text, in order ("%%" is a percent sign, not a specifier); "?" marks a
// "%" that does not start a specifier.
std::string Specifiers(std::u16string_view text) {
  std::string found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    if (i + 1 < text.size() && text[i + 1] == u'%') {
      ++i;
      continue;
    }
    size_t end = i + 1;
    auto in = [&](std::u16string_view set) {
      return end < text.size() && set.find(text[end]) != std::u16string_view::npos;
    };
    while (in(u"-+ #0")) ++end;
    while (in(u"0123456789")) ++end;
    if (in(u".")) {
      ++end;
      while (in(u"0123456789")) ++end;
    }
    while (in(u"hlL")) ++end;
    if (!in(u"diouxXcsSfeEgGp")) return found + "?";
    ++end;
    found += platform::ToUtf8(text.substr(i, end - i));
    i = end - 1;
  }
  return found;
}

std::u16string String(HINSTANCE module, UINT id) {
  const char16_t* text = nullptr;
  int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::u16string(text, static_cast<size_t>(length)) : std::u16string();
}

class ResourceLibraryTest : public DeviceTest {
 protected:
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    DeviceTest::TearDown();
  }
  HINSTANCE module_ = nullptr;
};

TEST_F(ResourceLibraryTest, AnswersEveryStringTheComponentLoads) {
  module_ = LoadLibraryW(kLibrary);
  ASSERT_NE(module_, nullptr) << GetLastError();
  for (const ExpectedString& expected : kComponentStrings) {
    std::u16string text = String(module_, expected.id);
    EXPECT_FALSE(text.empty()) << expected.id;
    EXPECT_EQ(Specifiers(text), expected.specifiers) << expected.id << ": " << platform::ToUtf8(text);
  }
}

TEST_F(ResourceLibraryTest, CarriesOnlyTheStringsTheComponentLoads) {
  module_ = LoadLibraryW(kLibrary);
  ASSERT_NE(module_, nullptr);
  auto module = platform::ResourceModuleOf(module_);
  ASSERT_NE(module, nullptr);
  std::set<UINT> listed;
  for (const ExpectedString& expected : kComponentStrings) {
    EXPECT_TRUE(listed.insert(expected.id).second) << expected.id << " listed twice";
  }
  for (const auto& [id, text] : module->Strings()) {
    EXPECT_TRUE(listed.count(id)) << id << " is not a string the component loads";
    EXPECT_FALSE(text.empty()) << id;
  }
  EXPECT_EQ(module->StringCount(), listed.size());
}

TEST_F(ResourceLibraryTest, TableIsSortedWithoutDuplicates) {
  void* library = dlopen(CALYRA_RESOURCES_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto entry = reinterpret_cast<CalyraResourcesTableFunction>(dlsym(library, CALYRA_RESOURCES_ENTRY));
  ASSERT_NE(entry, nullptr);
  const CalyraResourceTable* table = entry();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->version, CALYRA_RESOURCES_VERSION);
  ASSERT_EQ(table->stringCount, std::size(kComponentStrings));
  for (uint32_t i = 0; i < table->stringCount; ++i) {
    ASSERT_NE(table->strings[i].text, nullptr) << table->strings[i].id;
    EXPECT_NE(table->strings[i].text[0], u'\0') << table->strings[i].id;
    if (i > 0) {
      EXPECT_LT(table->strings[i - 1].id, table->strings[i].id) << "out of order or twice";
    }
  }
  // Only the entry is exported; the tables themselves stay hidden.
  EXPECT_EQ(dlsym(library, "_ZN6calyra9resources8kStringsE"), nullptr);
  dlclose(library);
}

TEST_F(ResourceLibraryTest, QuotedTextsAreExact) {
  module_ = LoadLibraryW(kLibrary);
  ASSERT_NE(module_, nullptr);
  EXPECT_EQ(String(module_, 63502), u"EN");               // the language of the wording
  EXPECT_EQ(String(module_, 63598), u"Preview Default");  // the default contact preview layout
}

TEST_F(ResourceLibraryTest, CopiesStringsIntoABuffer) {
  module_ = LoadLibraryW(kLibrary);
  ASSERT_NE(module_, nullptr);
  char16_t buffer[6];
  EXPECT_EQ(LoadStringW(module_, 53000, buffer, 6), 5);
  EXPECT_EQ(std::u16string_view(buffer), u"Delet");
  EXPECT_EQ(LoadStringW(module_, 1, buffer, 6), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(ResourceLibraryTest, NamesMapToTheSharedLibrary) {
  const char16_t* names[] = {
      u"\\Windows\\CALYRAEDITORRESOURCES.DLL",  // device folder ignored, any case
      u"CalyraEditorResources",                 // no extension: a DLL
      u"libCalyraEditorResources.so",
      u"libCalyraEditorResources.SO",
  };
  for (const char16_t* name : names) {
    HINSTANCE module = LoadLibraryW(name);
    ASSERT_NE(module, nullptr) << platform::ToUtf8(name);
    EXPECT_FALSE(String(module, 10000).empty()) << platform::ToUtf8(name);
    EXPECT_TRUE(FreeLibrary(module));
  }
  HINSTANCE byPath = LoadLibraryW(platform::FromUtf8(CALYRA_RESOURCES_LIBRARY).c_str());
  ASSERT_NE(byPath, nullptr);
  EXPECT_FALSE(String(byPath, 64336).empty());
  EXPECT_TRUE(FreeLibrary(byPath));
}

TEST_F(ResourceLibraryTest, EachLoadIsItsOwnHandle) {
  HINSTANCE first = LoadLibraryW(kLibrary);
  HINSTANCE second = LoadLibraryW(kLibrary);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(String(first, 10000), u"");
  EXPECT_FALSE(String(second, 10000).empty()) << "the library stays loaded";
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_TRUE(FreeLibrary(second));
}

TEST_F(ResourceLibraryTest, MissingLibraryFails) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"NoSuchResources.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"CalyraEditorResources.txt"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"/no/such/folder/libCalyraEditorResources.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"\\Windows\\"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(ResourceLibraryTest, LibraryWithoutTableLoadsWithoutResources) {
  module_ = LoadLibraryW(u"CalyraNoResources.dll");
  ASSERT_NE(module_, nullptr) << "a code library: " << GetLastError();
  WCHAR buffer[8];
  SetLastError(0);
  EXPECT_EQ(LoadStringW(module_, 10000, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(ResourceLibraryTest, ModuleFromTableCarriesDialogsMenusAndBitmaps) {
  static const CalyraResourceString strings[] = {{7, u"Seven"}, {8, nullptr}};
  static const CalyraResourceDialogItem items[] = {
      {u"BUTTON", 1, u"OK", 0x50010000, 0, 4, 60, 40, 14},
      {u"EDIT", 1001, u"", 0x50810080, 0x200, 4, 4, 100, 12},
  };
  static const CalyraResourceDialog dialogs[] = {
      {500, u"Name", 0x80C80000, 0, 0, 0, 120, 80, items, 2},
  };
  static const CalyraResourceMenuEntry entries[] = {
      {u"Edit", 0, 0, 0}, {u"Cut", 40025, 0, 1},          {u"", 0, MF_SEPARATOR, 1},
      {u"More", 0, 0, 1}, {u"Undo", 40022, MF_GRAYED, 2}, {u"OK", 40008, 0, 0},
  };
  static const CalyraResourceMenu menus[] = {{320, entries, 6}, {321, nullptr, 0}};
  static const uint8_t image[] = {'B', 'M', 0, 0};
  static const CalyraResourceBitmap bitmaps[] = {{160, image, sizeof(image)}};
  const CalyraResourceTable table = {CALYRA_RESOURCES_VERSION, strings, 2, dialogs, 1, menus, 2, bitmaps, 1};

  auto module = platform::ResourceModuleFromTable(&table);
  ASSERT_NE(module, nullptr);
  ASSERT_NE(module->String(7), nullptr);
  EXPECT_EQ(*module->String(7), u"Seven");
  EXPECT_EQ(module->String(8), nullptr) << "a string without text is left out";

  const platform::DialogTemplate* dialog = module->Dialog(500);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption, u"Name");
  EXPECT_EQ(dialog->style, 0x80C80000u);
  EXPECT_EQ(dialog->rect.right, 120);
  EXPECT_EQ(dialog->rect.bottom, 80);
  ASSERT_EQ(dialog->items.size(), 2u);
  EXPECT_EQ(dialog->items[1].className, u"EDIT");
  EXPECT_EQ(dialog->items[1].id, 1001);
  EXPECT_EQ(dialog->items[1].exStyle, 0x200u);
  EXPECT_EQ(dialog->items[0].rect.top, 60);

  const auto* menu = module->Menu(320);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->size(), 2u);
  const platform::MenuTemplateItem& edit = (*menu)[0];
  EXPECT_EQ(edit.text, u"Edit");
  EXPECT_TRUE(edit.flags & MF_POPUP);
  ASSERT_EQ(edit.entries.size(), 3u);
  EXPECT_EQ(edit.entries[0].id, 40025u);
  EXPECT_EQ(edit.entries[1].flags, MF_SEPARATOR);
  ASSERT_EQ(edit.entries[2].entries.size(), 1u);
  EXPECT_EQ(edit.entries[2].entries[0].id, 40022u);
  EXPECT_EQ((*menu)[1].id, 40008u);
  ASSERT_NE(module->Menu(321), nullptr);
  EXPECT_TRUE(module->Menu(321)->empty());

  const auto* bitmap = module->Bitmap(160);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->size(), sizeof(image));

  HINSTANCE registered = platform::RegisterResourceModule(module);
  HMENU loaded = LoadMenuW(registered, MAKEINTRESOURCEW(320));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(GetMenuItemCount(loaded), 2);
  DestroyMenu(loaded);
  EXPECT_TRUE(FreeLibrary(registered));
}

TEST_F(ResourceLibraryTest, TableOfAnotherVersionIsRefused) {
  const CalyraResourceTable table = {
      CALYRA_RESOURCES_VERSION + 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0};
  SetLastError(0);
  EXPECT_EQ(platform::ResourceModuleFromTable(&table), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
  EXPECT_EQ(platform::ResourceModuleFromTable(nullptr), nullptr);
}

}  // namespace
