// The location history in the registry, through the appointment page's combo box and through the
// location dialog as a person uses it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CalyraEditorResources.h"
#include "editors/LocationDialog.h"
#include "editors/LocationHistory.h"
#include "platform/registry/Registry.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

// A registry value as a test writes or finds it: its name, type and text (or bytes as text).
struct Value {
  std::u16string name;
  DWORD type = REG_SZ;
  std::u16string text;
  bool operator==(const Value&) const = default;
};
using Values = std::vector<Value>;

void PrintTo(const Value& value, std::ostream* out) {
  *out << platform::ToUtf8(value.name) << "=" << value.type << ":" << platform::ToUtf8(value.text);
}

class LocationHistoryTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"LocationHost";
    RegisterClassW(&windowClass);
    host_ = CreateWindowExW(0, u"LocationHost", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                            nullptr);
    combo_ = CreateWindowExW(0, WC_COMBOBOX, u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 100, 80, host_,
                             nullptr, nullptr, nullptr);
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    user_.emplace();
    user_->SetResourceModule(resources_);
  }
  void TearDown() override {
    user_.reset();
    DeviceTest::TearDown();
  }

  // Writes the values in this order, into a key made anew.
  static void Store(const Values& values) {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kLocationHistoryKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kLocationHistoryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    for (const Value& value : values) {
      DWORD bytes =
          static_cast<DWORD>((value.text.size() + (value.type == REG_SZ ? 1 : 0)) * sizeof(char16_t));
      RegSetValueExW(key, value.name.c_str(), 0, value.type,
                     reinterpret_cast<const BYTE*>(value.text.c_str()), bytes);
    }
    RegCloseKey(key);
  }
  // The stored values in the registry's order (the order they were made); nothing without the key.
  static std::optional<Values> Stored() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLocationHistoryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return std::nullopt;
    Values values;
    for (DWORD index = 0;; ++index) {
      WCHAR name[64] = {};
      char16_t data[1024] = {};
      DWORD nameChars = 64;
      DWORD bytes = sizeof(data);
      DWORD type = 0;
      if (RegEnumValueW(key, index, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(data),
                        &bytes) != ERROR_SUCCESS)
        break;
      values.push_back(
          {name, type, std::u16string(data, bytes / sizeof(char16_t) - (type == REG_SZ ? 1 : 0))});
    }
    RegCloseKey(key);
    return values;
  }
  static std::vector<std::u16string> Items(HWND control, UINT countMessage, UINT textMessage) {
    std::vector<std::u16string> items;
    auto count = static_cast<int>(SendMessageW(control, countMessage, 0, 0));
    for (int index = 0; index < count; ++index) {
      char16_t text[1024] = {};
      SendMessageW(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  std::vector<std::u16string> ComboItems() const { return Items(combo_, CB_GETCOUNT, CB_GETLBTEXT); }
  static std::vector<std::u16string> DialogItems(HWND dialog) {
    return Items(GetDlgItem(dialog, kLocationList), LB_GETCOUNT, LB_GETTEXT);
  }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }

  HWND host_ = nullptr;
  HWND combo_ = nullptr;
  HINSTANCE resources_ = nullptr;
  std::optional<ScriptedUser> user_;
};

TEST_F(LocationHistoryTest, ValuesInAnyOrderLoadSortedOnceEachAndOnlyTexts) {
  struct Case {
    const char* name;
    Values stored;
    std::vector<std::u16string> expected;
  };
  const Case cases[] = {
      {"reverse order",
       {{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}, {u"MRU2", REG_SZ, u"bank"}},
       {u"bank", u"Cafe", u"Office"}},
      {"case duplicates keep the first met",
       {{u"MRU0", REG_SZ, u"office"}, {u"MRU1", REG_SZ, u"Office"}, {u"MRU2", REG_SZ, u"OFFICE"}},
       {u"office"}},
      {"other types skipped",
       {{u"MRU0", REG_DWORD, u"xx"},
        {u"MRU1", REG_SZ, u"Zoo"},
        {u"MRU2", REG_BINARY, u"Aa"},
        {u"MRU3", REG_EXPAND_SZ, u"Ab"},
        {u"MRU4", REG_SZ, u"Harbour"}},
       {u"Harbour", u"Zoo"}},
      {"any value name", {{u"Home", REG_SZ, u"Home"}, {u"x", REG_SZ, u"Gym"}}, {u"Gym", u"Home"}},
      {"texts cut at 512", {{u"MRU0", REG_SZ, std::u16string(600, u'a')}}, {std::u16string(512, u'a')}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store(c.stored);
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"left from before"));
    LoadLocationHistory(combo_);
    EXPECT_EQ(ComboItems(), c.expected);
  }
}

