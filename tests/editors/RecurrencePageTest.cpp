// The recurrence page driven as a person drives it, through the component's editors: the stored
// item goes in, the page shows it, the person changes it, OK saves it, and the store is read back.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CalyraEditorResources.h"
#include "editors/EditorKind.h"
#include "editors/ReadyMadePatterns.h"
#include "editors/RecurrenceDates.h"
#include "host/EditorFrame.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

constexpr LONG kSunday = 1, kMonday = 2, kTuesday = 4, kWednesday = 8, kThursday = 16, kFriday = 32;
constexpr LONG kMondayToFriday = 62;
constexpr LONG kSemiMonthly = RecurrencePattern::kSemiMonthly;
constexpr SYSTEMTIME kMonday18 = Date(2024, 3, 18);  // the clock stands on Friday 15 March 2024

// The kind list's entries, in their order.
constexpr LONG kKindOrder[] = {olRecursDaily,  olRecursWeekly,  olRecursMonthly, olRecursMonthNth,
                               olRecursYearly, olRecursYearNth, kSemiMonthly};
int KindEntry(LONG kind) {
  return static_cast<int>(std::find(std::begin(kKindOrder), std::end(kKindOrder), kind) -
                          std::begin(kKindOrder));
}
enum EndEntry { kNoEnd = 0, kEndByDate = 1, kEndAfter = 2 };

// The days from the first to the last of a series every 7 days, counted.
LONG CountWeeks(const SYSTEMTIME& first, const SYSTEMTIME& last) {
  DATE from = 0, to = 0;
  SystemTimeToVariantTime(&first, &from);
  SystemTimeToVariantTime(&last, &to);
  return static_cast<LONG>(to - from) / 7 + 1;
}

RecurrencePattern Ending(RecurrencePattern pattern, LONG occurrences) {
  pattern.noEndDate = false;
  pattern.occurrences = occurrences;
  return pattern;
}

class RecurrencePageTest : public EditorHostTest {
 protected:
  ItemOid StoreAppointment(const std::optional<RecurrencePattern>& pattern, SYSTEMTIME day = kMonday18) {
    CPIMAppointment appointment;
    appointment.subject = u"Review";
    appointment.start = appointment.end = day;
    appointment.start.wHour = 10;
    appointment.end.wHour = 11;
    appointment.recurring = pattern.has_value();
    if (pattern) appointment.recurrence = *pattern;
    EXPECT_EQ(appointment.Save(ItemContext{}), S_OK);
    return appointment.oid;
  }
  ItemOid StoreTask(const std::optional<RecurrencePattern>& pattern, SYSTEMTIME day = kMonday18) {
    CPIMTask task;
    task.subject = u"Report";
    task.start = task.due = day;
    task.recurring = pattern.has_value();
    if (pattern) task.recurrence = *pattern;
    EXPECT_EQ(task.Save(ItemContext{}), S_OK);
    return task.oid;
  }
  std::unique_ptr<CPIMAppointment> LoadAppointment(ItemOid oid) {
    auto appointment = std::make_unique<CPIMAppointment>();
    appointment->oid = oid;
    appointment->openScope = kOpenSeries;
    EXPECT_TRUE(appointment->Load(ItemContext{}));
    return appointment;
  }
  std::unique_ptr<CPIMTask> LoadTask(ItemOid oid) {
    auto task = std::make_unique<CPIMTask>();
    task->oid = oid;
    EXPECT_TRUE(task->Load(ItemContext{}));
    return task;
  }
  bool RecordHas(ItemOid oid, CEPROPID tag) {
    Database appointments;
    Record record;
    record.Request(tag);
    return appointments.OpenByName(AppointmentsDatabaseName()) && appointments.SeekToOid(oid) &&
           appointments.ReadRecord(record) && record.Find(tag) != nullptr;
  }
  // Opens the stored item's editor (the whole series of an appointment) on the occurrence date and
  // shows its recurrence page.
  void Edit(ItemKind kind, ItemOid oid, const SYSTEMTIME& occurrence = kMonday18) {
    EditorKind editor = kind == ItemKind::Task ? EditorKind::EditTask : EditorKind::EditAppointment;
    ASSERT_EQ(EditItem(editor, oid).Occurrence(occurrence).StartPage(1).Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
    ShowRecurrencePage();
  }
  void ShowRecurrencePage() {
    auto tabs = static_cast<int>(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < tabs && !OnRecurrencePage(); ++tab) {
      // A start page beyond the tabs shows none, yet the strip counts its first tab as chosen:
      // the frame then shows it as the strip's change notice would.
      if (!platform::UserSelectTab(Tabs(), tab)) Frame().OnTabChanged(tab);
      Pump();
    }
    ASSERT_TRUE(OnRecurrencePage());
  }
  bool OnRecurrencePage() const {
    EditorPage* page = Frame().CurrentPage();
    return page && page->GetPageKind() == PageKind::Recurrence && Frame().FocusedPage();
  }
  HWND Page() const { return Frame().FocusedPage(); }
  HWND Control(int id) const { return GetDlgItem(Page(), id); }
  int Selection(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }
  int Count(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0)); }
  std::u16string Entry(int id, int index) const {
    WCHAR text[128] = {};
    SendMessageW(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool Checked(int id) const { return IsDlgButtonChecked(Page(), id) == BST_CHECKED; }
  void Choose(int id, int index) { ASSERT_TRUE(platform::UserChoose(Control(id), index)) << id; }
  void Click(int id) { ASSERT_TRUE(platform::UserClick(Control(id))) << id; }
  void PickDate(int id, const SYSTEMTIME* date) {
    ASSERT_TRUE(platform::UserPickDate(Control(id), date)) << id;
  }
  void Type(int id, std::u16string_view text) { ASSERT_TRUE(platform::UserType(Control(id), text)) << id; }
  // The full editor: the custom entry, then a kind.
  void ChooseKind(LONG kind) {
    Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Custom));
    Choose(kRecurrenceKind, KindEntry(kind));
  }
  void Ok() {
    SendMessageW(Page(), WM_COMMAND, kCommandOk, 0);
    Pump();
  }
};

