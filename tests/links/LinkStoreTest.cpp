#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "links/LinkCache.h"
#include "links/LinkStore.h"
#include "platform/core/LocalMemory.h"
#include "platform/files/FileSystem.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

constexpr CEPROPID kFirstName = 0x3A06001F;

// A device with an appointment, a contact and a task to link, and a store that keeps a cache.
class LinkStoreTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    CPIMAppointment appointment;
    appointment.subject = u"Rehearsal";
    appointment.start = Date(2024, 3, 20, 18, 0);
    appointment.end = Date(2024, 3, 20, 20, 0);
    ASSERT_EQ(appointment.Save(context_), S_OK);
    appointment_ = appointment.oid;
    CPIMContact contact;
    contact.SetText(kFirstName, u"Anna");
    contact.SetText(CPIMContact::kFileAs, u"Berg, Anna");
    ASSERT_EQ(contact.Save(context_), S_OK);
    contact_ = contact.oid;
    CPIMTask task;
    task.subject = u"Tax return";
    ASSERT_EQ(task.Save(context_), S_OK);
    task_ = task.oid;
  }

  // Every record of the link database in link-id order.
  std::vector<LinkRecord> Records() {
    std::vector<LinkRecord> records;
    CEOID database = 0;
    HANDLE handle =
        CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, kLinkIdProperty, CEDB_AUTOINCREMENT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return records;
    for (;;) {
      BYTE* buffer = nullptr;
      DWORD size = 0;
      WORD count = 0;
      if (!CeReadRecordPropsEx(handle, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr)) break;
      records.push_back(LinkRecordFromProperties(reinterpret_cast<CEPROPVAL*>(buffer), count));
      LocalFree(buffer);
    }
    CloseHandle(handle);
    return records;
  }

  // Writes a record as another program might: any id, owner and text, into the database.
  void WriteForeign(WORD id, ItemOid owner, std::u16string text) {
    LinkStore creator;
    ASSERT_TRUE(creator.OpenLinkStore(true, false, nullptr, 0, 0));
    creator.CloseLinkStore();
    CEOID database = 0;
    HANDLE handle = CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, 0, 0, nullptr);
    CEPROPVAL props[4]{};
    props[0].propid = kLinkOwnerProperty;
    props[0].val.ulVal = owner;
    props[1].propid = kLinkIdProperty;
    props[1].val.uiVal = id;
    props[2].propid = kLinkTypeProperty;
    props[2].val.uiVal = static_cast<WORD>(LinkType::Web);
    props[3].propid = kLinkTextProperty;
    props[3].val.lpwstr = text.data();
    ASSERT_NE(CeWriteRecordProps(handle, 0, 4, props), 0u);
    CloseHandle(handle);
  }

  void DeleteDatabase() {
    CEOID database = 0;
    HANDLE handle = CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, 0, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    CloseHandle(handle);
    ASSERT_TRUE(CeDeleteDatabase(database));
  }

  bool DatabaseExists() {
    CEOID database = 0;
    HANDLE handle = CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, 0, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
  }

  ItemContext context_;
  ItemOid appointment_ = 0;
  ItemOid contact_ = 0;
  ItemOid task_ = 0;
  LinkCache cache_;
};

TEST_F(LinkStoreTest, OnlyTheFirstLinkCreatesTheDatabaseWithItsTypeAndSortOrders) {
  LinkStore store(&cache_);
  LinkRecord record;
  EXPECT_EQ(store.FirstLinkOf(appointment_, &record, false), 0u);
  EXPECT_FALSE(store.DeleteLink(1));
  EXPECT_FALSE(store.DeleteLinksOfItem(appointment_));
  EXPECT_FALSE(store.ReadLinkById(1, &record));
  store.PurgeStaleLinks();
  EXPECT_FALSE(DatabaseExists()) << "reads, searches and deletes never create it";

  WORD id = 0;
  ASSERT_TRUE(store.AddWebLink(appointment_, u"www.example.org"));
  ASSERT_TRUE(store.AddLink(appointment_, &id, LinkType::File, 0, u"\\My Documents\\plan.txt"));
  EXPECT_EQ(id, 2);
  CEOID database = 0;
  HANDLE handle = CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, 0, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);
  CEOIDINFO info{};
  ASSERT_TRUE(CeOidGetInfo(database, &info));
  EXPECT_EQ(info.infDatabase.dwDbaseType, kLinkDatabaseType);
  ASSERT_EQ(info.infDatabase.wNumSortOrder, 3);
  EXPECT_EQ(info.infDatabase.rgSortSpecs[0].propid, kLinkOwnerProperty);
  EXPECT_EQ(info.infDatabase.rgSortSpecs[1].propid, kLinkIdProperty);
  EXPECT_EQ(info.infDatabase.rgSortSpecs[2].propid, kLinkTargetProperty);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(info.infDatabase.rgSortSpecs[i].dwFlags, 0u);
}

