#pragma once

// The numbers of the strings, dialog templates, menus and bitmaps of the component's resource module,
// and the ids of the controls and menu commands they carry. The resource library and every folder of
// the component include this header, so a template and the code that drives it agree on every id, and
// no id is written as a bare number in logic. Any other resource library (another language) must keep
// these numbers. A string gets its name here when code first shows it.
namespace calyra::resources {

// ---- Strings ----
// Caption of the main window, message boxes and file dialogs.
inline constexpr unsigned kStringCaption = 10000;
inline constexpr unsigned kStringTaskReminderHighPriority = 20100;
inline constexpr unsigned kStringTaskReminderLowPriority = 20101;
// The links page: the three hint rows of an empty list, and the names of its pick lists' tabs.
inline constexpr unsigned kStringLinksHintFirst = 22500;  // 22500 to 22502
inline constexpr unsigned kStringLinksHintCount = 3;
inline constexpr unsigned kStringLinksPickContacts = 22506;
inline constexpr unsigned kStringLinksPickTasks = 22507;
inline constexpr unsigned kStringLinksPickAppointments = 22508;
// The entries of a listed link's tap-and-hold menu.
inline constexpr unsigned kStringDeleteLink = 22503;
inline constexpr unsigned kStringOpenLink = 22505;
// The label of a file hyperlink in notes.
inline constexpr unsigned kStringFileLinkLabel = 22504;
// Notes too large to be saved: their size and the maximum, in kilobytes.
inline constexpr unsigned kStringNotesTooLarge = 63650;
// The input modes of the note options: typing, the writing pen, the drawing pen.
inline constexpr unsigned kStringNoteModeFirst = 63651;  // 63651 to 63653
inline constexpr unsigned kStringInvalidReminder = 26005;
inline constexpr unsigned kStringJournalDeleted = 53000;
inline constexpr unsigned kStringJournalCompleted = 53001;
inline constexpr unsigned kStringJournalNoted = 53002;
// The journal window: the text column's heading, the view choices (53006 also heads the first
// column), and the message after an export, naming the text file.
inline constexpr unsigned kStringJournalEntryColumn = 53003;
inline constexpr unsigned kStringJournalViewDate = 53004;
inline constexpr unsigned kStringJournalViewTime = 53005;
inline constexpr unsigned kStringJournalViewDateTime = 53006;
inline constexpr unsigned kStringJournalExported = 63017;
// Saving refused: the caption, and the texts shown with the save's result code.
inline constexpr unsigned kStringCannotSave = 63002;
inline constexpr unsigned kStringAppointmentNotSaved = 63003;
inline constexpr unsigned kStringTaskNotSaved = 63004;
inline constexpr unsigned kStringMeetingUpdate = 63007;
inline constexpr unsigned kStringRecurringQuestion = 63008;
inline constexpr unsigned kStringContactNotSaved = 63018;
// The questions of a deletion: an item without a subject or name, an occurrence of a recurring item
// (63009 names the task, 63010 when its subject cannot be read), and the text after a named item.
inline constexpr unsigned kStringDeleteRecurringTask = 63009;
inline constexpr unsigned kStringDeleteRecurringTaskUnnamed = 63010;
inline constexpr unsigned kStringDeleteAppointment = 63021;
inline constexpr unsigned kStringDeleteTask = 63022;
inline constexpr unsigned kStringDeleteContact = 63023;
inline constexpr unsigned kStringDeleteOccurrence = 63025;
inline constexpr unsigned kStringDeleteNamed = 63614;
inline constexpr unsigned kStringContactDateOutOfRange = 63019;
// The names of items and of the host's views in the switch-away question.
inline constexpr unsigned kStringNameAppointment = 63504;
inline constexpr unsigned kStringNameTask = 63509;
inline constexpr unsigned kStringNameContact = 63510;
inline constexpr unsigned kStringNameCalendar = 63624;
inline constexpr unsigned kStringNameProject = 64936;
// The name of a project saved without one: "<%s mm-dd-yyyy>".
inline constexpr unsigned kStringNewProjectName = 64938;
// The file-as menu's placeholder labels and the name of a contact without one.
inline constexpr unsigned kStringLabelCompany = 63553;
inline constexpr unsigned kStringLabelFirst = 63556;
inline constexpr unsigned kStringLabelMiddle = 63557;
inline constexpr unsigned kStringLabelLast = 63558;
inline constexpr unsigned kStringLabelSuffix = 63559;
inline constexpr unsigned kStringNoName = 64353;
// Pocket Outlook's refusals of an appointment save.
inline constexpr unsigned kStringOccurrenceDatesInvalid = 63609;
inline constexpr unsigned kStringEndBeforeStart = 63610;
inline constexpr unsigned kStringOccurrenceOverlaps = 63611;
inline constexpr unsigned kStringDateCannotChange = 63612;
inline constexpr unsigned kStringExceptionsLost = 63613;
inline constexpr unsigned kStringAllDayMeeting = 63615;
inline constexpr unsigned kStringAllDayAttendee = 63617;
// The switch-away question: new or existing item, with or without the host's target named.
inline constexpr unsigned kStringSwitchAwayNew = 63620;
inline constexpr unsigned kStringSwitchAwayNewToTarget = 63621;
inline constexpr unsigned kStringSwitchAwayChanged = 63622;
inline constexpr unsigned kStringSwitchAwayChangedToTarget = 63623;
// Recurrence page and special categories: the language tag of the wording ("DE", "ES" or another), the words
// of the ready-made patterns, the lists' entries and the refusal of a number below 1.
inline constexpr unsigned kStringLanguageTag = 63502;
inline constexpr unsigned kStringRecurEvery = 63511;
inline constexpr unsigned kStringRecurDay = 63517;
inline constexpr unsigned kStringRecurOfEvery = 63518;
inline constexpr unsigned kStringRecurWeekday = 63526;
inline constexpr unsigned kStringRecurWeekendDay = 63527;
inline constexpr unsigned kStringRecurEndBy = 63547;
inline constexpr unsigned kStringRecurAnyDay = 63549;
inline constexpr unsigned kStringRecurFirstInstance = 63584;  // 63584 to 63588: first to fourth, last
inline constexpr unsigned kStringRecurNone = 63589;
inline constexpr unsigned kStringRecurNoEnd = 63590;
inline constexpr unsigned kStringRecurCustom = 63591;
inline constexpr unsigned kStringRecurEndAfter = 63592;
inline constexpr unsigned kStringRecurDaily = 63593;
inline constexpr unsigned kStringRecurWeekly = 63594;
inline constexpr unsigned kStringRecurMonthly = 63595;
inline constexpr unsigned kStringRecurYearly = 63597;
inline constexpr unsigned kStringRecurNumberBelowOne = 63608;
inline constexpr unsigned kStringRecurMonthNth = 63644;
inline constexpr unsigned kStringRecurYearNth = 63645;
inline constexpr unsigned kStringRecurSemiKeep = 63736;  // 63736 to 63739: keep, skip, before, after
inline constexpr unsigned kStringRecurSemiMonthly = 63740;
inline constexpr unsigned kStringRecurMonth = 64370;
inline constexpr unsigned kStringNoSubject = 64336;
// Appointment editor.
inline constexpr unsigned kStringSecondReminderNotesTitle = 1007;
inline constexpr unsigned kStringSeriesStart = 26006;
inline constexpr unsigned kStringSeriesEnd = 26007;
inline constexpr unsigned kStringBusyFree = 26010;  // 26010 to 26013: the busy statuses 0 to 3
inline constexpr unsigned kStringBusyTentative = 26011;
inline constexpr unsigned kStringBusyBusy = 26012;
inline constexpr unsigned kStringBusyOutOfOffice = 26013;
inline constexpr unsigned kStringSecondReminderOnSeries = 63026;
inline constexpr unsigned kStringAllDayWhileMeeting = 63616;
inline constexpr unsigned kStringAttendeeOnAllDay = 63617;
inline constexpr unsigned kStringDurationOneMinute = 64377;
inline constexpr unsigned kStringDurationMinutes = 64378;
inline constexpr unsigned kStringDurationOneHour = 64379;
inline constexpr unsigned kStringDurationHours = 64380;
inline constexpr unsigned kStringDurationOneDay = 64381;
inline constexpr unsigned kStringDurationDays = 64382;
inline constexpr unsigned kStringSubjectPlaceholder = 64912;
// Task editor.
inline constexpr unsigned kStringTaskCompletedOn = 64335;
// Templates: the caption and text of an empty template name, the template picker's title.
inline constexpr unsigned kStringTemplateCaption = 63001;
inline constexpr unsigned kStringTemplateNameEmpty = 63016;
inline constexpr unsigned kStringTemplatePickerTitle = 63100;
// Item operations: the refusal to move a recurring task to another day.
inline constexpr unsigned kStringRecurringTaskNotMoved = 63642;
// Notes: a title that cannot be a file name.
inline constexpr unsigned kStringNoteTitleInvalid = 63695;
// The note editor: the title line's label, the first titles of new notes, and what the host is told
// when it asks to switch away from an open note (with or without its target).
inline constexpr unsigned kStringNoteTitleLabel = 50002;
inline constexpr unsigned kStringNewPlainNoteTitle = 63687;
inline constexpr unsigned kStringNewAlarmNoteTitle = 63688;
inline constexpr unsigned kStringCloseNoteFirst = 63635;
inline constexpr unsigned kStringNoteBeingEdited = 63636;
// The phrase selection's title ("%s" the field's name) and the field names it takes.
inline constexpr unsigned kStringPhraseSelectionTitle = 64913;
inline constexpr unsigned kStringPhraseFieldSubject = 50002;
inline constexpr unsigned kStringPhraseFieldLocation = 64914;
inline constexpr unsigned kStringPhraseFieldNotes = 63604;
inline constexpr unsigned kStringPhraseFieldText = 64915;
// Units of a lead or a time from now.
inline constexpr unsigned kStringUnitMinutes = 38500;
inline constexpr unsigned kStringUnitWeeks = 38501;
inline constexpr unsigned kStringUnitDays = 38502;
inline constexpr unsigned kStringUnitHours = 38503;
inline constexpr unsigned kStringUnitInThePast = 38504;  // after the units of a time already past
inline constexpr unsigned kStringTaskReminderDue = 64347;
inline constexpr unsigned kStringNothingToAdd = 64944;

// Summary window.
inline constexpr unsigned kStringSummarySubject = 63760;
inline constexpr unsigned kStringSummaryLocation = 63761;
inline constexpr unsigned kStringSummaryStarts = 63762;
inline constexpr unsigned kStringSummaryEnds = 63763;
inline constexpr unsigned kStringSummaryReminder = 63764;
inline constexpr unsigned kStringSummaryCategories = 63765;
inline constexpr unsigned kStringSummaryDue = 63766;
inline constexpr unsigned kStringSummaryPriority = 63767;
inline constexpr unsigned kStringSummaryComplete = 63768;
inline constexpr unsigned kStringSummaryFileAs = 63769;
inline constexpr unsigned kStringSummaryFieldColumn = 63770;
inline constexpr unsigned kStringSummaryValueColumn = 63771;
inline constexpr unsigned kStringSummaryNone = 63772;
inline constexpr unsigned kStringSummaryOneMinute = 63773;
inline constexpr unsigned kStringSummaryMinutes = 63774;
inline constexpr unsigned kStringSummaryPriorityHigh = 63775;
inline constexpr unsigned kStringSummaryPriorityNormal = 63776;
inline constexpr unsigned kStringSummaryPriorityLow = 63777;
inline constexpr unsigned kStringSummaryYes = 63778;
inline constexpr unsigned kStringSummaryNo = 63779;
inline constexpr unsigned kStringSummaryOk = 63780;
inline constexpr unsigned kStringSummaryEdit = 63781;
inline constexpr unsigned kStringSummaryDelete = 63782;
inline constexpr unsigned kStringSummaryConvert = 63783;
inline constexpr unsigned kStringSummaryOutlook = 63784;
inline constexpr unsigned kStringSummaryBeam = 63785;
inline constexpr unsigned kStringSummaryCopy = 63786;
inline constexpr unsigned kStringSummaryLinks = 63787;
inline constexpr unsigned kStringSummaryCompany = 63788;
inline constexpr unsigned kStringSummaryJobTitle = 63789;
inline constexpr unsigned kStringSummaryWorkPhone = 63790;
inline constexpr unsigned kStringSummaryHomePhone = 63791;
inline constexpr unsigned kStringSummaryMobilePhone = 63792;
inline constexpr unsigned kStringSummaryFax = 63793;
inline constexpr unsigned kStringSummaryWebPage = 63794;
inline constexpr unsigned kStringSummaryWorkAddress = 63795;
inline constexpr unsigned kStringSummaryHomeAddress = 63796;
inline constexpr unsigned kStringSummaryOtherAddress = 63797;
inline constexpr unsigned kStringSummaryBirthday = 63798;
inline constexpr unsigned kStringSummaryAnniversary = 63799;

// Contact summary: the call history's kinds of call and its column headings.
inline constexpr unsigned kStringCallMissed = 3021;
inline constexpr unsigned kStringCallIncoming = 3022;
inline constexpr unsigned kStringCallOutgoing = 3025;
inline constexpr unsigned kStringCallDateColumn = 3026;
inline constexpr unsigned kStringCallDurationColumn = 3027;
// Contact preview layouts: the name of the default layout.
inline constexpr unsigned kStringDefaultPreviewLayout = 63598;

// Project report: the labels of a project's block, its missing date, the time words of totals, the
// heading of the time records and the word after a group's total.
inline constexpr unsigned kStringReportPercentComplete = 61001;
inline constexpr unsigned kStringReportCompleted = 61002;
inline constexpr unsigned kStringReportEndDate = 61006;
inline constexpr unsigned kStringReportNoDate = 61025;
inline constexpr unsigned kStringReportStartDate = 64348;
inline constexpr unsigned kStringReportHour = 64949;
inline constexpr unsigned kStringReportHours = 64950;
inline constexpr unsigned kStringReportMinute = 64951;
inline constexpr unsigned kStringReportMinutes = 64952;
inline constexpr unsigned kStringReportGroupTotal = 64964;
inline constexpr unsigned kStringReportTotalTime = 64965;
inline constexpr unsigned kStringReportTimeRecords = 64966;
// Project editor: a time record ending before it starts, deleting a project, the summary's button.
inline constexpr unsigned kStringTimeRecordEndBeforeStart = 64970;
inline constexpr unsigned kStringDeleteProject = 64971;
inline constexpr unsigned kStringSummaryProject = 64972;

// Attendees page and contact chooser: list headings.
inline constexpr unsigned kStringColumnName = 63800;
inline constexpr unsigned kStringColumnEmail = 63801;
inline constexpr unsigned kStringColumnCompany = 63802;

// Contact summary: its buttons and the totals of the call history.
inline constexpr unsigned kStringSummaryPhoto = 63803;
inline constexpr unsigned kStringSummaryHangUp = 63804;
inline constexpr unsigned kStringSummaryCallTotals = 63805;  // "%s %s  %s %s": kind and total, twice

// Categories.
inline constexpr unsigned kStringHiddenCategoryMark = 27000;  // inserted into the "-->(%s)" marker
inline constexpr unsigned kStringCategoriesCaption = 38700;
inline constexpr unsigned kStringCategorySeparatorInName = 63006;
inline constexpr unsigned kStringKeepIconForNewName = 63619;
inline constexpr unsigned kStringDeleteUsedCategory = 63641;
inline constexpr unsigned kStringCategoryNameMissing = 63670;
inline constexpr unsigned kStringCategoryNameBlank = 63671;
inline constexpr unsigned kStringCategoryExists = 63672;
inline constexpr unsigned kStringHiddenCategoryRename = 63673;
inline constexpr unsigned kStringDefaultIconSet = 63732;
// The colour picker: no colour, then the colours in the order of the picker's commands.
inline constexpr unsigned kStringNoColour = 63741;
inline constexpr unsigned kStringColourRed = 63742;  // 63742 to 63749: the eight colours

// ---- Dialog templates ----
inline constexpr int kDialogPhraseSelection = 364;
inline constexpr int kDialogProjectPicker = 371;
inline constexpr int kDialogCategories = 491;
inline constexpr int kDialogIconFolder = 492;
inline constexpr int kDialogIconChooser = 494;
inline constexpr int kDialogLinksPage = 493;
inline constexpr int kDialogNoteOptions = 499;
inline constexpr int kDialogTextPrompt = 500;
inline constexpr int kDialogTimePicker12 = 504;
inline constexpr int kDialogJournal = 506;
inline constexpr int kDialogJournalEntry = 507;
inline constexpr int kDialogContactPage = 525;
inline constexpr int kDialogAppointmentPage = 527;
inline constexpr int kDialogTimePicker24 = 550;
inline constexpr int kDialogTaskPage = 551;
inline constexpr int kDialogAttendeesPage = 552;
inline constexpr int kDialogCategoriesPage = 553;
inline constexpr int kDialogLocation = 567;
inline constexpr int kDialogNotesPage = 575;
inline constexpr int kDialogTemplatePicker = 595;
inline constexpr int kDialogFloatingLinks = 601;
inline constexpr int kDialogNoteEditor = 610;
inline constexpr int kDialogDurationPicker = 612;
inline constexpr int kDialogAlarmTime = 620;
inline constexpr int kDialogRecurrencePage = 622;
inline constexpr int kDialogCustomFileAs = 626;
inline constexpr int kDialogContactChooser = 1204;
inline constexpr int kDialogProjectPage = 1208;
inline constexpr int kDialogProjectContentsPage = 1209;
inline constexpr int kDialogProjectTimePage = 1210;
inline constexpr int kDialogProjectReportPage = 1211;
inline constexpr int kDialogTimeRecord = 1212;
inline constexpr int kDialogSecondReminder = 1217;

// ---- Menus ----
inline constexpr int kMenuNotesPage = 312;
inline constexpr int kMenuCategoriesPage = 313;
inline constexpr int kMenuAppointmentPage = 317;
inline constexpr int kMenuPlainPage = 320;
inline constexpr int kMenuTaskPage = 324;
inline constexpr int kMenuNoteEditor = 333;
inline constexpr int kMenuNoteEditorUntitled = 334;
inline constexpr int kMenuContactPage = 339;
inline constexpr int kMenuRecurrencePage = 341;
// The file-as popup of the contact page: a separator and the custom entry; the five formats are
// inserted above them when it is shown.
inline constexpr int kMenuFileAs = 342;
inline constexpr int kMenuPhraseSelection = 366;
inline constexpr int kMenuProjectReportPage = 370;

// ---- Bitmaps ----
// Menu-bar toolbar images (26 of 16 x 16; 157 is the same at 32 x 32), see kImage* below.
inline constexpr int kBitmapToolbar = 156;
inline constexpr int kBitmapToolbarLarge = 157;
// Tab images, one per page kind 0 to 11 (21 x 21; 161 at 42 x 42), pure green background.
inline constexpr int kBitmapTabs = 160;
inline constexpr int kBitmapTabsLarge = 161;
// Item icons of the link, phrase and template lists (16 x 16; 203 at 32 x 32), pure green background:
// 0 appointment, 1 task, 2 contact, 3 file, 4 project, 5 note, 6 phrase, 7 web address.
inline constexpr int kBitmapItemIcons = 202;
inline constexpr int kBitmapItemIconsLarge = 203;
// Entry icons of the project contents list (16 x 16; 373 at 32 x 32), pure green background:
// 0 appointment, 1 task, 2 contact, 3 file, 4 sub-project, 5 time record.
inline constexpr int kBitmapProjectIcons = 372;
inline constexpr int kBitmapProjectIconsLarge = 373;
// The sample category icons written into a new icon palette folder (16 x 16, white background).
inline constexpr int kBitmapSampleHome = 380;
inline constexpr int kBitmapSampleWork = 381;
inline constexpr int kBitmapSampleStar = 382;
inline constexpr int kBitmapSampleHeart = 383;
inline constexpr int kBitmapSampleFlag = 384;
inline constexpr int kBitmapSamplePhone = 385;
// The frame drawn over a contact photo's thumbnail (55 x 55, pure green inside and around it).
inline constexpr int kBitmapPhotoFrame = 386;

// Images of the toolbar strip 156/157, by index.
inline constexpr int kImageTyping = 0;
inline constexpr int kImageViewSwitch = 1;
inline constexpr int kImagePen = 2;
inline constexpr int kImageOk = 3;
inline constexpr int kImageCancel = 4;
inline constexpr int kImageAlarm = 5;
inline constexpr int kImageDrawing = 6;
inline constexpr int kImageLink = 7;
inline constexpr int kImageMore = 8;
inline constexpr int kImageDelete = 9;
inline constexpr int kImagePhrase = 10;
inline constexpr int kImageContact = 11;
inline constexpr int kImageAppointment = 12;
inline constexpr int kImageTask = 13;
inline constexpr int kImageCategory = 14;
inline constexpr int kImageTemplate = 15;
inline constexpr int kImageBeam = 16;
inline constexpr int kImageFile = 17;
inline constexpr int kImageWeb = 18;
inline constexpr int kImageTime = 19;
inline constexpr int kImageZoom = 20;
inline constexpr int kImageUndo = 21;
inline constexpr int kImageCut = 22;
inline constexpr int kImageCopy = 23;
inline constexpr int kImagePaste = 24;
inline constexpr int kImageProject = 25;

// Images of the item icon strip 202/203, by index.
inline constexpr int kItemImageAppointment = 0;
inline constexpr int kItemImageTask = 1;
inline constexpr int kItemImageContact = 2;
inline constexpr int kItemImageFile = 3;
inline constexpr int kItemImageProject = 4;
inline constexpr int kItemImageNote = 5;
inline constexpr int kItemImagePhrase = 6;
inline constexpr int kItemImageWeb = 7;
inline constexpr int kItemImageCount = 8;

// Images of the project icon strip 372/373, by index.
inline constexpr int kProjectImageAppointment = 0;
inline constexpr int kProjectImageTask = 1;
inline constexpr int kProjectImageContact = 2;
inline constexpr int kProjectImageFile = 3;
inline constexpr int kProjectImageProject = 4;
inline constexpr int kProjectImageTime = 5;
inline constexpr int kProjectImageCount = 6;

// ---- Menu commands ----
inline constexpr int kCommandOk = 40008;
inline constexpr int kCommandCancel = 40014;
inline constexpr int kCommandSpacer = 40015;
inline constexpr int kCommandEditCategories = 40002;
inline constexpr int kCommandDrawingMode = 40005;
inline constexpr int kCommandPaste = 40019;
inline constexpr int kCommandClearNote = 40020;
inline constexpr int kCommandSelectAll = 40021;
inline constexpr int kCommandUndo = 40022;
inline constexpr int kCommandCopy = 40024;
inline constexpr int kCommandCut = 40025;
inline constexpr int kCommandClear = 40028;
inline constexpr int kCommandSaveAsTemplate = 40032;
inline constexpr int kCommandViewSwitch = 40032;  // the same number on the note editor
inline constexpr int kCommandConvert = 40037;
inline constexpr int kCommandDelete = 40038;
inline constexpr int kCommandShowInOutlook = 40039;
inline constexpr int kCommandBeam = 40041;
inline constexpr int kCommandTypingMode = 40045;
inline constexpr int kCommandPenMode = 40253;
inline constexpr int kCommandInsertFileLink = 40319;
inline constexpr int kCommandHighlight = 40320;
inline constexpr int kCommandStrikeThrough = 40386;
inline constexpr int kCommandNoteOptions = 40388;
inline constexpr int kCommandItalic = 40389;
inline constexpr int kCommandNoteMore = 41009;
inline constexpr int kCommandEditPhrases = 42067;
inline constexpr int kCommandCustomFileAs = 42129;
inline constexpr int kCommandApplyTemplate = 42197;
inline constexpr int kCommandZoom = 42198;
inline constexpr int kCommandRefreshReport = 42300;
inline constexpr int kCommandSaveReportAs = 42301;
inline constexpr int kCommandAddToProject = 42302;  // the item pages' menus and the summary
inline constexpr int kCommandOpenLink = 45017;      // a listed link's menu; its delete is kCommandDelete
inline constexpr int kCommandInsertPhrase = 49528;
inline constexpr int kCommandInsertContact = 49529;
inline constexpr int kCommandNoteAlarm = 508;

// ---- Controls, by dialog ----
// Text of a label that no code addresses.
inline constexpr int kNoId = -1;

// Appointment page (527).
inline constexpr int kAppointmentSubject = 1010;
inline constexpr int kAppointmentLocation = 1011;        // editable combo box holding the location history
inline constexpr int kAppointmentLocationButton = 1012;  // opens the location dialog 567
inline constexpr int kAppointmentStartDate = 1013;
inline constexpr int kAppointmentStartTime = 1014;  // shows the start time; opens the time picker
inline constexpr int kAppointmentEndDate = 1015;
inline constexpr int kAppointmentEndTime = 1016;      // shows the end time; opens the time picker
inline constexpr int kAppointmentDuration = 1017;     // shows the duration; opens the duration picker
inline constexpr int kAppointmentSeriesStart = 1018;  // hidden; stands in for the start of a series
inline constexpr int kAppointmentSeriesEnd = 1019;    // hidden; stands in for the end of a series
inline constexpr int kAppointmentReminder = 1020;
inline constexpr int kAppointmentReminderLead = 1021;
inline constexpr int kAppointmentReminderUnit = 1022;
inline constexpr int kAppointmentSecondReminder = 1023;  // opens the second-reminder dialog 1217
inline constexpr int kAppointmentSecondReminderTime = 1024;
inline constexpr int kAppointmentBusyStatus = 1025;
inline constexpr int kAppointmentPrivate = 1060;
inline constexpr int kAppointmentAllDay = 1061;
inline constexpr int kAppointmentIcon = 1099;

// Task page (551).
inline constexpr int kTaskReminderTime = 1039;  // shows the reminder's time of day; opens the time picker
inline constexpr int kTaskSubject = 1050;
inline constexpr int kTaskCompletedText = 1051;  // hidden until the task is complete
inline constexpr int kTaskPriorityLetter = 1052;
inline constexpr int kTaskPriorityDigit = 1053;
inline constexpr int kTaskRecurring = 1054;  // hidden recurrence mark
inline constexpr int kTaskComplete = 1055;
inline constexpr int kTaskStartDate = 1056;
inline constexpr int kTaskDueDate = 1057;
inline constexpr int kTaskReminderDate = 1058;
inline constexpr int kTaskReminderLabel = 1059;
inline constexpr int kTaskPrivate = 1060;
inline constexpr int kTaskImportanceHigh = 1064;
inline constexpr int kTaskImportanceNormal = 1065;
inline constexpr int kTaskImportanceLow = 1066;
inline constexpr int kTaskIcon = 1099;

// Contact page (525): one label and one field per row, the page scrolls.
inline constexpr int kContactFileAsButton = 1110;  // opens the file-as menu 342
inline constexpr int kContactFileAs = 1111;
inline constexpr int kContactTitle = 1112;
inline constexpr int kContactFirstName = 1113;
inline constexpr int kContactMiddleName = 1114;
inline constexpr int kContactLastName = 1115;
inline constexpr int kContactSuffix = 1116;
inline constexpr int kContactJobTitle = 1117;
inline constexpr int kContactDepartment = 1118;
inline constexpr int kContactCompany = 1119;
inline constexpr int kContactAreaCode = 1120;
inline constexpr int kContactWorkPhone = 1121;
inline constexpr int kContactWorkFax = 1122;
inline constexpr int kContactHomePhone = 1123;
inline constexpr int kContactMobilePhone = 1124;
inline constexpr int kContactEmail = 1125;
inline constexpr int kContactEmail2 = 1126;
inline constexpr int kContactWebPage = 1127;
inline constexpr int kContactWorkStreet = 1128;
inline constexpr int kContactWorkCity = 1129;
inline constexpr int kContactWorkState = 1130;
inline constexpr int kContactWorkPostalCode = 1131;
inline constexpr int kContactWorkCountry = 1132;
inline constexpr int kContactHomeStreet = 1140;
inline constexpr int kContactHomeCity = 1141;
inline constexpr int kContactHomeState = 1142;
inline constexpr int kContactHomePostalCode = 1143;
inline constexpr int kContactHomeCountry = 1144;
inline constexpr int kContactBirthday = 1145;
inline constexpr int kContactAnniversary = 1146;
inline constexpr int kContactNickname = 1147;
inline constexpr int kContactOffice = 1148;
inline constexpr int kContactWorkPhone2 = 1149;
inline constexpr int kContactHomePhone2 = 1150;
inline constexpr int kContactHomeFax = 1151;
inline constexpr int kContactCarPhone = 1152;
inline constexpr int kContactPager = 1153;
inline constexpr int kContactRadioPhone = 1154;
inline constexpr int kContactAssistant = 1155;
inline constexpr int kContactAssistantPhone = 1156;
inline constexpr int kContactSpouse = 1157;
inline constexpr int kContactChildren = 1158;
inline constexpr int kContactEmail3 = 1159;
inline constexpr int kContactOtherStreet = 1160;
inline constexpr int kContactOtherCity = 1161;
inline constexpr int kContactOtherState = 1162;
inline constexpr int kContactOtherPostalCode = 1163;
inline constexpr int kContactOtherCountry = 1164;
// Each address as one text (street, city line, country), kept up to date with its parts.
inline constexpr int kContactWorkAddress = 1165;
inline constexpr int kContactHomeAddress = 1166;
inline constexpr int kContactOtherAddress = 1167;

// Notes page (575): the ink control fills the page.
inline constexpr int kNotesInk = 1200;

// Categories page (553).
inline constexpr int kCategoriesList = 1300;
inline constexpr int kCategoriesEdit = kCommandEditCategories;  // button that runs the category dialog

// Links page (493).
inline constexpr int kLinksList = 1400;
inline constexpr int kLinksContacts = 1401;      // pick lists, one shown at a time by the tabs
inline constexpr int kLinksTasks = 1402;         // hidden
inline constexpr int kLinksAppointments = 1403;  // hidden
inline constexpr int kLinksPickTabs = 1404;
inline constexpr int kLinksAddFile = 1405;
inline constexpr int kLinksAddWeb = 1406;
inline constexpr int kLinksRemove = 1407;
inline constexpr int kLinksWebAddress = 1408;

// Attendees page (552).
inline constexpr int kAttendeesList = 1500;

// Recurrence page (622). Each pattern kind and end condition has a panel of controls at the same
// place; the weekly panel is shown, the others are hidden until their kind is chosen.
inline constexpr int kRecurrenceQuick = 1600;
inline constexpr int kRecurrenceStart = 1601;
inline constexpr int kRecurrenceKind = 1602;
inline constexpr int kRecurrenceDailyInterval = 1610;
inline constexpr int kRecurrenceDailyWeekdays = 1611;
inline constexpr int kRecurrenceDailyLabel = 1612;
inline constexpr int kRecurrenceDailyUnit = 1613;
inline constexpr int kRecurrenceWeeklyInterval = 1620;
inline constexpr int kRecurrenceWeeklySunday = 1621;  // 1621 to 1627: Sunday to Saturday
inline constexpr int kRecurrenceWeeklyLabel = 1628;
inline constexpr int kRecurrenceWeeklyUnit = 1629;
inline constexpr int kRecurrenceMonthlyDay = 1630;
inline constexpr int kRecurrenceMonthlyInterval = 1631;
inline constexpr int kRecurrenceMonthlyLabel = 1632;
inline constexpr int kRecurrenceMonthlyEvery = 1633;
inline constexpr int kRecurrenceMonthlyUnit = 1634;
inline constexpr int kRecurrenceMonthNthInstance = 1640;
inline constexpr int kRecurrenceMonthNthDay = 1641;
inline constexpr int kRecurrenceMonthNthInterval = 1642;
inline constexpr int kRecurrenceMonthNthLabel = 1643;
inline constexpr int kRecurrenceMonthNthEvery = 1644;
inline constexpr int kRecurrenceMonthNthUnit = 1645;
inline constexpr int kRecurrenceYearlyMonth = 1650;
inline constexpr int kRecurrenceYearlyDay = 1651;
inline constexpr int kRecurrenceYearlyLabel = 1652;
inline constexpr int kRecurrenceYearNthInstance = 1660;
inline constexpr int kRecurrenceYearNthDay = 1661;
inline constexpr int kRecurrenceYearNthMonth = 1662;
inline constexpr int kRecurrenceYearNthLabel = 1663;
inline constexpr int kRecurrenceYearNthOf = 1664;
inline constexpr int kRecurrenceSemiFirst = 1670;
inline constexpr int kRecurrenceSemiFifteenth = 1671;
inline constexpr int kRecurrenceSemiLast = 1672;
inline constexpr int kRecurrenceSemiSunday = 1673;  // 1673 to 1679: Sunday to Saturday
inline constexpr int kRecurrenceSemiAdjustment = 1680;
inline constexpr int kRecurrenceSemiLabel = 1681;
inline constexpr int kRecurrenceSemiAdjustmentLabel = 1682;
inline constexpr int kRecurrenceEnd = 1690;
inline constexpr int kRecurrenceEndDate = 1691;      // end-by-date panel
inline constexpr int kRecurrenceOccurrences = 1692;  // end-after panel
inline constexpr int kRecurrenceOccurrencesUnit = 1693;

// Project pages (1208 to 1211).
inline constexpr int kProjectName = 1700;
inline constexpr int kProjectPercent = 1701;
inline constexpr int kProjectStart = 1702;
inline constexpr int kProjectEnd = 1703;
inline constexpr int kProjectCompleted = 1704;
inline constexpr int kProjectActive = 1705;  // check box bound to the project record's flag
inline constexpr int kProjectAddFile = 1002;
inline constexpr int kProjectContentsList = 1710;
inline constexpr int kProjectContentsOpen = 1711;
inline constexpr int kProjectContentsRemove = 1712;
inline constexpr int kProjectTimeList = 1720;
inline constexpr int kProjectTimeStart = 1721;
inline constexpr int kProjectTimeStop = 1722;
inline constexpr int kProjectTimeDelete = 1723;
inline constexpr int kProjectTimeTotal = 1724;
inline constexpr int kProjectReportView = 1730;
inline constexpr int kProjectTimeAdd = 1740;
inline constexpr int kProjectTimeEdit = 1741;
inline constexpr int kProjectSubList = 1742;
inline constexpr int kProjectSubNew = 1743;
inline constexpr int kProjectSubOpen = 1744;
inline constexpr int kProjectSubDelete = 1745;

// Time record dialog (1212).
inline constexpr int kTimeRecordName = 1750;
inline constexpr int kTimeRecordBookedOn = 1751;
inline constexpr int kTimeRecordStartDate = 1752;
inline constexpr int kTimeRecordStartTime = 1753;
inline constexpr int kTimeRecordEndDate = 1754;
inline constexpr int kTimeRecordEndTime = 1755;

// Phrase selection (364).
inline constexpr int kPhraseHint = 1106;
inline constexpr int kPhraseList = 1453;
inline constexpr int kPhraseTitle = 1454;

// Project picker (371).
inline constexpr int kProjectPickerTree = 1800;

// Category dialog (491): the categories panel, then the icons panel (hidden).
inline constexpr int kCategoryShowIcons = 1002;
inline constexpr int kCategoryAdd = 1003;
inline constexpr int kCategoryDelete = 1004;
inline constexpr int kCategoryRename = 1008;
inline constexpr int kCategoryName = 1900;
inline constexpr int kCategoryList = 1901;
inline constexpr int kCategoryColour = 1902;
inline constexpr int kCategoryPaletteLabel = 1903;
inline constexpr int kCategoryPalette = 1904;
inline constexpr int kCategoryIconSet = 1412;
inline constexpr int kCategoryPaletteFolder = 42154;
inline constexpr int kCategoryAssignIcon = 42150;
inline constexpr int kCategoryRemoveIcon = 42151;
// The icon-set menu of 1412: the default set, then one command per subfolder.
inline constexpr int kCommandDefaultIconSet = 62000;
inline constexpr int kCommandFirstIconSet = 62001;
// The colour picker's popup menu: no colour, then the colours of strings 63742 to 63749.
inline constexpr int kCommandNoColour = 62100;
inline constexpr int kCommandFirstColour = 62101;

// Icon chooser (494): the palette, OK and Cancel.
inline constexpr int kIconChooserPalette = 1915;

// Icon folder (492).
inline constexpr int kIconFolderPath = 1910;
inline constexpr int kIconFolderBrowse = 1911;

// Note options (499).
inline constexpr int kNoteOptionsNewMode = 1920;       // input mode of empty notes
inline constexpr int kNoteOptionsExistingMode = 1921;  // input mode of notes with content
inline constexpr int kNoteOptionsAlarmMode = 1922;     // input mode of the note editor
inline constexpr int kNoteOptionsZoom = 1923;
inline constexpr int kNoteOptionsFont = 1924;
inline constexpr int kNoteOptionsFontSize = 1925;
inline constexpr int kNoteOptionsInkAndText = 1926;  // note flag bit 0
inline constexpr int kNoteOptionsFlag1 = 1927;       // 1927 to 1930: note flag bits 1 to 4
inline constexpr int kNoteOptionsFlag2 = 1928;
inline constexpr int kNoteOptionsFlag3 = 1929;
inline constexpr int kNoteOptionsFlag4 = 1930;

// Text prompt (500): template names and other one-line texts.
inline constexpr int kTextPromptLabel = 1940;
inline constexpr int kTextPromptText = 1941;

// Time pickers (504: 12-hour, 550: 24-hour).
inline constexpr int kTimeHour0 = 1950;  // 1950 to 1961: the twelve hour buttons
inline constexpr int kTimeMinute00 = 1962;
inline constexpr int kTimeMinute15 = 1963;
inline constexpr int kTimeMinute30 = 1964;
inline constexpr int kTimeMinute45 = 1965;
inline constexpr int kTimeMinus5 = 1966;
inline constexpr int kTimePlus5 = 1967;
inline constexpr int kTimeAm = 1968;  // 504 only
inline constexpr int kTimePm = 1969;  // 504 only
inline constexpr int kTimeDisplay = 1970;
inline constexpr int kTimeMorningHours = 1971;  // 550 only: "00 - 11"
inline constexpr int kTimeEveningHours = 1972;  // 550 only: "12 - 23"

// Duration picker (612).
inline constexpr int kDurationPlus5 = 1980;
inline constexpr int kDurationPlus15 = 1981;
inline constexpr int kDurationPlus30 = 1982;
inline constexpr int kDurationMinus5 = 1983;
inline constexpr int kDurationMinus15 = 1984;
inline constexpr int kDurationMinus30 = 1985;
inline constexpr int kDurationPlusHour = 1986;
inline constexpr int kDurationMinusHour = 1987;
inline constexpr int kDurationPlusDay = 1988;
inline constexpr int kDurationMinusDay = 1989;
inline constexpr int kDurationReset = 1990;
inline constexpr int kDurationDisplay = 1991;

// Journal (506) and journal entry (507).
inline constexpr int kJournalView = 2010;
inline constexpr int kJournalSortAscending = 2011;
inline constexpr int kJournalSortDescending = 2012;
inline constexpr int kJournalList = 2013;
inline constexpr int kJournalAdd = 2014;
inline constexpr int kJournalDelete = 2015;
inline constexpr int kJournalExport = 2016;
inline constexpr int kJournalDeleteAll = 2017;
inline constexpr int kJournalEntryDate = 2020;
inline constexpr int kJournalEntryTime = 2021;
inline constexpr int kJournalEntryText = 2022;
inline constexpr int kJournalEntryPhrase = 2023;
inline constexpr int kJournalEntryField = 2024;
// The field menu of 2024: one command per general field code, in the order of the code table.
inline constexpr int kCommandFirstFieldCode = 62200;

// Location dialog (567).
inline constexpr int kLocationText = 2030;
inline constexpr int kLocationAdd = 2031;
inline constexpr int kLocationDelete = 2032;
inline constexpr int kLocationList = 2033;

// Template picker (595).
inline constexpr int kTemplatePickerTitle = 2040;
inline constexpr int kTemplatePickerList = 2041;
inline constexpr int kTemplatePickerBlank = 2042;

// Floating link window (601).
inline constexpr int kFloatingLinksClose = 1070;
inline constexpr int kFloatingLinksCloseBox = 1071;
inline constexpr int kFloatingLinksKind = 1072;  // owner-drawn item kind image
inline constexpr int kFloatingLinksTitle = 1133;
inline constexpr int kFloatingLinksHint = 1134;
inline constexpr int kFloatingLinksOpen = 1211;
inline constexpr int kFloatingLinksList = 1215;
inline constexpr int kFloatingLinksDropText = 1216;

// Note editor (610).
inline constexpr int kNoteEditorTitleLabel = 2000;
inline constexpr int kNoteEditorTitle = 2001;
inline constexpr int kNoteEditorInk = 2002;

// Alarm time (620).
inline constexpr int kAlarmTimeDate = 2050;
inline constexpr int kAlarmTimeToday = 2051;
inline constexpr int kAlarmTimeTomorrow = 2052;
inline constexpr int kAlarmTimeDayAfter = 2053;  // labelled with its weekday by the code
inline constexpr int kAlarmTimeTime = 2054;
inline constexpr int kAlarmTimeDuration = 2055;
inline constexpr int kAlarmTimeFromNow = 2056;

// Custom file-as (626).
inline constexpr int kCustomFileAsText = 2060;

// Contact chooser (1204).
inline constexpr int kContactChooserFind = 2070;
inline constexpr int kContactChooserList = 2071;
inline constexpr int kContactChooserNameButton = 2072;  // opens the name-variants menu
inline constexpr int kContactChooserName = 2073;

// Second reminder (1217).
inline constexpr int kSecondReminderDate = 2080;
inline constexpr int kSecondReminderTime = 1302;
inline constexpr int kSecondReminderEarlier = 1520;
inline constexpr int kSecondReminderReset = 1521;
inline constexpr int kSecondReminderLater = 1522;
inline constexpr int kSecondReminderRemove = 1523;

// ---- The component's own module ----
// The two dialogs the component carries itself rather than the host's resource module: the summary
// window and the question whether a note without a valid alarm becomes a plain note.
inline constexpr int kSummaryDialog = 101;
inline constexpr int kPlainNoteQuestionDialog = 200;
inline constexpr int kSummaryList = 1001;
inline constexpr int kSummaryEdit = 42067;
inline constexpr int kSummaryLinks = 41518;
inline constexpr int kSummaryCopy = 40032;
// The contact view of the summary: its photo, its action rows, its call history and their commands.
inline constexpr int kSummaryActions = 1002;
inline constexpr int kSummaryCalls = 1003;
inline constexpr int kSummaryPhoto = 1004;
inline constexpr int kSummaryCallTotals = 1005;
inline constexpr int kSummaryChoosePhoto = 42206;  // starts the photo program
inline constexpr int kSummaryCancelDial = 42159;   // enabled while a dial may be cancelled

}  // namespace calyra::resources
