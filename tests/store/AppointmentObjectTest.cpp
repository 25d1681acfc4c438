#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/outlook/Outbox.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

constexpr CEPROPID kStart = 0x420D0040;

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
}

bool Same(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute;
}

class AppointmentObjectTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddString(resources::kStringCaption, u"Calyra");
    module->AddString(resources::kStringNoSubject, u"(No subject)");
    module->AddString(resources::kStringMeetingUpdate, u"Send the changes to the attendees?");
    module->AddString(resources::kStringRecurringQuestion, u"Open only this occurrence?");
    module->AddString(resources::kStringExceptionsLost, u"Changed occurrences will be lost.");
    context_.resources = platform::RegisterResourceModule(module);
    // Made once the device is attached: the person belongs to that device's window system.
    user_.emplace();
    user_->SetResourceModule(context_.resources);
  }
  void TearDown() override {
    user_.reset();
    DeviceTest::TearDown();
  }
  ItemOid SaveWeekly(const char16_t* subject) {
    CPIMAppointment appointment = Weekly(subject);
    EXPECT_EQ(appointment.Save(context_), S_OK);
    return appointment.oid;
  }
  CPIMAppointment Weekly(const char16_t* subject) {
    CPIMAppointment appointment;
    appointment.subject = subject;
    appointment.start = At(2024, 3, 18, 9);
    appointment.end = At(2024, 3, 18, 10);
    appointment.recurring = true;
    appointment.recurrence.type = olRecursWeekly;
    appointment.recurrence.interval = 1;
    appointment.recurrence.weekdayMask = olMonday;
    appointment.recurrence.patternStart = At(2024, 3, 18);
    return appointment;
  }
  std::unique_ptr<CPIMAppointment> Open(ItemOid oid, WORD scope,
                                        SYSTEMTIME occurrence = platform::kNoDateSystemTime) {
    auto appointment = std::make_unique<CPIMAppointment>();
    appointment->oid = oid;
    appointment->openScope = scope;
    appointment->occurrenceDate = occurrence;
    if (!appointment->Load(context_)) return nullptr;
    return appointment;
  }
  std::optional<int64_t> Raw(ItemOid oid, CEPROPID tag) {
    Database db;
    db.OpenByName(AppointmentsDatabaseName());
    db.SeekToOid(oid);
    Record record;
    record.Request(tag);
    db.ReadRecord(record);
    const PropertyValue* value = record.Find(tag);
    return value ? std::optional<int64_t>(value->AsInteger()) : std::nullopt;
  }

  std::optional<ScriptedUser> user_;
  ItemContext context_;
};

TEST_F(AppointmentObjectTest, RoundTripAndCompanion) {
  CPIMAppointment appointment;
  appointment.subject = u"Dentist";
  appointment.location = u"Main Street 4";
  appointment.start = At(2024, 3, 20, 14, 30);
  appointment.end = At(2024, 3, 20, 15, 15);
  appointment.reminderMinutes = 30;
  appointment.busyStatus = olOutOfOffice;
  appointment.isPrivate = true;
  appointment.categories = CategorySet::FromNumbers({1});
  ASSERT_EQ(appointment.Save(context_), S_OK);
  ItemOid oid = appointment.oid;
  auto loaded = Open(oid, kOpenAsk);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->subject, u"Dentist");
  EXPECT_EQ(loaded->location, u"Main Street 4");
  EXPECT_TRUE(Same(loaded->start, At(2024, 3, 20, 14, 30)));
  EXPECT_TRUE(Same(loaded->end, At(2024, 3, 20, 15, 15)));
  EXPECT_EQ(loaded->reminderMinutes, 30);
  EXPECT_EQ(loaded->busyStatus, olOutOfOffice);
  EXPECT_TRUE(loaded->isPrivate);
  EXPECT_EQ(loaded->categories.Numbers(), std::vector<int>{1});
  EXPECT_EQ(loaded->companionFlag, 1) << "an absent companion flag loads as 1";
  EXPECT_EQ(Raw(oid, CPIMAppointment::kCompanionFlag), std::nullopt)
      << "no companion: both properties absent";

  SYSTEMTIME utc{};
  FILETIME start{};
  {
    Database db;
    db.OpenByName(AppointmentsDatabaseName());
    db.SeekToOid(oid);
    Record record;
    record.Request(kStart);
    db.ReadRecord(record);
    start = record.Find(kStart)->AsTime();
  }
  FileTimeToSystemTime(&start, &utc);
  EXPECT_TRUE(Same(utc, At(2024, 3, 20, 13, 30))) << "the record keeps the start in UTC";

  loaded->companionOid = 4242;
  ASSERT_EQ(loaded->Save(context_), S_OK);
  EXPECT_EQ(Raw(oid, CPIMAppointment::kCompanionOid), 4242);
  EXPECT_EQ(Raw(oid, CPIMAppointment::kCompanionFlag), 1);
  loaded->companionOid = 0;
  ASSERT_EQ(loaded->Save(context_), S_OK);
  EXPECT_EQ(Raw(oid, CPIMAppointment::kCompanionOid), std::nullopt) << "companion 0 with flag 1 removes both";
  EXPECT_EQ(Raw(oid, CPIMAppointment::kCompanionFlag), std::nullopt);
  EXPECT_EQ(loaded->NotesCapacity(), 48832u);
}

