#include <gtest/gtest.h>

#include <random>

#include "platform/outlook/OutlookProperties.h"
#include "platform/outlook/Recurrence.h"
#include "tests/platform/outlook/OutlookTestSupport.h"

namespace {

using calyra::testing::Bstr;
using calyra::testing::Date;
using calyra::testing::Day;
using calyra::testing::Days;
using calyra::testing::OutlookTest;
using calyra::testing::RawRecord;
using platform::ComPtr;
using platform::RecurrenceData;
using platform::RecurrenceEnd;
using Strings = std::vector<std::string>;

RecurrenceData Pattern(LONG type, DATE start) {
  RecurrenceData pattern = platform::DefaultRecurrence(start);
  pattern.type = type;
  return pattern;
}

std::vector<DATE> InYear(const RecurrenceData& pattern, size_t limit = 50) {
  return platform::ExpandOccurrences(pattern, Date(2020, 1, 1), Date(2031, 1, 1), limit);
}

TEST(RecurrenceRuleTest, PatternsBecomeTheseRules) {
  RecurrenceData weekly = Pattern(olRecursWeekly, Date(2024, 12, 23));
  weekly.dayOfWeekMask = olMonday | olThursday;
  weekly.interval = 2;
  EXPECT_EQ(platform::RecurrenceRule(weekly), "FREQ=WEEKLY;INTERVAL=2;WKST=SU;BYDAY=MO,TH");
  RecurrenceData weekdays = Pattern(olRecursDaily, Date(2024, 12, 23));
  weekdays.interval = 0;
  EXPECT_EQ(platform::RecurrenceRule(weekdays), "FREQ=WEEKLY;WKST=SU;BYDAY=MO,TU,WE,TH,FR");
  RecurrenceData monthly = Pattern(olRecursMonthly, Date(2024, 1, 31));
  monthly.end = RecurrenceEnd::AfterCount;
  monthly.occurrences = 4;
  EXPECT_EQ(platform::RecurrenceRule(monthly), "FREQ=MONTHLY;INTERVAL=1;BYMONTHDAY=31,-1;BYSETPOS=1;COUNT=4");
  RecurrenceData lastFriday = Pattern(olRecursMonthNth, Date(2024, 3, 29));
  lastFriday.instance = 5;
  lastFriday.end = RecurrenceEnd::ByDate;
  lastFriday.patternEndDate = Date(2024, 8, 1);
  EXPECT_EQ(platform::RecurrenceRule(lastFriday),
            "FREQ=MONTHLY;INTERVAL=1;BYDAY=FR;BYSETPOS=-1;UNTIL=20240801T235959");
  RecurrenceData yearNth = Pattern(olRecursYearNth, Date(2024, 11, 28));
  EXPECT_EQ(platform::RecurrenceRule(yearNth), "FREQ=YEARLY;INTERVAL=1;BYMONTH=11;BYDAY=TH;BYSETPOS=4");
  RecurrenceData bad = Pattern(4, Date(2024, 1, 1));
  EXPECT_EQ(platform::RecurrenceRule(bad), "");
}

TEST(RecurrenceRuleTest, WeeklyAcrossTheYearBoundary) {
  RecurrenceData weekly = Pattern(olRecursWeekly, Date(2024, 12, 20));  // a Friday
  weekly.dayOfWeekMask = olMonday | olFriday;
  EXPECT_EQ(Days(platform::ExpandOccurrences(weekly, Date(2024, 12, 1), Date(2025, 1, 11), 10)),
            (Strings{"2024-12-20", "2024-12-23", "2024-12-27", "2024-12-30", "2025-01-03", "2025-01-06",
                     "2025-01-10"}));
  weekly.interval = 2;
  EXPECT_EQ(Days(platform::ExpandOccurrences(weekly, Date(2024, 12, 1), Date(2025, 1, 20), 10)),
            (Strings{"2024-12-20", "2024-12-30", "2025-01-03", "2025-01-13", "2025-01-17"}));
}

TEST(RecurrenceRuleTest, MonthNthAndLastFriday) {
  RecurrenceData second = Pattern(olRecursMonthNth, Date(2024, 11, 12));  // 2nd Tuesday
  EXPECT_EQ(second.instance, 2);
  EXPECT_EQ(Days(InYear(second, 4)), (Strings{"2024-11-12", "2024-12-10", "2025-01-14", "2025-02-11"}));
  RecurrenceData last = Pattern(olRecursMonthNth, Date(2024, 1, 26));
  last.instance = 5;
  last.dayOfWeekMask = olFriday;
  EXPECT_EQ(Days(InYear(last, 5)),
            (Strings{"2024-01-26", "2024-02-23", "2024-03-29", "2024-04-26", "2024-05-31"}));
  RecurrenceData firstWeekday = Pattern(olRecursMonthNth, Date(2024, 6, 1));
  firstWeekday.instance = 1;
  firstWeekday.dayOfWeekMask = olMonday | olTuesday | olWednesday | olThursday | olFriday;
  EXPECT_EQ(Days(InYear(firstWeekday, 3)), (Strings{"2024-06-03", "2024-07-01", "2024-08-01"}))
      << "several days: the nth of them";
}

TEST(RecurrenceRuleTest, Day31FallsOnTheLastDayOfShorterMonths) {
  RecurrenceData monthly = Pattern(olRecursMonthly, Date(2024, 1, 31));
  EXPECT_EQ(Days(InYear(monthly, 5)),
            (Strings{"2024-01-31", "2024-02-29", "2024-03-31", "2024-04-30", "2024-05-31"}));
  monthly.dayOfMonth = 30;
  monthly.patternStartDate = Date(2025, 1, 30);
  EXPECT_EQ(Days(InYear(monthly, 3)), (Strings{"2025-01-30", "2025-02-28", "2025-03-30"}));
}

TEST(RecurrenceRuleTest, YearlyOn29FebruaryFallsOn28FebruaryInOtherYears) {
  RecurrenceData leap = Pattern(olRecursYearly, Date(2024, 2, 29));
  EXPECT_EQ(leap.monthOfYear, 2);
  EXPECT_EQ(leap.dayOfMonth, 29);
  EXPECT_EQ(Days(InYear(leap, 5)),
            (Strings{"2024-02-29", "2025-02-28", "2026-02-28", "2027-02-28", "2028-02-29"}));
  RecurrenceData thanksgiving = Pattern(olRecursYearNth, Date(2024, 11, 28));
  EXPECT_EQ(Days(InYear(thanksgiving, 3)), (Strings{"2024-11-28", "2025-11-27", "2026-11-26"}));
}

TEST(RecurrenceRuleTest, EveryWeekdayAndEveryNthDay) {
  RecurrenceData weekdays = Pattern(olRecursDaily, Date(2024, 12, 27));  // Friday
  weekdays.interval = 0;
  EXPECT_EQ(Days(InYear(weekdays, 4)), (Strings{"2024-12-27", "2024-12-30", "2024-12-31", "2025-01-01"}));
  RecurrenceData everyThird = Pattern(olRecursDaily, Date(2024, 2, 27));
  everyThird.interval = 3;
  EXPECT_EQ(Days(InYear(everyThird, 3)), (Strings{"2024-02-27", "2024-03-01", "2024-03-04"}));
}

TEST(RecurrenceRuleTest, CountAndDateEndedPatternsStop) {
  RecurrenceData counted = Pattern(olRecursWeekly, Date(2024, 3, 15));
  counted.end = RecurrenceEnd::AfterCount;
  counted.occurrences = 3;
  EXPECT_EQ(Days(InYear(counted)), (Strings{"2024-03-15", "2024-03-22", "2024-03-29"}));
  EXPECT_EQ(Day(*platform::LastOccurrence(counted)), "2024-03-29 00:00");
  RecurrenceData dated = Pattern(olRecursMonthly, Date(2024, 10, 15));
  dated.end = RecurrenceEnd::ByDate;
  dated.patternEndDate = Date(2025, 1, 15);
  EXPECT_EQ(Days(InYear(dated)), (Strings{"2024-10-15", "2024-11-15", "2024-12-15", "2025-01-15"}))
      << "the end day itself counts";
  EXPECT_FALSE(platform::NextOccurrence(dated, Date(2025, 1, 15)).has_value());
}

TEST(RecurrenceRuleTest, APatternWithoutEndStopsAtTheLimitAndTheWindow) {
  RecurrenceData daily = Pattern(olRecursDaily, Date(2024, 1, 1));
  EXPECT_EQ(platform::ExpandOccurrences(daily, Date(2024, 1, 1), Date(9999, 1, 1), 1000).size(), 1000u);
  EXPECT_EQ(platform::ExpandOccurrences(daily, Date(2024, 3, 1), Date(2024, 3, 8), 1000).size(), 7u);
  EXPECT_LE(platform::ExpandOccurrences(daily, Date(1990, 1, 1), Date(9999, 1, 1), 10'000'000).size(),
            platform::kMaxOccurrenceSteps);
  EXPECT_FALSE(platform::LastOccurrence(daily).has_value());
  EXPECT_EQ(Day(platform::ExpandOccurrences(daily, Date(2024, 1, 1), Date(2024, 1, 2), 5, 0.75)[0]),
            "2024-01-01 18:00")
      << "at the time of day";
}

TEST(RecurrenceRuleTest, TheBlobRoundTripsAndIgnoresByte4) {
  RecurrenceData pattern = Pattern(olRecursMonthNth, Date(2024, 5, 14));
  pattern.end = RecurrenceEnd::AfterCount;
  pattern.occurrences = 7;
  pattern.exceptions.push_back({Date(2024, 6, 11), true, 0});
  pattern.exceptions.push_back({Date(2024, 7, 9), false, 1234});
  std::vector<uint8_t> blob = platform::EncodeRecurrence(pattern);
  blob[4] = 10;
  std::optional<RecurrenceData> back = platform::DecodeRecurrence(blob.data(), blob.size());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->type, olRecursMonthNth);
  EXPECT_EQ(back->instance, 2);
  EXPECT_EQ(back->dayOfWeekMask, olTuesday);
  EXPECT_EQ(back->occurrences, 7);
  EXPECT_EQ(back->patternStartDate, Date(2024, 5, 14));
  ASSERT_EQ(back->exceptions.size(), 2u);
  EXPECT_TRUE(back->exceptions[0].deleted);
  EXPECT_EQ(back->exceptions[1].oid, 1234u);
  blob.pop_back();
  EXPECT_FALSE(platform::DecodeRecurrence(blob.data(), blob.size()));
}

