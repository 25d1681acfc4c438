#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/outlook/OutlookProperties.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"

// Items of the store as the template tests need them: saved through the item objects, or with a
// record property written as it stands (times the object model would round).
namespace calyra::testing {

inline ItemOid SaveAppointment(const std::u16string& subject, const SYSTEMTIME& start, const SYSTEMTIME& end,
                               bool allDay = false) {
  CPIMAppointment appointment;
  appointment.subject = subject;
  appointment.start = start;
  appointment.end = end;
  appointment.allDay = allDay;
  appointment.reminderSet = false;
  EXPECT_EQ(appointment.Save(ItemContext()), S_OK);
  return appointment.oid;
}

inline ItemOid SaveTask(const std::u16string& subject, const SYSTEMTIME& start, const SYSTEMTIME& due) {
  CPIMTask task;
  task.subject = subject;
  task.start = start;
  task.due = due;
  EXPECT_EQ(task.Save(ItemContext()), S_OK);
  return task.oid;
}

inline ItemOid SaveContact(const std::u16string& first, const std::u16string& last,
                           const std::u16string& company) {
  CPIMContact contact;
  contact.SetText(platform::outlook::kPropContactFirstName, first);
  contact.SetText(platform::outlook::kPropContactLastName, last);
  contact.SetText(platform::outlook::kPropContactCompanyName, company);
  contact.SetText(CPIMContact::kFileAs, last.empty() ? company : last);
  EXPECT_EQ(contact.Save(ItemContext()), S_OK);
  return contact.oid;
}

// Writes one property of a stored item's record as it stands.
inline void WriteProperty(ItemOid item, const char16_t* database, const PropertyValue& value) {
  Database records;
  ASSERT_TRUE(records.OpenByName(database));
  ASSERT_TRUE(records.SeekToOid(item));
  Record record(item);
  record.Set(value);
  ASSERT_TRUE(records.WriteRecord(record));
}

// A task whose start date property holds exactly this local time.
inline ItemOid TaskStartingAt(const std::u16string& subject, const SYSTEMTIME& localStart) {
  ItemOid task = SaveTask(subject, platform::kNoDateSystemTime, platform::kNoDateSystemTime);
  FILETIME time{};
  SystemTimeToFileTime(&localStart, &time);
  WriteProperty(task, TasksDatabaseName(), PropertyValue::Time(platform::outlook::kPropTaskStart, time));
  return task;
}

}  // namespace calyra::testing
