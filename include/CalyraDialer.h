/* The device's dialer library, "CalyraDialer.dll": it dials a telephone number for a program and knows
 * the user's area code. The component loads it at run time (LoadLibraryW, GetProcAddressW) and works
 * without it. Text is UTF-16 (char16_t), zero-terminated. */
#ifndef CALYRA_DIALER_H
#define CALYRA_DIALER_H

#include "CalyraEditor.h"

#define CALYRA_DIALER_API CALYRA_EXTERN_C __attribute__((visibility("default")))

/* The library's name as programs load it. */
#define CALYRA_DIALER_LIBRARY u"CalyraDialer.dll"
/* The size in characters, with the terminating zero, of the buffer CalyraDialer_GetAreaCode fills. */
#define CALYRA_DIALER_AREA_CODE_SIZE 16

/* Prepares the dialer for a program whose strings are in `resources`, and returns the dialer state the
 * program hands back with every CalyraDialer_DialNumber; non-zero once the dialer is ready. */
CALYRA_DIALER_API int CalyraDialer_Initialize(HINSTANCE resources);

/* Starts dialing `number` over `owner`, with the program's dial, prefix and country options and the
 * state CalyraDialer_Initialize returned. Non-zero when dialing started. */
CALYRA_DIALER_API BOOL CalyraDialer_DialNumber(HWND owner, const WCHAR* number, int dialOptions,
                                               int dialerState, int prefixOptions, int countryOptions);

/* Stops the dialing that CalyraDialer_DialNumber started; nothing happens when none is under way. */
CALYRA_DIALER_API void CalyraDialer_DialNumberCancel(void);

/* Writes the user's area code into `areaCode` (CALYRA_DIALER_AREA_CODE_SIZE characters, cut to fit) and
 * returns its length; 0 and an empty text when the user has none, 0 for a null buffer. */
CALYRA_DIALER_API int CalyraDialer_GetAreaCode(WCHAR* areaCode);

/* The entry points as GetProcAddressW finds them. */
typedef int (*CalyraDialerInitializeFunction)(HINSTANCE resources);
typedef BOOL (*CalyraDialerDialNumberFunction)(HWND owner, const WCHAR* number, int dialOptions,
                                               int dialerState, int prefixOptions, int countryOptions);
typedef void (*CalyraDialerDialNumberCancelFunction)(void);
typedef int (*CalyraDialerGetAreaCodeFunction)(WCHAR* areaCode);

#endif /* CALYRA_DIALER_H */