// ---- Load: which entry, kind and end a stored pattern shows ----

struct LoadCase {
  const char* name;
  RecurrencePattern pattern;
  ReadyMade entry;
  int end;
};

const LoadCase kLoadCases[] = {
    {"WeeklyMondayAndWednesdayIsReadyMade",
     {.type = olRecursWeekly, .interval = 1, .weekdayMask = kMonday | kWednesday, .patternStart = kMonday18},
     ReadyMade::Weekly,
     kNoEnd},
    {"EveryTwoWeeksIsCustom",
     {.type = olRecursWeekly, .interval = 2, .weekdayMask = kMonday | kWednesday, .patternStart = kMonday18},
     ReadyMade::Custom,
     kNoEnd},
    {"WeeklyWithAnEndIsCustom",
     Ending({.type = olRecursWeekly,
             .interval = 1,
             .weekdayMask = kMonday | kWednesday,
             .patternStart = kMonday18},
            6),
     ReadyMade::Custom, kEndByDate},
    {"WeeklyWithoutTheStartsWeekdayIsCustom",
     {.type = olRecursWeekly, .interval = 1, .weekdayMask = kTuesday, .patternStart = Date(2024, 3, 19)},
     ReadyMade::Custom,
     kNoEnd},
    {"MonthlyOnTheStartsDayIsReadyMade",
     {.type = olRecursMonthly, .interval = 1, .dayOfMonth = 18, .patternStart = kMonday18},
     ReadyMade::Monthly,
     kNoEnd},
    {"MonthlyOnAnotherDayIsCustom",
     {.type = olRecursMonthly, .interval = 1, .dayOfMonth = 20, .patternStart = Date(2024, 3, 20)},
     ReadyMade::Custom,
     kNoEnd},
    {"YearlyOnTheStartsDayIsReadyMade",
     {.type = olRecursYearly, .dayOfMonth = 18, .monthOfYear = 3, .patternStart = kMonday18},
     ReadyMade::Yearly,
     kNoEnd},
    {"DailyIsCustom",
     {.type = olRecursDaily, .interval = 1, .patternStart = kMonday18},
     ReadyMade::Custom,
     kNoEnd},
    {"MonthlyNthIsCustom",
     {.type = olRecursMonthNth,
      .interval = 1,
      .weekdayMask = kMonday,
      .instance = 3,
      .patternStart = kMonday18},
     ReadyMade::Custom,
     kNoEnd},
    {"YearlyNthIsCustom",
     {.type = olRecursYearNth,
      .weekdayMask = kMonday,
      .instance = 3,
      .monthOfYear = 3,
      .patternStart = kMonday18},
     ReadyMade::Custom,
     kNoEnd},
};

