// The categories page in the appointment editor, driven as a host and a person do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/CategoriesPage.h"
#include "editors/EditorMessages.h"
#include "host/EditorFrame.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CategoryDatabase.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

struct Row {
  std::u16string name;
  bool checked = false;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << platform::ToUtf8(row.name) << (row.checked ? " [x]" : "");
}

class CategoriesPageTest : public EditorHostTest {
 protected:
  ItemOid SaveAppointment(const std::vector<int>& categories) {
    CPIMAppointment appointment;
    appointment.subject = u"Review";
    appointment.start = Date(2024, 3, 20, 9);
    appointment.end = Date(2024, 3, 20, 10);
    appointment.categories = CategorySet::FromNumbers(categories);
    ItemContext context;
    context.resources = resources_;
    EXPECT_EQ(appointment.Save(context), S_OK);
    return appointment.oid;
  }
  static CategorySet Stored(ItemOid oid) { return ReadCategorySet(oid, ItemKind::Appointment); }
  static void AddUnlisted(const std::u16string& name, int index) {
    EnsureCategoryDatabase();
    Database db;
    ASSERT_TRUE(db.OpenByName(CategoriesDatabaseName()));
    Record record;
    record.Set(PropertyValue::String(kCategoryNameTag, name));
    record.Set(PropertyValue::Integer(kCategoryIndexTag, index));
    record.Set(PropertyValue::Integer(kCategoryListedTag, 0));
    ASSERT_TRUE(db.WriteRecord(record));
  }
  void Open(ItemOid oid) {
    ASSERT_EQ(EditItem(EditorKind::EditAppointment, oid).Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
    ASSERT_NE(Page(), nullptr);
    ASSERT_TRUE(platform::UserSelectTab(Tabs(), Page()->TabIndex()));
    Pump();
  }
  void Ok() {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
    Pump();
  }
  CategoriesPage* Page() {
    return dynamic_cast<CategoriesPage*>(Frame().Pages().GetPage(PageNumber::Categories));
  }
  HWND List() { return GetDlgItem(Page()->GetWindow(), kCategoriesList); }
  std::vector<Row> Rows() {
    std::vector<Row> rows;
    HWND list = List();
    for (int index = 0; index < ListView_GetItemCount(list); ++index) {
      WCHAR name[300] = {};
      ListView_GetItemText(list, index, 0, name, 300);
      rows.push_back({name, ListView_GetCheckState(list, index) != FALSE});
    }
    return rows;
  }
};

TEST_F(CategoriesPageTest, ListsEveryCategoryInNameOrderWithTheItemsChecked) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  AddCategoryRecord(u"errands");
  CategoryRecord home = AddCategoryRecord(u"Home");
  AddUnlisted(u"Synced", 7);
  AddUnlisted(u"Other", 8);
  AddCategoryRecord(u"Far", 1025);
  ItemOid review = SaveAppointment({work.index, 7});
  Open(review);
  const std::vector<Row> expected = {
      {u"errands", false}, {u"Home", false}, {u"Synced", true}, {u"Work", true}};
  EXPECT_EQ(Rows(), expected) << "unlisted only when the item has it; indexes above 1023 never";
  EXPECT_TRUE(IsWindowEnabled(List()));

  ASSERT_TRUE(platform::UserSetListViewCheck(List(), 1, true));
  ASSERT_TRUE(platform::UserSetListViewCheck(List(), 3, false));
  Ok();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(Stored(review).Numbers(), (std::vector<int>{home.index, 7}));
  EXPECT_EQ(ReadCategoryRecords().size(), 6u);
}

TEST_F(CategoriesPageTest, AnItemNobodyChangedKeepsACategoryWhoseRecordIsGone) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  CategoryRecord gone = AddCategoryRecord(u"Gone");
  ItemOid review = SaveAppointment({work.index, gone.index});
  ASSERT_TRUE(DeleteCategoryRecords({gone.oid}));
  Open(review);
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"Work", true}}));
  Ok();
  EXPECT_EQ(Stored(review).Numbers(), (std::vector<int>{work.index, gone.index})) << "nothing changed";

  Open(review);
  ASSERT_TRUE(platform::UserSetListViewCheck(List(), 0, false));
  Ok();
  EXPECT_TRUE(Stored(review).Empty()) << "a changed page: the set is the checked rows, nothing else";
}

