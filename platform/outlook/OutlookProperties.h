#pragma once

#include "platform/objectstore/ObjectStoreTypes.h"

// The property tags of Pocket Outlook's records (docs/OUTLOOK.md has the whole table). Code that reads
// the databases directly uses these; the object model reads and writes exactly these.
namespace platform::outlook {

// Every kind.
inline constexpr CEPROPID kPropSubject = 0x0037001F;
inline constexpr CEPROPID kPropCategoriesBlob = 0x00160041;  // the editing component's; never written here
inline constexpr CEPROPID kPropNotesBlob = 0x00170041;       // rich notes; kept and copied, never read here
inline constexpr CEPROPID kPropRecurrence = 0x40150041;      // appointments and tasks

// Appointments.
inline constexpr CEPROPID kPropAppointmentStart = 0x420D0040;  // UTC; local time when all-day
inline constexpr CEPROPID kPropAllDay = 0x42150003;            // 1: all-day event
inline constexpr CEPROPID kPropAppointmentEnd = 0x420E0040;    // as the start
inline constexpr CEPROPID kPropLocation = 0x4208001F;
inline constexpr CEPROPID kPropBusyStatus = 0x42050003;
inline constexpr CEPROPID kPropAppointmentSensitivity = 0x42060003;
inline constexpr CEPROPID kPropAppointmentReminderSet = 0x42070003;
inline constexpr CEPROPID kPropReminderMinutes = 0x42090003;
inline constexpr CEPROPID kPropMeetingStatus = 0x420A0003;
inline constexpr CEPROPID kPropAttendees = 0x420B0041;
inline constexpr CEPROPID kPropExceptionOf = 0x42200013;            // series oid of an exception record
inline constexpr CEPROPID kPropExceptionOriginalDate = 0x42210040;  // local date it replaces
// Appointments and tasks.
inline constexpr CEPROPID kPropCategoriesText = 0x4300001F;
inline constexpr CEPROPID kPropBodyText = 0x4301001F;

// Tasks: dates are local dates (midnight), 1 January 4501 when there is none.
inline constexpr CEPROPID kPropTaskStart = 0x41040040;
inline constexpr CEPROPID kPropTaskDue = 0x41050040;
inline constexpr CEPROPID kPropImportance = 0x41060003;
inline constexpr CEPROPID kPropTaskSensitivity = 0x41070003;
inline constexpr CEPROPID kPropTaskReminderSet = 0x41080003;
inline constexpr CEPROPID kPropTaskReminderTime = 0x41090040;  // UTC
inline constexpr CEPROPID kPropTaskReminderOptions = 0x410A0003;
inline constexpr CEPROPID kPropComplete = 0x410B0003;
inline constexpr CEPROPID kPropDateCompleted = 0x410C0040;

// Contacts: the two dates (local dates, as task dates) and sensitivity; the text fields below.
inline constexpr CEPROPID kPropFileAs = 0x4013001F;
inline constexpr CEPROPID kPropBirthday = 0x40010040;
inline constexpr CEPROPID kPropAnniversary = 0x40030040;
inline constexpr CEPROPID kPropContactSensitivity = 0x40B00003;

}  // namespace platform::outlook

// The contact's text fields: X(Name, tag). IContact has get_Name / put_Name for each.
#define CALYRA_CONTACT_TEXT_FIELDS(X)      \
  X(FileAs, 0x4013001F)                    \
  X(Title, 0x4002001F)                     \
  X(FirstName, 0x3A06001F)                 \
  X(MiddleName, 0x4004001F)                \
  X(LastName, 0x3A11001F)                  \
  X(Suffix, 0x3A05001F)                    \
  X(Nickname, 0x4005001F)                  \
  X(CompanyName, 0x3A16001F)               \
  X(Department, 0x3A18001F)                \
  X(JobTitle, 0x3A17001F)                  \
  X(OfficeLocation, 0x3A19001F)            \
  X(BusinessTelephoneNumber, 0x3A08001F)   \
  X(Business2TelephoneNumber, 0x400A001F)  \
  X(BusinessFaxNumber, 0x3A24001F)         \
  X(HomeTelephoneNumber, 0x3A09001F)       \
  X(Home2TelephoneNumber, 0x3A2F001F)      \
  X(HomeFaxNumber, 0x3A25001F)             \
  X(MobileTelephoneNumber, 0x3A1C001F)     \
  X(CarTelephoneNumber, 0x3A1E001F)        \
  X(RadioTelephoneNumber, 0x3A1D001F)      \
  X(PagerNumber, 0x4024001F)               \
  X(AssistantName, 0x4008001F)             \
  X(AssistantTelephoneNumber, 0x4009001F)  \
  X(Spouse, 0x4006001F)                    \
  X(Children, 0x4007001F)                  \
  X(WebPage, 0x4023001F)                   \
  X(Email1Address, 0x4083001F)             \
  X(Email2Address, 0x4093001F)             \
  X(Email3Address, 0x40A3001F)             \
  X(YomiFirstName, 0x4010001F)             \
  X(YomiLastName, 0x4011001F)              \
  X(YomiCompanyName, 0x4012001F)           \
  X(HomeAddressStreet, 0x4040001F)         \
  X(HomeAddressCity, 0x4041001F)           \
  X(HomeAddressState, 0x4042001F)          \
  X(HomeAddressPostalCode, 0x4043001F)     \
  X(HomeAddressCountry, 0x4044001F)        \
  X(BusinessAddressStreet, 0x4045001F)     \
  X(BusinessAddressCity, 0x4046001F)       \
  X(BusinessAddressState, 0x4047001F)      \
  X(BusinessAddressPostalCode, 0x4048001F) \
  X(BusinessAddressCountry, 0x4049001F)    \
  X(OtherAddressStreet, 0x404A001F)        \
  X(OtherAddressCity, 0x404B001F)          \
  X(OtherAddressState, 0x404C001F)         \
  X(OtherAddressPostalCode, 0x404D001F)    \
  X(OtherAddressCountry, 0x404E001F)       \
  X(Categories, 0x4025001F)                \
  X(Body, 0x4026001F)

namespace platform::outlook {
// The same tags by name: kPropContactFileAs, kPropContactHomeAddressStreet, ...
#define CALYRA_CONTACT_TAG_CONSTANT(name, tag) inline constexpr CEPROPID kPropContact##name = tag;
CALYRA_CONTACT_TEXT_FIELDS(CALYRA_CONTACT_TAG_CONSTANT)
#undef CALYRA_CONTACT_TAG_CONSTANT
}  // namespace platform::outlook