class RecurrenceLoadTest : public RecurrencePageTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(RecurrenceLoadTest, ShowsTheEntryKindAndEnd) {
  const LoadCase& c = GetParam();
  ItemOid oid = StoreAppointment(c.pattern);
  Edit(ItemKind::Appointment, oid);
  EXPECT_EQ(Selection(kRecurrenceQuick), static_cast<int>(c.entry));
  EXPECT_EQ(Selection(kRecurrenceKind), KindEntry(c.pattern.type));
  EXPECT_EQ(Selection(kRecurrenceEnd), c.end);
  EXPECT_EQ(IsWindowEnabled(Control(kRecurrenceKind)) != FALSE, c.entry == ReadyMade::Custom)
      << "a ready-made pattern closes the full editor";
}

INSTANTIATE_TEST_SUITE_P(Patterns, RecurrenceLoadTest, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Load then Store: every kind comes back as it was ----

struct RoundTripCase {
  const char* name;
  ItemKind item;
  RecurrencePattern pattern;
};

const RoundTripCase kRoundTrips[] = {
    {"DailyEvery3Days",
     ItemKind::Appointment,
     {.type = olRecursDaily, .interval = 3, .patternStart = kMonday18}},
    {"DailyEveryWeekday",
     ItemKind::Appointment,
     {.type = olRecursDaily, .interval = 0, .weekdayMask = kMondayToFriday, .patternStart = kMonday18}},
    {"WeeklyEvery2Weeks",
     ItemKind::Appointment,
     {.type = olRecursWeekly, .interval = 2, .weekdayMask = kMonday | kThursday, .patternStart = kMonday18}},
    {"WeeklyReadyMadeKeepsItsOtherDays",
     ItemKind::Appointment,
     {.type = olRecursWeekly, .interval = 1, .weekdayMask = kMonday | kWednesday, .patternStart = kMonday18}},
    {"MonthlyEvery2Months",
     ItemKind::Appointment,
     {.type = olRecursMonthly, .interval = 2, .dayOfMonth = 18, .patternStart = kMonday18}},
    {"MonthlyReadyMade",
     ItemKind::Appointment,
     {.type = olRecursMonthly, .interval = 1, .dayOfMonth = 18, .patternStart = kMonday18}},
    {"MonthlySecondFridayEvery3Months",
     ItemKind::Appointment,
     {.type = olRecursMonthNth,
      .interval = 3,
      .weekdayMask = kFriday,
      .instance = 2,
      .patternStart = Date(2024, 3, 8)}},
    {"YearlyOnAnotherDay",
     ItemKind::Appointment,
     {.type = olRecursYearly, .dayOfMonth = 4, .monthOfYear = 7, .patternStart = Date(2024, 7, 4)}},
    {"YearlyLastSundayOfOctober",
     ItemKind::Appointment,
     {.type = olRecursYearNth,
      .weekdayMask = kSunday,
      .instance = 5,
      .monthOfYear = 10,
      .patternStart = Date(2024, 10, 27)}},
    {"WeeklyEndingAfter5", ItemKind::Appointment,
     Ending({.type = olRecursWeekly, .interval = 1, .weekdayMask = kMonday, .patternStart = kMonday18}, 5)},
    {"TaskWeeklyEvery2Weeks",
     ItemKind::Task,
     {.type = olRecursWeekly, .interval = 2, .weekdayMask = kMonday, .patternStart = kMonday18}},
    {"TaskMonthlyNthEnding", ItemKind::Task,
     Ending({.type = olRecursMonthNth,
             .interval = 1,
             .weekdayMask = kMonday,
             .instance = 3,
             .patternStart = kMonday18},
            4)},
};

class RecurrenceRoundTripTest : public RecurrencePageTest,
                                public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RecurrenceRoundTripTest, OkKeepsThePattern) {
  const RoundTripCase& c = GetParam();
  bool task = c.item == ItemKind::Task;
  ItemOid oid = task ? StoreTask(c.pattern, c.pattern.patternStart)
                     : StoreAppointment(c.pattern, c.pattern.patternStart);
  RecurrencePattern before = task ? LoadTask(oid)->recurrence : LoadAppointment(oid)->recurrence;
  Edit(c.item, oid, c.pattern.patternStart);
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  RecurrencePattern after = task ? LoadTask(oid)->recurrence : LoadAppointment(oid)->recurrence;
  EXPECT_EQ(after.type, before.type);
  EXPECT_EQ(after.interval, before.interval);
  EXPECT_EQ(after.weekdayMask, before.weekdayMask);
  EXPECT_EQ(after.dayOfMonth, before.dayOfMonth);
  EXPECT_EQ(after.instance, before.instance);
  EXPECT_EQ(after.monthOfYear, before.monthOfYear);
  EXPECT_EQ(after.patternStart, before.patternStart);
  EXPECT_EQ(after.noEndDate, before.noEndDate);
  EXPECT_EQ(after.occurrences, before.occurrences);
  EXPECT_EQ(after.patternEnd, before.patternEnd);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecurrenceRoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The person's choices ----

TEST_F(RecurrencePageTest, ReadyMadeListIsWordedForTheStart) {
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  ASSERT_EQ(Count(kRecurrenceQuick), 5);
  EXPECT_EQ(Entry(kRecurrenceQuick, 0), u"Does not repeat");
  EXPECT_EQ(Entry(kRecurrenceQuick, 1), u"Every Monday");
  EXPECT_EQ(Entry(kRecurrenceQuick, 2), u"Day 18 of every month");
  EXPECT_EQ(Entry(kRecurrenceQuick, 3), u"Every March 18");
  EXPECT_EQ(Entry(kRecurrenceQuick, 4), u"Custom pattern...");
  EXPECT_EQ(Selection(kRecurrenceQuick), 0);
}

TEST_F(RecurrencePageTest, ANewStartRewordsTheList) {
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  SYSTEMTIME thursday = Date(2024, 4, 4);
  PickDate(kRecurrenceStart, &thursday);
  EXPECT_EQ(Entry(kRecurrenceQuick, 1), u"Every Thursday");
  EXPECT_EQ(Entry(kRecurrenceQuick, 3), u"Every April 4");
}

TEST_F(RecurrencePageTest, AStartMovedOnTheAppointmentPageRewordsTheListOnReturn) {
  ASSERT_EQ(NewItem(EditorKind::NewAppointment).From(Date(2024, 3, 18, 10)).Subject(u"Review").Post(), 1);
  Pump();
  int appointmentTab = Frame().CurrentTab();
  ShowRecurrencePage();
  int recurrenceTab = Frame().CurrentTab();
  EXPECT_EQ(Entry(kRecurrenceQuick, 1), u"Every Monday");
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), appointmentTab));
  Pump();
  SYSTEMTIME thursday = Date(2024, 3, 21);
  PickDate(kAppointmentStartDate, &thursday);
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), recurrenceTab));
  Pump();
  EXPECT_EQ(Entry(kRecurrenceQuick, 1), u"Every Thursday");
  EXPECT_EQ(Entry(kRecurrenceQuick, 3), u"Every March 21");
  SYSTEMTIME shown{};
  ASSERT_EQ(DateTime_GetSystemtime(Control(kRecurrenceStart), &shown), GDT_VALID);
  EXPECT_EQ(DayOnly(shown), thursday);
}

