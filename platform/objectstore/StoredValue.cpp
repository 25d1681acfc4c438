#include "platform/objectstore/StoredValue.h"

#include <cstring>

#include "platform/text/Text.h"

namespace platform {

namespace {
constexpr uint64_t kSignFlip = 0x8000000000000000ULL;

int64_t FileTimeTicks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}
}  // namespace

bool IsKnownPropertyType(WORD type) {
  switch (type) {
    case CEVT_I2:
    case CEVT_I4:
    case CEVT_R8:
    case CEVT_BOOL:
    case CEVT_UI2:
    case CEVT_UI4:
    case CEVT_LPWSTR:
    case CEVT_FILETIME:
    case CEVT_BLOB:
      return true;
    default:
      return false;
  }
}

bool ToStoredValue(const CEPROPVAL& value, StoredValue* stored) {
  switch (TypeFromPropID(value.propid)) {
    case CEVT_I2:
      *stored = int64_t{value.val.iVal};
      return true;
    case CEVT_UI2:
      *stored = int64_t{value.val.uiVal};
      return true;
    case CEVT_I4:
      *stored = int64_t{value.val.lVal};
      return true;
    case CEVT_UI4:
      *stored = int64_t{value.val.ulVal};
      return true;
    case CEVT_BOOL:
      *stored = int64_t{value.val.boolVal};
      return true;
    case CEVT_FILETIME:
      *stored = FileTimeTicks(value.val.filetime);
      return true;
    case CEVT_R8:
      *stored = value.val.dblVal;
      return true;
    case CEVT_LPWSTR: {
      // Read no further than the largest string a property can hold.
      std::u16string_view text = TextView(value.val.lpwstr, kMaxPropertyBytes / 2);
      if (value.val.lpwstr != nullptr && value.val.lpwstr[text.size()] != u'\0') return false;
      if ((text.size() + 1) * 2 > kMaxPropertyBytes) return false;
      *stored = std::u16string(text);
      return true;
    }
    case CEVT_BLOB: {
      const CEBLOB& blob = value.val.blob;
      if (blob.dwCount > kMaxPropertyBytes || (blob.dwCount > 0 && blob.lpb == nullptr)) return false;
      *stored = std::vector<uint8_t>(blob.lpb, blob.lpb + blob.dwCount);
      return true;
    }
    default:
      return false;
  }
}

StoredValue SortKeyOf(const StoredValue& value, WORD type, DWORD sortFlags) {
  if (type == CEVT_FILETIME) {
    if (auto* ticks = std::get_if<int64_t>(&value)) {
      return static_cast<int64_t>(static_cast<uint64_t>(*ticks) ^ kSignFlip);
    }
  }
  if (auto* text = std::get_if<std::u16string>(&value); text && (sortFlags & CEDB_SORT_CASEINSENSITIVE)) {
    return FoldCase(*text);
  }
  return value;
}

size_t BufferBytes(const StoredValue& value, WORD type) {
  if (type == CEVT_LPWSTR) {
    auto* text = std::get_if<std::u16string>(&value);
    return ((text ? text->size() : 0) + 1) * sizeof(char16_t);
  }
  if (type == CEVT_BLOB) {
    auto* blob = std::get_if<std::vector<uint8_t>>(&value);
    // Keep the next string two-byte aligned.
    size_t size = blob ? blob->size() : 0;
    return (size + 1) & ~size_t{1};
  }
  return 0;
}

size_t FillPropVal(CEPROPID propid, const StoredValue& value, CEPROPVAL* out, BYTE* data) {
  *out = CEPROPVAL{};
  out->propid = propid;
  auto integer = std::holds_alternative<int64_t>(value) ? std::get<int64_t>(value) : 0;
  switch (TypeFromPropID(propid)) {
    case CEVT_I2:
      out->val.iVal = static_cast<SHORT>(integer);
      return 0;
    case CEVT_UI2:
      out->val.uiVal = static_cast<USHORT>(integer);
      return 0;
    case CEVT_I4:
      out->val.lVal = static_cast<LONG>(integer);
      return 0;
    case CEVT_UI4:
      out->val.ulVal = static_cast<ULONG>(integer);
      return 0;
    case CEVT_BOOL:
      out->val.boolVal = static_cast<BOOL>(integer);
      return 0;
    case CEVT_FILETIME:
      out->val.filetime.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(integer));
      out->val.filetime.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(integer) >> 32);
      return 0;
    case CEVT_R8:
      out->val.dblVal = std::holds_alternative<double>(value) ? std::get<double>(value) : 0.0;
      return 0;
    case CEVT_LPWSTR: {
      auto* text = std::get_if<std::u16string>(&value);
      size_t length = text ? text->size() : 0;
      auto* target = reinterpret_cast<char16_t*>(data);
      if (length) std::memcpy(target, text->data(), length * sizeof(char16_t));
      target[length] = u'\0';
      out->val.lpwstr = target;
      return BufferBytes(value, CEVT_LPWSTR);
    }
    case CEVT_BLOB: {
      auto* blob = std::get_if<std::vector<uint8_t>>(&value);
      size_t size = blob ? blob->size() : 0;
      if (size) std::memcpy(data, blob->data(), size);
      out->val.blob.dwCount = static_cast<DWORD>(size);
      out->val.blob.lpb = data;
      return BufferBytes(value, CEVT_BLOB);
    }
    default:
      return 0;
  }
}

}  // namespace platform
