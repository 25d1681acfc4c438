// Opening links, carrying them to a new identity, writing the links a page collected and removing a
// listed link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "links/LinkList.h"
#include "links/LinkOperations.h"
#include "links/LinkStore.h"
#include "platform/core/System.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/StoredLinks.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class LinkOperationsTest : public DeviceTest {
 protected:
  ItemOid SaveTask(const std::u16string& subject) {
    CPIMTask task;
    task.subject = subject;
    EXPECT_EQ(task.Save(context_), S_OK);
    return task.oid;
  }
  ItemOid SaveContact(const std::u16string& fileAs) {
    CPIMContact contact;
    contact.SetText(CPIMContact::kFileAs, fileAs);
    EXPECT_EQ(contact.Save(context_), S_OK);
    return contact.oid;
  }
  ItemOid SaveAppointment(const std::u16string& subject) {
    CPIMAppointment appointment;
    appointment.subject = subject;
    appointment.start = Date(2024, 5, 6, 9);
    appointment.end = Date(2024, 5, 6, 10);
    EXPECT_EQ(appointment.Save(context_), S_OK);
    return appointment.oid;
  }
  static WORD FirstLinkId(ItemOid item) {
    LinkRecord record;
    return LinkStore().FirstLinkOf(item, &record, false) ? record.linkId : 0;
  }
  HWND MakeWindow() {
    return CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  // The messages of `message` queued for `window`, taken off the queue.
  static std::vector<MSG> Posted(HWND window, UINT message) {
    std::vector<MSG> posted;
    MSG msg{};
    while (PeekMessageW(&msg, window, message, message, PM_REMOVE)) posted.push_back(msg);
    return posted;
  }

  ItemContext context_;
  LinkCache cache_;
};

TEST_F(LinkOperationsTest, OpeningAnItemLinkTellsTheHostTheFarEndFromEitherSide) {
  ItemOid task = SaveTask(u"Plan");
  ItemOid contact = SaveContact(u"Berg, Anna");
  ItemOid appointment = SaveAppointment(u"Review");
  LinkStore store(&cache_);
  WORD toContact = 0;
  WORD toAppointment = 0;
  ASSERT_TRUE(store.AddTwoWayLink(task, &toContact, LinkType::Contact, contact));
  ASSERT_TRUE(store.AddTwoWayLink(task, &toAppointment, LinkType::Appointment, appointment));
  WORD back = FirstLinkId(contact);
  HWND host = MakeWindow();
  struct Case {
    ItemOid item;
    WORD linkId;
    ItemKind kind;
    ItemOid farEnd;
  } cases[] = {
      {task, toContact, ItemKind::Contact, contact},
      {task, toAppointment, ItemKind::Appointment, appointment},
      {contact, back, ItemKind::Task, task},
      // The item is the link's target: the owner is the far end; the kind still follows the type.
      {contact, toContact, ItemKind::Contact, task},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(OpenLink(nullptr, host, c.item, c.linkId));
    std::vector<MSG> posted = Posted(host, kOpenLinkedItemMessage);
    ASSERT_EQ(posted.size(), 1u) << c.linkId;
    EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(c.kind)) << c.linkId;
    EXPECT_EQ(posted[0].lParam, static_cast<LPARAM>(c.farEnd)) << c.linkId;
  }
}

TEST_F(LinkOperationsTest, OpeningAFileUsesTheShellAndAWebAddressTheBrowser) {
  ItemOid task = SaveTask(u"Plan");
  LinkStore store(&cache_);
  WORD file = 0;
  WORD web = 0;
  WORD icon = 0;
  ASSERT_TRUE(store.AddLink(task, &file, LinkType::File, 0, u"\\My Documents\\route.txt"));
  ASSERT_TRUE(store.AddLink(task, &web, LinkType::Web, 0, u"www.example.org/a b"));
  ASSERT_TRUE(store.AddLink(task, &icon, LinkType::Icon, 0, u"\\star.bmp"));
  HWND host = MakeWindow();
  size_t handles = platform::System::Current().Handles().Count();

  EXPECT_TRUE(OpenLink(host, host, task, file));
  EXPECT_TRUE(OpenLink(host, host, task, web));
  EXPECT_TRUE(OpenLink(host, host, task, icon)) << "an icon opens nothing";
  EXPECT_TRUE(OpenLink(host, host, task, 999)) << "no such link: nothing, and still 1";
  EXPECT_TRUE(OpenLink(host, host, task, 0));

  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].verb, u"open");
  EXPECT_EQ(log[0].program, u"\\My Documents\\route.txt");
  EXPECT_EQ(log[1].verb, u"");
  EXPECT_EQ(log[1].program, u"iexplore.exe");
  EXPECT_EQ(log[1].arguments, u"www.example.org/a b");
  EXPECT_EQ(platform::System::Current().Handles().Count(), handles) << "the shell's process handle is closed";
  EXPECT_TRUE(Posted(host, kOpenLinkedItemMessage).empty());
}

