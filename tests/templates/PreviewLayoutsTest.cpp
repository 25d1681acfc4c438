#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "templates/PreviewLayouts.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::PreviewLayout;
using calyra::PreviewLayouts;
using calyra::testing::DeviceTest;

constexpr const char16_t* kSubkeyPath = u"SOFTWARE\\Velmora\\Calyra Editor\\Templates";

// The layouts in the registry of a fresh device, with a resource module that names the default layout.
class PreviewLayoutsTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = Resources(u"Preview Default");
  }
  static HINSTANCE Resources(std::u16string defaultName) {
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddString(calyra::resources::kStringDefaultPreviewLayout, std::move(defaultName));
    return RegisterResourceModule(module);
  }
  static PreviewLayout Layout(std::u16string name, BYTE first) {
    PreviewLayout layout{std::move(name), {}};
    layout.data[0] = first;
    layout.data[191] = static_cast<BYTE>(first + 1);
    return layout;
  }
  static bool SubkeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSubkeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  // The values of the subkey as they are stored: name, type and size, in enumeration order.
  struct StoredValue {
    std::u16string name;
    DWORD type;
    DWORD bytes;
    bool operator==(const StoredValue&) const = default;
  };
  static std::vector<StoredValue> Stored() {
    std::vector<StoredValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSubkeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
      char16_t name[300];
      DWORD chars = 300, type = 0, bytes = 0;
      if (RegEnumValueW(key, index, name, &chars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) break;
      values.push_back({std::u16string(name, chars), type, bytes});
    }
    RegCloseKey(key);
    return values;
  }
  static void Store(const std::u16string& name, std::vector<BYTE> data) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSubkeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  HINSTANCE resources_ = nullptr;
};

