// What a template written from an item holds, and what a new item takes from a template.
#include <gtest/gtest.h>

#include <string>

#include "platform/outlook/OutlookProperties.h"
#include "store/CategoryCounts.h"
#include "store/CategorySet.h"
#include "store/PimDatabase.h"
#include "templates/TemplateFill.h"
#include "templates/TemplateWalk.h"
#include "templates/TemplateWriter.h"
#include "tests/support/DateSupport.h"
#include "tests/support/DeviceTest.h"
#include "tests/templates/TemplateItems.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace platform::outlook;

class TemplateWriterTest : public DeviceTest {
 protected:
  template <class Item>
  static Item Stored(ItemOid oid, WORD scope = kOpenNotRecurring) {
    Item item;
    item.oid = oid;
    if constexpr (std::is_same_v<Item, CPIMAppointment>) item.openScope = scope;
    EXPECT_TRUE(item.Load(ItemContext()));
    return item;
  }
  static std::vector<BYTE> Notes(ItemOid item, ItemKind kind) {
    std::vector<BYTE> notes;
    ReadPimProperty(item, kind, kNotesTag, &notes);
    return notes;
  }

  ItemContext context_;
};

TEST_F(TemplateWriterTest, AnAppointmentMovesOntoTheTemplateDayKeepingItsTimesOfDayAndDays) {
  struct Case {
    SYSTEMTIME start, end;
    bool allDay;
    SYSTEMTIME templateStart, templateEnd;
  };
  const Case cases[] = {
      {Date(2024, 3, 20, 10, 0), Date(2024, 3, 20, 11, 30), false, Date(2999, 9, 9, 10, 0),
       Date(2999, 9, 9, 11, 30)},
      {Date(2024, 3, 20, 22, 0), Date(2024, 3, 22, 1, 0), false, Date(2999, 9, 9, 22, 0),
       Date(2999, 9, 11, 1, 0)},
      // One whole day: the store keeps it up to the next midnight.
      {Date(2024, 3, 20), Date(2024, 3, 20), true, Date(2999, 9, 9), Date(2999, 9, 10)},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(::testing::PrintToString(entry.start));
    CPIMAppointment source =
        Stored<CPIMAppointment>(SaveAppointment(u"Dentist", entry.start, entry.end, entry.allDay));
    ItemOid written = TemplateWriter(context_).Write(source, u"Check-up");
    ASSERT_NE(written, 0u);
    CPIMAppointment stored = Stored<CPIMAppointment>(written);
    EXPECT_EQ(stored.subject, u"Check-up");
    EXPECT_EQ(stored.start, entry.templateStart);
    EXPECT_EQ(stored.end, entry.templateEnd);
    EXPECT_EQ(stored.allDay, entry.allDay);
    CPIMAppointment unchanged = Stored<CPIMAppointment>(source.oid);
    EXPECT_EQ(unchanged.subject, u"Dentist");
    EXPECT_EQ(unchanged.start, source.start);
  }
}

TEST_F(TemplateWriterTest, AnAllDayAppointmentEndingWhereItStartsGetsOneMinute) {
  CPIMAppointment source;
  source.subject = u"Holiday";
  source.allDay = true;
  source.start = source.end = Date(2024, 5, 1);
  source.oid = 0;
  // As the page keeps an all-day event: start and end on the same midnight.
  ItemOid written = TemplateWriter(context_).Write(source, u"Day off");
  ASSERT_NE(written, 0u);
  CPIMAppointment stored = Stored<CPIMAppointment>(written);
  EXPECT_EQ(stored.start, Date(2999, 9, 9));
  EXPECT_TRUE(stored.allDay);
  EXPECT_EQ(TemplateCount(ItemKind::Appointment), 1);
}

