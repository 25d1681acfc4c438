#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

#include "platform/core/PlatformTypes.h"

// The part of COM that device code leans on to reach Pocket Outlook: interface identifiers, the
// reference-counted interface base, BSTR text, VARIANT_BOOL and the CoXxx session calls. Objects live
// in this process only; there is no marshalling, registry or apartment.

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool IsEqualGUID(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}
inline bool operator==(const GUID& a, const GUID& b) {
  return IsEqualGUID(a, b);
}

inline constexpr IID IID_IUnknown{
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDispatch{
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// COM result codes beyond the platform's common ones.
inline constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110);

inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

using VARIANT_BOOL = SHORT;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// A BSTR points at the first character of a zero-terminated WCHAR buffer preceded by its length in
// bytes (32 bits). A null BSTR is the empty text.
using BSTR = WCHAR*;
BSTR SysAllocString(const WCHAR* text);
BSTR SysAllocStringLen(const WCHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

// Every interface derives from IUnknown. QueryInterface answers S_OK with an added reference, or
// E_NOINTERFACE with *object set to null.
class IUnknown {
 public:
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

// The automation base of Pocket Outlook's objects. Late binding (GetIDsOfNames, Invoke) is not
// offered: callers use the typed interfaces.
class IDispatch : public IUnknown {};

// The per-thread COM session. CoCreateInstance fails with CO_E_NOTINITIALIZED on a thread that has
// not called CoInitializeEx; the one class offered is CLSID_Application (Pocket Outlook).
HRESULT CoInitializeEx(void* reserved, DWORD flags);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);

namespace platform {

// Holds one reference to an interface and releases it when it goes.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(T* p) : p_(p) {  // NOLINT: adopts an added reference, as `T**` out-parameters hand over
  }
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~ComPtr() { Reset(); }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Releases what is held and gives the slot for an out-parameter.
  T** operator&() {
    Reset();
    return &p_;
  }
  T** GetAddressOf() { return &(*this); }
  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* Detach() { return std::exchange(p_, nullptr); }
  // Another interface of the same object, or null.
  template <class U>
  ComPtr<U> As(REFIID iid) const {
    ComPtr<U> other;
    if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(other.GetAddressOf()));
    return other;
  }

 private:
  T* p_ = nullptr;
};

// The reference count of an object that implements `Interface`; the object deletes itself at zero.
template <class Interface>
class RefCounted : public Interface {
 public:
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  RefCounted() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

// Answers the interfaces of an object: the first matching iid wins.
inline HRESULT AnswerInterface(void** object, IUnknown* found) {
  if (object == nullptr) return E_POINTER;
  *object = found;
  if (found == nullptr) return E_NOINTERFACE;
  found->AddRef();
  return S_OK;
}

}  // namespace platform
