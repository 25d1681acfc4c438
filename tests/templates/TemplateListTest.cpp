// The rows a list view gets for the templates: their order, texts, item data and images.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "templates/TemplateList.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/templates/TemplateItems.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

struct Row {
  std::u16string text;
  ItemOid oid;
  int image;
  bool operator==(const Row&) const = default;
};

class TemplateListTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    list_ = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_POPUP | LVS_REPORT, 0, 0, 240, 200, nullptr, nullptr,
                            nullptr, nullptr);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    ListView_InsertColumn(list_, 0, &column);
  }
  void TearDown() override {
    DestroyWindow(list_);
    DeviceTest::TearDown();
  }
  void AddRow(const std::u16string& text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list_);
    item.pszText = const_cast<WCHAR*>(text.c_str());
    ListView_InsertItem(list_, &item);
  }
  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    for (int index = 0; index < ListView_GetItemCount(list_); ++index) {
      WCHAR text[256] = {};
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
      item.iItem = index;
      item.pszText = text;
      item.cchTextMax = 256;
      ListView_GetItem(list_, &item);
      rows.push_back({text, static_cast<ItemOid>(item.lParam), item.iImage});
    }
    return rows;
  }

  HWND list_ = nullptr;
};

TEST_F(TemplateListTest, RowsArriveInAlphabeticalOrderWhateverTheCase) {
  ItemOid beta = TaskStartingAt(u"Beta", Date(2999, 12, 31));
  ItemOid alpha = TaskStartingAt(u"alpha", Date(2999, 12, 31));
  ItemOid gamma = TaskStartingAt(u"Gamma", Date(2999, 12, 31));
  SaveTask(u"Aardvark", Date(2024, 3, 15), Date(2024, 3, 16));
  EXPECT_EQ(TemplateList(list_).Fill(ItemKind::Task, true), 3);
  int task = resources::kItemImageTask;
  EXPECT_EQ(Rows(),
            (std::vector<Row>{{u"alpha", alpha, task}, {u"Beta", beta, task}, {u"Gamma", gamma, task}}));
}

TEST_F(TemplateListTest, EachKindHasItsImage) {
  struct Case {
    ItemKind kind;
    int image;
  };
  SaveAppointment(u"Standup", Date(2999, 9, 9, 9, 0), Date(2999, 9, 9, 9, 15));
  TaskStartingAt(u"Report", Date(2999, 12, 31));
  SaveContact(u"", u"", u"Acme");
  for (Case entry : {Case{ItemKind::Appointment, 0}, Case{ItemKind::Task, 1}, Case{ItemKind::Contact, 2}}) {
    ListView_DeleteAllItems(list_);
    ASSERT_EQ(TemplateList(list_).Fill(entry.kind, true), 1);
    EXPECT_EQ(Rows().at(0).image, entry.image) << static_cast<int>(entry.kind);
  }
}

TEST_F(TemplateListTest, TheOrderLooksAtTheFirst32CharactersOnly) {
  std::u16string common(TemplateList::kSortChars, u'x');
  struct Case {
    std::vector<std::u16string> rows;
    std::u16string text;
    int index;
  };
  const Case cases[] = {
      {{u"b", u"d"}, u"c", 1},
      {{u"b", u"d"}, u"E", 2},
      {{u"B", u"d"}, u"b", 0},  // an equal row comes after the new one
      {{common + u"a"}, common + u"b", 0},
      {{}, u"anything", 0},
  };
  for (const Case& entry : cases) {
    ListView_DeleteAllItems(list_);
    for (const std::u16string& row : entry.rows) AddRow(row);
    EXPECT_EQ(TemplateList(list_).SortedIndex(entry.text), entry.index);
  }
}

TEST_F(TemplateListTest, TheHostsOwnRowsKeepTheirPlaces) {
  AddRow(u"Middle");
  TaskStartingAt(u"Zebra", Date(2999, 12, 31));
  TaskStartingAt(u"Apple", Date(2999, 12, 31));
  EXPECT_EQ(TemplateList(list_).Fill(ItemKind::Task, false), 2);
  std::vector<std::u16string> texts;
  for (const Row& row : Rows()) texts.push_back(row.text);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"Apple", u"Middle", u"Zebra"}));
  EXPECT_EQ(TemplateList(list_).TemplateAt(1), 0u);
  EXPECT_EQ(TemplateList(list_).TemplateAt(7), 0u);
}

}  // namespace
