/* The exported interface of libCalyraEditor: the platform records that the exports take, and the
 * CalyraEditor_ functions, all with C linkage. Text is UTF-16 (char16_t). */
#ifndef CALYRA_EDITOR_H
#define CALYRA_EDITOR_H

#include <stdint.h>

#ifdef __cplusplus
#define CALYRA_EXTERN_C extern "C"
#else
#include <uchar.h>
#define CALYRA_EXTERN_C
#endif
#define CALYRA_API CALYRA_EXTERN_C __attribute__((visibility("default")))

#ifndef CALYRA_NO_PLATFORM_TYPES
/* The handheld platform's basic types, with the widths they have on the device. */
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int32_t BOOL;
typedef uint32_t UINT;
typedef int32_t HRESULT;
typedef uint32_t CEOID;
typedef uint32_t CEPROPID;
typedef char16_t WCHAR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

typedef void* HANDLE;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef struct HKEY__* HKEY;
typedef struct HMENU__* HMENU;
typedef struct HBITMAP__* HBITMAP;
typedef struct HFONT__* HFONT;
typedef struct HDC__* HDC;
typedef struct HIMAGELIST__* HIMAGELIST;

typedef struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME;

typedef struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME;

typedef struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT;

typedef struct POINT {
  LONG x;
  LONG y;
} POINT;

typedef struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG;
#endif /* CALYRA_NO_PLATFORM_TYPES */

/* The option records the host passes; their layouts are fixed byte for byte. */
typedef struct CalyraEditorOptions {
  DWORD reserved;                 /* 0: not read */
  DWORD confirmDeletions;         /* 4 */
  DWORD newTaskReminder;          /* 8 */
  DWORD newAppointmentReminder;   /* 12: minutes before the start; 0xFFFFFFFF: none */
  DWORD valueD;                   /* 16 */
  WCHAR categoryImageFolder[260]; /* 20 */
  DWORD timeOfDay;                /* 540: minutes after midnight */
} CalyraEditorOptions;

typedef struct CalyraNoteOptions {
  DWORD setting1;     /* 0 */
  DWORD setting2;     /* 4 */
  DWORD setting3;     /* 8 */
  DWORD zoom;         /* 12: index into 75, 100, 150, 200, 300 percent */
  DWORD flags;        /* 16 */
  DWORD fontSize;     /* 20 */
  WORD inkValue;      /* 24 */
  WCHAR fontName[64]; /* 26 */
} CalyraNoteOptions;

typedef struct CalyraDisplayOptions {
  DWORD reserved;          /* 0 */
  WCHAR fontName[64];      /* 4 */
  DWORD clearType;         /* 132 */
  DWORD colors[3];         /* 136 */
  DWORD summaryFontSize;   /* 148 */
  DWORD viewValues[3];     /* 152 */
  DWORD calendarColors[6]; /* 164 */
} CalyraDisplayOptions;

typedef struct CalyraJournalOptions {
  DWORD reserved;       /* 0: not written back */
  DWORD flags;          /* 4: bit 0, the journal is on */
  DWORD windowState[2]; /* 8 */
  WCHAR location[260];  /* 16 */
} CalyraJournalOptions;

typedef struct CalyraContactOptions {
  LONG values[7]; /* 0 to 24 */
} CalyraContactOptions;

/* Options: each returns 1 (0 for a null record). */
CALYRA_API int CalyraEditor_SetEditorOptions(const CalyraEditorOptions* options);
CALYRA_API int CalyraEditor_SetNoteOptions(const CalyraNoteOptions* options);
CALYRA_API int CalyraEditor_GetNoteOptions(CalyraNoteOptions* options);
CALYRA_API int CalyraEditor_SetDisplayOptions(const CalyraDisplayOptions* options);
CALYRA_API int CalyraEditor_SetJournalOptions(const CalyraJournalOptions* options);
CALYRA_API int CalyraEditor_GetJournalOptions(CalyraJournalOptions* options);
CALYRA_API int CalyraEditor_SetContactOptions(const CalyraContactOptions* options);

/* Address formatting: joins city, region and postal code in the order of the country into output
 * (outputSize characters). 1 when written (possibly empty), 0 when the buffer is too small; the output
 * is emptied first in every case. */