TEST_F(AppointmentObjectTest, RecurringItemsAskWhatToOpen) {
  ItemOid series = SaveWeekly(u"Team meeting");
  SYSTEMTIME monday = At(2024, 3, 25);
  user_->ExpectMessageBoxString(resources::kStringRecurringQuestion, IDYES);
  auto occurrence = Open(series, kOpenAsk, monday);
  ASSERT_NE(occurrence, nullptr);
  EXPECT_TRUE(occurrence->openedOccurrence);
  EXPECT_TRUE(Same(occurrence->start, At(2024, 3, 25, 9)));
  user_->ExpectMessageBoxString(resources::kStringRecurringQuestion, IDNO);
  auto whole = Open(series, kOpenAsk, monday);
  ASSERT_NE(whole, nullptr);
  EXPECT_FALSE(whole->openedOccurrence);
  EXPECT_EQ(whole->recurrence.weekdayMask, olMonday);
  user_->ExpectMessageBoxString(resources::kStringRecurringQuestion, IDCANCEL);
  EXPECT_EQ(Open(series, kOpenAsk, monday), nullptr) << "Cancel fails the load";
  EXPECT_EQ(Open(series, kOpenNotRecurring, monday), nullptr);
  EXPECT_NE(Open(series, kOpenOccurrence, monday), nullptr) << "no question";
  EXPECT_EQ(Open(series, kOpenOccurrence, At(2024, 3, 26)), nullptr) << "no occurrence on a Tuesday";
}

TEST_F(AppointmentObjectTest, SavingAnOccurrenceMakesAnException) {
  ItemOid series = SaveWeekly(u"Team meeting");
  auto occurrence = Open(series, kOpenOccurrence, At(2024, 4, 1));
  ASSERT_NE(occurrence, nullptr);
  std::vector<std::pair<ItemOid, ItemOid>> moves;
  occurrence->identityChanged = [&](ItemOid from, ItemOid to) { moves.emplace_back(from, to); };
  occurrence->subject = u"Team meeting (moved)";
  occurrence->start = At(2024, 4, 1, 11);
  occurrence->end = At(2024, 4, 1, 12);
  ASSERT_EQ(occurrence->Save(context_), S_OK);
  EXPECT_NE(occurrence->oid, series);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(series, occurrence->oid)) << "the links follow the new identity";
  auto again = Open(series, kOpenOccurrence, At(2024, 4, 1));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->subject, u"Team meeting (moved)");
  EXPECT_EQ(again->oid, occurrence->oid);

  auto whole = Open(series, kOpenSeries);
  ASSERT_NE(whole, nullptr);
  whole->recurrence.weekdayMask = olTuesday;
  user_->ExpectMessageBoxString(resources::kStringExceptionsLost, IDCANCEL);
  EXPECT_EQ(whole->Save(context_), S_FALSE) << "the person keeps the changed occurrences";
  EXPECT_EQ(Open(series, kOpenSeries)->recurrence.weekdayMask, olMonday) << "nothing written";
  user_->ExpectMessageBoxString(resources::kStringExceptionsLost, IDOK);
  EXPECT_EQ(whole->Save(context_), S_OK);
  EXPECT_EQ(Open(series, kOpenSeries)->recurrence.weekdayMask, olTuesday);
}

