#include "resources/Resources.h"

// The default English strings of the component, one a line and sorted by number. Texts that the code
// formats carry their printf specifiers in the order the code passes its values; the comment above each
// group says where the component shows it.
namespace calyra::resources {

extern const CalyraResourceString kStrings[] = {
    // Appointment editor: the first line of the second reminder's notes
    {1007, u"Second reminder for:"},
    // Note options: the three input modes of a note
    {2000, u"Typing"},
    {2001, u"Writing"},
    {2002, u"Drawing"},
    // Contact summary: call history kinds and columns
    {3021, u"Missed"},
    {3022, u"Incoming"},
    {3025, u"Outgoing"},
    {3026, u"Date and time"},
    {3027, u"Duration"},
    // Caption of the main window, message boxes and file dialogs
    {10000, u"Calyra"},
    // Task reminder text: the priority mark
    {20100, u"(High priority)"},
    {20101, u"(Low priority)"},
    // Links page: hint rows of an empty list; floating link window: pop-up menu; notes: file links
    {22500, u"No links yet."},
    {22501, u"Pick contacts, tasks or appointments below,"},
    {22502, u"or add a file or a web address."},
    {22503, u"Delete Link"},
    {22504, u"File:"},
    {22505, u"Open"},
    {22506, u"Contacts"},
    {22507, u"Tasks"},
    {22508, u"Appointments"},
    // Appointment editor: saving refused, and the dates of a whole series
    {26005, u"The reminder time is not valid."},
    {26006, u"Start: see the Recurrence page"},
    {26007, u"End: see the Recurrence page"},
    // Appointment editor: the busy statuses
    {26010, u"Free"},
    {26011, u"Tentative"},
    {26012, u"Busy"},
    {26013, u"Out of office"},
    // Categories: the mark of a hidden category
    {27000, u"hidden"},
    // Alarm-time dialog: units of the time from now
    {38500, u"minutes"},
    {38501, u"weeks"},
    {38502, u"days"},
    {38503, u"hours"},
    {38504, u"in the past"},
    // Categories: caption of the validation messages
    {38700, u"Categories"},
    // Field codes: contact codes
    {41000, u"Title"},
    {41001, u"First name"},
    {41002, u"Middle name"},
    {41003, u"Last name"},
    {41004, u"Suffix"},
    {41005, u"File as"},
    {41006, u"Job title"},
    {41007, u"Department"},
    {41008, u"Company"},
    {41009, u"Work phone"},
    {41010, u"Work phone 2"},
    {41011, u"Home phone"},
    {41012, u"Home phone 2"},
    {41013, u"Mobile phone"},
    {41014, u"Pager"},
    {41015, u"Car phone"},
    {41016, u"Work fax"},
    {41017, u"Home fax"},
    {41018, u"Assistant's phone"},
    {41019, u"Radio phone"},
    {41020, u"E-mail"},
    {41021, u"E-mail 2"},
    {41022, u"E-mail 3"},
    {41023, u"Web page"},
    {41024, u"Work street"},
    {41025, u"Work city"},
    {41026, u"Work state"},
    {41027, u"Work postal code"},
    {41028, u"Work country"},
    {41029, u"Office"},
    {41030, u"Home street"},
    {41031, u"Home city"},
    {41032, u"Home state"},
    {41033, u"Home postal code"},
    {41034, u"Home country"},
    {41035, u"Other street"},
    {41036, u"Other city"},
    {41037, u"Other state"},
    {41038, u"Other postal code"},
    {41039, u"Other country"},
    {41040, u"Categories"},
    {41041, u"Assistant"},
    {41042, u"Birthday"},
    {41043, u"Anniversary"},
    {41044, u"Spouse"},
    {41045, u"Children"},
    {41046, u"Yomi first name"},
    {41047, u"Yomi last name"},
    {41048, u"Yomi company"},
    // Field codes: general codes
    {41100, u"Start timer 1"},
    {41101, u"Stop timer 1"},
    {41102, u"Timer 1: time since start"},
    {41103, u"Timer 1: total time"},
    {41104, u"Reset timer 1"},
    {41105, u"Start timer 2"},
    {41106, u"Stop timer 2"},
    {41107, u"Timer 2: time since start"},
    {41108, u"Timer 2: total time"},
    {41109, u"Reset timer 2"},
    {41110, u"Start timer 3"},
    {41111, u"Stop timer 3"},
    {41112, u"Timer 3: time since start"},
    {41113, u"Timer 3: total time"},
    {41114, u"Reset timer 3"},
    {41115, u"Date (short)"},
    {41116, u"Date (long)"},
    {41117, u"Month and year"},
    {41118, u"Time"},
    {41119, u"Date and time stamp"},
    {41120, u"Day of the year"},
    {41121, u"Days left in the year"},
    {41122, u"Owner's name"},
    {41123, u"Owner's company"},
    {41124, u"Owner's address"},
    {41125, u"Owner's telephone"},
    {41126, u"Owner's e-mail"},
    // Phrase selection and alarm note editor: the subject field
    {50002, u"Subject"},
    // Journal: entry texts, list headings and view choices
    {53000, u"Deleted: %s"},
    {53001, u"Completed: %s"},
    {53002, u"Noted: %s"},
    {53003, u"Entry"},
    {53004, u"Date"},
    {53005, u"Time"},
    {53006, u"Date/Time"},
    // Project report: labels and the missing date
    {61001, u"Percent complete"},
    {61002, u"Completed"},
    {61006, u"End date"},
    {61025, u"None"},
    // Templates, saving, deleting and opening items: messages and captions
    {63001, u"Template"},
    {63002, u"Cannot Save"},
    {63003, u"The appointment could not be saved."},
    {63004, u"The task could not be saved."},
    {63006, u"A category name cannot contain \";\" or \",\"."},
    {63007, u"This appointment is a meeting. Notify the attendees?"},
    {63008,
     u"This is a recurring appointment. Open only this occurrence?\n\n"
     u"Yes opens this occurrence, No opens the whole series."},
    {63009,
     u"\"%s\" is a recurring task. Delete the whole task?\n\n"
     u"Yes deletes every occurrence, No skips only this one."},
    {63010,
     u"This is a recurring task. Delete the whole task?\n\n"
     u"Yes deletes every occurrence, No skips only this one."},
    {63016, u"Please enter a name for the template."},
    {63017, u"The journal was exported to %s."},
    {63018, u"The contact could not be saved."},
    {63019, u"The date %s cannot be kept. Choose a day from 1900 to 2999."},
    {63021, u"Delete this appointment?"},
    {63022, u"Delete this task?"},
    {63023, u"Delete this contact?"},
    {63025,
     u"This is a recurring appointment. Delete all its occurrences?\n"
     u"Yes deletes the series, No deletes only this occurrence."},
    {63026,
     u"A recurring appointment cannot keep a second reminder. Remove the second reminder and "
     u"save?"},
    // Template picker
    {63100, u"Choose a template"},
    // Recurrence page and categories: the language of the wording
    {63502, u"EN"},
    // Leaving an open editor: the item names
    {63504, u"appointment"},
    {63509, u"task"},
    {63510, u"contact"},
    // Recurrence page: wording of the ready-made patterns, lists and end conditions
    {63511, u"Every"},
    {63517, u"Day"},
    {63518, u"of every"},
    {63526, u"weekday"},
    {63527, u"weekend day"},
    {63547, u"End by"},
    {63549, u"day"},
    // Contact editor: file-as labels
    {63553, u"Company"},
    {63556, u"First"},
    {63557, u"Middle"},
    {63558, u"Last"},
    {63559, u"Suffix"},
    // Recurrence page: instances, ready-made entries, end conditions and pattern kinds
    {63584, u"first"},
    {63585, u"second"},
    {63586, u"third"},
    {63587, u"fourth"},
    {63588, u"last"},
    {63589, u"Does not repeat"},
    {63590, u"No end date"},
    {63591, u"Custom pattern..."},
    {63592, u"End after"},
    {63593, u"Daily"},
    {63594, u"Weekly"},
    {63595, u"Monthly"},
    {63597, u"Yearly"},
    // Contact preview layouts: the default layout
    {63598, u"Preview Default"},
    // Phrase selection: the notes field
    {63604, u"Notes"},
    // Recurrence page: numeric fields
    {63608, u"Please enter a number of 1 or more."},
    // Appointment editor: saving refused by Pocket Outlook
    {63609, u"The dates of this occurrence are not valid."},
    {63610, u"The end must be after the start."},
    {63611, u"This occurrence would overlap another occurrence of the series."},
    {63612, u"The date of this appointment cannot be changed."},
    // Appointment: a changed pattern drops changed occurrences
    {63613,
     u"This recurring appointment has changed occurrences. Saving the new pattern discards those "
     u"changes."},
    // Deleting items: follows the quoted subject or name
    {63614, u"will be deleted. Continue?"},
    // Appointment editor: all-day events and meetings
    {63615, u"An all-day event cannot be a meeting. The appointment cannot be opened."},
    {63616, u"An all-day event cannot be a meeting. Remove the attendees first."},
    {63617, u"An all-day event cannot have attendees. Turn off All day first."},
    // Categories: renaming a category with an icon
    {63619,
     u"This category has an icon. Keep the icon for the new name?\n\n"
     u"Yes moves the icon, No deletes it."},
    // Leaving an open editor: item name, target name where there is one, and the item's description
    {63620, u"The new %s has not been saved. Close it without saving?\n\n\"%s\""},
    {63621, u"The new %s has not been saved. Close it without saving and go to the %s?\n\n\"%s\""},
    {63622, u"The changes to this %s have not been saved. Close it without saving?\n\n\"%s\""},
    {63623,
     u"The changes to this %s have not been saved. Close it without saving and go to the "
     u"%s?\n\n\"%s\""},
    {63624, u"calendar"},
    // Alarm note editor: leaving while a note is open
    {63635, u"Please close the open note first."},
    {63636, u"A note is being edited. Tap OK to save it or Cancel to discard it first."},
    // Categories: deleting a category in use (name, appointments, tasks, contacts)
    {63641,
     u"The category \"%s\" is used by %d appointments, %d tasks and %d contacts.\n\n"
     u"Delete it and remove it from these items?"},
    // Task dates: moving a recurring task
    {63642, u"A recurring task cannot be moved to another date."},
    // Recurrence page: pattern kinds
    {63644, u"Monthly (by weekday)"},
    {63645, u"Yearly (by weekday)"},
    // Notes page: notes too large (size and maximum in KB)
    {63650, u"The notes are too large to be saved: %.2f KB, at most %.2f KB."},
    // Note options: the input modes
    {63651, u"Typing"},
    {63652, u"Writing"},
    {63653, u"Drawing"},
    // Categories: validation of a name
    {63670, u"Please enter a category name."},
    {63671, u"A category name cannot be made of blanks only."},
    {63672, u"This category already exists."},
    {63673, u"A hidden category cannot be renamed."},
    // Alarm note editor: the title of a new note
    {63687, u"New note"},
    {63688, u"New alarm note"},
    {63695, u"A note title cannot contain any of these characters: \\ / : * ? \" < > | ."},
    // Categories: the default icon set
    {63732, u"Default icons"},
    // Recurrence page: twice a month, on a day outside the chosen weekdays
    {63736, u"Keep the date"},
    {63737, u"Skip the date"},
    {63738, u"Move to the day before"},
    {63739, u"Move to the day after"},
    {63740, u"Twice a month"},
    // Categories: the colour picker
    {63741, u"No colour"},
    {63742, u"Red"},
    {63743, u"Orange"},
    {63744, u"Yellow"},
    {63745, u"Green"},
    {63746, u"Blue"},
    {63747, u"Purple"},
    {63748, u"Grey"},
    {63749, u"Black"},
    // Summary window: field labels, list headings, value words and command buttons
    {63760, u"Subject"},
    {63761, u"Location"},
    {63762, u"Starts"},
    {63763, u"Ends"},
    {63764, u"Reminder"},
    {63765, u"Categories"},
    {63766, u"Due"},
    {63767, u"Priority"},
    {63768, u"Complete"},
    {63769, u"File as"},
    {63770, u"Field"},
    {63771, u"Value"},
    {63772, u"None"},
    {63773, u"1 minute"},
    {63774, u"%d minutes"},
    {63775, u"High"},
    {63776, u"Normal"},
    {63777, u"Low"},
    {63778, u"Yes"},
    {63779, u"No"},
    {63780, u"OK"},
    {63781, u"Edit"},
    {63782, u"Delete"},
    {63783, u"Convert"},
    {63784, u"Outlook"},
    {63785, u"Beam"},
    {63786, u"Copy"},
    {63787, u"Links"},
    {63788, u"Company"},
    {63789, u"Job title"},
    {63790, u"Work"},
    {63791, u"Home"},
    {63792, u"Mobile"},
    {63793, u"Fax"},
    {63794, u"Web page"},
    {63795, u"Work address"},
    {63796, u"Home address"},
    {63797, u"Other address"},
    {63798, u"Birthday"},
    {63799, u"Anniversary"},
    // Attendees page and contact chooser: list headings
    {63800, u"Name"},
    {63801, u"E-mail address"},
    {63802, u"Company"},
    {63803, u"Photo"},
    {63804, u"Hang up"},
    {63805, u"%s %s  %s %s"},
    // Task editor: completion date
    {64335, u"Completed %s"},
    // Items without subject
    {64336, u"(No subject)"},
    // Task reminder text: due date
    {64347, u"Due:"},
    // Project report: start date label
    {64348, u"Start date"},
    // Contact editor: file as without a name
    {64353, u"(No name)"},
    // Recurrence page: monthly wording
    {64370, u"month"},
    // Appointment editor: duration picker
    {64377, u"1 minute"},
    {64378, u"%d minutes"},
    {64379, u"1 hour"},
    {64380, u"%d hours"},
    {64381, u"1 day"},
    {64382, u"%d days"},
    // Appointment and task editors: the subject placeholder
    {64912, u"<Subject>"},
    // Phrase selection: the title line and its field names
    {64913, u"Phrases: %s"},
    {64914, u"Location"},
    {64915, u"Text"},
    // Leaving an open editor: the project item name
    {64936, u"project"},
    // Project editor: the name of an unnamed project
    {64938, u"New project"},
    // Projects: adding a missing file or item
    {64944, u"The file or item cannot be found, so it cannot be added to the project."},
    // Project report: time words, group total and labels
    {64949, u"hour"},
    {64950, u"hours"},
    {64951, u"minute"},
    {64952, u"minutes"},
    {64964, u"total"},
    {64965, u"Total time"},
    {64966, u"Time records"},
    // Project editor: a time record ending before it starts, deleting a project
    {64970, u"The time record ends before it starts."},
    {64971, u"Delete the project \"%s\" with its contents, time records and sub-projects?"},
    // Summary window: the button that adds the item to a project
    {64972, u"Project"},
};

extern const size_t kStringCount = sizeof(kStrings) / sizeof(kStrings[0]);

}  // namespace calyra::resources
