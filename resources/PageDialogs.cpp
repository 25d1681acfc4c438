#include <iterator>

#include "resources/DialogItems.h"
#include "resources/Resources.h"

// The editor pages: child dialogs of the editor window, one per tab. Controls that the code shows only
// in some states (a series' date texts, the completion date, the other pattern panels) start hidden.
namespace calyra::resources {

using namespace dialog;

namespace {

constexpr Item kAppointmentItems[] = {
    Label(u"Subject:", 2, 4, 34),
    Edit(kAppointmentSubject, 38, 2, 120),
    Label(u"Location:", 2, 18, 34),
    DropDown(kAppointmentLocation, 38, 16, 104),
    Button(kAppointmentLocationButton, u"...", 144, 16, 14),
    Label(u"Starts:", 2, 32, 34),
    DatePicker(kAppointmentStartDate, 38, 30, 62),
    Button(kAppointmentStartTime, u"", 102, 30, 56),
    Hidden(Label(u"", 38, 32, 120, 8, kAppointmentSeriesStart)),
    Label(u"Ends:", 2, 46, 34),
    DatePicker(kAppointmentEndDate, 38, 44, 62),
    Button(kAppointmentEndTime, u"", 102, 44, 56),
    Hidden(Label(u"", 38, 46, 120, 8, kAppointmentSeriesEnd)),
    Check(kAppointmentAllDay, u"All day", 38, 58, 60),
    Button(kAppointmentDuration, u"", 102, 58, 56),
    Check(kAppointmentReminder, u"Remind", 2, 72, 46),
    Edit(kAppointmentReminderLead, 50, 72, 24, kRowHeight, ES_NUMBER),
    DropList(kAppointmentReminderUnit, 76, 72, 52, 60),
    Button(kAppointmentSecondReminder, u"2nd reminder...", 2, 86, 62),
    Label(u"", 66, 88, 92, 8, kAppointmentSecondReminderTime),
    Label(u"Status:", 2, 102, 34),
    DropList(kAppointmentBusyStatus, 38, 100, 70, 60),
    Check(kAppointmentPrivate, u"Private", 2, 116, 60),
    Button(kAppointmentIcon, u"Icon", 124, 110, 34, 24),
};

constexpr Item kTaskItems[] = {
    Label(u"Priority:", 2, 4, 34),
    DropList(kTaskPriorityLetter, 38, 2, 28, 100),
    DropList(kTaskPriorityDigit, 68, 2, 28, 100),
    Hidden(Label(u"Recurring", 100, 4, 58, 8, kTaskRecurring)),
    Label(u"Subject:", 2, 18, 34),
    Edit(kTaskSubject, 38, 16, 120, kRowHeight, ES_MULTILINE | ES_AUTOVSCROLL),
    Label(u"Starts:", 2, 32, 34),
    DatePicker(kTaskStartDate, 38, 30, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Label(u"Due:", 2, 46, 34),
    DatePicker(kTaskDueDate, 38, 44, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Label(u"Reminder:", 2, 60, 34, 8, kTaskReminderLabel),
    DatePicker(kTaskReminderDate, 38, 58, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Button(kTaskReminderTime, u"", 110, 58, 48),
    Label(u"Importance:", 2, 74, 40),
    Radio(kTaskImportanceHigh, u"High", 44, 72, 36, true),
    Radio(kTaskImportanceNormal, u"Normal", 80, 72, 40, false),
    Radio(kTaskImportanceLow, u"Low", 122, 72, 36, false),
    Check(kTaskComplete, u"Completed", 2, 86, 60),
    Hidden(Label(u"", 64, 88, 94, 8, kTaskCompletedText)),
    Check(kTaskPrivate, u"Private", 2, 100, 60),
    Button(kTaskIcon, u"Icon", 124, 96, 34, 24),
};

// A contact field row: its label and its field; an address shows as one text above its parts.
constexpr int16_t kContactRow = 12;
constexpr int16_t ContactY(int row) {
  return static_cast<int16_t>(2 + row * kContactRow);
}

constexpr Item kContactItems[] = {
    Button(kContactFileAsButton, u"File as", 2, ContactY(0), 44, 11),
    Label(u"", 48, ContactY(0) + 2, 110, 8, kContactFileAs),
    Label(u"Title:", 2, ContactY(1) + 2, 44),
    Edit(kContactTitle, 48, ContactY(1), 110, 11),
    Label(u"First:", 2, ContactY(2) + 2, 44),
    Edit(kContactFirstName, 48, ContactY(2), 110, 11),
    Label(u"Middle:", 2, ContactY(3) + 2, 44),
    Edit(kContactMiddleName, 48, ContactY(3), 110, 11),
    Label(u"Last:", 2, ContactY(4) + 2, 44),
    Edit(kContactLastName, 48, ContactY(4), 110, 11),
    Label(u"Suffix:", 2, ContactY(5) + 2, 44),
    Edit(kContactSuffix, 48, ContactY(5), 110, 11),
    Label(u"Nickname:", 2, ContactY(6) + 2, 44),
    Edit(kContactNickname, 48, ContactY(6), 110, 11),
    Label(u"Job title:", 2, ContactY(7) + 2, 44),
    Edit(kContactJobTitle, 48, ContactY(7), 110, 11),
    Label(u"Department:", 2, ContactY(8) + 2, 44),
    Edit(kContactDepartment, 48, ContactY(8), 110, 11),
    Label(u"Company:", 2, ContactY(9) + 2, 44),
    Edit(kContactCompany, 48, ContactY(9), 110, 11),
    Label(u"Office:", 2, ContactY(10) + 2, 44),
    Edit(kContactOffice, 48, ContactY(10), 110, 11),
    Label(u"Area code:", 2, ContactY(11) + 2, 44),
    Edit(kContactAreaCode, 48, ContactY(11), 40, 11),
    Label(u"Work tel:", 2, ContactY(12) + 2, 44),
    Edit(kContactWorkPhone, 48, ContactY(12), 110, 11),
    Label(u"Work tel 2:", 2, ContactY(13) + 2, 44),
    Edit(kContactWorkPhone2, 48, ContactY(13), 110, 11),
    Label(u"Work fax:", 2, ContactY(14) + 2, 44),
    Edit(kContactWorkFax, 48, ContactY(14), 110, 11),
    Label(u"Assistant:", 2, ContactY(15) + 2, 44),
    Edit(kContactAssistant, 48, ContactY(15), 110, 11),
    Label(u"Asst. tel:", 2, ContactY(16) + 2, 44),
    Edit(kContactAssistantPhone, 48, ContactY(16), 110, 11),
    Label(u"Home tel:", 2, ContactY(17) + 2, 44),
    Edit(kContactHomePhone, 48, ContactY(17), 110, 11),
    Label(u"Home tel 2:", 2, ContactY(18) + 2, 44),
    Edit(kContactHomePhone2, 48, ContactY(18), 110, 11),
    Label(u"Home fax:", 2, ContactY(19) + 2, 44),
    Edit(kContactHomeFax, 48, ContactY(19), 110, 11),
    Label(u"Mobile tel:", 2, ContactY(20) + 2, 44),
    Edit(kContactMobilePhone, 48, ContactY(20), 110, 11),
    Label(u"Car tel:", 2, ContactY(21) + 2, 44),
    Edit(kContactCarPhone, 48, ContactY(21), 110, 11),
    Label(u"Pager:", 2, ContactY(22) + 2, 44),
    Edit(kContactPager, 48, ContactY(22), 110, 11),
    Label(u"Radio tel:", 2, ContactY(23) + 2, 44),
    Edit(kContactRadioPhone, 48, ContactY(23), 110, 11),
    Label(u"E-mail:", 2, ContactY(24) + 2, 44),
    Edit(kContactEmail, 48, ContactY(24), 110, 11),
    Label(u"E-mail 2:", 2, ContactY(25) + 2, 44),
    Edit(kContactEmail2, 48, ContactY(25), 110, 11),
    Label(u"E-mail 3:", 2, ContactY(26) + 2, 44),
    Edit(kContactEmail3, 48, ContactY(26), 110, 11),
    Label(u"Web page:", 2, ContactY(27) + 2, 44),
    Edit(kContactWebPage, 48, ContactY(27), 110, 11),
    Label(u"Work addr:", 2, ContactY(28) + 2, 44),
    Label(u"", 48, ContactY(28) + 2, 110, 3 * kContactRow - 2, kContactWorkAddress),
    Label(u"Street:", 2, ContactY(31) + 2, 44),
    Edit(kContactWorkStreet, 48, ContactY(31), 110, 23, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN),
    Label(u"City:", 2, ContactY(33) + 2, 44),
    Edit(kContactWorkCity, 48, ContactY(33), 110, 11),
    Label(u"State:", 2, ContactY(34) + 2, 44),
    Edit(kContactWorkState, 48, ContactY(34), 110, 11),
    Label(u"ZIP code:", 2, ContactY(35) + 2, 44),
    Edit(kContactWorkPostalCode, 48, ContactY(35), 110, 11),
    Label(u"Country:", 2, ContactY(36) + 2, 44),
    Edit(kContactWorkCountry, 48, ContactY(36), 110, 11),
    Label(u"Home addr:", 2, ContactY(37) + 2, 44),
    Label(u"", 48, ContactY(37) + 2, 110, 3 * kContactRow - 2, kContactHomeAddress),
    Label(u"Street:", 2, ContactY(40) + 2, 44),
    Edit(kContactHomeStreet, 48, ContactY(40), 110, 23, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN),
    Label(u"City:", 2, ContactY(42) + 2, 44),
    Edit(kContactHomeCity, 48, ContactY(42), 110, 11),
    Label(u"State:", 2, ContactY(43) + 2, 44),
    Edit(kContactHomeState, 48, ContactY(43), 110, 11),
    Label(u"ZIP code:", 2, ContactY(44) + 2, 44),
    Edit(kContactHomePostalCode, 48, ContactY(44), 110, 11),
    Label(u"Country:", 2, ContactY(45) + 2, 44),
    Edit(kContactHomeCountry, 48, ContactY(45), 110, 11),
    Label(u"Other addr:", 2, ContactY(46) + 2, 44),
    Label(u"", 48, ContactY(46) + 2, 110, 3 * kContactRow - 2, kContactOtherAddress),
    Label(u"Street:", 2, ContactY(49) + 2, 44),
    Edit(kContactOtherStreet, 48, ContactY(49), 110, 23, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN),
    Label(u"City:", 2, ContactY(51) + 2, 44),
    Edit(kContactOtherCity, 48, ContactY(51), 110, 11),
    Label(u"State:", 2, ContactY(52) + 2, 44),
    Edit(kContactOtherState, 48, ContactY(52), 110, 11),
    Label(u"ZIP code:", 2, ContactY(53) + 2, 44),
    Edit(kContactOtherPostalCode, 48, ContactY(53), 110, 11),
    Label(u"Country:", 2, ContactY(54) + 2, 44),
    Edit(kContactOtherCountry, 48, ContactY(54), 110, 11),
    Label(u"Birthday:", 2, ContactY(55) + 2, 44),
    DatePicker(kContactBirthday, 48, ContactY(55), 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Label(u"Anniversary:", 2, ContactY(56) + 2, 44),
    DatePicker(kContactAnniversary, 48, ContactY(56), 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Label(u"Spouse:", 2, ContactY(57) + 2, 44),
    Edit(kContactSpouse, 48, ContactY(57), 110, 11),
    Label(u"Children:", 2, ContactY(58) + 2, 44),
    Edit(kContactChildren, 48, ContactY(58), 110, 11),
};

constexpr Item kNotesItems[] = {
    Ink(kNotesInk, 0, 0, kPageWidth, kPageHeight),
};

constexpr Item kCategoriesItems[] = {
    ListView(kCategoriesList, 0, 0, kPageWidth, 118),
    Button(kCategoriesEdit, u"Edit Categories...", 2, 120, 90),
};

constexpr Item kLinksItems[] = {
    Label(u"Linked items:", 2, 1, 100),
    Button(kLinksRemove, u"Remove", 118, 0, 40, 10),
    ListView(kLinksList, 0, 10, kPageWidth, 42),
    {WC_TABCONTROLW, kLinksPickTabs, u"", kVisible | WS_TABSTOP, 0, 0, 54, kPageWidth, 12},
    ListView(kLinksContacts, 0, 66, kPageWidth, 46),
    Hidden(ListView(kLinksTasks, 0, 66, kPageWidth, 46)),
    Hidden(ListView(kLinksAppointments, 0, 66, kPageWidth, 46)),
    Label(u"Web:", 2, 118, 18),
    Edit(kLinksWebAddress, 20, 116, 80),
    Button(kLinksAddWeb, u"Add", 102, 116, 26),
    Button(kLinksAddFile, u"File...", 130, 116, 28),
};

constexpr Item kAttendeesItems[] = {
    Label(u"Invite contacts:", 2, 2, 156),
    ListView(kAttendeesList, 0, 12, kPageWidth, 122, LVS_REPORT),
};

constexpr Item kRecurrenceItems[] = {
    Label(u"Occurs:", 2, 4, 34),
    DropList(kRecurrenceQuick, 38, 2, 120),
    Label(u"From:", 2, 18, 34),
    DatePicker(kRecurrenceStart, 38, 16, 70),
    Label(u"Pattern:", 2, 32, 34),
    DropList(kRecurrenceKind, 38, 30, 120),
    // Daily.
    Hidden(Label(u"Every", 2, 48, 34, 8, kRecurrenceDailyLabel)),
    Hidden(DropDown(kRecurrenceDailyInterval, 38, 46, 30)),
    Hidden(Label(u"day(s)", 72, 48, 40, 8, kRecurrenceDailyUnit)),
    Hidden(Check(kRecurrenceDailyWeekdays, u"Every weekday", 38, 60, 100)),
    // Weekly: the panel shown at first.
    Label(u"Every", 2, 48, 34, 8, kRecurrenceWeeklyLabel),
    DropDown(kRecurrenceWeeklyInterval, 38, 46, 30),
    Label(u"week(s) on:", 72, 48, 60, 8, kRecurrenceWeeklyUnit),
    Check(kRecurrenceWeeklySunday, u"Sun", 2, 60, 36),
    Check(kRecurrenceWeeklySunday + 1, u"Mon", 40, 60, 36),
    Check(kRecurrenceWeeklySunday + 2, u"Tue", 78, 60, 36),
    Check(kRecurrenceWeeklySunday + 3, u"Wed", 116, 60, 36),
    Check(kRecurrenceWeeklySunday + 4, u"Thu", 2, 72, 36),
    Check(kRecurrenceWeeklySunday + 5, u"Fri", 40, 72, 36),
    Check(kRecurrenceWeeklySunday + 6, u"Sat", 78, 72, 36),
    // Monthly on a day.
    Hidden(Label(u"Day", 2, 48, 34, 8, kRecurrenceMonthlyLabel)),
    Hidden(DropList(kRecurrenceMonthlyDay, 38, 46, 30, 120)),
    Hidden(Label(u"of every", 72, 48, 32, 8, kRecurrenceMonthlyEvery)),
    Hidden(DropDown(kRecurrenceMonthlyInterval, 106, 46, 30)),
    Hidden(Label(u"month(s)", 106, 62, 52, 8, kRecurrenceMonthlyUnit)),
    // Monthly on the nth weekday.
    Hidden(Label(u"The", 2, 48, 34, 8, kRecurrenceMonthNthLabel)),
    Hidden(DropList(kRecurrenceMonthNthInstance, 38, 46, 40)),
    Hidden(DropList(kRecurrenceMonthNthDay, 80, 46, 78, 100)),
    Hidden(Label(u"of every", 2, 62, 34, 8, kRecurrenceMonthNthEvery)),
    Hidden(DropDown(kRecurrenceMonthNthInterval, 38, 60, 30)),
    Hidden(Label(u"month(s)", 72, 62, 50, 8, kRecurrenceMonthNthUnit)),
    // Yearly on a day.
    Hidden(Label(u"Every", 2, 48, 34, 8, kRecurrenceYearlyLabel)),
    Hidden(DropList(kRecurrenceYearlyMonth, 38, 46, 60, 120)),
    Hidden(DropList(kRecurrenceYearlyDay, 100, 46, 30, 120)),
    // Yearly on the nth weekday.
    Hidden(Label(u"The", 2, 48, 34, 8, kRecurrenceYearNthLabel)),
    Hidden(DropList(kRecurrenceYearNthInstance, 38, 46, 40)),
    Hidden(DropList(kRecurrenceYearNthDay, 80, 46, 78, 100)),
    Hidden(Label(u"of", 2, 62, 34, 8, kRecurrenceYearNthOf)),
    Hidden(DropList(kRecurrenceYearNthMonth, 38, 60, 60, 120)),
    // Semi-monthly.
    Hidden(Label(u"On the", 2, 48, 34, 8, kRecurrenceSemiLabel)),
    Hidden(Check(kRecurrenceSemiFirst, u"1st", 38, 46, 30)),
    Hidden(Check(kRecurrenceSemiFifteenth, u"15th", 70, 46, 30)),
    Hidden(Check(kRecurrenceSemiLast, u"Last day", 102, 46, 56)),
    Hidden(Check(kRecurrenceSemiSunday, u"Sun", 2, 60, 36)),
    Hidden(Check(kRecurrenceSemiSunday + 1, u"Mon", 40, 60, 36)),
    Hidden(Check(kRecurrenceSemiSunday + 2, u"Tue", 78, 60, 36)),
    Hidden(Check(kRecurrenceSemiSunday + 3, u"Wed", 116, 60, 36)),
    Hidden(Check(kRecurrenceSemiSunday + 4, u"Thu", 2, 72, 36)),
    Hidden(Check(kRecurrenceSemiSunday + 5, u"Fri", 40, 72, 36)),
    Hidden(Check(kRecurrenceSemiSunday + 6, u"Sat", 78, 72, 36)),
    Hidden(Label(u"Else:", 2, 88, 34, 8, kRecurrenceSemiAdjustmentLabel)),
    Hidden(DropList(kRecurrenceSemiAdjustment, 38, 86, 120, 60)),
    // End condition and its two panels.
    Label(u"Ends:", 2, 104, 34),
    DropList(kRecurrenceEnd, 38, 102, 120, 50),
    Hidden(DatePicker(kRecurrenceEndDate, 38, 116, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE)),
    Hidden(Edit(kRecurrenceOccurrences, 38, 116, 30, kRowHeight, ES_NUMBER)),
    Hidden(Label(u"occurrences", 72, 118, 60, 8, kRecurrenceOccurrencesUnit)),
};

constexpr Item kProjectItems[] = {
    Label(u"Name:", 2, 4, 34),
    Edit(kProjectName, 38, 2, 120),
    Label(u"Complete:", 2, 18, 34),
    Edit(kProjectPercent, 38, 16, 24, kRowHeight, ES_NUMBER),
    Label(u"%", 64, 18, 10),
    Label(u"Starts:", 2, 32, 34),
    DatePicker(kProjectStart, 38, 30, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Label(u"Ends:", 2, 46, 34),
    DatePicker(kProjectEnd, 38, 44, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Label(u"Done on:", 2, 60, 34),
    DatePicker(kProjectCompleted, 38, 58, 70, DTS_SHORTDATEFORMAT | DTS_SHOWNONE),
    Check(kProjectActive, u"List with the open projects", 2, 74, 156),
    Button(kCommandDelete, u"Delete Project", 2, 92, 76),
};

constexpr Item kProjectContentsItems[] = {
    ListView(kProjectContentsList, 0, 0, kPageWidth, 118, LVS_REPORT),
    Button(kProjectAddFile, u"Add File...", 2, 120, 50),
    Button(kProjectContentsOpen, u"Open", 54, 120, 50),
    Button(kProjectContentsRemove, u"Remove", 106, 120, 52),
};

// The sub-projects above, the time records below.
constexpr Item kProjectTimeItems[] = {
    Label(u"Sub-projects:", 2, 2, 156),
    ListView(kProjectSubList, 0, 11, kPageWidth, 30),
    Button(kProjectSubNew, u"New", 2, 43, 50),
    Button(kProjectSubOpen, u"Open", 54, 43, 50),
    Button(kProjectSubDelete, u"Delete", 106, 43, 52),
    Label(u"Time records:", 2, 58, 156),
    ListView(kProjectTimeList, 0, 67, kPageWidth, 40, LVS_REPORT),
    Button(kProjectTimeAdd, u"Add", 2, 109, 30),
    Button(kProjectTimeEdit, u"Edit", 33, 109, 30),
    Button(kProjectTimeStart, u"Start", 64, 109, 30),
    Button(kProjectTimeStop, u"Stop", 95, 109, 30),
    Button(kProjectTimeDelete, u"Delete", 126, 109, 32),
    Label(u"", 2, 124, 156, 8, kProjectTimeTotal),
};

constexpr Item kProjectReportItems[] = {
    {WC_RICHVIEW, kProjectReportView, u"", kVisible | WS_BORDER | WS_VSCROLL, 0, 0, 0, kPageWidth,
     kPageHeight},
};

}  // namespace

extern const CalyraResourceDialog kPageDialogs[] = {
    Page(kDialogLinksPage, kLinksItems),
    Page(kDialogContactPage, kContactItems, WS_VSCROLL),
    Page(kDialogAppointmentPage, kAppointmentItems),
    Page(kDialogTaskPage, kTaskItems),
    Page(kDialogAttendeesPage, kAttendeesItems),
    Page(kDialogCategoriesPage, kCategoriesItems),
    Page(kDialogNotesPage, kNotesItems),
    Page(kDialogRecurrencePage, kRecurrenceItems),
    Page(kDialogProjectPage, kProjectItems),
    Page(kDialogProjectContentsPage, kProjectContentsItems),
    Page(kDialogProjectTimePage, kProjectTimeItems),
    Page(kDialogProjectReportPage, kProjectReportItems),
};
extern const size_t kPageDialogCount = std::size(kPageDialogs);

}  // namespace calyra::resources
