// The conversion exports as a host calls them: the new item of the other kind, the source unchanged.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class ConvertExportsTest : public EditorHostTest {};

int DayNumber(const SYSTEMTIME& date) {
  return date.wYear * 10000 + date.wMonth * 100 + date.wDay;
}

TEST_F(ConvertExportsTest, ARecurringAppointmentBecomesARecurringTaskDueToday) {
  ItemOid series = SaveWeeklyAppointment(u"Choir");
  ItemOid task = CalyraEditor_SaveAppointmentAsTask(series);
  ASSERT_NE(task, 0u);
  CPIMTask converted;
  converted.oid = task;
  ASSERT_TRUE(converted.Load(ItemContext{}));
  EXPECT_EQ(converted.subject, u"Choir");
  EXPECT_TRUE(converted.recurring);
  EXPECT_EQ(converted.recurrence.type, olRecursDaily);
  EXPECT_EQ(converted.recurrence.interval, 7);
  EXPECT_EQ(DayNumber(converted.due), 20240315) << "the fixed clock's today";
  EXPECT_FALSE(converted.reminderSet);

  CPIMAppointment source;
  source.oid = series;
  source.openScope = kOpenSeries;
  ASSERT_TRUE(source.Load(ItemContext{}));
  EXPECT_TRUE(source.recurring) << "the appointment stays as it was";
  EXPECT_EQ(DayNumber(source.start), 20240318);
}

TEST_F(ConvertExportsTest, APrivateTaskBecomesAPrivateAppointmentNow) {
  CPIMTask task;
  task.subject = u"Doctor";
  task.isPrivate = true;
  task.start = task.due = SYSTEMTIME{2024, 4, 0, 2, 0, 0, 0, 0};
  ASSERT_EQ(task.Save(ItemContext{}), S_OK);
  ItemOid appointment = CalyraEditor_SaveTaskAsAppointment(task.oid);
  ASSERT_NE(appointment, 0u);
  CPIMAppointment converted;
  converted.oid = appointment;
  ASSERT_TRUE(converted.Load(ItemContext{}));
  EXPECT_TRUE(converted.isPrivate);
  EXPECT_FALSE(converted.recurring);
  EXPECT_EQ(DayNumber(converted.start), 20240315);
}

TEST_F(ConvertExportsTest, WhatIsNotAnItemOfTheKindGivesNothing) {
  CPIMContact contact;
  contact.SetText(CPIMContact::kFileAs, u"Ada");
  ASSERT_EQ(contact.Save(ItemContext{}), S_OK);
  EXPECT_EQ(CalyraEditor_SaveAppointmentAsTask(0), 0u);
  EXPECT_EQ(CalyraEditor_SaveAppointmentAsTask(contact.oid), 0u);
  EXPECT_EQ(CalyraEditor_SaveTaskAsAppointment(contact.oid), 0u);
  EXPECT_EQ(CalyraEditor_SaveTaskAsAppointment(0x7FFFFF), 0u);
}

}  // namespace