TEST_F(TemplateWriterTest, AnAppointmentTemplateCarriesTheDescriptiveFieldsButNoSeries) {
  CPIMAppointment source;
  source.subject = u"Team meeting";
  source.location = u"Room 4";
  source.start = Date(2024, 3, 18, 9, 0);
  source.end = Date(2024, 3, 18, 10, 0);
  source.isPrivate = true;
  source.busyStatus = olTentative;
  source.reminderSet = true;
  source.reminderMinutes = 30;
  source.categories = CategorySet::FromNumbers(CategoryNumbersFor({u"Work"}));
  source.recurring = true;
  source.recurrence.type = olRecursWeekly;
  source.recurrence.interval = 1;
  source.recurrence.weekdayMask = olMonday;
  source.recurrence.patternStart = source.start;
  source.recurrence.noEndDate = true;
  ASSERT_EQ(source.Save(context_), S_OK);
  BYTE notes[] = {1, 2, 3, 4};
  ASSERT_TRUE(WritePimProperty(source.oid, ItemKind::Appointment, kNotesTag, notes, sizeof notes));
  CPIMAppointment loaded = Stored<CPIMAppointment>(source.oid, kOpenSeries);

  ItemOid written = TemplateWriter(context_).Write(loaded, u"Weekly");
  ASSERT_NE(written, 0u);
  CPIMAppointment stored = Stored<CPIMAppointment>(written);  // would fail for a series
  EXPECT_FALSE(stored.recurring);
  EXPECT_EQ(stored.location, u"Room 4");
  EXPECT_TRUE(stored.isPrivate);
  EXPECT_EQ(stored.busyStatus, olTentative);
  EXPECT_EQ(stored.reminderMinutes, 30);
  EXPECT_EQ(stored.categories, source.categories);
  EXPECT_EQ(Notes(written, ItemKind::Appointment), std::vector<BYTE>(notes, notes + 4));
}

TEST_F(TemplateWriterTest, ATaskTemplateSitsOnTheTemplateDayWithoutReminderOrCompletion) {
  CPIMTask source;
  source.subject = u"Tax return";
  source.start = Date(2024, 3, 1);
  source.due = Date(2024, 3, 31);
  source.priority = 1;
  source.isPrivate = true;
  source.reminderSet = true;
  source.reminderTime = Date(2024, 3, 30, 8, 0);
  source.complete = true;
  ASSERT_EQ(source.Save(context_), S_OK);
  CPIMTask loaded = Stored<CPIMTask>(source.oid);

  ItemOid written = TemplateWriter(context_).Write(loaded, u"Yearly taxes");
  ASSERT_NE(written, 0u);
  CPIMTask stored = Stored<CPIMTask>(written);
  EXPECT_EQ(stored.subject, u"Yearly taxes");
  EXPECT_EQ(stored.start, Date(2999, 12, 31));
  EXPECT_EQ(stored.due, Date(2999, 12, 31));
  EXPECT_FALSE(stored.reminderSet);
  EXPECT_FALSE(stored.complete);
  EXPECT_EQ(stored.priority, 1);
  EXPECT_TRUE(stored.isPrivate);
  EXPECT_EQ(Stored<CPIMTask>(source.oid).subject, u"Tax return");
}

TEST_F(TemplateWriterTest, AContactTemplateIsNamedByItsCompanyAlone) {
  CPIMContact source;
  source.SetText(kPropContactFirstName, u"Anna");
  source.SetText(kPropContactLastName, u"Berg");
  source.SetText(kPropContactCompanyName, u"Berg Joinery");
  source.SetText(kPropContactBusinessTelephoneNumber, u"+49 30 1234");
  source.SetText(CPIMContact::kFileAs, u"Berg, Anna");
  source.editedBirthday = Date(1980, 5, 4);
  ASSERT_EQ(source.Save(context_), S_OK);
  CPIMContact loaded = Stored<CPIMContact>(source.oid);

  ItemOid written = TemplateWriter(context_).Write(loaded, u"Joiners");
  ASSERT_NE(written, 0u);
  CPIMContact stored = Stored<CPIMContact>(written);
  EXPECT_EQ(stored.Text(kPropContactCompanyName), u"Joiners");
  EXPECT_EQ(stored.Text(CPIMContact::kFileAs), u"Joiners");
  EXPECT_EQ(stored.Text(kPropContactFirstName), u"");
  EXPECT_EQ(stored.Text(kPropContactLastName), u"");
  EXPECT_EQ(stored.Text(kPropContactBusinessTelephoneNumber), u"+49 30 1234");
  EXPECT_FALSE(platform::IsDateSet(stored.birthday));
  EXPECT_EQ(TemplateCount(ItemKind::Contact), 1);
}