TEST_F(LinkOperationsTest, ANewIdentityTakesEveryLinkAndTheOldOneKeepsNone) {
  ItemOid old = SaveAppointment(u"Weekly");
  ItemOid renewed = SaveAppointment(u"Weekly, this time");
  ItemOid contact = SaveContact(u"Berg, Anna");
  ItemOid task = SaveTask(u"Agenda");
  LinkStore store(&cache_);
  ASSERT_TRUE(store.LinkContact(old, contact));
  ASSERT_TRUE(store.AddFileLink(old, u"\\notes.txt"));
  ASSERT_TRUE(store.LinkTask(old, task));
  ASSERT_TRUE(store.AddWebLink(old, u"example.org"));
  ASSERT_TRUE(store.AddIconLink(old, u"\\star.bmp"));

  TransferLinks(cache_, old, renewed);

  const std::vector<Link> expected = {{LinkType::Contact, contact, u""},
                                      {LinkType::File, 0, u"\\notes.txt"},
                                      {LinkType::Task, task, u""},
                                      {LinkType::Web, 0, u"example.org"},
                                      {LinkType::Icon, 0, u"\\star.bmp"}};
  EXPECT_EQ(LinksOf(renewed), expected) << "in the old item's order";
  EXPECT_TRUE(LinksOf(old).empty());
  EXPECT_EQ(LinksOf(contact), (std::vector<Link>{{LinkType::Appointment, renewed, u""}}))
      << "the reverse half names the new identity only";
  EXPECT_EQ(LinksOf(task), (std::vector<Link>{{LinkType::Appointment, renewed, u""}}));
  EXPECT_TRUE(IsItemLinked(cache_, renewed));
  EXPECT_FALSE(IsItemLinked(cache_, old));
  EXPECT_FALSE(cache_.FindItem(old)) << "the cache forgot the old identity";
}

TEST_F(LinkOperationsTest, AnItemWhoseOnlyLinkIsItsIconKeepsItUnderTheOldIdentity) {
  ItemOid old = SaveAppointment(u"Weekly");
  ItemOid renewed = SaveAppointment(u"Exception");
  ASSERT_TRUE(SetIconLink(cache_, old, u"\\star.bmp"));
  TransferLinks(cache_, old, renewed);
  EXPECT_EQ(LinksOf(old), (std::vector<Link>{{LinkType::Icon, 0, u"\\star.bmp"}}));
  EXPECT_TRUE(LinksOf(renewed).empty());

  ItemOid unlinked = SaveAppointment(u"Nothing");
  TransferLinks(cache_, unlinked, renewed);
  EXPECT_TRUE(LinksOf(renewed).empty());
}

TEST_F(LinkOperationsTest, PendingLinksAreWrittenListByListInTheirOrder) {
  ItemOid saved = SaveTask(u"Trip");
  ItemOid anna = SaveContact(u"Berg, Anna");
  ItemOid bert = SaveContact(u"Alm, Bert");
  ItemOid task = SaveTask(u"Visa");
  ItemOid appointment = SaveAppointment(u"Flight");
  PendingLinks pending;
  pending.webAddresses = {u"b.example.org", u"a.example.org"};
  pending.files = {u"\\route.txt"};
  pending.appointments = {appointment};
  pending.tasks = {task};
  pending.contacts = {anna, bert};

  EXPECT_TRUE(AddPendingLinks(&cache_, saved, pending));

  const std::vector<Link> expected = {
      {LinkType::Contact, anna, u""},      {LinkType::Contact, bert, u""},
      {LinkType::Task, task, u""},         {LinkType::Appointment, appointment, u""},
      {LinkType::File, 0, u"\\route.txt"}, {LinkType::Web, 0, u"b.example.org"},
      {LinkType::Web, 0, u"a.example.org"}};
  EXPECT_EQ(LinksOf(saved), expected);
  for (ItemOid other : {anna, bert, task, appointment})
    EXPECT_EQ(LinksOf(other), (std::vector<Link>{{LinkType::Task, saved, u""}})) << "both ways";
  EXPECT_EQ(cache_.Count(), 11u) << "the cache kept in step";
}