TEST_F(RecurrencePageTest, ChoosingWeeklyMakesTheAppointmentRecurOnItsDay) {
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Weekly));
  Ok();
  auto stored = LoadAppointment(oid);
  ASSERT_TRUE(stored->recurring);
  EXPECT_EQ(stored->recurrence.type, olRecursWeekly);
  EXPECT_EQ(stored->recurrence.interval, 1);
  EXPECT_EQ(stored->recurrence.weekdayMask, kMonday);
  EXPECT_TRUE(stored->recurrence.noEndDate);
}

TEST_F(RecurrencePageTest, DoesNotRepeatClearsThePattern) {
  ItemOid oid = StoreAppointment(RecurrencePattern{
      .type = olRecursWeekly, .interval = 1, .weekdayMask = kMonday, .patternStart = kMonday18});
  Edit(ItemKind::Appointment, oid);
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::None));
  Ok();
  EXPECT_FALSE(LoadAppointment(oid)->recurring);
}

TEST_F(RecurrencePageTest, TheCustomStartMovesTheSeries) {
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  ChooseKind(olRecursDaily);
  SYSTEMTIME later = Date(2024, 4, 2);
  PickDate(kRecurrenceStart, &later);
  Ok();
  auto stored = LoadAppointment(oid);
  EXPECT_EQ(stored->recurrence.patternStart, later);
  EXPECT_EQ(stored->start, Date(2024, 4, 2, 10)) << "the appointment keeps its time of day";
  EXPECT_EQ(stored->end, Date(2024, 4, 2, 11));
}