TEST_F(AppointmentObjectTest, NotesRoomAndBadIdentities) {
  ItemOid series = SaveWeekly(u"Yoga");
  auto whole = Open(series, kOpenSeries);
  ASSERT_NE(whole, nullptr);
  std::vector<BYTE> blob;
  ASSERT_TRUE(ReadPimProperty(series, ItemKind::Appointment, 0x40150041, &blob));
  blob.resize(200);
  WritePimProperty(series, ItemKind::Appointment, 0x40150041, blob.data(), 200);
  EXPECT_EQ(whole->NotesCapacity(), 48632u) << "the recurrence blob takes room from the notes";

  CPIMAppointment fresh = Weekly(u"Swim");
  ASSERT_EQ(fresh.Save(context_), S_OK);
  ASSERT_TRUE(ReadPimProperty(fresh.oid, ItemKind::Appointment, 0x40150041, &blob));
  EXPECT_EQ(fresh.NotesCapacity(), 48832u - blob.size()) << "known once stored, without a reload";

  CPIMAppointment missing;
  missing.oid = 0xBAD;
  EXPECT_FALSE(missing.Load(context_));
  EXPECT_EQ(missing.Save(context_), E_FAIL);
  CPIMAppointment none;
  EXPECT_FALSE(none.Load(context_)) << "nothing to load without an oid";
}

TEST_F(AppointmentObjectTest, MeetingChangesAskToSendAnUpdate) {
  CPIMAppointment appointment;
  appointment.subject = u"Review";
  appointment.start = At(2024, 3, 21, 9);
  appointment.end = At(2024, 3, 21, 10);
  ASSERT_EQ(appointment.Save(context_), S_OK);
  auto loaded = Open(appointment.oid, kOpenAsk);
  loaded->meeting = true;
  loaded->start = At(2024, 3, 21, 10);
  loaded->end = At(2024, 3, 21, 11);
  user_->ExpectMessageBoxString(resources::kStringMeetingUpdate, IDNO);
  EXPECT_EQ(loaded->Save(context_), S_OK);
  EXPECT_TRUE(platform::ReadOutlookOutbox().empty()) << "No saves without sending";
}

}  // namespace

namespace {

TEST_F(AppointmentObjectTest, ConvertingMakesATaskAndBack) {
  ItemOid series = SaveWeekly(u"Gym");
  {
    std::vector<BYTE> notes{7, 7, 7};
    WritePimProperty(series, ItemKind::Appointment, kNotesTag, notes.data(), 3);
  }
  SaveCategorySet(series, ItemKind::Appointment, CategorySet::FromNumbers({6}));
  auto occurrence = Open(series, kOpenOccurrence, At(2024, 3, 25));
  ASSERT_NE(occurrence, nullptr);
  ItemOid taskOid = occurrence->Convert(context_);
  ASSERT_NE(taskOid, 0u);
  CPIMTask task;
  task.oid = taskOid;
  ASSERT_TRUE(task.Load(context_));
  EXPECT_EQ(task.subject, u"Gym");
  EXPECT_TRUE(task.recurring) << "a recurring appointment gives a recurring task";
  EXPECT_EQ(task.recurrence.weekdayMask, olMonday);
  EXPECT_EQ(task.due.wYear * 10000 + task.due.wMonth * 100 + task.due.wDay, 20240315) << "due today";
  EXPECT_FALSE(task.reminderSet);
  EXPECT_EQ(task.categories.Numbers(), std::vector<int>{6});
  std::vector<BYTE> notes;
  EXPECT_TRUE(ReadPimProperty(taskOid, ItemKind::Task, kNotesTag, &notes));
  EXPECT_EQ(notes, (std::vector<BYTE>{7, 7, 7}));
  EXPECT_EQ(Open(series, kOpenSeries)->subject, u"Gym") << "the appointment stays";

  task.isPrivate = true;
  task.recurring = false;
  ASSERT_EQ(task.Save(context_), S_OK);
  ItemOid appointmentOid = task.Convert(context_);
  ASSERT_NE(appointmentOid, 0u);
  auto back = Open(appointmentOid, kOpenAsk);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->subject, u"Gym");
  EXPECT_TRUE(back->isPrivate);
  EXPECT_FALSE(back->recurring);
  EXPECT_FALSE(back->reminderSet);
  CPIMTask missing;
  EXPECT_EQ(missing.Convert(context_), 0u) << "nothing stored to convert";
}

}  // namespace

