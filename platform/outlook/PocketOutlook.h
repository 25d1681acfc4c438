#pragma once

#include "platform/objectstore/ObjectStoreTypes.h"
#include "platform/outlook/Com.h"
#include "platform/outlook/OutlookProperties.h"

// Pocket Outlook's object model, as device code reaches it: CoCreateInstance(CLSID_Application,
// IID_IPOutlookApp), Logon, then folders, items and recurrence patterns. The items are the records of
// "Appointments Database", "Tasks Database" and "Contacts Database"; docs/OUTLOOK.md lists every
// property tag and the recurrence rules.

// {05058F23-20BE-11D2-8F18-0000F87A4335} and {05058F22-20BE-11D2-8F18-0000F87A4335}, as on the device.
inline constexpr CLSID CLSID_Application{
    0x05058F23, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline constexpr IID IID_IPOutlookApp{
    0x05058F22, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
// The item interfaces' identifiers are this platform's own.
inline constexpr IID IID_IFolder{
    0xC41A0101, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x01}};
inline constexpr IID IID_IPOutlookItemCollection{
    0xC41A0102, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x02}};
inline constexpr IID IID_IAppointment{
    0xC41A0103, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x03}};
inline constexpr IID IID_ITask{0xC41A0104, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x04}};
inline constexpr IID IID_IContact{
    0xC41A0105, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x05}};
inline constexpr IID IID_IRecurrencePattern{
    0xC41A0106, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x06}};
inline constexpr IID IID_IExceptions{
    0xC41A0107, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x07}};
inline constexpr IID IID_IException{
    0xC41A0108, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x08}};
inline constexpr IID IID_IRecipients{
    0xC41A0109, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x09}};
inline constexpr IID IID_IRecipient{
    0xC41A010A, 0x6D2E, 0x4C1B, {0x9A, 0x10, 0x4F, 0x55, 0x54, 0x4C, 0x4B, 0x0A}};

// Folders and item kinds.
inline constexpr int olFolderCalendar = 9;
inline constexpr int olFolderContacts = 10;
inline constexpr int olFolderTasks = 13;
inline constexpr int olFolderCities = 101;
inline constexpr int olFolderInfrared = 102;
inline constexpr int olAppointmentItem = 1;
inline constexpr int olContactItem = 2;
inline constexpr int olTaskItem = 3;
inline constexpr int olCitiesItem = 102;

// Busy status, sensitivity, importance, meeting status.
inline constexpr LONG olFree = 0;
inline constexpr LONG olTentative = 1;
inline constexpr LONG olBusy = 2;
inline constexpr LONG olOutOfOffice = 3;
inline constexpr LONG olNormal = 0;
inline constexpr LONG olPersonal = 1;
inline constexpr LONG olPrivate = 2;
inline constexpr LONG olConfidential = 3;
inline constexpr LONG olImportanceLow = 0;
inline constexpr LONG olImportanceNormal = 1;
inline constexpr LONG olImportanceHigh = 2;
inline constexpr LONG olNonMeeting = 0;
inline constexpr LONG olMeeting = 1;

// Task reminder options (flags).
inline constexpr LONG olLED = 1;
inline constexpr LONG olVibrate = 2;
inline constexpr LONG olDialog = 4;
inline constexpr LONG olSound = 8;
inline constexpr LONG olRepeat = 16;

// Recurrence.
inline constexpr LONG olRecursDaily = 0;
inline constexpr LONG olRecursWeekly = 1;
inline constexpr LONG olRecursMonthly = 2;
inline constexpr LONG olRecursMonthNth = 3;
inline constexpr LONG olRecursYearly = 5;
inline constexpr LONG olRecursYearNth = 6;
inline constexpr LONG olSunday = 1;
inline constexpr LONG olMonday = 2;
inline constexpr LONG olTuesday = 4;
inline constexpr LONG olWednesday = 8;
inline constexpr LONG olThursday = 16;
inline constexpr LONG olFriday = 32;
inline constexpr LONG olSaturday = 64;

class IFolder;
class IPOutlookItemCollection;
class IAppointment;
class IRecurrencePattern;
class IExceptions;
class IRecipients;

class IPOutlookApp : public IDispatch {
 public:
  virtual HRESULT Logon(HWND window) = 0;
  virtual HRESULT Logoff() = 0;
  virtual HRESULT get_Version(BSTR* version) = 0;
  virtual HRESULT GetDefaultFolder(int folder, IFolder** result) = 0;
  virtual HRESULT CreateItem(int itemType, IDispatch** item) = 0;
  virtual HRESULT GetItemFromOid(CEOID oid, IDispatch** item) = 0;
};

class IFolder : public IDispatch {
 public:
  virtual HRESULT get_Items(IPOutlookItemCollection** items) = 0;
  virtual HRESULT get_DefaultItemType(int* itemType) = 0;
  virtual HRESULT AddToInfraredFolder(IDispatch* item) = 0;
  virtual HRESULT SendToInfrared() = 0;
};

