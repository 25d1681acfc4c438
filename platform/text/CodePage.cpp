#include "platform/text/CodePage.h"

#include <unicode/ucnv.h>

#include <cstring>
#include <memory>

#include "platform/core/LastError.h"
#include "platform/text/Text.h"

namespace platform {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter Open1252() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("windows-1252", &status));
  if (U_FAILURE(status)) return nullptr;
  status = U_ZERO_ERROR;
  ucnv_setSubstChars(converter.get(), "?", 1, &status);
  return converter;
}

}  // namespace

std::string ToCodePage1252(std::u16string_view text) {
  Converter converter = Open1252();
  if (!converter || text.empty()) return {};
  std::string out(text.size() * 2 + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = ucnv_fromUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()), text.data(),
                                   static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return {};
  out.resize(static_cast<size_t>(length));
  return out;
}

std::u16string FromCodePage1252(std::string_view bytes) {
  Converter converter = Open1252();
  if (!converter || bytes.empty()) return {};
  std::u16string out(bytes.size() + 4, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = ucnv_toUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                 static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) return {};
  out.resize(static_cast<size_t>(length));
  return out;
}

}  // namespace platform

namespace {

bool KnownCodePage(UINT codePage) {
  return codePage == CP_ACP || codePage == 1252 || codePage == CP_UTF8;
}

template <class T>
int CopyOut(const T& converted, typename T::value_type* out, int outCount) {
  if (outCount == 0) return static_cast<int>(converted.size());
  if (out == nullptr || outCount < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (static_cast<size_t>(outCount) < converted.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, converted.data(), converted.size() * sizeof(typename T::value_type));
  return static_cast<int>(converted.size());
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD, const char* bytes, int byteCount, WCHAR* wide, int wideCount) {
  if (!KnownCodePage(codePage) || bytes == nullptr || byteCount < -1 || byteCount == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string_view input = byteCount < 0 ? std::string_view(bytes, std::strlen(bytes) + 1)
                                         : std::string_view(bytes, static_cast<size_t>(byteCount));
  std::u16string converted =
      codePage == CP_UTF8 ? platform::FromUtf8(input) : platform::FromCodePage1252(input);
  return CopyOut(converted, wide, wideCount);
}

int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR* wide, int wideCount, char* bytes, int byteCount,
                        const char*, BOOL* usedDefaultChar) {
  if (!KnownCodePage(codePage) || wide == nullptr || wideCount < -1 || wideCount == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string_view input = wideCount < 0 ? std::u16string_view(wide, platform::TextView(wide).size() + 1)
                                            : std::u16string_view(wide, static_cast<size_t>(wideCount));
  std::string converted = codePage == CP_UTF8 ? platform::ToUtf8(input) : platform::ToCodePage1252(input);
  if (usedDefaultChar) {
    *usedDefaultChar = codePage != CP_UTF8 && platform::FromCodePage1252(converted) != input;
  }
  return CopyOut(converted, bytes, byteCount);
}