namespace {

constexpr CEPROPID kMeetingStatus = 0x420A0003;
constexpr CEPROPID kAttendeesBlob = 0x420B0041;

TEST_F(AppointmentObjectTest, AttendeesRoundTripAndTheMeetingStatusFollows) {
  CPIMAppointment appointment;
  appointment.subject = u"Review";
  appointment.start = At(2024, 3, 21, 9);
  appointment.end = At(2024, 3, 21, 10);
  const std::vector<Attendee> invited = {{u"Lee, Ann", u"ann@example.com"}, {u"Bob", u""}};
  appointment.attendees = invited;
  appointment.meeting = true;
  appointment.attendeesChanged = true;
  user_->ExpectMessageBoxString(resources::kStringMeetingUpdate, IDNO);
  ASSERT_EQ(appointment.Save(context_), S_OK);
  EXPECT_FALSE(appointment.attendeesChanged) << "the store now holds them";
  EXPECT_EQ(Raw(appointment.oid, kMeetingStatus), olMeeting);

  auto loaded = Open(appointment.oid, kOpenAsk);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->attendees, invited);
  EXPECT_TRUE(loaded->meeting);

  // Attendees that the object holds but were not marked changed are not written.
  loaded->attendees = {{u"Carol", u"carol@example.com"}};
  ASSERT_EQ(loaded->Save(context_), S_OK);
  EXPECT_EQ(Open(appointment.oid, kOpenAsk)->attendees, invited);

  // The last attendee gone: no meeting any more.
  loaded->attendees.clear();
  loaded->meeting = false;
  loaded->attendeesChanged = true;
  ASSERT_EQ(loaded->Save(context_), S_OK);
  EXPECT_EQ(Raw(appointment.oid, kMeetingStatus), olNonMeeting);
  auto again = Open(appointment.oid, kOpenAsk);
  EXPECT_TRUE(again->attendees.empty());
  EXPECT_FALSE(again->meeting);
}

// Each name and address is cut at 512 characters, whether it comes from the editor or the store.
TEST_F(AppointmentObjectTest, AttendeeTextsAreCutAtTheirBound) {
  const std::u16string longName(600, u'n');
  const std::u16string longAddress(513, u'a');
  CPIMAppointment appointment;
  appointment.subject = u"Review";
  appointment.attendees = {{longName, longAddress}, {u"", u"only@example.com"}};
  appointment.meeting = appointment.attendeesChanged = true;
  user_->ExpectMessageBoxString(resources::kStringMeetingUpdate, IDNO);
  ASSERT_EQ(appointment.Save(context_), S_OK);
  auto loaded = Open(appointment.oid, kOpenAsk);
  ASSERT_NE(loaded, nullptr);
  const std::vector<Attendee> expected = {
      {std::u16string(512, u'n'), std::u16string(512, u'a')},
      {u"only@example.com", u"only@example.com"},  // invited under its address
  };
  EXPECT_EQ(loaded->attendees, expected);

  // A record another program wrote with longer texts.
  std::vector<BYTE> blob;
  for (const std::u16string& text : {std::u16string(700, u'x'), std::u16string(3, u'y')}) {
    for (char16_t c : text) {
      blob.push_back(static_cast<BYTE>(c & 0xFF));
      blob.push_back(static_cast<BYTE>(c >> 8));
    }
    blob.push_back(0);
    blob.push_back(0);
  }
  Database appointments;
  ASSERT_TRUE(appointments.OpenByName(AppointmentsDatabaseName()));
  ASSERT_TRUE(appointments.SeekToOid(appointment.oid));
  Record record(appointment.oid);
  record.Set(PropertyValue::Blob(kAttendeesBlob, blob));
  ASSERT_TRUE(appointments.WriteRecord(record));
  auto reread = Open(appointment.oid, kOpenAsk);
  ASSERT_EQ(reread->attendees.size(), 1u);
  EXPECT_EQ(reread->attendees[0].name, std::u16string(512, u'x'));
  EXPECT_EQ(reread->attendees[0].email, u"yyy");
}

}  // namespace
