#include <gtest/gtest.h>

#include "platform/time/TimeConversion.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/ItemDescription.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kFileAs = 0x4013001F;
constexpr CEPROPID kStart = 0x420D0040;
constexpr CEPROPID kStartIsLocal = 0x42150003;

class ItemDescriptionTest : public DeviceTest {
 protected:
  ItemOid Add(const char16_t* database, std::vector<PropertyValue> values) {
    Database db;
    if (!db.Exists(database)) db.Create(database, 0, {});
    db.OpenByName(database);
    Record record;
    for (auto& value : values) record.Set(value);
    EXPECT_TRUE(db.WriteRecord(record));
    return record.Oid();
  }
  static FILETIME Utc(WORD year, WORD month, WORD day, WORD hour) {
    SYSTEMTIME time{year, month, 0, day, hour, 0, 0, 0};
    FILETIME result{};
    SystemTimeToFileTime(&time, &result);
    return result;
  }
};

TEST_F(ItemDescriptionTest, EachKindAsListsAndTheJournalShowIt) {
  ItemOid contact = Add(ContactsDatabaseName(), {PropertyValue::String(kFileAs, u"Lee, Ann")});
  ItemOid bare = Add(ContactsDatabaseName(), {});
  // 23:30 UTC on 31 March is already 1 April in Berlin.
  ItemOid appointment = Add(AppointmentsDatabaseName(), {PropertyValue::String(kSubject, u"Dentist"),
                                                         PropertyValue::Time(kStart, Utc(2024, 3, 31, 23))});
  ItemOid allDay = Add(AppointmentsDatabaseName(), {PropertyValue::String(kSubject, u"Holiday"),
                                                    PropertyValue::Time(kStart, Utc(2024, 3, 31, 23)),
                                                    PropertyValue::Integer(kStartIsLocal, 1)});
  ItemOid task = Add(TasksDatabaseName(), {PropertyValue::String(kSubject, u"Call Anna")});
  ItemOid nameless = Add(TasksDatabaseName(), {});
  EXPECT_EQ(ItemDescription(contact, ItemKind::Contact, 256), u"Lee, Ann");
  EXPECT_EQ(ItemDescription(bare, ItemKind::Contact, 256), u"") << "no file-as name is the empty text";
  EXPECT_EQ(ItemDescription(appointment, ItemKind::Appointment, 256), u"Dentist (4/1/24)");
  EXPECT_EQ(ItemDescription(allDay, ItemKind::Appointment, 256), u"Holiday (3/31/24)")
      << "stored as local time";
  EXPECT_EQ(ItemDescription(task, ItemKind::Task, 256), u"Call Anna");
  EXPECT_EQ(ItemDescription(nameless, ItemKind::Task, 256), u"<?>");
  EXPECT_EQ(ItemDescription(task, ItemKind::Task, 5), u"Call");
  EXPECT_EQ(ItemDescription(appointment, ItemKind::Appointment, 17), u"Dentist (4/1/24)") << "just fits";
  EXPECT_EQ(ItemDescription(appointment, ItemKind::Appointment, 16), u"Dentist")
      << "the date goes whole or not";
  EXPECT_EQ(ItemDescription(0xBAD, ItemKind::Task, 256), std::nullopt);
  EXPECT_EQ(ItemDescription(task, ItemKind::Appointment, 256), std::nullopt) << "not an appointment";
  EXPECT_EQ(ItemDescription(task, ItemKind::None, 256), std::nullopt);
  EXPECT_EQ(ItemDescription(task, ItemKind::Task, 0), std::nullopt);
}

}  // namespace