// The items of a folder as they were when get_Items was called, in the database's sort order.
// Indexes start at 1.
class IPOutlookItemCollection : public IDispatch {
 public:
  virtual HRESULT get_Count(int* count) = 0;
  virtual HRESULT Item(int index, IDispatch** item) = 0;
  virtual HRESULT Add(IDispatch** item) = 0;
  virtual HRESULT Remove(int index) = 0;
};

class IRecipient : public IDispatch {
 public:
  virtual HRESULT get_Name(BSTR* name) = 0;
  virtual HRESULT get_Address(BSTR* address) = 0;
  virtual HRESULT put_Address(BSTR address) = 0;
};

class IRecipients : public IDispatch {
 public:
  virtual HRESULT get_Count(int* count) = 0;
  virtual HRESULT Item(int index, IRecipient** recipient) = 0;
  virtual HRESULT Add(BSTR name, IRecipient** recipient) = 0;
  virtual HRESULT Remove(int index) = 0;
};

class IAppointment : public IDispatch {
 public:
  virtual HRESULT get_Oid(LONG* oid) = 0;
  virtual HRESULT get_Subject(BSTR* text) = 0;
  virtual HRESULT put_Subject(BSTR text) = 0;
  virtual HRESULT get_Location(BSTR* text) = 0;
  virtual HRESULT put_Location(BSTR text) = 0;
  virtual HRESULT get_Start(DATE* start) = 0;
  virtual HRESULT put_Start(DATE start) = 0;
  virtual HRESULT get_End(DATE* end) = 0;
  virtual HRESULT put_End(DATE end) = 0;
  virtual HRESULT get_Duration(LONG* minutes) = 0;
  virtual HRESULT put_Duration(LONG minutes) = 0;
  virtual HRESULT get_AllDayEvent(VARIANT_BOOL* allDay) = 0;
  virtual HRESULT put_AllDayEvent(VARIANT_BOOL allDay) = 0;
  virtual HRESULT get_BusyStatus(LONG* status) = 0;
  virtual HRESULT put_BusyStatus(LONG status) = 0;
  virtual HRESULT get_Sensitivity(LONG* sensitivity) = 0;
  virtual HRESULT put_Sensitivity(LONG sensitivity) = 0;
  virtual HRESULT get_ReminderSet(VARIANT_BOOL* set) = 0;
  virtual HRESULT put_ReminderSet(VARIANT_BOOL set) = 0;
  virtual HRESULT get_ReminderMinutesBeforeStart(LONG* minutes) = 0;
  virtual HRESULT put_ReminderMinutesBeforeStart(LONG minutes) = 0;
  virtual HRESULT get_MeetingStatus(LONG* status) = 0;
  virtual HRESULT put_MeetingStatus(LONG status) = 0;
  virtual HRESULT get_Categories(BSTR* text) = 0;
  virtual HRESULT put_Categories(BSTR text) = 0;
  virtual HRESULT get_Body(BSTR* text) = 0;
  virtual HRESULT put_Body(BSTR text) = 0;
  virtual HRESULT get_IsRecurring(VARIANT_BOOL* recurring) = 0;
  virtual HRESULT GetRecurrencePattern(IRecurrencePattern** pattern) = 0;
  virtual HRESULT ClearRecurrencePattern() = 0;
  virtual HRESULT get_Recipients(IRecipients** recipients) = 0;
  virtual HRESULT Save() = 0;
  virtual HRESULT Delete() = 0;
  virtual HRESULT Display() = 0;
  virtual HRESULT Send() = 0;
  virtual HRESULT Cancel() = 0;
  virtual HRESULT Copy(IAppointment** copy) = 0;
};

class ITask : public IDispatch {
 public:
  virtual HRESULT get_Oid(LONG* oid) = 0;
  virtual HRESULT get_Subject(BSTR* text) = 0;
  virtual HRESULT put_Subject(BSTR text) = 0;
  virtual HRESULT get_StartDate(DATE* date) = 0;
  virtual HRESULT put_StartDate(DATE date) = 0;
  virtual HRESULT get_DueDate(DATE* date) = 0;
  virtual HRESULT put_DueDate(DATE date) = 0;
  virtual HRESULT get_Importance(LONG* importance) = 0;
  virtual HRESULT put_Importance(LONG importance) = 0;
  virtual HRESULT get_Sensitivity(LONG* sensitivity) = 0;
  virtual HRESULT put_Sensitivity(LONG sensitivity) = 0;
  virtual HRESULT get_ReminderSet(VARIANT_BOOL* set) = 0;
  virtual HRESULT put_ReminderSet(VARIANT_BOOL set) = 0;
  virtual HRESULT get_ReminderTime(DATE* time) = 0;
  virtual HRESULT put_ReminderTime(DATE time) = 0;
  virtual HRESULT get_ReminderOptions(LONG* options) = 0;
  virtual HRESULT put_ReminderOptions(LONG options) = 0;
  virtual HRESULT get_Complete(VARIANT_BOOL* complete) = 0;
  virtual HRESULT put_Complete(VARIANT_BOOL complete) = 0;
  virtual HRESULT get_DateCompleted(DATE* date) = 0;
  virtual HRESULT put_DateCompleted(DATE date) = 0;
  virtual HRESULT get_Categories(BSTR* text) = 0;
  virtual HRESULT put_Categories(BSTR text) = 0;
  virtual HRESULT get_Body(BSTR* text) = 0;
  virtual HRESULT put_Body(BSTR text) = 0;
  virtual HRESULT get_IsRecurring(VARIANT_BOOL* recurring) = 0;
  virtual HRESULT GetRecurrencePattern(IRecurrencePattern** pattern) = 0;
  virtual HRESULT ClearRecurrencePattern() = 0;
  virtual HRESULT SkipRecurrence() = 0;
  virtual HRESULT Save() = 0;
  virtual HRESULT Delete() = 0;
  virtual HRESULT Display() = 0;
  virtual HRESULT Copy(ITask** copy) = 0;
};