TEST_F(CategoriesPageTest, ActivatingARowTogglesItsCheck) {
  AddCategoryRecord(u"Work");
  ItemOid review = SaveAppointment({});
  Open(review);
  ASSERT_TRUE(platform::UserDoubleClickListViewItem(List(), 0));
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"Work", true}}));
  ASSERT_TRUE(platform::UserDoubleClickListViewItem(List(), 0));
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"Work", false}}));
}

TEST_F(CategoriesPageTest, ThePageUntouchedLeavesTheSetAsItWas) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  ItemOid review = SaveAppointment({work.index, 1023});
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, review).Post(), 1);
  Pump();
  Ok();
  EXPECT_EQ(Stored(review).Numbers(), (std::vector<int>{work.index, 1023}))
      << "a page never loaded stores nothing";
}

TEST_F(CategoriesPageTest, TheDialogRebuildsTheListKeepingTheChecks) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  ItemOid review = SaveAppointment({work.index});
  Open(review);
  user_->ExpectDialog(kDialogCategories).Type(kCategoryName, u"Garden").Click(kCategoryAdd).Click(IDOK);
  SendMessageW(Page()->GetWindow(), WM_COMMAND, kCommandEditCategories, 0);
  Pump();
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"Garden", false}, {u"Work", true}}));
  EXPECT_EQ(HostMessagesAre({}), "") << "no image changed";
  ASSERT_TRUE(platform::UserSetListViewCheck(List(), 0, true));
  Ok();
  EXPECT_EQ(Stored(review).Numbers(), (std::vector<int>{0, 1}));
}

TEST_F(CategoriesPageTest, AnIconGivenInTheDialogTellsTheHostAndShowsInTheList) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  ItemOid review = SaveAppointment({work.index});
  Open(review);
  HWND list = List();
  LVITEMW before{};
  before.mask = LVIF_IMAGE;
  ListView_GetItem(list, &before);
  EXPECT_EQ(before.iImage, -1) << "no icon yet";
  user_->ExpectDialog(kDialogCategories)
      .Click(kCategoryShowIcons)
      .Choose(kCategoryPalette, 0)
      .Choose(kCategoryList, 3)
      .Click(kCategoryAssignIcon)
      .Click(IDOK)
      .Click(IDOK);
  SendMessageW(Page()->GetWindow(), WM_COMMAND, kCommandEditCategories, 0);
  Pump();
  EXPECT_EQ(HostMessagesAre({{kNotifyCategoryImages, platform::kPosted}}), "");
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"Work", true}})) << "rebuilt with its check";
  LVITEMW after{};
  after.mask = LVIF_IMAGE;
  ListView_GetItem(list, &after);
  EXPECT_EQ(after.iImage, 0) << "the icon shows";
  EXPECT_NE(CalyraEditor_IsCategoryImageChanged(1, work.index, 0), 0);
}

TEST_F(CategoriesPageTest, OneOccurrenceShowsItsCategoriesButTakesNoChange) {
  AddCategoryRecord(u"Work");
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  user_->ExpectMessageBoxString(kStringRecurringQuestion, IDYES);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, series).Occurrence(Date(2024, 3, 25)).Post(), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), Page()->TabIndex()));
  Pump();
  EXPECT_EQ(Rows(), (std::vector<Row>{{u"Work", false}}));
  EXPECT_FALSE(IsWindowEnabled(List()));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Page()->GetWindow(), kCategoriesEdit)));
  SendMessageW(Page()->GetWindow(), WM_COMMAND, kCommandEditCategories, 0);
  EXPECT_TRUE(Frame().IsOpen()) << "no dialog came up (the scripted person expects none)";
}

TEST_F(CategoriesPageTest, ASwitchAwayDuringTheDialogClosesTheEditorForTheHost) {
  AddCategoryRecord(u"Work");
  ItemOid review = SaveAppointment({});
  Open(review);
  user_->ExpectDialog(kDialogCategories).Do("the host asks to switch away", [](HWND dialog) {
    SendMessageW(dialog, kMsgModalSwitchAway, 0, 0);
    return true;
  });
  SendMessageW(Page()->GetWindow(), WM_COMMAND, kCommandEditCategories, 0);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
}

}  // namespace