TEST_F(LinkOperationsTest, AFailedWriteFailsTheResultButTheOthersAreStillWritten) {
  ItemOid saved = SaveTask(u"Trip");
  ItemOid anna = SaveContact(u"Berg, Anna");
  PendingLinks pending;
  pending.files = {u"\\a.txt", std::u16string(40000, u'x'), u"\\b.txt"};  // too long for the store
  pending.webAddresses = {u"example.org"};
  pending.contacts = {anna};
  EXPECT_FALSE(AddPendingLinks(&cache_, saved, pending));
  const std::vector<Link> expected = {{LinkType::Contact, anna, u""},
                                      {LinkType::File, 0, u"\\a.txt"},
                                      {LinkType::File, 0, u"\\b.txt"},
                                      {LinkType::Web, 0, u"example.org"}};
  EXPECT_EQ(LinksOf(saved), expected);
}

TEST_F(LinkOperationsTest, NothingPendingIsSuccessAndNoItemCannotBeLinked) {
  PendingLinks none;
  EXPECT_TRUE(none.Empty());
  EXPECT_TRUE(AddPendingLinks(&cache_, SaveTask(u"Trip"), none));
  EXPECT_TRUE(AddPendingLinks(&cache_, 0, none));
  PendingLinks some;
  some.webAddresses = {u"example.org"};
  EXPECT_FALSE(some.Empty());
  EXPECT_FALSE(AddPendingLinks(&cache_, 0, some));
  EXPECT_TRUE(LinksOf(0).empty());
  EXPECT_EQ(cache_.Count(), 0u);
}

TEST_F(LinkOperationsTest, RemovingAListedLinkDeletesBothHalvesAndTheRow) {
  ItemOid appointment = SaveAppointment(u"Review");
  ItemOid contact = SaveContact(u"Berg, Anna");
  LinkStore store(&cache_);
  ASSERT_TRUE(store.LinkContact(appointment, contact));
  ASSERT_TRUE(store.AddWebLink(appointment, u"example.org"));
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_POPUP | LVS_REPORT, 0, 0, 240, 200, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_GT(FillLinkList(appointment, list), 0);
  // A row added on a page and not written yet: a web address without a link id.
  LVITEMW entry{};
  entry.mask = LVIF_TEXT | LVIF_PARAM;
  entry.iItem = 2;
  entry.pszText = const_cast<LPWSTR>(u"new.example.org");
  entry.lParam = LinkRowData(LinkType::Web, 0);
  ASSERT_EQ(ListView_InsertItem(list, &entry), 2);

  EXPECT_TRUE(RemoveListedLink(&cache_, list, 2));
  EXPECT_EQ(ListView_GetItemCount(list), 2);
  EXPECT_EQ(LinksOf(appointment).size(), 2u) << "a row without an id deletes no link";

  EXPECT_TRUE(RemoveListedLink(&cache_, list, 0)) << "the contact sorts first";
  EXPECT_EQ(ListView_GetItemCount(list), 1);
  EXPECT_EQ(LinksOf(appointment), (std::vector<Link>{{LinkType::Web, 0, u"example.org"}}));
  EXPECT_TRUE(LinksOf(contact).empty()) << "the appointment left the contact's list too";
  EXPECT_FALSE(cache_.FindItem(contact));

  EXPECT_FALSE(RemoveListedLink(&cache_, list, 5)) << "no such row";
  EXPECT_EQ(ListView_GetItemCount(list), 1);
}

}  // namespace