// ---- End conditions ----

struct EndByDateCase {
  const char* name;
  std::optional<SYSTEMTIME> end;  // none: the date control shows no date
  LONG occurrences;
  SYSTEMTIME lastDay;
};

// Weekly on Wednesdays from Monday 18 March: the first occurrence is on the 20th.
const EndByDateCase kEndByDateCases[] = {
    {"FiveWednesdays", Date(2024, 4, 17), 5, Date(2024, 4, 17)},
    {"EndBetweenOccurrences", Date(2024, 4, 15), 4, Date(2024, 4, 10)},
    {"EndBeforeTheFirstStoresOne", Date(2024, 3, 19), 1, Date(2024, 3, 20)},
    {"MissingDateStoresTen", std::nullopt, 10, Date(2024, 5, 22)},
};

class EndByDateTest : public RecurrencePageTest, public ::testing::WithParamInterface<EndByDateCase> {};

TEST_P(EndByDateTest, CountsTheOccurrences) {
  const EndByDateCase& c = GetParam();
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  ChooseKind(olRecursWeekly);
  Click(kRecurrenceWeeklySunday + 1);  // Monday off
  Click(kRecurrenceWeeklySunday + 3);  // Wednesday on
  Choose(kRecurrenceEnd, kEndByDate);
  PickDate(kRecurrenceEndDate, c.end ? &*c.end : nullptr);
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  RecurrencePattern stored = LoadAppointment(oid)->recurrence;
  EXPECT_FALSE(stored.noEndDate);
  EXPECT_EQ(stored.occurrences, c.occurrences);
  EXPECT_EQ(stored.patternEnd, c.lastDay);
}

INSTANTIATE_TEST_SUITE_P(Dates, EndByDateTest, ::testing::ValuesIn(kEndByDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct EndAfterCase {
  const char* typed;
  LONG occurrences;
  SYSTEMTIME lastDay;
};

// Weekly on Mondays from 18 March.
const EndAfterCase kEndAfterCases[] = {
    {"1", 1, Date(2024, 3, 18)},
    {"3", 3, Date(2024, 4, 1)},
    {"52", 52, Date(2025, 3, 10)},
    {"", 1, Date(2024, 3, 18)},  // a blank count is one occurrence
};

class EndAfterTest : public RecurrencePageTest, public ::testing::WithParamInterface<EndAfterCase> {};

TEST_P(EndAfterTest, ComputesTheEndDate) {
  const EndAfterCase& c = GetParam();
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Weekly));
  Choose(kRecurrenceEnd, kEndAfter);
  Type(kRecurrenceOccurrences, std::u16string(c.typed, c.typed + std::char_traits<char>::length(c.typed)));
  Ok();
  RecurrencePattern stored = LoadAppointment(oid)->recurrence;
  EXPECT_EQ(stored.occurrences, c.occurrences);
  EXPECT_EQ(stored.patternEnd, c.lastDay);
}

INSTANTIATE_TEST_SUITE_P(Counts, EndAfterTest, ::testing::ValuesIn(kEndAfterCases));

// ---- Numeric fields ----

struct TypingCase {
  const char* name;
  std::u16string typed;
  std::u16string kept;
  int refusals;
};

const TypingCase kTyping[] = {
    {"Digits", u"12", u"12", 0},          {"LeadingZero", u"05", u"5", 1}, {"ZeroAlone", u"0", u"", 1},
    {"ZeroAfterADigit", u"10", u"10", 0}, {"Letter", u"1a", u"1", 1},      {"Minus", u"-3", u"3", 1},
};