// IContact: one get_/put_ pair per text field of CALYRA_CONTACT_TEXT_FIELDS (OutlookProperties.h),
// e.g. get_FirstName(BSTR*) / put_FirstName(BSTR), and the two dates.
class IContact : public IDispatch {
 public:
  virtual HRESULT get_Oid(LONG* oid) = 0;
#define CALYRA_DECLARE_CONTACT_FIELD(Name, tag) \
  virtual HRESULT get_##Name(BSTR* text) = 0;   \
  virtual HRESULT put_##Name(BSTR text) = 0;
  CALYRA_CONTACT_TEXT_FIELDS(CALYRA_DECLARE_CONTACT_FIELD)
#undef CALYRA_DECLARE_CONTACT_FIELD
  virtual HRESULT get_Birthday(DATE* date) = 0;
  virtual HRESULT put_Birthday(DATE date) = 0;
  virtual HRESULT get_Anniversary(DATE* date) = 0;
  virtual HRESULT put_Anniversary(DATE date) = 0;
  virtual HRESULT get_Sensitivity(LONG* sensitivity) = 0;
  virtual HRESULT put_Sensitivity(LONG sensitivity) = 0;
  virtual HRESULT Save() = 0;
  virtual HRESULT Delete() = 0;
  virtual HRESULT Display() = 0;
  virtual HRESULT Copy(IContact** copy) = 0;
};

class IException : public IDispatch {
 public:
  virtual HRESULT get_OriginalDate(DATE* date) = 0;
  virtual HRESULT get_Deleted(VARIANT_BOOL* deleted) = 0;
  virtual HRESULT get_AppointmentItem(IAppointment** appointment) = 0;
};

class IExceptions : public IDispatch {
 public:
  virtual HRESULT get_Count(int* count) = 0;
  virtual HRESULT Item(int index, IException** exception) = 0;
};

// A pattern belongs to its item: changes reach the record when the item is saved. Dates are local.
class IRecurrencePattern : public IDispatch {
 public:
  virtual HRESULT get_RecurrenceType(LONG* type) = 0;
  virtual HRESULT put_RecurrenceType(LONG type) = 0;
  virtual HRESULT get_Interval(LONG* interval) = 0;
  virtual HRESULT put_Interval(LONG interval) = 0;
  virtual HRESULT get_DayOfWeekMask(LONG* mask) = 0;
  virtual HRESULT put_DayOfWeekMask(LONG mask) = 0;
  virtual HRESULT get_DayOfMonth(LONG* day) = 0;
  virtual HRESULT put_DayOfMonth(LONG day) = 0;
  virtual HRESULT get_Instance(LONG* instance) = 0;
  virtual HRESULT put_Instance(LONG instance) = 0;
  virtual HRESULT get_MonthOfYear(LONG* month) = 0;
  virtual HRESULT put_MonthOfYear(LONG month) = 0;
  virtual HRESULT get_PatternStartDate(DATE* date) = 0;
  virtual HRESULT put_PatternStartDate(DATE date) = 0;
  virtual HRESULT get_PatternEndDate(DATE* date) = 0;
  virtual HRESULT put_PatternEndDate(DATE date) = 0;
  virtual HRESULT get_NoEndDate(VARIANT_BOOL* noEnd) = 0;
  virtual HRESULT put_NoEndDate(VARIANT_BOOL noEnd) = 0;
  virtual HRESULT get_Occurrences(LONG* count) = 0;
  virtual HRESULT put_Occurrences(LONG count) = 0;
  virtual HRESULT get_StartTime(DATE* time) = 0;
  virtual HRESULT put_StartTime(DATE time) = 0;
  virtual HRESULT get_EndTime(DATE* time) = 0;
  virtual HRESULT put_EndTime(DATE time) = 0;
  virtual HRESULT get_Duration(LONG* minutes) = 0;
  virtual HRESULT put_Duration(LONG minutes) = 0;
  virtual HRESULT GetOccurrence(DATE date, IAppointment** occurrence) = 0;
  virtual HRESULT get_Exceptions(IExceptions** exceptions) = 0;
};

namespace platform::outlook {

// A new, logged-off application object (what CoCreateInstance hands out).
IPOutlookApp* NewApplication();

}  // namespace platform::outlook
