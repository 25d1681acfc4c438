#include "platform/outlook/Com.h"

#include <cstdlib>
#include <cstring>

#include "platform/outlook/PocketOutlook.h"

namespace {

thread_local int initializeCount = 0;

}  // namespace

BSTR SysAllocStringLen(const WCHAR* text, UINT length) {
  if (length > 0x3FFFFFF0u) return nullptr;
  size_t bytes = static_cast<size_t>(length) * sizeof(WCHAR);
  auto* block = static_cast<uint8_t*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(WCHAR)));
  if (block == nullptr) return nullptr;
  auto prefix = static_cast<uint32_t>(bytes);
  std::memcpy(block, &prefix, sizeof prefix);
  auto* chars = reinterpret_cast<WCHAR*>(block + sizeof(uint32_t));
  if (text != nullptr && length > 0) {
    std::memcpy(chars, text, bytes);
  } else {
    std::memset(chars, 0, bytes);
  }
  chars[length] = 0;
  return chars;
}

BSTR SysAllocString(const WCHAR* text) {
  if (text == nullptr) return nullptr;
  UINT length = 0;
  while (text[length] != 0) ++length;
  return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
  if (text == nullptr) return;
  std::free(reinterpret_cast<uint8_t*>(text) - sizeof(uint32_t));
}

UINT SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<uint8_t*>(text) - sizeof(uint32_t), sizeof bytes);
  return bytes / sizeof(WCHAR);
}

HRESULT CoInitializeEx(void* /*reserved*/, DWORD /*flags*/) {
  return initializeCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (initializeCount > 0) --initializeCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD /*context*/, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (initializeCount == 0) return CO_E_NOTINITIALIZED;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  if (!IsEqualGUID(clsid, CLSID_Application)) return REGDB_E_CLASSNOTREG;
  platform::ComPtr<IPOutlookApp> app(platform::outlook::NewApplication());
  if (!app) return E_OUTOFMEMORY;
  return app->QueryInterface(iid, object);
}