TEST_F(TemplateWriterTest, TheNameIsCutAtItsBound) {
  ItemOid task = SaveTask(u"Short", Date(2024, 3, 1), Date(2024, 3, 2));
  ItemOid written = TemplateWriter(context_).Write(Stored<CPIMTask>(task), std::u16string(5000, u'n'));
  ASSERT_NE(written, 0u);
  EXPECT_EQ(Stored<CPIMTask>(written).subject.size(), 4095u);
}

TEST_F(TemplateWriterTest, ANewAppointmentTakesTheTemplatesTimesOnItsDay) {
  CPIMAppointment source;
  source.subject = u"Lunch";
  source.location = u"Canteen";
  source.start = Date(2024, 3, 18, 12, 30);
  source.end = Date(2024, 3, 18, 13, 15);
  ASSERT_EQ(source.Save(context_), S_OK);
  ItemOid written = TemplateWriter(context_).Write(source, u"Lunch break");

  CPIMAppointment fresh;
  ASSERT_TRUE(FillFromTemplate(written, fresh, context_, Date(2024, 4, 2, 8, 0)));
  EXPECT_EQ(fresh.oid, 0u) << "still a new item";
  EXPECT_EQ(fresh.subject, u"Lunch break");
  EXPECT_EQ(fresh.location, u"Canteen");
  EXPECT_EQ(fresh.start, Date(2024, 4, 2, 12, 30));
  EXPECT_EQ(fresh.end, Date(2024, 4, 2, 13, 15));
  EXPECT_EQ(fresh.duration, 45);
}

TEST_F(TemplateWriterTest, ATaskFromATemplateKeepsItsOwnDates) {
  ItemOid written = TaskStartingAt(u"Monthly report", Date(2999, 12, 31));
  BYTE notes[] = {9, 8, 7};
  ASSERT_TRUE(WritePimProperty(written, ItemKind::Task, kNotesTag, notes, sizeof notes));
  CPIMTask fresh;
  fresh.due = Date(2024, 4, 30);
  ASSERT_TRUE(FillFromTemplate(written, fresh, context_, Date(2024, 3, 15)));
  EXPECT_EQ(fresh.subject, u"Monthly report");
  EXPECT_EQ(fresh.due, Date(2024, 4, 30));
  EXPECT_TRUE(fresh.hasNotes);
  EXPECT_EQ(fresh.notes, std::vector<BYTE>(notes, notes + 3));
}

TEST_F(TemplateWriterTest, AContactFromATemplateKeepsTheNameTyped) {
  ItemOid written = SaveContact(u"", u"", u"Acme");
  CPIMContact fresh;
  fresh.SetText(kPropContactFirstName, u"Carl");
  ASSERT_TRUE(FillFromTemplate(written, fresh, context_, Date(2024, 3, 15)));
  EXPECT_EQ(fresh.Text(kPropContactFirstName), u"Carl");
  EXPECT_EQ(fresh.Text(kPropContactCompanyName), u"Acme");
}

TEST_F(TemplateWriterTest, ATemplateOfAnotherKindOrNoneFillsNothing) {
  ItemOid task = TaskStartingAt(u"Report", Date(2999, 12, 31));
  CPIMAppointment appointment;
  EXPECT_FALSE(FillFromTemplate(task, appointment, context_, Date(2024, 3, 15)));
  EXPECT_FALSE(FillFromTemplate(0, appointment, context_, Date(2024, 3, 15)));
  EXPECT_TRUE(appointment.subject.empty());
}

}  // namespace