CALYRA_API int CalyraEditor_GetAddressCityLineFormat(const WCHAR* country, const WCHAR* city,
                                                     const WCHAR* region, const WCHAR* postalCode,
                                                     WCHAR* output, int outputSize);

/* Frees a buffer of expanded phrase text that the component handed out. */
CALYRA_API void CalyraEditor_FreePhraseBuffer(WCHAR* buffer);

/* The journal: writes the entry of `type` (1 item deleted, 2 task completed, 3 contact, 4 appointment,
 * 5 task) about `item` when the journal options let it through. Always 1. */
CALYRA_API int CalyraEditor_JournalEntry(CEOID item, DWORD type);

/* ---- The frame and editor requests ---------------------------------------------------------- */
CALYRA_API int CalyraEditor_Initialize(HWND host, HINSTANCE resources, const RECT* area, WORD processKind);
CALYRA_API int CalyraEditor_Destroy(void);
CALYRA_API int CalyraEditor_IsEditorActive(int closeFloatingLink, HWND returnWindow, UINT returnMessage,
                                           WPARAM returnWParam, LPARAM returnLParam);
CALYRA_API int CalyraEditor_HandleActivationChange(UINT activation);
CALYRA_API int CalyraEditor_IsDialogMessage(MSG* message);
CALYRA_API void CalyraEditor_PostMessage(UINT message, WPARAM wParam, LPARAM lParam);
/* The New exports take the host's array of CALYRA_MAX_NEW_CATEGORIES 16-bit category numbers: with a
   non-zero count the whole array is read, and the first `categoryCount` entries are the item's. */
#define CALYRA_MAX_NEW_CATEGORIES 256
CALYRA_API int CalyraEditor_NewAppointment(DWORD unused, const SYSTEMTIME* start, const SYSTEMTIME* end,
                                           const WCHAR* subject, DWORD valueA, const WORD* categories,
                                           WORD categoryCount, int noTemplate, DWORD valueB);
CALYRA_API int CalyraEditor_NewTask(DWORD unused, const SYSTEMTIME* start, const SYSTEMTIME* due,
                                    const WCHAR* subject, DWORD valueA, const WORD* categories,
                                    WORD categoryCount, int noTemplate, DWORD valueB);
CALYRA_API int CalyraEditor_NewContact(DWORD unused, const WORD* categories, WORD categoryCount,
                                       int noTemplate, DWORD valueB);
CALYRA_API int CalyraEditor_NewProject(DWORD unused, DWORD item);
CALYRA_API int CalyraEditor_EditAppointment(DWORD unused, const SYSTEMTIME* occurrence, CEOID item,
                                            int summary, int startPage, DWORD editValue, int doNotAsk);
CALYRA_API int CalyraEditor_EditTask(DWORD unused, const SYSTEMTIME* occurrence, CEOID item, int summary,
                                     int startPage, DWORD editValue);
CALYRA_API int CalyraEditor_EditContact(DWORD unused, CEOID item, int summary, int startPage,
                                        DWORD editValue);
CALYRA_API int CalyraEditor_EditProject(DWORD unused, CEOID item, int startPage);

/* ---- Task dates, deletion and conversion -------------------------------------------------------- */
CALYRA_API int CalyraEditor_MarkTaskComplete(HWND owner, CEOID task, int mode);
CALYRA_API int CalyraEditor_ChangeDates(HWND owner, CEOID task, int skip, DWORD unused,
                                        const SYSTEMTIME* due);
CALYRA_API int CalyraEditor_MoveTaskToDate(HWND owner, CEOID task, int copy, const SYSTEMTIME* from,
                                           const SYSTEMTIME* to);
CALYRA_API int CalyraEditor_DeleteAppointment(CEOID item, int occurrence, const SYSTEMTIME* occurrenceDate,
                                              int confirm);
CALYRA_API int CalyraEditor_DeleteTask(CEOID item, int occurrence, int confirm);
CALYRA_API int CalyraEditor_DeleteContact(CEOID item, int ask, DWORD* result, int confirm);
/* The oid of a new task (or appointment) made from the item, which stays as it is; 0 on failure. */
CALYRA_API CEOID CalyraEditor_SaveAppointmentAsTask(CEOID appointment);
CALYRA_API CEOID CalyraEditor_SaveTaskAsAppointment(CEOID task);

