/* The call log of the device's phone library, "phone.dll": the calls the telephone made, took and
 * missed, newest last. Programs load the library at run time (LoadLibraryW, GetProcAddressW) and work
 * without it; a device without a telephone has no such library. Text is UTF-16 (char16_t),
 * zero-terminated. */
#ifndef PHONE_CALL_LOG_H
#define PHONE_CALL_LOG_H

#include "CalyraEditor.h"

#define PHONE_API CALYRA_EXTERN_C __attribute__((visibility("default")))

/* The library's name as programs load it. */
#define PHONE_LIBRARY u"phone.dll"

/* What kind of call an entry is. */
#define CALLLOG_KIND_MISSED 0
#define CALLLOG_KIND_INCOMING 1
#define CALLLOG_KIND_OUTGOING 2

/* PhoneGetCallLogEntry after the last entry: HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS). */
#define PHONE_E_NO_MORE_ENTRIES ((HRESULT)0x80070103)
/* PhoneGetCallLogEntry and PhoneCloseCallLog with a handle that is no open call log:
 * HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE). */
#define PHONE_E_INVALID_HANDLE ((HRESULT)0x80070006)

/* One call. The caller sets cbSize; the library fills the rest. The texts belong to the open call
 * log and stay valid until the next PhoneGetCallLogEntry or PhoneCloseCallLog on it; a text the log
 * does not know is empty, never null. */
typedef struct CALLLOGENTRY {
  DWORD cbSize;                /* sizeof(CALLLOGENTRY) */
  FILETIME ftStartTime;        /* UTC: when the call rang or was dialled */
  FILETIME ftEndTime;          /* UTC: when it ended; the start for a missed call that never connected */
  DWORD dwKind;                /* CALLLOG_KIND_MISSED, _INCOMING or _OUTGOING */
  const WCHAR* pszNumber;      /* the other party's number as the network gave it; empty when withheld */
  const WCHAR* pszName;        /* the caller's name from the address book, when the phone found one */
  const WCHAR* pszNumberLabel; /* the number's label in that entry ("Work", "Mobile", ...) */
} CALLLOGENTRY;

/* Opens the call log for reading from its first entry. S_OK and a handle in *log (also for an empty
 * log); E_POINTER for a null `log`, E_FAIL when the log cannot be read (*log is then null). */
PHONE_API HRESULT PhoneOpenCallLog(HANDLE* log);

/* Fills `entry` with the next call of the log and moves on. S_OK; PHONE_E_NO_MORE_ENTRIES after the
 * last one; E_POINTER for a null entry, E_INVALIDARG when cbSize is smaller than the structure;
 * PHONE_E_INVALID_HANDLE for a handle that is no open call log. */
PHONE_API HRESULT PhoneGetCallLogEntry(HANDLE log, CALLLOGENTRY* entry);

/* Closes the call log and frees what its entries held. S_OK, or PHONE_E_INVALID_HANDLE. */
PHONE_API HRESULT PhoneCloseCallLog(HANDLE log);

/* The entry points as GetProcAddressW finds them. */
typedef HRESULT (*PhoneOpenCallLogFunction)(HANDLE* log);
typedef HRESULT (*PhoneGetCallLogEntryFunction)(HANDLE log, CALLLOGENTRY* entry);
typedef HRESULT (*PhoneCloseCallLogFunction)(HANDLE log);

#endif /* PHONE_CALL_LOG_H */