class RecurringItemTest : public OutlookTest {};

TEST_F(RecurringItemTest, AWeeklyAppointmentSavesItsPatternAndAnswersItsOccurrences) {
  ComPtr<IAppointment> series = NewAppointment();
  series->put_Subject(Bstr(u"Standup"));
  series->put_Start(Date(2024, 12, 23, 9, 15));
  series->put_Duration(15);
  ComPtr<IRecurrencePattern> pattern;
  ASSERT_EQ(series->GetRecurrencePattern(&pattern), S_OK);
  LONG value = -1;
  pattern->get_RecurrenceType(&value);
  EXPECT_EQ(value, olRecursWeekly);
  pattern->get_DayOfWeekMask(&value);
  EXPECT_EQ(value, olMonday);
  ASSERT_EQ(pattern->put_DayOfWeekMask(olMonday | olWednesday), S_OK);
  ASSERT_EQ(pattern->put_Occurrences(4), S_OK);
  DATE date = 0;
  pattern->get_PatternEndDate(&date);
  EXPECT_EQ(date, Date(2025, 1, 1)) << "the day of the last occurrence";
  pattern->get_StartTime(&date);
  EXPECT_EQ(Day(date), "1899-12-30 09:15");
  pattern->get_Duration(&value);
  EXPECT_EQ(value, 15);
  VARIANT_BOOL flag = VARIANT_FALSE;
  series->get_IsRecurring(&flag);
  EXPECT_EQ(flag, VARIANT_TRUE);
  ComPtr<IAppointment> occurrence;
  EXPECT_EQ(pattern->GetOccurrence(Date(2024, 12, 25), &occurrence), E_FAIL) << "not saved yet";
  ASSERT_EQ(series->Save(), S_OK);
  LONG oid = OidOf(series);

  RawRecord raw(u"Appointments Database", static_cast<CEOID>(oid));
  EXPECT_TRUE(raw.Has(platform::outlook::kPropRecurrence));

  ComPtr<IAppointment> again = Fetch<IAppointment>(oid, IID_IAppointment);
  ComPtr<IRecurrencePattern> stored;
  ASSERT_EQ(again->GetRecurrencePattern(&stored), S_OK);
  stored->get_Occurrences(&value);
  EXPECT_EQ(value, 4);
  stored->get_DayOfWeekMask(&value);
  EXPECT_EQ(value, olMonday | olWednesday);
  ASSERT_EQ(stored->GetOccurrence(Date(2025, 1, 1, 17), &occurrence), S_OK) << "any time of that day";
  DATE start = 0;
  occurrence->get_Start(&start);
  EXPECT_EQ(Day(start), "2025-01-01 09:15");
  EXPECT_EQ(calyra::testing::Text(occurrence.Get(), &IAppointment::get_Subject), u"Standup");
  EXPECT_EQ(OidOf(occurrence), 0) << "an occurrence has no record of its own";
  EXPECT_EQ(stored->GetOccurrence(Date(2024, 12, 24), &occurrence), E_FAIL) << "a Tuesday";
  EXPECT_EQ(occurrence.Get(), nullptr);
  EXPECT_EQ(stored->GetOccurrence(Date(2025, 1, 6), &occurrence), E_FAIL) << "after the fourth";

  ASSERT_EQ(again->ClearRecurrencePattern(), S_OK);
  ASSERT_EQ(again->Save(), S_OK);
  RawRecord cleared(u"Appointments Database", static_cast<CEOID>(oid));
  EXPECT_FALSE(cleared.Has(platform::outlook::kPropRecurrence));
}