class NumericFieldTest : public RecurrencePageTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(NumericFieldTest, RefusesWhatIsNotANumberOfOneOrMore) {
  const TypingCase& c = GetParam();
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Weekly));
  Choose(kRecurrenceEnd, kEndAfter);
  for (int i = 0; i < c.refusals; ++i) user_->ExpectMessageBoxString(kStringRecurNumberBelowOne, IDOK);
  Type(kRecurrenceOccurrences, c.typed);
  WCHAR text[16] = {};
  GetWindowTextW(Control(kRecurrenceOccurrences), text, 16);
  EXPECT_EQ(std::u16string(text), c.kept);
  EXPECT_EQ(user_->StepsLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Typing, NumericFieldTest, ::testing::ValuesIn(kTyping),
                         [](const auto& info) { return std::string(info.param.name); });

// A person who answers every message box and notes its icon.
class IconNotingUser : public ScriptedUser {
 public:
  static constexpr UINT kIconBits = 0xF0;
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    icons.push_back(flags & kIconBits);
    return ScriptedUser::AnswerMessageBox(owner, text, caption, flags);
  }
  std::vector<UINT> icons;
};

TEST_F(RecurrencePageTest, TheRefusalIsAWarning) {
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Weekly));
  Choose(kRecurrenceEnd, kEndAfter);
  {
    IconNotingUser person;
    person.SetResourceModule(resources_);
    person.ExpectMessageBoxString(kStringRecurNumberBelowOne, IDOK);
    Type(kRecurrenceOccurrences, u"0");
    EXPECT_EQ(person.icons, std::vector<UINT>{MB_ICONEXCLAMATION});
  }
  platform::SetUserAgent(&*user_);  // the test's own person again
}

TEST_F(RecurrencePageTest, EndingAfterZeroOccurrencesStoresOne) {
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Weekly));
  Choose(kRecurrenceEnd, kEndAfter);
  user_->ExpectMessageBoxString(kStringRecurNumberBelowOne, IDOK);
  Type(kRecurrenceOccurrences, u"0");
  Ok();
  EXPECT_EQ(LoadAppointment(oid)->recurrence.occurrences, 1);
}

TEST_F(RecurrencePageTest, AnIntervalThatIsNoNumberRefusesTheClose) {
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  ChooseKind(olRecursDaily);
  Type(kRecurrenceDailyInterval, u"x1");
  user_->ExpectMessageBoxString(kStringRecurNumberBelowOne, IDOK);
  Ok();
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_FALSE(LoadAppointment(oid)->recurring);
  SendMessageW(Page(), WM_COMMAND, kCommandCancel, 0);
  Pump();
}

// ---- The semi-monthly kind ----

TEST_F(RecurrencePageTest, SemiMonthlyIsOfferedForAppointmentsOnly) {
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  EXPECT_EQ(Count(kRecurrenceKind), 7);
  EXPECT_EQ(Entry(kRecurrenceKind, 6), u"Twice a month");
  SendMessageW(Page(), WM_COMMAND, kCommandCancel, 0);
  Pump();
  Edit(ItemKind::Task, StoreTask(std::nullopt));
  EXPECT_EQ(Count(kRecurrenceKind), 6);
  SendMessageW(Page(), WM_COMMAND, kCommandCancel, 0);
  Pump();
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  EXPECT_EQ(Count(kRecurrenceKind), 7) << "the row comes back for the next appointment";
}

struct SemiMonthlyCase {
  const char* name;
  std::vector<int> boxes;  // the day check boxes the person ticks
  int adjustment;          // entry of the adjustment list
  LONG flags;
  SYSTEMTIME start;
  SYSTEMTIME end;
};

// From Monday 18 March 2024, Monday to Friday; 31 March is a Sunday, 28 February 2025 a Friday.
const SemiMonthlyCase kSemiMonthlyCases[] = {
    {"NoDayTickedIs15thAndLast", {}, 0, 2 | 4 | 4096, Date(2024, 3, 15), Date(2025, 2, 15)},
    {"LastDayMovedBefore", {kRecurrenceSemiLast}, 2, 4 | 16384, Date(2024, 3, 29), Date(2025, 2, 28)},
    {"LastDayMovedAfter", {kRecurrenceSemiLast}, 3, 4 | 32768, Date(2024, 4, 1), Date(2025, 2, 28)},
    {"FifteenthSkipsToTheNextValid",
     {kRecurrenceSemiFifteenth},
     1,
     2 | 8192,
     Date(2024, 3, 15),
     Date(2025, 2, 15)},
    {"FirstKept", {kRecurrenceSemiFirst}, 0, 1 | 4096, Date(2024, 3, 1), Date(2025, 2, 1)},
};

