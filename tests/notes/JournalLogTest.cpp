#include <gtest/gtest.h>

#include <memory>

#include "notes/JournalFile.h"
#include "notes/JournalLog.h"
#include "platform/files/FileSystem.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kFileAs = 0x4013001F;
constexpr const char16_t* kPath = u"\\My Documents\\journal.cjl";

class JournalLogTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddString(resources::kStringJournalDeleted, u"Deleted: %s");
    module->AddString(resources::kStringJournalCompleted, u"Completed: %s");
    module->AddString(resources::kStringJournalNoted, u"Note about %s");
    resources_ = platform::RegisterResourceModule(module);
  }
  ItemOid Add(const char16_t* database, CEPROPID tag, const char16_t* text) {
    Database db;
    if (!db.Exists(database)) db.Create(database, 0, {});
    db.OpenByName(database);
    Record record;
    record.Set(PropertyValue::String(tag, text));
    db.WriteRecord(record);
    return record.Oid();
  }
  std::vector<JournalEntry> Entries() {
    return JournalFile(kPath).LoadAll().value_or(std::vector<JournalEntry>{});
  }

  HINSTANCE resources_ = nullptr;
};

TEST_F(JournalLogTest, FlagsDecideWhatIsWritten) {
  ItemOid task = Add(TasksDatabaseName(), kSubject, u"Call Anna");
  ItemOid contact = Add(ContactsDatabaseName(), kFileAs, u"Lee, Ann");
  JournalSettings off{0x3E, kPath};
  EXPECT_FALSE(WriteJournalEntry(task, JournalEntryType::TaskCompleted, off, resources_))
      << "bit 0 is the journal";
  JournalSettings completedOnly{0x03, kPath};
  EXPECT_TRUE(WriteJournalEntry(task, JournalEntryType::TaskCompleted, completedOnly, resources_));
  EXPECT_FALSE(WriteJournalEntry(task, JournalEntryType::ItemDeleted, completedOnly, resources_));
  EXPECT_FALSE(WriteJournalEntry(task, JournalEntryType::Custom, JournalSettings{0xFF, kPath}, resources_));
  EXPECT_FALSE(
      WriteJournalEntry(task, static_cast<JournalEntryType>(6), JournalSettings{0xFF, kPath}, resources_));
  JournalSettings all{0x3F, kPath};
  EXPECT_TRUE(WriteJournalEntry(contact, JournalEntryType::ItemDeleted, all, resources_));
  EXPECT_TRUE(WriteJournalEntry(contact, JournalEntryType::Contact, all, resources_));

  auto entries = Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].entryType, 2u);
  EXPECT_EQ(entries[0].item, task);
  EXPECT_EQ(entries[0].text, u"Completed: Call Anna");
  EXPECT_EQ(entries[0].time.wYear, 2024);
  EXPECT_EQ(entries[0].time.wHour, 10) << "local time in Berlin";
  EXPECT_EQ(entries[1].text, u"Deleted: Lee, Ann") << "a deleted item's kind comes from its record";
  EXPECT_EQ(entries[2].text, u"Note about Lee, Ann");
}

TEST_F(JournalLogTest, GoneItemsAndMissingStrings) {
  JournalSettings all{0x3F, kPath};
  EXPECT_TRUE(WriteJournalEntry(0xBAD, JournalEntryType::Task, all, nullptr));
  auto entries = Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].text, u"") << "no string and no item: an empty text";
  JournalSettings nowhere{0x3F, u"\\No Such Folder\\journal.cjl"};
  EXPECT_FALSE(WriteJournalEntry(0, JournalEntryType::Task, nowhere, resources_));
}

}  // namespace