TEST_F(LocationHistoryTest, AMissingKeyLeavesTheListEmpty) {
  SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"left from before"));
  LoadLocationHistory(combo_);
  EXPECT_TRUE(ComboItems().empty());
  SaveLocationHistory(combo_);
  EXPECT_EQ(Stored(), std::nullopt) << "an empty field with an empty list writes nothing";
}

TEST_F(LocationHistoryTest, SavingAddsANewFieldTextAndRewritesTheKeyFromTheLastEntryDown) {
  struct Case {
    const char* name;
    Values before;
    std::u16string field;
    Values after;  // in the order written
  };
  const Case cases[] = {
      {"a new location takes its sorted place",
       {{u"MRU0", REG_SZ, u"Cafe"}, {u"MRU1", REG_SZ, u"Office"}},
       u"Harbour",
       {{u"MRU2", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Harbour"}, {u"MRU0", REG_SZ, u"Cafe"}}},
      {"one differing only in case adds nothing",
       {{u"MRU7", REG_SZ, u"Office"}, {u"MRU3", REG_SZ, u"cafe"}},
       u"OFFICE",
       {{u"MRU1", REG_SZ, u"Office"}, {u"MRU0", REG_SZ, u"cafe"}}},
      {"an empty field keeps the list, other values go",
       {{u"MRU0", REG_SZ, u"Zoo"}, {u"Size", REG_DWORD, u"xx"}, {u"MRU1", REG_SZ, u"Bank"}},
       u"",
       {{u"MRU1", REG_SZ, u"Zoo"}, {u"MRU0", REG_SZ, u"Bank"}}},
      {"the first location", {}, u"Dentist", {{u"MRU0", REG_SZ, u"Dentist"}}},
      {"texts cut at 512", {}, std::u16string(1024, u'b'), {{u"MRU0", REG_SZ, std::u16string(512, u'b')}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store(c.before);
    LoadLocationHistory(combo_);
    SetWindowTextW(combo_, c.field.c_str());
    SaveLocationHistory(combo_);
    EXPECT_EQ(Stored(), c.after);
  }
}

TEST_F(LocationHistoryTest, AnEmptyFieldWithAnEmptyListLeavesTheKeyAlone) {
  Store({{u"Size", REG_DWORD, u"xx"}});
  LoadLocationHistory(combo_);
  SetWindowTextW(combo_, u"");
  SaveLocationHistory(combo_);
  EXPECT_EQ(Stored(), (Values{{u"Size", REG_DWORD, u"xx"}}));
}

// The field offers Add only while it holds a character other than U+0020 and U+0920.
TEST_F(LocationHistoryTest, AddIsOfferedOnlyForTextAndDeleteOnlyForASelection) {
  Store({{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}});
  struct Case {
    const char16_t* typed;
    bool addOffered;
  };
  const Case cases[] = {
      {u"", false},   {u" ", false},     {u"\u0920", false}, {u" \u0920  \u0920", false},
      {u" a ", true}, {u"\u3000", true}, {u"\u0921", true},  {u"Harbour", true},
  };
  auto& step = user_->ExpectDialog(kDialogLocation);
  step.Do("see nothing offered at first",
          [](HWND dialog) { return !Enabled(dialog, kLocationAdd) && !Enabled(dialog, kLocationDelete); });
  for (const Case& c : cases) {
    step.Type(kLocationText, c.typed)
        .Do("see Add offered for \"" + platform::ToUtf8(c.typed) + "\" " + (c.addOffered ? "" : "not"),
            [c](HWND dialog) {
              return Enabled(dialog, kLocationAdd) == c.addOffered && !Enabled(dialog, kLocationDelete);
            });
  }
  step.Choose(kLocationList, 1)
      .Do("see Delete offered and Add not",
          [](HWND dialog) { return Enabled(dialog, kLocationDelete) && !Enabled(dialog, kLocationAdd); })
      .Do("focus the field",
          [](HWND dialog) {
            SetFocus(GetDlgItem(dialog, kLocationList));
            SetFocus(GetDlgItem(dialog, kLocationText));
            return true;
          })
      .Do("see Add offered and Delete not",
          [](HWND dialog) { return Enabled(dialog, kLocationAdd) && !Enabled(dialog, kLocationDelete); })
      .Click(IDCANCEL);
  EXPECT_EQ(RunLocationDialog(host_, resources_), std::nullopt);
}

TEST_F(LocationHistoryTest, AddInsertsInOrderOnceClearsTheFieldAndOkWritesTheListBack) {
  Store({{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}});
  user_->ExpectDialog(kDialogLocation)
      .Do("see the history sorted",
          [](HWND dialog) {
            return DialogItems(dialog) == std::vector<std::u16string>{u"Cafe", u"Office"};
          })
      .Choose(kLocationList, 0)
      .Type(kLocationText, u"Harbour")
      .Click(kLocationAdd)
      .Do("see it between the others",
          [](HWND dialog) {
            return DialogItems(dialog) == std::vector<std::u16string>{u"Cafe", u"Harbour", u"Office"};
          })
      .Do("see the field empty and Add withdrawn",
          [](HWND dialog) {
            return GetWindowTextLengthW(GetDlgItem(dialog, kLocationText)) == 0 &&
                   !Enabled(dialog, kLocationAdd);
          })
      .Do("see nothing selected",
          [](HWND dialog) {
            return SendDlgItemMessageW(dialog, kLocationList, LB_GETCURSEL, 0, 0) == LB_ERR;
          })
      .Type(kLocationText, u"cAFE")
      .Click(kLocationAdd)
      .Do("see no second Cafe", [](HWND dialog) { return DialogItems(dialog).size() == 3; })
      .Choose(kLocationList, 1)
      .Click(IDOK);
  EXPECT_EQ(RunLocationDialog(host_, resources_), u"Harbour");
  EXPECT_EQ(
      Stored(),
      (Values{{u"MRU2", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Harbour"}, {u"MRU0", REG_SZ, u"Cafe"}}));
}

TEST_F(LocationHistoryTest, OkWithoutASelectionWritesTheListAndAnswersNothing) {
  Store({{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}});
  user_->ExpectDialog(kDialogLocation).Choose(kLocationList, 1).Click(kLocationDelete).Click(IDOK);
  EXPECT_EQ(RunLocationDialog(host_, resources_), std::nullopt);
  EXPECT_EQ(Stored(), (Values{{u"MRU0", REG_SZ, u"Cafe"}}));
}

TEST_F(LocationHistoryTest, DeletingEveryEntryAndOkLeavesTheStoredHistoryAsItWas) {
  const Values before = {{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}};
  Store(before);
  user_->ExpectDialog(kDialogLocation)
      .Choose(kLocationList, 0)
      .Click(kLocationDelete)
      .Do("see Delete withdrawn", [](HWND dialog) { return !Enabled(dialog, kLocationDelete); })
      .Choose(kLocationList, 0)
      .Click(kLocationDelete)
      .Do("see the list empty", [](HWND dialog) { return DialogItems(dialog).empty(); })
      .Click(IDOK);
  EXPECT_EQ(RunLocationDialog(host_, resources_), std::nullopt);
  EXPECT_EQ(Stored(), before);
}

TEST_F(LocationHistoryTest, CancelKeepsTheRegistryWhateverWasChanged) {
  const Values before = {{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}};
  Store(before);
  user_->ExpectDialog(kDialogLocation)
      .Type(kLocationText, u"Harbour")
      .Click(kLocationAdd)
      .Choose(kLocationList, 0)
      .Click(kLocationDelete)
      .Choose(kLocationList, 0)
      .Click(IDCANCEL);
  EXPECT_EQ(RunLocationDialog(host_, resources_), std::nullopt);
  EXPECT_EQ(Stored(), before);
}

TEST_F(LocationHistoryTest, ADoubleTapChoosesTheEntry) {
  Store({{u"MRU0", REG_SZ, u"Office"}, {u"MRU1", REG_SZ, u"Cafe"}});
  user_->ExpectDialog(kDialogLocation).Do("double-tap Office", [](HWND dialog) {
    return platform::UserDoubleChoose(GetDlgItem(dialog, kLocationList), 1);
  });
  EXPECT_EQ(RunLocationDialog(host_, resources_), u"Office");
  EXPECT_EQ(Stored(), (Values{{u"MRU1", REG_SZ, u"Office"}, {u"MRU0", REG_SZ, u"Cafe"}}));
}

TEST_F(LocationHistoryTest, TheFieldTakesAtMost1023Characters) {
  user_->ExpectDialog(kDialogLocation)
      .Type(kLocationText, std::u16string(1100, u'x'))
      .Do("see the field cut",
          [](HWND dialog) { return GetWindowTextLengthW(GetDlgItem(dialog, kLocationText)) == 1023; })
      .Click(IDCANCEL);
  EXPECT_EQ(RunLocationDialog(host_, resources_), std::nullopt);
}

}  // namespace