class SemiMonthlyTest : public RecurrencePageTest, public ::testing::WithParamInterface<SemiMonthlyCase> {};

TEST_P(SemiMonthlyTest, StoresItsFlagsStartAndEnd) {
  const SemiMonthlyCase& c = GetParam();
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  ChooseKind(kSemiMonthly);
  for (int box : c.boxes) Click(box);
  Choose(kRecurrenceSemiAdjustment, c.adjustment);
  Ok();
  ASSERT_FALSE(Frame().IsOpen());
  auto stored = LoadAppointment(oid);
  const RecurrencePattern& p = stored->recurrence;
  EXPECT_EQ(p.type, olRecursDaily) << "Pocket Outlook keeps it as every 7 days";
  EXPECT_EQ(p.interval, 7);
  EXPECT_TRUE(p.semiMonthly.present);
  EXPECT_EQ(p.semiMonthly.flags, c.flags);
  EXPECT_EQ(p.semiMonthly.weekdayMask, kMondayToFriday);
  EXPECT_EQ(p.patternStart, c.start);
  EXPECT_FALSE(p.noEndDate) << "always stored with an end";
  // Pocket Outlook's series is every 7 days from the start: its last day lies in the end's last week.
  DATE last = 0, end = 0;
  SystemTimeToVariantTime(&p.patternEnd, &last);
  SystemTimeToVariantTime(&c.end, &end);
  EXPECT_LE(last, end);
  EXPECT_GT(last, end - 7);
  EXPECT_EQ(p.occurrences, CountWeeks(p.patternStart, p.patternEnd));
}

INSTANTIATE_TEST_SUITE_P(Days, SemiMonthlyTest, ::testing::ValuesIn(kSemiMonthlyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecurrencePageTest, SemiMonthlyLoadsAgainWithItsFlagsAndWeekdays) {
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  ChooseKind(kSemiMonthly);
  Click(kRecurrenceSemiFirst);
  for (int day = 1; day <= 4; ++day) Click(kRecurrenceSemiSunday + day);  // Monday to Thursday
  Choose(kRecurrenceSemiAdjustment, 3);
  Ok();
  auto stored = LoadAppointment(oid);
  Edit(ItemKind::Appointment, oid, stored->recurrence.patternStart);
  EXPECT_EQ(Selection(kRecurrenceQuick), static_cast<int>(ReadyMade::Custom));
  EXPECT_EQ(Selection(kRecurrenceKind), KindEntry(kSemiMonthly));
  EXPECT_TRUE(Checked(kRecurrenceSemiFirst));
  EXPECT_FALSE(Checked(kRecurrenceSemiFifteenth));
  EXPECT_FALSE(Checked(kRecurrenceSemiLast));
  for (int day = 0; day < 7; ++day)
    EXPECT_EQ(Checked(kRecurrenceSemiSunday + day), day >= 1 && day <= 4) << "weekday " << day;
  EXPECT_EQ(Selection(kRecurrenceSemiAdjustment), 3);
  Ok();
  EXPECT_EQ(LoadAppointment(oid)->recurrence.semiMonthly, stored->recurrence.semiMonthly);
}

TEST_F(RecurrencePageTest, AnotherKindRemovesTheSemiMonthlyProperty) {
  ItemOid oid = StoreAppointment(std::nullopt);
  Edit(ItemKind::Appointment, oid);
  ChooseKind(kSemiMonthly);
  Ok();
  ASSERT_TRUE(LoadAppointment(oid)->recurrence.semiMonthly.present);
  ASSERT_TRUE(RecordHas(oid, CPIMAppointment::kSemiMonthlyTag));
  Edit(ItemKind::Appointment, oid, LoadAppointment(oid)->recurrence.patternStart);
  ChooseKind(olRecursWeekly);
  Choose(kRecurrenceEnd, kNoEnd);
  Ok();
  auto stored = LoadAppointment(oid);
  EXPECT_EQ(stored->recurrence.type, olRecursWeekly);
  EXPECT_FALSE(stored->recurrence.semiMonthly.present);
  EXPECT_FALSE(RecordHas(oid, CPIMAppointment::kSemiMonthlyTag)) << "the property is gone from the record";
}

// ---- The page's state ----

TEST_F(RecurrencePageTest, AnOccurrenceShowsThePageDisabledAndKeepsThePattern) {
  RecurrencePattern weekly{
      .type = olRecursWeekly, .interval = 2, .weekdayMask = kMonday, .patternStart = kMonday18};
  ItemOid oid = StoreAppointment(weekly);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, oid).Occurrence(Date(2024, 4, 1)).DoNotAsk().Post(), 1);
  Pump();
  ShowRecurrencePage();
  for (int id : {kRecurrenceQuick, kRecurrenceStart, kRecurrenceEnd, kRecurrenceKind})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  Ok();
  EXPECT_EQ(LoadAppointment(oid)->recurrence.interval, 2);
}