TEST_F(RecurringItemTest, AChangedOccurrenceBecomesAnExceptionWithItsOwnRecord) {
  ComPtr<IAppointment> series = NewAppointment();
  series->put_Subject(Bstr(u"Yoga"));
  series->put_Start(Date(2024, 3, 18, 18));
  ComPtr<IRecurrencePattern> pattern;
  ASSERT_EQ(series->GetRecurrencePattern(&pattern), S_OK);
  ASSERT_EQ(series->Save(), S_OK);
  LONG seriesOid = OidOf(series);

  ComPtr<IAppointment> moved;
  ASSERT_EQ(pattern->GetOccurrence(Date(2024, 3, 25), &moved), S_OK);
  moved->put_Start(Date(2024, 3, 26, 19));
  moved->put_Location(Bstr(u"Park"));
  ASSERT_EQ(moved->Save(), S_OK);
  LONG exceptionOid = OidOf(moved);
  EXPECT_NE(exceptionOid, 0);
  EXPECT_NE(exceptionOid, seriesOid);
  RawRecord raw(u"Appointments Database", static_cast<CEOID>(exceptionOid));
  EXPECT_EQ(raw.Number(platform::outlook::kPropExceptionOf), static_cast<uint32_t>(seriesOid));
  EXPECT_EQ(raw.Time(platform::outlook::kPropExceptionOriginalDate), calyra::testing::Ticks(2024, 3, 25));

  ComPtr<IAppointment> dropped;
  ASSERT_EQ(pattern->GetOccurrence(Date(2024, 4, 1), &dropped), S_OK);
  ASSERT_EQ(dropped->Delete(), S_OK);

  ComPtr<IAppointment> again = Fetch<IAppointment>(seriesOid, IID_IAppointment);
  ComPtr<IRecurrencePattern> stored;
  ASSERT_EQ(again->GetRecurrencePattern(&stored), S_OK);
  ComPtr<IExceptions> exceptions;
  ASSERT_EQ(stored->get_Exceptions(&exceptions), S_OK);
  int count = 0;
  exceptions->get_Count(&count);
  ASSERT_EQ(count, 2);
  ComPtr<IException> first, second;
  ASSERT_EQ(exceptions->Item(1, &first), S_OK);
  ASSERT_EQ(exceptions->Item(2, &second), S_OK);
  DATE date = 0;
  VARIANT_BOOL deleted = VARIANT_TRUE;
  first->get_OriginalDate(&date);
  first->get_Deleted(&deleted);
  EXPECT_EQ(date, Date(2024, 3, 25));
  EXPECT_EQ(deleted, VARIANT_FALSE);
  ComPtr<IAppointment> replacement;
  ASSERT_EQ(first->get_AppointmentItem(&replacement), S_OK);
  EXPECT_EQ(OidOf(replacement), exceptionOid);
  EXPECT_EQ(calyra::testing::Text(replacement.Get(), &IAppointment::get_Location), u"Park");
  second->get_OriginalDate(&date);
  second->get_Deleted(&deleted);
  EXPECT_EQ(date, Date(2024, 4, 1));
  EXPECT_EQ(deleted, VARIANT_TRUE);
  EXPECT_EQ(second->get_AppointmentItem(&replacement), E_FAIL);

  // The occurrence asked for again is the exception; the deleted one is gone.
  ComPtr<IAppointment> occurrence;
  ASSERT_EQ(stored->GetOccurrence(Date(2024, 3, 25), &occurrence), S_OK);
  EXPECT_EQ(OidOf(occurrence), exceptionOid);
  EXPECT_EQ(stored->GetOccurrence(Date(2024, 4, 1), &occurrence), E_FAIL);

  // The calendar lists the series alone; deleting it deletes its exceptions.
  ComPtr<IFolder> calendar;
  app_->GetDefaultFolder(olFolderCalendar, &calendar);
  ComPtr<IPOutlookItemCollection> items;
  calendar->get_Items(&items);
  items->get_Count(&count);
  EXPECT_EQ(count, 1);
  ASSERT_EQ(again->Delete(), S_OK);
  ComPtr<IDispatch> gone;
  EXPECT_EQ(app_->GetItemFromOid(static_cast<CEOID>(exceptionOid), &gone), E_INVALIDARG);
}