TEST_F(PreviewLayoutsTest, TheDefaultDataIsTheDefaultViewsFieldOrder) {
  auto data = PreviewLayouts::DefaultData();
  ASSERT_EQ(data.size(), 192u);
  std::array<BYTE, 192> expected{};
  expected[0] = 3;
  expected[1] = 0;
  expected[2] = 1;
  expected[3] = 2;
  const BYTE kOrder[] = {25, 3,  13, 6,  4,  27, 5,  7,  8,  9,  25, 26, 10,
                         11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
  for (size_t i = 0; i < std::size(kOrder); ++i) expected[32 + i] = kOrder[i];
  EXPECT_EQ(data, expected);
  EXPECT_EQ(data[31], 0);
  EXPECT_EQ(data[58], 0);
}

TEST_F(PreviewLayoutsTest, AFreshDeviceWritesTheDefaultLayout) {
  auto layouts = PreviewLayouts::Load(resources_);
  ASSERT_EQ(layouts.size(), 1u);
  EXPECT_EQ(layouts[0], (PreviewLayout{u"Preview Default", PreviewLayouts::DefaultData()}));
  EXPECT_EQ(Stored(), (std::vector<StoredValue>{{u"Preview Default", REG_BINARY, 192}}));

  EXPECT_EQ(PreviewLayouts::Load(Resources(u"Vorschau Standard")), layouts)
      << "the next load reads the stored layout, whatever the resources say now";
}

TEST_F(PreviewLayoutsTest, ADefaultThatCannotBeWrittenLeavesNoSubkey) {
  std::u16string tooLong(300, u'x');  // longer than a value name can be
  auto layouts = PreviewLayouts::Load(Resources(tooLong));
  ASSERT_EQ(layouts.size(), 1u);
  EXPECT_EQ(layouts[0].name, tooLong) << "the list still has the default layout";
  EXPECT_FALSE(SubkeyExists()) << "so that the next load makes and writes it afresh";

  EXPECT_EQ(PreviewLayouts::Load(resources_)[0].name, u"Preview Default");
  EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(PreviewLayoutsTest, StoredLayoutsAreReadInTheirOrder) {
  std::vector<BYTE> full(192, 7);
  std::vector<BYTE> shortData = {9, 8};
  Store(u"Zeta", full);
  Store(u"alpha", shortData);
  Store(u"Mid", full);
  std::vector<BYTE> longer(193, 1);
  Store(u"Too long", longer);

  auto layouts = PreviewLayouts::Load(resources_);
  ASSERT_EQ(layouts.size(), 3u) << "a value with more than 192 bytes is no layout";
  EXPECT_EQ(layouts[0].name, u"Zeta");
  EXPECT_EQ(layouts[1].name, u"alpha");
  EXPECT_EQ(layouts[2].name, u"Mid");
  EXPECT_EQ(layouts[0].data[191], 7);
  EXPECT_EQ(layouts[1].data[0], 9);
  EXPECT_EQ(layouts[1].data[1], 8);
  EXPECT_EQ(layouts[1].data[2], 0) << "short data is filled with zeros";
  EXPECT_EQ(Stored().size(), 4u) << "loading writes nothing";
}

TEST_F(PreviewLayoutsTest, AnEmptySubkeyGivesTheDefaultUnwritten) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSubkeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  RegCloseKey(key);

  auto layouts = PreviewLayouts::Load(resources_);
  ASSERT_EQ(layouts.size(), 1u);
  EXPECT_EQ(layouts[0], PreviewLayouts::DefaultLayout(resources_));
  EXPECT_TRUE(Stored().empty());
}

TEST_F(PreviewLayoutsTest, SavingReplacesEveryStoredLayout) {
  ASSERT_TRUE(PreviewLayouts::Save({Layout(u"One", 1), Layout(u"Two", 2), Layout(u"Three", 3)}));
  EXPECT_EQ(PreviewLayouts::Load(resources_),
            (std::vector<PreviewLayout>{Layout(u"One", 1), Layout(u"Two", 2), Layout(u"Three", 3)}));

  ASSERT_TRUE(PreviewLayouts::Save({Layout(u"Three", 30), Layout(u"Four", 4)}));
  EXPECT_EQ(Stored(), (std::vector<StoredValue>{{u"Three", REG_BINARY, 192}, {u"Four", REG_BINARY, 192}}))
      << "layouts no longer in the list are gone";
  EXPECT_EQ(PreviewLayouts::Load(resources_)[0].data[0], 30);
}

TEST_F(PreviewLayoutsTest, ASaveWithALayoutThatCannotBeWrittenFailsButWritesTheOthers) {
  EXPECT_TRUE(PreviewLayouts::Save({})) << "nothing to write";
  EXPECT_TRUE(SubkeyExists());
  EXPECT_FALSE(
      PreviewLayouts::Save({Layout(u"One", 1), Layout(std::u16string(300, u'x'), 2), Layout(u"Two", 2)}));
  EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(PreviewLayoutsTest, TheDefaultLayoutIsFoundByEachOfItsNames) {
  const char16_t* kNames[] = {u"Preview Default",    u"Vorschau Standard",
                              u"Standaardvoorbeeld", u"Pr\u00e9vis. par D\u00e9faut",
                              u"Default Anteprima",  u"Previsualiz. Defecto"};
  for (const char16_t* name : kNames) {
    std::vector<PreviewLayout> layouts = {Layout(u"Mine", 1), Layout(name, 2), Layout(u"Preview Default", 3)};
    EXPECT_EQ(PreviewLayouts::FindDefault(layouts), 1u) << "the first of them";
  }
  EXPECT_EQ(PreviewLayouts::FindDefault({Layout(u"VORSCHAU STANDARD", 1)}), 0u) << "ignoring case";
  EXPECT_EQ(PreviewLayouts::FindDefault({Layout(u"Preview", 1), Layout(u"Preview Default 2", 2)}),
            std::nullopt);
  EXPECT_EQ(PreviewLayouts::FindDefault({}), std::nullopt);
}

}  // namespace