TEST_F(RecurrencePageTest, TheNextEditorStartsFromAResetPage) {
  ItemOid oid =
      StoreAppointment(RecurrencePattern{.type = olRecursDaily, .interval = 3, .patternStart = kMonday18});
  Edit(ItemKind::Appointment, oid);
  EXPECT_EQ(Selection(kRecurrenceKind), KindEntry(olRecursDaily));
  SendMessageW(Page(), WM_COMMAND, kCommandCancel, 0);
  Pump();
  Edit(ItemKind::Task, StoreTask(std::nullopt));
  EXPECT_EQ(Selection(kRecurrenceQuick), 0);
  EXPECT_EQ(Selection(kRecurrenceKind), KindEntry(olRecursWeekly));
  EXPECT_EQ(Selection(kRecurrenceEnd), kNoEnd);
  EXPECT_TRUE(Checked(kRecurrenceWeeklySunday + 1)) << "the new item's weekday";
}

TEST_F(RecurrencePageTest, ATaskWithoutDatesRecursFromToday) {
  CPIMTask task;
  task.subject = u"Water the plants";
  ASSERT_EQ(task.Save(ItemContext{}), S_OK);
  Edit(ItemKind::Task, task.oid);
  Choose(kRecurrenceQuick, static_cast<int>(ReadyMade::Weekly));
  Ok();
  auto stored = LoadTask(task.oid);
  ASSERT_TRUE(stored->recurring);
  EXPECT_EQ(stored->recurrence.weekdayMask, kFriday) << "today is Friday 15 March";
  EXPECT_EQ(stored->recurrence.patternStart, Date(2024, 3, 15));
  EXPECT_EQ(stored->start, Date(2024, 3, 15));
  EXPECT_EQ(stored->due, Date(2024, 3, 15));
}

// ---- The wording of other languages ----

// The component's resources with another language tag.
class LanguageTest : public RecurrencePageTest, public ::testing::WithParamInterface<const char16_t*> {
 protected:
  HINSTANCE MakeResources() override {
    const CalyraResourceTable* base = CalyraResources_Table();
    strings_.assign(base->strings, base->strings + base->stringCount);
    for (CalyraResourceString& string : strings_) {
      if (string.id == kStringLanguageTag) string.text = GetParam();
    }
    table_ = *base;
    table_.strings = strings_.data();
    return platform::RegisterResourceModule(platform::ResourceModuleFromTable(&table_));
  }
  std::vector<CalyraResourceString> strings_;
  CalyraResourceTable table_{};
};

TEST_P(LanguageTest, WordsTheMonthlyAndYearlyEntries) {
  struct Wording {
    const char16_t* tag;
    const char16_t* monthly;
    const char16_t* yearly;
  };
  static const Wording kWordings[] = {
      {u"DE", u"Every 18. Day des Monats", u"Every 18. March"},
      {u"ES", u"Day 18 of every month", u"Every 18 de March"},
      {u"FR", u"Day 18 of every month", u"Every March 18"},
  };
  Edit(ItemKind::Appointment, StoreAppointment(std::nullopt));
  for (const Wording& wording : kWordings) {
    if (std::u16string(wording.tag) != GetParam()) continue;
    EXPECT_EQ(Entry(kRecurrenceQuick, 2), wording.monthly);
    EXPECT_EQ(Entry(kRecurrenceQuick, 3), wording.yearly);
    EXPECT_EQ(Entry(kRecurrenceQuick, 1), u"Every Monday");
  }
}

INSTANTIATE_TEST_SUITE_P(Tags, LanguageTest, ::testing::Values(u"DE", u"ES", u"FR"), [](const auto& info) {
  return std::string(info.index == 0 ? "DE" : info.index == 1 ? "ES" : "FR");
});

}  // namespace
