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

/* Address formatting: joins city, region and postal code in the order of the country into output
 * (outputSize characters). 1 when written (possibly empty), 0 when the buffer is too small; the output
 * is emptied first in every case. */
CALYRA_API int CalyraEditor_GetAddressCityLineFormat(const WCHAR* country, const WCHAR* city,
                                                     const WCHAR* region, const WCHAR* postalCode,
                                                     WCHAR* output, int outputSize);

/* Frees a buffer of expanded phrase text that the component handed out. */
CALYRA_API void CalyraEditor_FreePhraseBuffer(WCHAR* buffer);

#endif /* CALYRA_EDITOR_H */