TEST_F(RecurringItemTest, CompletingARecurringTaskKeepsACompletedCopyAndMovesTheTaskOn) {
  ComPtr<ITask> task = NewTask();
  task->put_Subject(Bstr(u"Water plants"));
  task->put_StartDate(Date(2024, 3, 15));
  task->put_DueDate(Date(2024, 3, 16));
  ComPtr<IRecurrencePattern> pattern;
  ASSERT_EQ(task->GetRecurrencePattern(&pattern), S_OK);
  pattern->put_RecurrenceType(olRecursMonthly);
  pattern->put_DayOfMonth(15);
  pattern->put_Occurrences(3);
  ASSERT_EQ(task->Save(), S_OK);
  LONG oid = OidOf(task);

  ASSERT_EQ(task->put_Complete(VARIANT_TRUE), S_OK);
  ASSERT_EQ(task->Save(), S_OK);
  EXPECT_EQ(OidOf(task), oid) << "the recurring task stays";
  DATE date = 0;
  task->get_StartDate(&date);
  EXPECT_EQ(date, Date(2024, 4, 15));
  task->get_DueDate(&date);
  EXPECT_EQ(date, Date(2024, 4, 16));
  VARIANT_BOOL complete = VARIANT_TRUE;
  task->get_Complete(&complete);
  EXPECT_EQ(complete, VARIANT_FALSE);
  LONG left = 0;
  pattern->get_Occurrences(&left);
  EXPECT_EQ(left, 2);

  ComPtr<IFolder> tasks;
  app_->GetDefaultFolder(olFolderTasks, &tasks);
  ComPtr<IPOutlookItemCollection> items;
  tasks->get_Items(&items);
  int count = 0;
  items->get_Count(&count);
  ASSERT_EQ(count, 2);
  bool sawCopy = false;
  for (int i = 1; i <= count; ++i) {
    ComPtr<IDispatch> item;
    items->Item(i, &item);
    ComPtr<ITask> t = item.As<ITask>(IID_ITask);
    if (OidOf(t) == oid) continue;
    sawCopy = true;
    t->get_Complete(&complete);
    EXPECT_EQ(complete, VARIANT_TRUE);
    t->get_StartDate(&date);
    EXPECT_EQ(date, Date(2024, 3, 15));
    t->get_DateCompleted(&date);
    EXPECT_EQ(date, Date(2024, 3, 15));
    VARIANT_BOOL recurring = VARIANT_TRUE;
    t->get_IsRecurring(&recurring);
    EXPECT_EQ(recurring, VARIANT_FALSE);
  }
  EXPECT_TRUE(sawCopy);

  // Skipping moves on without a copy; the last occurrence cannot be skipped, and completing it
  // completes the task.
  ASSERT_EQ(task->SkipRecurrence(), S_OK);
  task->get_StartDate(&date);
  EXPECT_EQ(date, Date(2024, 5, 15));
  EXPECT_EQ(task->SkipRecurrence(), E_FAIL);
  ASSERT_EQ(task->Save(), S_OK);
  ComPtr<ITask> last = Fetch<ITask>(oid, IID_ITask);
  last->get_StartDate(&date);
  EXPECT_EQ(date, Date(2024, 5, 15));
  ASSERT_EQ(last->put_Complete(VARIANT_TRUE), S_OK);
  ASSERT_EQ(last->Save(), S_OK);
  last->get_Complete(&complete);
  EXPECT_EQ(complete, VARIANT_TRUE);
  ComPtr<IPOutlookItemCollection> after;
  tasks->get_Items(&after);
  after->get_Count(&count);
  EXPECT_EQ(count, 2) << "no copy for the last one";
}

