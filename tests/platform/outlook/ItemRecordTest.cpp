#include <gtest/gtest.h>

#include "platform/outlook/OutlookProperties.h"
#include "platform/text/Text.h"
#include "tests/platform/outlook/OutlookTestSupport.h"

namespace {

using calyra::testing::Bstr;
using calyra::testing::Date;
using calyra::testing::OutlookTest;
using calyra::testing::RawRecord;
using calyra::testing::Text;
using calyra::testing::Ticks;
using platform::ComPtr;
namespace tag = platform::outlook;

class ItemRecordTest : public OutlookTest {};

TEST_F(ItemRecordTest, AnAppointmentRoundTripsThroughItsRecordWithAUtcStart) {
  ComPtr<IAppointment> appointment = NewAppointment();
  LONG oid = -1;
  ASSERT_EQ(appointment->get_Oid(&oid), S_OK);
  EXPECT_EQ(oid, 0) << "no oid before the first Save";
  DATE start = 0;
  appointment->get_Start(&start);
  EXPECT_EQ(start, Date(2024, 3, 15, 11)) << "new: the next whole hour (10:30 local)";

  appointment->put_Subject(Bstr(u"Dentist"));
  appointment->put_Location(Bstr(u"Hauptstraße 5"));
  ASSERT_EQ(appointment->put_Start(Date(2024, 7, 1, 14, 30)), S_OK);
  ASSERT_EQ(appointment->put_Duration(45), S_OK);
  appointment->put_BusyStatus(olOutOfOffice);
  appointment->put_Sensitivity(olPrivate);
  appointment->put_ReminderSet(VARIANT_TRUE);
  appointment->put_ReminderMinutesBeforeStart(30);
  appointment->put_Categories(Bstr(u"Health"));
  appointment->put_Body(Bstr(u"Bring the card"));
  EXPECT_EQ(appointment->put_BusyStatus(4), E_INVALIDARG);
  EXPECT_EQ(appointment->put_End(Date(2024, 7, 1, 14)), E_INVALIDARG) << "before the start";
  EXPECT_EQ(OidOf(appointment), 0) << "changes stay in memory";
  ASSERT_EQ(appointment->Save(), S_OK);
  oid = OidOf(appointment);
  ASSERT_NE(oid, 0);

  RawRecord raw(u"Appointments Database", static_cast<CEOID>(oid));
  ASSERT_TRUE(raw.Found());
  EXPECT_EQ(raw.String(tag::kPropSubject), u"Dentist");
  EXPECT_EQ(raw.String(tag::kPropLocation), u"Hauptstraße 5");
  EXPECT_EQ(raw.Time(tag::kPropAppointmentStart), Ticks(2024, 7, 1, 12, 30)) << "summer time: UTC+2";
  EXPECT_EQ(raw.Time(tag::kPropAppointmentEnd), Ticks(2024, 7, 1, 13, 15));
  EXPECT_EQ(raw.Number(tag::kPropAllDay), 0u);
  EXPECT_EQ(raw.Number(tag::kPropBusyStatus), 3u);
  EXPECT_EQ(raw.Number(tag::kPropAppointmentSensitivity), 2u);
  EXPECT_EQ(raw.Number(tag::kPropAppointmentReminderSet), 1u);
  EXPECT_EQ(raw.Number(tag::kPropReminderMinutes), 30u);
  EXPECT_EQ(raw.Number(tag::kPropMeetingStatus), 0u);
  EXPECT_EQ(raw.String(tag::kPropCategoriesText), u"Health");
  EXPECT_EQ(raw.String(tag::kPropBodyText), u"Bring the card");
  EXPECT_FALSE(raw.Has(tag::kPropRecurrence));
  EXPECT_FALSE(raw.Has(tag::kPropCategoriesBlob));

  ComPtr<IAppointment> again = Fetch<IAppointment>(oid, IID_IAppointment);
  ASSERT_TRUE(again);
  EXPECT_EQ(Text(again.Get(), &IAppointment::get_Subject), u"Dentist");
  EXPECT_EQ(Text(again.Get(), &IAppointment::get_Location), u"Hauptstraße 5");
  EXPECT_EQ(Text(again.Get(), &IAppointment::get_Categories), u"Health");
  EXPECT_EQ(Text(again.Get(), &IAppointment::get_Body), u"Bring the card");
  DATE end = 0;
  again->get_Start(&start);
  again->get_End(&end);
  EXPECT_EQ(start, Date(2024, 7, 1, 14, 30));
  EXPECT_EQ(end, Date(2024, 7, 1, 15, 15));
  LONG value = 0;
  again->get_Duration(&value);
  EXPECT_EQ(value, 45);
  again->get_BusyStatus(&value);
  EXPECT_EQ(value, olOutOfOffice);
  again->get_Sensitivity(&value);
  EXPECT_EQ(value, olPrivate);
  again->get_ReminderMinutesBeforeStart(&value);
  EXPECT_EQ(value, 30);
  VARIANT_BOOL flag = VARIANT_FALSE;
  again->get_ReminderSet(&flag);
  EXPECT_EQ(flag, VARIANT_TRUE);
  again->get_IsRecurring(&flag);
  EXPECT_EQ(flag, VARIANT_FALSE);

  // A second Save updates the same record; the component's categories blob is left alone.
  CEPROPVAL blob{};
  blob.propid = tag::kPropCategoriesBlob;
  BYTE bytes[] = {1, 2, 3};
  blob.val.blob = CEBLOB{3, bytes};
  ASSERT_EQ(calyra::testing::WriteRaw(u"Appointments Database", static_cast<CEOID>(oid), {blob}),
            static_cast<CEOID>(oid));
  again->put_Subject(Bstr(u"Dentist (moved)"));
  ASSERT_EQ(again->Save(), S_OK);
  EXPECT_EQ(OidOf(again), oid);
  RawRecord after(u"Appointments Database", static_cast<CEOID>(oid));
  EXPECT_EQ(after.String(tag::kPropSubject), u"Dentist (moved)");
  EXPECT_EQ(after.Blob(tag::kPropCategoriesBlob), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(ItemRecordTest, AnAllDayAppointmentKeepsItsLocalStart) {
  ComPtr<IAppointment> appointment = NewAppointment();
  appointment->put_Start(Date(2024, 12, 24, 9));
  ASSERT_EQ(appointment->put_AllDayEvent(VARIANT_TRUE), S_OK);
  DATE start = 0, end = 0;
  appointment->get_Start(&start);
  appointment->get_End(&end);
  EXPECT_EQ(start, Date(2024, 12, 24));
  EXPECT_EQ(end, Date(2024, 12, 25));
  ASSERT_EQ(appointment->Save(), S_OK);
  RawRecord raw(u"Appointments Database", static_cast<CEOID>(OidOf(appointment)));
  EXPECT_EQ(raw.Number(tag::kPropAllDay), 1u);
  EXPECT_EQ(raw.Time(tag::kPropAppointmentStart), Ticks(2024, 12, 24)) << "local midnight, not UTC";
  EXPECT_EQ(raw.Time(tag::kPropAppointmentEnd), Ticks(2024, 12, 25));
  ComPtr<IAppointment> again = Fetch<IAppointment>(OidOf(appointment), IID_IAppointment);
  VARIANT_BOOL allDay = VARIANT_FALSE;
  again->get_AllDayEvent(&allDay);
  EXPECT_EQ(allDay, VARIANT_TRUE);
  again->get_Start(&start);
  EXPECT_EQ(start, Date(2024, 12, 24));
}

TEST_F(ItemRecordTest, ATaskRoundTripsWithDatesAndNoDate) {
  ComPtr<ITask> task = NewTask();
  DATE date = 0;
  task->get_StartDate(&date);
  EXPECT_EQ(date, platform::kNoDate);
  task->put_Subject(Bstr(u"Tax return"));
  task->put_StartDate(Date(2024, 4, 2, 15));
  task->put_Importance(olImportanceHigh);
  EXPECT_EQ(task->put_Importance(3), E_INVALIDARG);
  task->put_Sensitivity(olPrivate);
  task->put_ReminderSet(VARIANT_TRUE);
  task->put_ReminderTime(Date(2024, 4, 1, 8));
  task->put_ReminderOptions(olDialog | olSound);
  task->put_Categories(Bstr(u"Office"));
  task->put_Body(Bstr(u"Forms in the drawer"));
  ASSERT_EQ(task->Save(), S_OK);
  LONG oid = OidOf(task);

  RawRecord raw(u"Tasks Database", static_cast<CEOID>(oid));
  ASSERT_TRUE(raw.Found());
  EXPECT_EQ(raw.String(tag::kPropSubject), u"Tax return");
  EXPECT_EQ(raw.Time(tag::kPropTaskStart), Ticks(2024, 4, 2)) << "a day, as it reads";
  EXPECT_EQ(raw.Time(tag::kPropTaskDue), Ticks(4501, 1, 1)) << "no date";
  EXPECT_EQ(raw.Number(tag::kPropImportance), 2u);
  EXPECT_EQ(raw.Number(tag::kPropTaskSensitivity), 2u);
  EXPECT_EQ(raw.Number(tag::kPropTaskReminderSet), 1u);
  EXPECT_EQ(raw.Time(tag::kPropTaskReminderTime), Ticks(2024, 4, 1, 6)) << "UTC";
  EXPECT_EQ(raw.Number(tag::kPropTaskReminderOptions), 12u);
  EXPECT_EQ(raw.Number(tag::kPropComplete), 0u);
  EXPECT_EQ(raw.Time(tag::kPropDateCompleted), Ticks(4501, 1, 1));
  EXPECT_EQ(raw.String(tag::kPropCategoriesText), u"Office");
  EXPECT_EQ(raw.String(tag::kPropBodyText), u"Forms in the drawer");

  ComPtr<ITask> again = Fetch<ITask>(oid, IID_ITask);
  EXPECT_EQ(Text(again.Get(), &ITask::get_Subject), u"Tax return");
  again->get_StartDate(&date);
  EXPECT_EQ(date, Date(2024, 4, 2));
  again->get_DueDate(&date);
  EXPECT_EQ(date, platform::kNoDate);
  again->get_ReminderTime(&date);
  EXPECT_EQ(date, Date(2024, 4, 1, 8));
  LONG value = 0;
  again->get_Importance(&value);
  EXPECT_EQ(value, olImportanceHigh);
  again->get_ReminderOptions(&value);
  EXPECT_EQ(value, olDialog | olSound);

  // Completing dates it today.
  ASSERT_EQ(again->put_Complete(VARIANT_TRUE), S_OK);
  ASSERT_EQ(again->Save(), S_OK);
  RawRecord done(u"Tasks Database", static_cast<CEOID>(oid));
  EXPECT_EQ(done.Number(tag::kPropComplete), 1u);
  EXPECT_EQ(done.Time(tag::kPropDateCompleted), Ticks(2024, 3, 15));
}

TEST_F(ItemRecordTest, AContactRoundTripsEveryFieldUnderItsTag) {
  ComPtr<IContact> contact = NewContact();
  contact->put_FileAs(Bstr(u"Meier, Anna"));
  contact->put_FirstName(Bstr(u"Anna"));
  contact->put_LastName(Bstr(u"Meier"));
  contact->put_Suffix(Bstr(u"Jr."));
  contact->put_CompanyName(Bstr(u"Calyra"));
  contact->put_JobTitle(Bstr(u"Engineer"));
  contact->put_Department(Bstr(u"R&D"));
  contact->put_OfficeLocation(Bstr(u"B2"));
  contact->put_BusinessTelephoneNumber(Bstr(u"+49 30 1"));
  contact->put_HomeTelephoneNumber(Bstr(u"+49 30 2"));
  contact->put_Home2TelephoneNumber(Bstr(u"+49 30 3"));
  contact->put_MobileTelephoneNumber(Bstr(u"+49 170 4"));
  contact->put_RadioTelephoneNumber(Bstr(u"5"));
  contact->put_CarTelephoneNumber(Bstr(u"6"));
  contact->put_BusinessFaxNumber(Bstr(u"7"));
  contact->put_HomeFaxNumber(Bstr(u"8"));
  contact->put_MiddleName(Bstr(u"Lena"));
  contact->put_Email1Address(Bstr(u"anna@example.org"));
  contact->put_HomeAddressCity(Bstr(u"Berlin"));
  contact->put_WebPage(Bstr(u"example.org"));
  contact->put_Birthday(Date(1990, 2, 28, 13));
  contact->put_Anniversary(Date(2015, 6, 6));
  ASSERT_EQ(contact->Save(), S_OK);
  LONG oid = OidOf(contact);

  RawRecord raw(u"Contacts Database", static_cast<CEOID>(oid));
  ASSERT_TRUE(raw.Found());
  EXPECT_EQ(raw.String(0x4013001F), u"Meier, Anna");
  EXPECT_EQ(raw.String(0x3A06001F), u"Anna");
  EXPECT_EQ(raw.String(0x3A11001F), u"Meier");
  EXPECT_EQ(raw.String(0x3A05001F), u"Jr.");
  EXPECT_EQ(raw.String(0x3A16001F), u"Calyra");
  EXPECT_EQ(raw.String(0x3A17001F), u"Engineer");
  EXPECT_EQ(raw.String(0x3A18001F), u"R&D");
  EXPECT_EQ(raw.String(0x3A19001F), u"B2");
  EXPECT_EQ(raw.String(0x3A08001F), u"+49 30 1");
  EXPECT_EQ(raw.String(0x3A09001F), u"+49 30 2");
  EXPECT_EQ(raw.String(0x3A2F001F), u"+49 30 3");
  EXPECT_EQ(raw.String(0x3A1C001F), u"+49 170 4");
  EXPECT_EQ(raw.String(0x3A1D001F), u"5");
  EXPECT_EQ(raw.String(0x3A1E001F), u"6");
  EXPECT_EQ(raw.String(0x3A24001F), u"7");
  EXPECT_EQ(raw.String(0x3A25001F), u"8");
  EXPECT_EQ(raw.String(0x4004001F), u"Lena");
  EXPECT_EQ(raw.String(0x4083001F), u"anna@example.org");
  EXPECT_EQ(raw.String(0x4041001F), u"Berlin");
  EXPECT_EQ(raw.String(0x4023001F), u"example.org");
  EXPECT_EQ(raw.Time(tag::kPropBirthday), Ticks(1990, 2, 28));
  EXPECT_EQ(raw.Time(tag::kPropAnniversary), Ticks(2015, 6, 6));
  EXPECT_FALSE(raw.Has(0x4093001F)) << "empty fields are not stored";

  ComPtr<IContact> again = Fetch<IContact>(oid, IID_IContact);
  EXPECT_EQ(Text(again.Get(), &IContact::get_FileAs), u"Meier, Anna");
  EXPECT_EQ(Text(again.Get(), &IContact::get_FirstName), u"Anna");
  EXPECT_EQ(Text(again.Get(), &IContact::get_MobileTelephoneNumber), u"+49 170 4");
  EXPECT_EQ(Text(again.Get(), &IContact::get_HomeAddressCity), u"Berlin");
  EXPECT_EQ(Text(again.Get(), &IContact::get_Email2Address), u"");
  DATE date = 0;
  again->get_Birthday(&date);
  EXPECT_EQ(date, Date(1990, 2, 28));

  // Clearing a field removes its property; Copy is a new unsaved contact.
  again->put_FirstName(Bstr(u""));
  again->put_Birthday(platform::kNoDate);
  ASSERT_EQ(again->Save(), S_OK);
  RawRecord cleared(u"Contacts Database", static_cast<CEOID>(oid));
  EXPECT_FALSE(cleared.Has(0x3A06001F));
  EXPECT_FALSE(cleared.Has(tag::kPropBirthday));
  ComPtr<IContact> copy;
  ASSERT_EQ(again->Copy(&copy), S_OK);
  EXPECT_EQ(OidOf(copy), 0);
  EXPECT_EQ(Text(copy.Get(), &IContact::get_LastName), u"Meier");
  ASSERT_EQ(copy->Save(), S_OK);
  EXPECT_NE(OidOf(copy), oid);
}

TEST_F(ItemRecordTest, ItemsOfEachKindLandInTheirDatabaseWithItsSortOrder) {
  ASSERT_EQ(NewAppointment()->Save(), S_OK);
  ASSERT_EQ(NewTask()->Save(), S_OK);
  ASSERT_EQ(NewContact()->Save(), S_OK);
  struct Expected {
    const char16_t* name;
    CEPROPID sort;
  };
  for (Expected e : {Expected{u"Appointments Database", 0x420D0040}, Expected{u"Tasks Database", 0x0037001F},
                     Expected{u"Contacts Database", 0x4013001F}}) {
    CEOID oid = 0;
    HANDLE db = CeOpenDatabaseEx(nullptr, &oid, e.name, e.sort, 0, nullptr);
    ASSERT_NE(db, INVALID_HANDLE_VALUE) << platform::ToUtf8(e.name);
    CEOIDINFO info{};
    ASSERT_TRUE(CeOidGetInfo(oid, &info));
    EXPECT_EQ(info.infDatabase.dwNumRecords, 1u);
    EXPECT_EQ(info.infDatabase.rgSortSpecs[0].propid, e.sort);
    CloseHandle(db);
  }
}

}  // namespace
