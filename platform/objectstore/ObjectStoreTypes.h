#pragma once

#include "platform/core/PlatformTypes.h"

// The object store's records and constants, in the platform's shapes.

struct CEGUID {
  DWORD Data1;
  DWORD Data2;
  DWORD Data3;
  DWORD Data4;
};
using PCEGUID = CEGUID*;
using PCEOID = CEOID*;

// The volume identifier of the object store itself: every byte 0xFF.
inline void CREATE_SYSTEMGUID(CEGUID* guid) {
  *guid = CEGUID{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
}

// Property types: the low word of a property tag.
inline constexpr WORD CEVT_I2 = 2;
inline constexpr WORD CEVT_I4 = 3;
inline constexpr WORD CEVT_R8 = 5;
inline constexpr WORD CEVT_BOOL = 11;
inline constexpr WORD CEVT_UI2 = 18;
inline constexpr WORD CEVT_UI4 = 19;
inline constexpr WORD CEVT_LPWSTR = 31;
inline constexpr WORD CEVT_FILETIME = 64;
inline constexpr WORD CEVT_BLOB = 65;

constexpr WORD TypeFromPropID(CEPROPID propid) {
  return static_cast<WORD>(propid & 0xFFFF);
}
constexpr WORD IdFromPropID(CEPROPID propid) {
  return static_cast<WORD>(propid >> 16);
}
constexpr CEPROPID MakePropID(WORD id, WORD type) {
  return (static_cast<CEPROPID>(id) << 16) | type;
}

struct CEBLOB {
  DWORD dwCount;
  LPBYTE lpb;
};

union CEVALUNION {
  SHORT iVal;
  USHORT uiVal;
  LONG lVal;
  ULONG ulVal;
  FILETIME filetime;
  LPWSTR lpwstr;
  CEBLOB blob;
  BOOL boolVal;
  double dblVal;
};

struct CEPROPVAL {
  CEPROPID propid;
  WORD wLenData;
  WORD wFlags;
  CEVALUNION val;
};

// Property flags: in a read result the property is absent; in a write the property is deleted.
inline constexpr WORD CEDB_PROPNOTFOUND = 0x0100;
inline constexpr WORD CEDB_PROPDELETE = 0x0200;

// Sort order flags.
inline constexpr DWORD CEDB_SORT_DESCENDING = 0x00000001;
inline constexpr DWORD CEDB_SORT_CASEINSENSITIVE = 0x00000002;
inline constexpr DWORD CEDB_SORT_UNKNOWNFIRST = 0x00000004;
inline constexpr DWORD CEDB_SORT_GENERICORDER = 0x00000008;

struct SORTORDERSPEC {
  CEPROPID propid;
  DWORD dwFlags;
};

inline constexpr int CEDB_MAXDBASENAMELEN = 32;
inline constexpr int CEDB_MAXSORTORDER = 4;

// Which fields of a CEDBASEINFO are valid.
inline constexpr DWORD CEDB_VALIDNAME = 0x0001;
inline constexpr DWORD CEDB_VALIDTYPE = 0x0002;
inline constexpr DWORD CEDB_VALIDSORTSPEC = 0x0004;
inline constexpr DWORD CEDB_VALIDMODTIME = 0x0008;
inline constexpr DWORD CEDB_VALIDDBFLAGS = 0x0010;
inline constexpr DWORD CEDB_VALIDCREATE =
    CEDB_VALIDNAME | CEDB_VALIDTYPE | CEDB_VALIDSORTSPEC | CEDB_VALIDDBFLAGS;

// Database information. The record count is 32 bits wide, as in the platform's extended form, so
// that stores of more than 65,535 records report their true size.
struct CEDBASEINFO {
  DWORD dwFlags;
  WCHAR szDbaseName[CEDB_MAXDBASENAMELEN];
  DWORD dwDbaseType;
  DWORD dwDbaseFlags;
  DWORD dwNumRecords;
  WORD wNumSortOrder;
  DWORD dwSize;
  FILETIME ftLastModified;
  SORTORDERSPEC rgSortSpecs[CEDB_MAXSORTORDER];
};

struct CERECORDINFO {
  CEOID oidParent;
};

// Object types of CeOidGetInfo.
inline constexpr WORD OBJTYPE_INVALID = 0;
inline constexpr WORD OBJTYPE_FILE = 1;
inline constexpr WORD OBJTYPE_DIRECTORY = 2;
inline constexpr WORD OBJTYPE_DATABASE = 3;
inline constexpr WORD OBJTYPE_RECORD = 4;

struct CEOIDINFO {
  WORD wObjType;
  WORD wPad;
  union {
    CEDBASEINFO infDatabase;
    CERECORDINFO infRecord;
  };
};

// Open flags.
inline constexpr DWORD CEDB_AUTOINCREMENT = 0x00000001;

// Read flags.
inline constexpr DWORD CEDB_ALLOWREALLOC = 0x00000001;

// Seek types.
inline constexpr DWORD CEDB_SEEK_CEOID = 0x00000001;
inline constexpr DWORD CEDB_SEEK_BEGINNING = 0x00000002;
inline constexpr DWORD CEDB_SEEK_END = 0x00000004;
inline constexpr DWORD CEDB_SEEK_CURRENT = 0x00000008;
inline constexpr DWORD CEDB_SEEK_VALUESMALLER = 0x00000010;
inline constexpr DWORD CEDB_SEEK_VALUEFIRSTEQUAL = 0x00000020;
inline constexpr DWORD CEDB_SEEK_VALUENEXTEQUAL = 0x00000040;
inline constexpr DWORD CEDB_SEEK_VALUEGREATER = 0x00000080;

// Change notifications posted to the window of an open database: wParam the object, lParam its parent.
inline constexpr UINT DB_CEOID_CREATED = WM_USER + 0x1;
inline constexpr UINT DB_CEOID_DATABASE_DELETED = WM_USER + 0x2;
inline constexpr UINT DB_CEOID_RECORD_DELETED = WM_USER + 0x3;
inline constexpr UINT DB_CEOID_CHANGED = WM_USER + 0x4;

inline constexpr DWORD CEDB_EXNOTIFICATION = 0x00000001;
struct CENOTIFYREQUEST {
  DWORD dwSize;
  HWND hwnd;
  DWORD dwFlags;
  HANDLE hHeap;
  DWORD dwParam;
};

// The object store's limits on one property and one record.
inline constexpr size_t kMaxPropertyBytes = 0xFFFF;
inline constexpr size_t kMaxRecordBytes = 128 * 1024;
