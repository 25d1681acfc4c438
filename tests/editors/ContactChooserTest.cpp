// The contact chooser as the appointment page, the phrase selection and the note editor open it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "editors/ContactChooser.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

constexpr CEPROPID kFirstName = 0x3A06001F;
constexpr CEPROPID kLastName = 0x3A11001F;
constexpr CEPROPID kCompany = 0x3A16001F;

class ContactChooserTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    user_.emplace();
    user_->SetResourceModule(resources_);
  }
  void TearDown() override {
    user_.reset();
    DeviceTest::TearDown();
  }

  static ItemOid SaveContact(const std::u16string& fileAs, const std::u16string& first,
                             const std::u16string& last, const std::u16string& company) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    contact.SetText(kFirstName, first);
    contact.SetText(kLastName, last);
    contact.SetText(kCompany, company);
    ItemContext context;
    EXPECT_EQ(contact.Save(context), S_OK);
    return contact.oid;
  }
  static HWND List(HWND dialog) { return GetDlgItem(dialog, kContactChooserList); }
  // The names the list shows, top to bottom.
  static std::vector<std::u16string> Names(HWND dialog) {
    std::vector<std::u16string> names;
    for (int row = 0; row < ListView_GetItemCount(List(dialog)); ++row) {
      WCHAR text[64] = {};
      ListView_GetItemText(List(dialog), row, 0, text, 64);
      names.emplace_back(text);
    }
    return names;
  }
  static std::u16string ShownName(HWND dialog) {
    WCHAR text[128] = {};
    GetDlgItemTextW(dialog, kContactChooserName, text, 128);
    return text;
  }
  static auto NamesAre(std::vector<std::u16string> expected) {
    return [expected](HWND dialog) { return Names(dialog) == expected; };
  }

  HINSTANCE resources_ = nullptr;
  std::optional<ScriptedUser> user_;
};

TEST_F(ContactChooserTest, AnswersTheContactWithTheFormOfTheNameChosen) {
  SaveContact(u"Berg, Bo", u"Bo", u"Berg", u"");
  ItemOid ann = SaveContact(u"Lee, Ann", u"Ann", u"Lee", u"A & B");
  struct Case {
    UINT variant;  // 0: the menu dismissed
    std::u16string name;
  };
  const Case cases[] = {
      {0, u"Lee, Ann"},
      {5000, u"Lee, Ann"},
      {5001, u"Ann Lee"},
      {5004, u"A & B"},  // the menu doubles the "&"; the name keeps one
      {5005, u"Lee, Ann (A & B)"},
      {5006, u"A & B, (Lee, Ann)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.variant);
    user_->ExpectDialog(kDialogContactChooser)
        .Choose(kContactChooserList, 1)
        .Do("see Ann's FileAs", [](HWND dialog) { return ShownName(dialog) == u"Lee, Ann"; })
        .Click(kContactChooserNameButton)
        .Click(IDOK);
    user_->ExpectPopupMenu(c.variant);
    std::optional<ChosenContact> chosen = ChooseContact(nullptr, resources_);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->oid, ann);
    EXPECT_EQ(chosen->name, c.name);
  }
}

TEST_F(ContactChooserTest, CancelAnswersNothing) {
  SaveContact(u"Lee, Ann", u"Ann", u"Lee", u"");
  user_->ExpectDialog(kDialogContactChooser)
      .Do("see OK and the name button withdrawn without a contact",
          [](HWND dialog) {
            return !IsWindowEnabled(GetDlgItem(dialog, IDOK)) &&
                   !IsWindowEnabled(GetDlgItem(dialog, kContactChooserNameButton));
          })
      .Choose(kContactChooserList, 0)
      .Click(IDCANCEL);
  EXPECT_EQ(ChooseContact(nullptr, resources_), std::nullopt);

  user_->ExpectDialog(kDialogContactChooser).Key(kContactChooserList, VK_ESCAPE);
  EXPECT_EQ(ChooseContact(nullptr, resources_), std::nullopt);
}

TEST_F(ContactChooserTest, TappingAHeaderSortsByItsColumnAndAgainTurnsTheOrderRound) {
  SaveContact(u"Cole, Cy", u"Cy", u"Cole", u"Beta");
  SaveContact(u"adams, Al", u"Al", u"adams", u"gamma");
  SaveContact(u"Berg, Bo", u"Bo", u"Berg", u"Alpha");
  auto tap = [](int column) {
    return [column](HWND dialog) { return platform::UserClickListViewColumn(List(dialog), column); };
  };
  user_->ExpectDialog(kDialogContactChooser)
      .Do("see them by name", NamesAre({u"adams, Al", u"Berg, Bo", u"Cole, Cy"}))
      .Do("tap Company", tap(1))
      .Do("see them by company", NamesAre({u"Berg, Bo", u"Cole, Cy", u"adams, Al"}))
      .Do("tap Company again", tap(1))
      .Do("see them by company backwards", NamesAre({u"adams, Al", u"Cole, Cy", u"Berg, Bo"}))
      .Do("tap Name", tap(0))
      .Do("see them by name again", NamesAre({u"adams, Al", u"Berg, Bo", u"Cole, Cy"}))
      .Choose(kContactChooserList, 2)
      .Click(IDOK);
  std::optional<ChosenContact> chosen = ChooseContact(nullptr, resources_);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->name, u"Cole, Cy") << "the row's contact, wherever sorting put it";
}

TEST_F(ContactChooserTest, FindSelectsTheFirstNameStartingWithTheText) {
  SaveContact(u"Lee, Ann", u"Ann", u"Lee", u"");
  ItemOid bo = SaveContact(u"Berg, Bo", u"Bo", u"Berg", u"");
  user_->ExpectDialog(kDialogContactChooser).Type(kContactChooserFind, u"be").Click(IDOK);
  std::optional<ChosenContact> chosen = ChooseContact(nullptr, resources_);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->oid, bo);
  EXPECT_EQ(chosen->name, u"Berg, Bo");
}

TEST_F(ContactChooserTest, ADoubleTapAnswersTheContact) {
  ItemOid ann = SaveContact(u"Lee, Ann", u"Ann", u"Lee", u"");
  user_->ExpectDialog(kDialogContactChooser).Do("double-tap Ann", [](HWND dialog) {
    return platform::UserDoubleClickListViewItem(List(dialog), 0);
  });
  std::optional<ChosenContact> chosen = ChooseContact(nullptr, resources_);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->oid, ann);
  EXPECT_EQ(chosen->name, u"Lee, Ann");
}

}  // namespace
