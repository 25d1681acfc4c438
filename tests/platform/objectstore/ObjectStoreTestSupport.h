#pragma once

#include <string>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStore.h"

namespace calyra::testing {

inline CEPROPVAL Int32Prop(WORD id, LONG value) {
  CEPROPVAL v{};
  v.propid = MakePropID(id, CEVT_I4);
  v.val.lVal = value;
  return v;
}

inline CEPROPVAL StringProp(WORD id, const char16_t* text) {
  CEPROPVAL v{};
  v.propid = MakePropID(id, CEVT_LPWSTR);
  v.val.lpwstr = const_cast<LPWSTR>(text);
  return v;
}

inline CEPROPVAL BlobProp(WORD id, std::vector<BYTE>& bytes) {
  CEPROPVAL v{};
  v.propid = MakePropID(id, CEVT_BLOB);
  v.val.blob.dwCount = static_cast<DWORD>(bytes.size());
  v.val.blob.lpb = bytes.data();
  return v;
}

inline CEOID CreateDatabase(const char16_t* name, DWORD type, std::vector<SORTORDERSPEC> orders = {}) {
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDTYPE | CEDB_VALIDSORTSPEC;
  std::u16string(name).copy(info.szDbaseName, CEDB_MAXDBASENAMELEN - 1);
  info.dwDbaseType = type;
  info.wNumSortOrder = static_cast<WORD>(orders.size());
  for (size_t i = 0; i < orders.size() && i < CEDB_MAXSORTORDER; ++i) info.rgSortSpecs[i] = orders[i];
  return CeCreateDatabaseEx(nullptr, &info);
}

inline HANDLE OpenDatabase(const char16_t* name, CEPROPID sort = 0, DWORD flags = 0) {
  CEOID oid = 0;
  return CeOpenDatabaseEx(nullptr, &oid, name, sort, flags, nullptr);
}

// One record read back as the platform returns it, with the buffer freed.
struct ReadResult {
  CEOID oid = 0;
  DWORD error = 0;
  std::vector<CEPROPVAL> values;
  std::vector<std::u16string> strings;   // copies of string values, index-aligned with values
  std::vector<std::vector<BYTE>> blobs;  // copies of blob values, index-aligned with values
};

inline ReadResult ReadCurrent(HANDLE db, std::vector<CEPROPID> ids = {}) {
  ReadResult result;
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  WORD count = static_cast<WORD>(ids.size());
  result.oid =
      CeReadRecordProps(db, CEDB_ALLOWREALLOC, &count, ids.empty() ? nullptr : ids.data(), &buffer, &size);
  result.error = GetLastError();
  if (result.oid != 0) {
    auto* values = reinterpret_cast<CEPROPVAL*>(buffer);
    for (WORD i = 0; i < count; ++i) {
      result.values.push_back(values[i]);
      bool present = !(values[i].wFlags & CEDB_PROPNOTFOUND);
      bool text = present && TypeFromPropID(values[i].propid) == CEVT_LPWSTR;
      bool blob = present && TypeFromPropID(values[i].propid) == CEVT_BLOB;
      result.strings.push_back(text ? std::u16string(values[i].val.lpwstr) : std::u16string());
      const BYTE* bytes = blob ? values[i].val.blob.lpb : nullptr;
      result.blobs.emplace_back(bytes, bytes + (blob ? values[i].val.blob.dwCount : 0));
      // The pointers lead into the freed buffer.
      if (text) result.values.back().val.lpwstr = nullptr;
      if (blob) result.values.back().val.blob.lpb = nullptr;
    }
  }
  LocalFree(buffer);
  return result;
}

}  // namespace calyra::testing