TEST_F(LinkStoreTest, EachRecordHasExactlyItsFiveProperties) {
  LinkStore store;
  ASSERT_TRUE(store.AddIconLink(task_, u"\\My Documents\\star.bmp"));
  ASSERT_TRUE(store.LinkContact(task_, contact_));
  CEOID database = 0;
  HANDLE handle =
      CeOpenDatabaseEx(nullptr, &database, kLinkDatabaseName, kLinkIdProperty, CEDB_AUTOINCREMENT, nullptr);
  std::vector<std::vector<CEPROPID>> written;
  for (int i = 0; i < 3; ++i) {
    BYTE* buffer = nullptr;
    DWORD size = 0;
    WORD count = 0;
    ASSERT_TRUE(CeReadRecordPropsEx(handle, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr));
    auto* values = reinterpret_cast<CEPROPVAL*>(buffer);
    std::vector<CEPROPID> ids;
    for (WORD p = 0; p < count; ++p) {
      ids.push_back(values[p].propid);
      EXPECT_EQ(values[p].wFlags, 0);
      if (values[p].propid == kLinkReservedProperty) {
        EXPECT_EQ(values[p].val.dblVal, 0.0);
      }
    }
    written.push_back(ids);
    LocalFree(buffer);
  }
  CloseHandle(handle);
  std::vector<CEPROPID> text = {kLinkOwnerProperty, kLinkIdProperty, kLinkTypeProperty, kLinkTextProperty,
                                kLinkReservedProperty};
  std::vector<CEPROPID> target = {kLinkOwnerProperty, kLinkIdProperty, kLinkTypeProperty, kLinkTargetProperty,
                                  kLinkReservedProperty};
  EXPECT_EQ(written, (std::vector<std::vector<CEPROPID>>{text, target, target}));
}

TEST_F(LinkStoreTest, ANewLinkTakesTheSmallestFreeId) {
  struct Case {
    std::vector<WORD> present;
    WORD expected;
  } cases[] = {
      {{}, 1},           {{1, 2, 4}, 3},     {{4, 2, 1}, 3}, {{2, 3}, 1}, {{1, 2, 3, 4, 5}, 6},
      {{1, 3, 5, 7}, 2}, {{1, 2, 40000}, 3},  // an id above 32767 is stored below zero and sorts first
      {{1, 1, 3}, 4},  // a foreign writer's ids need not be unique: a free one, if not the smallest
      {{0, 1}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.present));
    DeleteDatabase();
    for (WORD id : c.present) WriteForeign(id, appointment_, u"www.example.org");
    LinkStore store(&cache_);
    WORD id = 0;
    ASSERT_TRUE(store.AddLink(task_, &id, LinkType::Web, 0, u"www.example.org"));
    EXPECT_EQ(id, c.expected);
    EXPECT_EQ(cache_.FindLinkId(c.expected)->owner, task_);
  }
}

TEST_F(LinkStoreTest, TwoProcessesAddingAtOnceNeverShareAnIdNorLoseALink) {
  std::string device = (DeviceFolder() / "device").string();
  constexpr int kEach = 25;
  ChildProcess first(HelperProgram("link_adder"),
                     {device, std::to_string(appointment_), std::to_string(kEach)});
  ChildProcess second(HelperProgram("link_adder"), {device, std::to_string(task_), std::to_string(kEach)});
  std::multiset<std::string> ids;
  std::string line;
  while (first.ReadLine(&line)) ids.insert(line);
  while (second.ReadLine(&line)) ids.insert(line);
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_EQ(ids.size(), 2u * kEach);
  EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), 2u * kEach) << "an id was given twice";
  EXPECT_EQ(Records().size(), 2u * kEach);
}