/* ---- Links and the floating link window -------------------------------------------------------- */
CALYRA_API int CalyraEditor_InitLoadLinksInformation(void);
CALYRA_API int CalyraEditor_IsItemLinked(CEOID item);
CALYRA_API HIMAGELIST CalyraEditor_GetIconLinkImage(CEOID item);
CALYRA_API int CalyraEditor_SetIconLink(CEOID item, const WCHAR* imagePath);
CALYRA_API int CalyraEditor_AddLinkToItem(CEOID item, CEOID other, int otherKind);
CALYRA_API int CalyraEditor_OpenFloatingLinkWindow(HWND owner, CEOID item);
CALYRA_API void CalyraEditor_CloseFloatingLinkWindow(void);
CALYRA_API int CalyraEditor_IsFloatingLinkWindowOpen(void);
CALYRA_API int CalyraEditor_FloatingLinkDialog_DropItem(CEOID item, int kind);
CALYRA_API int CalyraEditor_FloatingLinkDialog_IsPointInRect(int x, int y);

/* ---- Alarm notes, journal dialogs, phrases -------------------------------------------------------- */
/* The host's alarm note record: a note file's state as the component read it from the file's name.
 * Texts are zero-terminated and cut at their buffers. */
typedef struct CalyraAlarmNote {
  WCHAR fileName[260];  /* 0: the name without folder */
  WCHAR folder[260];    /* 520: with its trailing backslash */
  WCHAR title[256];     /* 1040: at most 192 characters */
  WCHAR alarmText[64];  /* 1552: display text of the alarm; the host's own */
  DWORD kind;           /* 1680: 0 none, 3 plain note, 4 alarm note; 1, 2, 5 a note without file yet */
  SYSTEMTIME alarmTime; /* 1684: local; 4501-01-01 no date */
  WCHAR path[260];      /* 1700: folder and file name */
  DWORD notification;   /* 2220: the registered notification's handle, 0 when none */
  WCHAR listText[260];  /* 2224: text for a list of notes */
} CalyraAlarmNote;
CALYRA_API int CalyraEditor_NewAlarmNote(HWND owner, WORD mode);
CALYRA_API int CalyraEditor_EditAlarmNote(HWND owner, CalyraAlarmNote* note);
CALYRA_API int CalyraEditor_EditAlarmNoteTime(HWND owner, SYSTEMTIME* time);
CALYRA_API int CalyraEditor_OpenJournal(HWND owner);
CALYRA_API int CalyraEditor_AddJournalEntryCustom(HWND owner);
CALYRA_API int CalyraEditor_DoPhraseSelection(HWND parent, DWORD usage, CEOID* contact, WCHAR** text);

/* ---- Templates, categories, projects ------------------------------------------------------------ */
CALYRA_API int CalyraEditor_SaveItemAsTemplate(HWND owner, CEOID item);
CALYRA_API int CalyraEditor_GetTemplateCount(WORD kind);
CALYRA_API int CalyraEditor_FillListViewWithTemplates(HWND list, int kind, int withIcons);
CALYRA_API int CalyraEditor_EditTemplateName(HWND owner, WCHAR* name, int limit);
CALYRA_API int CalyraEditor_CategoryAddDeleteDialog(HWND parent, int showUnlisted);
CALYRA_API int CalyraEditor_IsCategoryImageChanged(int view, int changeIndex, int clear);
CALYRA_API CEOID CalyraEditor_AddItemToProject(HWND owner, WORD ignored, const WCHAR* name, CEOID item,
                                               const SYSTEMTIME* date, const WCHAR* file);
CALYRA_API int CalyraEditor_AddItemToProject2(HWND owner, CEOID project, WORD ignored, CEOID item,
                                              const SYSTEMTIME* date, const WCHAR* file);

#ifdef __cplusplus
/* The second reminder of an appointment, exported under its C++ name (it takes the appointment). */
namespace calyra {
class CPIMAppointment;
}
__attribute__((visibility("default"))) int CalyraEditor_EditDualReminderTime(HWND owner, CEOID item,
                                                                             const SYSTEMTIME* start,
                                                                             SYSTEMTIME* reminder,
                                                                             calyra::CPIMAppointment* second);
#endif

#endif /* CALYRA_EDITOR_H */
