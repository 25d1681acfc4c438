#pragma once

#include "links/LinkRecord.h"

namespace calyra {

// The host's request to open an item: wParam its ItemKind, lParam its ItemOid (the same number as the
// editors' open-item notification).
inline constexpr UINT kOpenLinkedItemMessage = 6385;

// Opens the far end of link `linkId` of `item`: a file with the shell's "open" verb (owned by `owner`),
// a web address in the browser, an item by posting kOpenLinkedItemMessage to `hostWindow`. Icon links
// and unknown types open nothing; so does a link that cannot be read. Always 1: the store is made on
// the stack and cannot fail to be made.
int OpenLink(HWND owner, HWND hostWindow, ItemOid item, DWORD linkId);

}  // namespace calyra