TEST_F(LinkStoreTest, AnItemLinkIsAPairAndDeletingEitherHalfRemovesBoth) {
  for (bool deleteReverse : {false, true}) {
    SCOPED_TRACE(deleteReverse ? "reverse half" : "first half");
    DeleteDatabase();
    cache_.Clear();
    LinkStore store(&cache_);
    WORD id = 0;
    ASSERT_TRUE(store.AddTwoWayLink(appointment_, &id, LinkType::Contact, contact_));
    ASSERT_TRUE(store.AddWebLink(contact_, u"www.example.org"));
    std::vector<LinkRecord> records = Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].owner, appointment_);
    EXPECT_EQ(records[0].type, LinkType::Contact);
    EXPECT_EQ(records[0].target, contact_);
    EXPECT_EQ(records[1].owner, contact_);
    EXPECT_EQ(records[1].type, LinkType::Appointment);
    EXPECT_EQ(records[1].target, appointment_);
    EXPECT_EQ(cache_.Count(), 3u);

    ASSERT_TRUE(store.DeleteLink(deleteReverse ? records[1].linkId : id));
    records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].type, LinkType::Web) << "the contact's web link stays";
    EXPECT_EQ(cache_.Count(), 1u);
    EXPECT_FALSE(cache_.IsLinked(appointment_));
    EXPECT_TRUE(cache_.IsLinked(contact_));
    EXPECT_FALSE(store.DeleteLink(id)) << "a deleted id is gone";
  }
}

TEST_F(LinkStoreTest, DeletingAnItemsLinksCountsWhatItOwnedAndWhatPointedToIt) {
  LinkStore store(&cache_);
  ASSERT_TRUE(store.LinkContact(appointment_, contact_));
  ASSERT_TRUE(store.LinkAppointment(task_, appointment_));
  ASSERT_TRUE(store.AddFileLink(appointment_, u"\\My Documents\\plan.txt"));
  ASSERT_TRUE(store.AddWebLink(task_, u"www.example.org"));
  int count = 0;
  ASSERT_TRUE(store.DeleteLinksOfItem(appointment_, &count));
  store.CloseLinkStore();
  EXPECT_EQ(count, 5);
  std::vector<LinkRecord> records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].owner, task_);
  EXPECT_EQ(records[0].type, LinkType::Web);
  EXPECT_EQ(cache_.Count(), 1u);
  EXPECT_FALSE(cache_.IsLinked(appointment_));
  EXPECT_FALSE(cache_.IsLinked(contact_));
}

TEST_F(LinkStoreTest, IconLinksKeepNoTargetAndAForeignLongTextReadsCut) {
  LinkStore store(&cache_);
  WORD icon = 0;
  ASSERT_TRUE(store.AddLink(contact_, &icon, LinkType::Icon, task_, u"\\My Documents\\star.bmp"));
  EXPECT_EQ(cache_.FindLinkId(icon)->target, 0u);
  WriteForeign(7, contact_, std::u16string(300, u'w'));
  LinkRecord record;
  ASSERT_TRUE(store.ReadLinkById(7, &record));
  EXPECT_EQ(record.text, std::u16string(259, u'w'));
  ASSERT_TRUE(store.ReadLinkById(icon, &record));
  EXPECT_EQ(record.target, 0u);
  EXPECT_EQ(record.text, u"\\My Documents\\star.bmp");
  EXPECT_FALSE(store.ReadLinkById(0, &record));
  EXPECT_FALSE(store.ReadLinkById(0x10000, &record)) << "only the low 16 bits name a link";
}

TEST_F(LinkStoreTest, AnOwnersLinksReadOneByOneWithTheirDisplayTexts) {
  LinkStore store;
  ASSERT_TRUE(store.LinkContact(task_, contact_));
  ASSERT_TRUE(store.LinkAppointment(task_, appointment_));
  ASSERT_TRUE(store.AddWebLink(task_, u"www.example.org"));
  ASSERT_TRUE(store.AddWebLink(contact_, u"www.other.org"));
  std::vector<std::u16string> texts;
  LinkRecord record;
  for (CEOID oid = store.FirstLinkOf(task_, &record, true); oid;
       oid = store.NextLinkOf(task_, &record, true)) {
    texts.push_back(record.text);
  }
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"Berg, Anna", u"Rehearsal (3/20/24)", u"www.example.org"}));
  std::vector<std::u16string> contactTexts;
  for (CEOID oid = store.FirstLinkOf(contact_, &record, true); oid;
       oid = store.NextLinkOf(contact_, &record, true)) {
    contactTexts.push_back(record.text);
  }
  std::sort(contactTexts.begin(), contactTexts.end());
  EXPECT_EQ(contactTexts, (std::vector<std::u16string>{u"Tax return", u"www.other.org"}));
}

