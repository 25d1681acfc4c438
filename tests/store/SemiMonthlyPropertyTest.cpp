// The semi-monthly fields of an appointment series travel in the component's own property of the
// record: saved with the series, read back with it, removed when the pattern changes kind, and
// ignored when Pocket Outlook's pattern no longer is the one they describe.
#include <gtest/gtest.h>

#include "store/CPIMAppointment.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/OutlookSession.h"
#include "store/Record.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::Date;
using calyra::testing::DeviceTest;

constexpr LONG kFifteenthAndLast = 2 | 4;
constexpr LONG kDayBefore = 16384;
constexpr LONG kMondayToFriday = 62;

class SemiMonthlyPropertyTest : public DeviceTest {
 protected:
  // A semi-monthly series as the recurrence page stores it: daily every 7 days with an end.
  ItemOid SaveSemiMonthly() {
    CPIMAppointment series;
    series.subject = u"Payroll";
    series.start = Date(2024, 3, 29, 9);
    series.end = Date(2024, 3, 29, 10);
    series.recurring = true;
    series.recurrence.type = olRecursDaily;
    series.recurrence.interval = 7;
    series.recurrence.patternStart = Date(2024, 3, 29);
    series.recurrence.noEndDate = false;
    series.recurrence.occurrences = 49;
    series.recurrence.semiMonthly = {true, kFifteenthAndLast | kDayBefore, kMondayToFriday};
    EXPECT_EQ(series.Save(context_), S_OK);
    return series.oid;
  }
  std::unique_ptr<CPIMAppointment> Load(ItemOid oid) {
    auto series = std::make_unique<CPIMAppointment>();
    series->oid = oid;
    series->openScope = kOpenSeries;
    EXPECT_TRUE(series->Load(context_));
    return series;
  }
  std::optional<int64_t> StoredValue(ItemOid oid) {
    Database appointments;
    Record record;
    record.Request(CPIMAppointment::kSemiMonthlyTag);
    if (!appointments.OpenByName(AppointmentsDatabaseName()) || !appointments.SeekToOid(oid) ||
        !appointments.ReadRecord(record) || !record.Find(CPIMAppointment::kSemiMonthlyTag))
      return std::nullopt;
    return record.Find(CPIMAppointment::kSemiMonthlyTag)->AsInteger();
  }
  ItemContext context_;
};

TEST_F(SemiMonthlyPropertyTest, ASavedSeriesLoadsWithItsFlagsAndWeekdays) {
  ItemOid oid = SaveSemiMonthly();
  auto series = Load(oid);
  EXPECT_TRUE(series->recurrence.semiMonthly.present);
  EXPECT_EQ(series->recurrence.semiMonthly.flags, kFifteenthAndLast | kDayBefore);
  EXPECT_EQ(series->recurrence.semiMonthly.weekdayMask, kMondayToFriday);
  EXPECT_EQ(StoredValue(oid), (kFifteenthAndLast | kDayBefore) | kMondayToFriday << 16);
}

TEST_F(SemiMonthlyPropertyTest, AnUnchangedSaveKeepsTheProperty) {
  ItemOid oid = SaveSemiMonthly();
  auto series = Load(oid);
  series->subject = u"Payroll run";
  ASSERT_EQ(series->Save(context_), S_OK);
  EXPECT_TRUE(Load(oid)->recurrence.semiMonthly.present);
}

TEST_F(SemiMonthlyPropertyTest, AnotherKindRemovesIt) {
  ItemOid oid = SaveSemiMonthly();
  auto series = Load(oid);
  series->recurrence = RecurrencePattern{
      .type = olRecursWeekly, .interval = 1, .weekdayMask = 32, .patternStart = Date(2024, 3, 29)};
  ASSERT_EQ(series->Save(context_), S_OK);
  EXPECT_EQ(StoredValue(oid), std::nullopt);
  EXPECT_FALSE(Load(oid)->recurrence.semiMonthly.present);
}

TEST_F(SemiMonthlyPropertyTest, NotRecurringRemovesIt) {
  ItemOid oid = SaveSemiMonthly();
  auto series = Load(oid);
  series->recurring = false;
  ASSERT_EQ(series->Save(context_), S_OK);
  EXPECT_EQ(StoredValue(oid), std::nullopt);
}

// Another program may change the series without knowing the property: a pattern that is not daily
// every 7 days is not semi-monthly, whatever the property says.
TEST_F(SemiMonthlyPropertyTest, APatternChangedElsewhereIsNotSemiMonthly) {
  ItemOid oid = SaveSemiMonthly();
  {
    OutlookSession session;
    ASSERT_TRUE(session.Logon(nullptr));
    platform::ComPtr<IAppointment> item = session.GetItem<IAppointment>(oid, IID_IAppointment);
    platform::ComPtr<IRecurrencePattern> pattern;
    ASSERT_TRUE(item && SUCCEEDED(item->GetRecurrencePattern(&pattern)));
    ASSERT_EQ(pattern->put_Interval(3), S_OK);
    ASSERT_EQ(item->Save(), S_OK);
  }
  ASSERT_TRUE(StoredValue(oid).has_value()) << "the other program left the property";
  auto series = Load(oid);
  EXPECT_EQ(series->recurrence.interval, 3);
  EXPECT_FALSE(series->recurrence.semiMonthly.present);
}

}  // namespace
