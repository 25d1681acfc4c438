#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "links/LinkList.h"
#include "links/LinkStore.h"
#include "platform/text/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

ListedLink Link(LinkType type, std::u16string text, std::optional<int64_t> date = std::nullopt) {
  return {LinkRecord{1, 1, type, std::move(text), 0, {}}, date};
}

TEST(CompareLinksTest, ContactsThenItemsByDateThenWebThenFiles) {
  struct Case {
    ListedLink a;
    ListedLink b;
    int expected;
  } cases[] = {
      {Link(LinkType::Contact, u"anna"), Link(LinkType::Contact, u"Bert"), -1},
      {Link(LinkType::Contact, u"Zoe"), Link(LinkType::Task, u"A", 1), -1},
      {Link(LinkType::Task, u"A", 1), Link(LinkType::Contact, u"Zoe"), 1},
      {Link(LinkType::Task, u"Z", 1), Link(LinkType::Appointment, u"A", 2), -1},
      {Link(LinkType::Appointment, u"b", 5), Link(LinkType::Task, u"A", 5), 1},
      {Link(LinkType::Appointment, u"A", 9), Link(LinkType::Web, u"a"), -1},
      {Link(LinkType::Web, u"x"), Link(LinkType::File, u"a"), -1},
      {Link(LinkType::File, u"a"), Link(LinkType::Web, u"x"), 1},
      {Link(LinkType::File, u"B"), Link(LinkType::File, u"a"), 1},
      {Link(LinkType::Icon, u"a"), Link(LinkType::File, u"b"), 0},
      {Link(LinkType::File, u"a"), Link(static_cast<LinkType>(9), u"b"), 0},
  };
  for (const Case& c : cases) {
    int result = CompareLinks(c.a, c.b);
    EXPECT_EQ(result < 0 ? -1 : (result > 0 ? 1 : 0), c.expected)
        << platform::ToUtf8(c.a.record.text) << " vs " << platform::ToUtf8(c.b.record.text);
  }
}

class LinkListTest : public DeviceTest {};

TEST_F(LinkListTest, TheListHoldsEveryLinkButTheIconInItsOrderWithTypeAndIdInTheRowData) {
  ItemContext context;
  CPIMTask owner;
  owner.subject = u"Plan the trip";
  ASSERT_EQ(owner.Save(context), S_OK);
  CPIMTask later;
  later.subject = u"Book hotel";
  later.start = Date(2024, 4, 2);
  later.due = Date(2024, 4, 2);
  ASSERT_EQ(later.Save(context), S_OK);
  CPIMAppointment earlier;
  earlier.subject = u"Visa appointment";
  earlier.start = Date(2024, 3, 28, 9, 0);
  earlier.end = Date(2024, 3, 28, 10, 0);
  ASSERT_EQ(earlier.Save(context), S_OK);
  CPIMContact contact;
  contact.SetText(CPIMContact::kFileAs, u"Berg, Anna");
  ASSERT_EQ(contact.Save(context), S_OK);

  LinkStore store;
  ASSERT_TRUE(store.AddFileLink(owner.oid, u"\\My Documents\\route.txt"));
  ASSERT_TRUE(store.LinkTask(owner.oid, later.oid));
  ASSERT_TRUE(store.AddWebLink(owner.oid, u"www.example.org"));
  ASSERT_TRUE(store.AddIconLink(owner.oid, u"\\star.bmp"));
  ASSERT_TRUE(store.LinkAppointment(owner.oid, earlier.oid));
  ASSERT_TRUE(store.LinkContact(owner.oid, contact.oid));

  HWND list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_POPUP | LVS_REPORT, 0, 0, 240, 200, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  int width = FillLinkList(owner.oid, list);
  std::vector<std::u16string> texts;
  std::vector<int> images;
  std::vector<LPARAM> data;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    WCHAR text[260] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = text;
    item.cchTextMax = 260;
    ListView_GetItem(list, &item);
    texts.push_back(text);
    images.push_back(item.iImage);
    data.push_back(item.lParam);
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"Berg, Anna", u"Visa appointment (3/28/24)", u"Book hotel",
                                                u"www.example.org", u"\\My Documents\\route.txt"}));
  EXPECT_EQ(images, (std::vector<int>{2, 0, 1, 7, 3}));
  EXPECT_EQ(data[4], LinkRowData(LinkType::File, 1));
  EXPECT_EQ(LOWORD(data[0]), static_cast<WORD>(LinkType::Contact));
  EXPECT_NE(HIWORD(data[0]), 0);
  EXPECT_EQ(width, ListView_GetStringWidth(list, u"Visa appointment (3/28/24)") + kLinkListImageRoom);

  HWND empty = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_POPUP | LVS_REPORT, 0, 0, 240, 200, nullptr, nullptr,
                               nullptr, nullptr);
  EXPECT_EQ(FillLinkList(later.oid + 1000, empty), 0);
  DestroyWindow(list);
  DestroyWindow(empty);
}

}  // namespace