TEST_F(LinkStoreTest, DisplayTextsOfTasksAndAppointmentsFollowTheirRules) {
  LinkRecord task{0, 1, LinkType::Task, u"old", task_, {}};
  EXPECT_TRUE(LinkStore::ResolveLinkText(&task));
  EXPECT_EQ(task.text, u"Tax return");

  CPIMTask untitled;
  ASSERT_EQ(untitled.Save(context_), S_OK);
  LinkRecord noSubject{0, 1, LinkType::Task, u"", untitled.oid, {}};
  EXPECT_TRUE(LinkStore::ResolveLinkText(&noSubject));
  EXPECT_EQ(noSubject.text, u"<?>");

  CPIMAppointment longOne;
  longOne.subject = std::u16string(250, u's');
  longOne.start = Date(2024, 3, 21, 9, 0);
  longOne.end = Date(2024, 3, 21, 10, 0);
  ASSERT_EQ(longOne.Save(context_), S_OK);
  LinkRecord appointment{0, 1, LinkType::Appointment, u"", longOne.oid, {}};
  EXPECT_TRUE(LinkStore::ResolveLinkText(&appointment));
  EXPECT_EQ(appointment.text, std::u16string(250, u's')) << "no room for the date";

  LinkRecord gone{0, 1, LinkType::Task, u"old", 0x7FFFFF, {}};
  EXPECT_FALSE(LinkStore::ResolveLinkText(&gone));
  EXPECT_EQ(gone.text, u"");
  LinkRecord web{0, 1, LinkType::Web, u"www.example.org", 0, {}};
  EXPECT_TRUE(LinkStore::ResolveLinkText(&web));
  EXPECT_EQ(web.text, u"www.example.org");
  LinkRecord unknown{0, 1, static_cast<LinkType>(9), u"x", task_, {}};
  EXPECT_FALSE(LinkStore::ResolveLinkText(&unknown));
}

TEST_F(LinkStoreTest, PurgingDeletesLinksToWhatIsGoneAndKeepsWebLinksAndEmptyPaths) {
  std::filesystem::create_directories(*platform::HostPathOf(u"\\My Documents"));
  std::ofstream(*platform::HostPathOf(u"\\My Documents\\kept.txt")) << "x";
  std::ofstream(*platform::HostPathOf(u"\\My Documents\\gone.txt")) << "x";
  LinkStore store;
  ASSERT_TRUE(store.AddFileLink(appointment_, u"\\My Documents\\kept.txt"));
  ASSERT_TRUE(store.AddFileLink(appointment_, u"\\My Documents\\gone.txt"));
  ASSERT_TRUE(store.AddFileLink(appointment_, u""));
  ASSERT_TRUE(store.AddIconLink(appointment_, u"\\My Documents\\missing.bmp"));
  ASSERT_TRUE(store.AddWebLink(appointment_, u"www.nowhere.invalid"));
  ASSERT_TRUE(store.LinkTask(appointment_, task_));
  ASSERT_TRUE(store.LinkContact(task_, contact_));
  ASSERT_TRUE(store.AddWebLink(0x7FFFFF, u"www.orphan.org"));  // an owner that does not exist
  std::filesystem::remove(*platform::HostPathOf(u"\\My Documents\\gone.txt"));
  CPIMContact contact;
  contact.oid = contact_;
  ASSERT_TRUE(contact.Load(context_));
  ASSERT_TRUE(contact.Delete(context_));

  store.PurgeStaleLinks();
  std::vector<std::u16string> kept;
  for (const LinkRecord& record : Records()) {
    kept.push_back(HasLinkText(record.type)
                       ? record.text
                       : std::u16string(1, static_cast<char16_t>(u'0' + static_cast<int>(record.type))));
  }
  EXPECT_EQ(kept, (std::vector<std::u16string>{u"\\My Documents\\kept.txt", u"", u"www.nowhere.invalid", u"3",
                                               u"2"}));
}

TEST(LinkRecordTest, ReadersSkipAbsentAndUnknownProperties) {
  std::u16string text = u"www.example.org";
  CEPROPVAL values[5]{};
  values[0].propid = kLinkOwnerProperty;
  values[0].val.ulVal = 42;
  values[1].propid = kLinkIdProperty;
  values[1].wFlags = CEDB_PROPNOTFOUND;
  values[1].val.uiVal = 9;
  values[2].propid = 0x00070003;  // unknown
  values[2].val.ulVal = 7;
  values[3].propid = kLinkTextProperty;
  values[3].val.lpwstr = text.data();
  values[4].propid = kLinkTypeProperty;
  values[4].val.uiVal = 5;
  LinkRecord record = LinkRecordFromProperties(values, 5);
  EXPECT_EQ(record.owner, 42u);
  EXPECT_EQ(record.linkId, 0) << "an absent property leaves 0";
  EXPECT_EQ(record.type, LinkType::Web);
  EXPECT_EQ(record.text, text);
  EXPECT_EQ(record.target, 0u);
  EXPECT_EQ(LinkRecordFromProperties(nullptr, 0).owner, 0u);
}

}  // namespace
