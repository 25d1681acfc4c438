// The exports of the text services: address lines and the phrase selection. No exception leaves an export:
// each answers its failure value.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "platform/core/LocalMemory.h"

CALYRA_API int CalyraEditor_GetAddressCityLineFormat(const WCHAR* country, const WCHAR* city,
                                                     const WCHAR* region, const WCHAR* postalCode,
                                                     WCHAR* output, int outputSize) {
  if (outputSize < 0) return 0;
  int written = calyra::Guarded(-1, [&] {
    return calyra::ComposeCityLine(calyra::Component::Process().Countries(), country, city, region,
                                   postalCode, output, static_cast<size_t>(outputSize));
  });
  if (written >= 0) return written;
  if (output != nullptr && outputSize > 0) output[0] = u'\0';
  return 0;
}

CALYRA_API int CalyraEditor_DoPhraseSelection(HWND parent, DWORD filter, CEOID* contact, WCHAR** text) {
  if (text == nullptr) return 0;
  *text = nullptr;
  return calyra::Guarded(0, [&] {
    return calyra::Component::Process().SelectPhraseBuffer(parent, filter, contact, text) ? 1 : 0;
  });
}

CALYRA_API void CalyraEditor_FreePhraseBuffer(WCHAR* buffer) {
  calyra::Guarded([buffer] { LocalFree(buffer); });
}