TEST_F(RecurringItemTest, ARecurrenceBlobOfRandomBytesReadsAsNotRecurring) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<uint8_t> bytes(random() % 120);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    if (round % 2 == 0 && bytes.size() > 6) {  // a valid header with garbage after it
      bytes[0] = 'R', bytes[1] = 'C', bytes[2] = 'U', bytes[3] = 'R', bytes[5] = 1;
    }
    CEPROPVAL values[2]{};
    values[0].propid = platform::outlook::kPropSubject;
    values[0].val.lpwstr = const_cast<WCHAR*>(u"odd");
    values[1].propid = platform::outlook::kPropRecurrence;
    values[1].val.blob = CEBLOB{static_cast<DWORD>(bytes.size()), bytes.data()};
    CEOID oid = calyra::testing::WriteRaw(bytes.empty() ? u"Tasks Database" : u"Appointments Database", 0,
                                          {values[0], values[1]});
    ASSERT_NE(oid, 0u);
    ComPtr<IDispatch> item;
    ASSERT_EQ(app_->GetItemFromOid(oid, &item), S_OK);
    VARIANT_BOOL recurring = VARIANT_TRUE;
    if (auto appointment = item.As<IAppointment>(IID_IAppointment)) {
      ASSERT_EQ(appointment->get_IsRecurring(&recurring), S_OK);
      EXPECT_EQ(recurring, VARIANT_FALSE) << round;
    }
  }
}

TEST_F(RecurringItemTest, TheComponentsMarkInByte4KeepsThePatternReadable) {
  ComPtr<IAppointment> series = NewAppointment();
  ComPtr<IRecurrencePattern> pattern;
  series->GetRecurrencePattern(&pattern);
  pattern->put_RecurrenceType(olRecursDaily);
  ASSERT_EQ(series->Save(), S_OK);
  CEOID oid = static_cast<CEOID>(OidOf(series));
  std::vector<uint8_t> blob =
      RawRecord(u"Appointments Database", oid).Blob(platform::outlook::kPropRecurrence);
  ASSERT_GT(blob.size(), 4u);
  blob[4] = 10;
  CEPROPVAL value{};
  value.propid = platform::outlook::kPropRecurrence;
  value.val.blob = CEBLOB{static_cast<DWORD>(blob.size()), blob.data()};
  ASSERT_EQ(calyra::testing::WriteRaw(u"Appointments Database", oid, {value}), oid);
  ComPtr<IAppointment> again = Fetch<IAppointment>(static_cast<LONG>(oid), IID_IAppointment);
  VARIANT_BOOL recurring = VARIANT_FALSE;
  again->get_IsRecurring(&recurring);
  EXPECT_EQ(recurring, VARIANT_TRUE);
  ComPtr<IRecurrencePattern> stored;
  ASSERT_EQ(again->GetRecurrencePattern(&stored), S_OK);
  LONG type = -1;
  stored->get_RecurrenceType(&type);
  EXPECT_EQ(type, olRecursDaily);
}

}  // namespace
