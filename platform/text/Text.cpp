#include "platform/text/Text.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>

namespace platform {

size_t BoundedCopy(char16_t* buffer, size_t capacity, std::u16string_view source) {
  if (buffer == nullptr || capacity == 0) return 0;
  size_t count = std::min(source.size(), capacity - 1);
  // Never cut a surrogate pair in half.
  if (count > 0 && count < source.size() && U16_IS_LEAD(source[count - 1])) --count;
  std::copy_n(source.data(), count, buffer);
  buffer[count] = u'\0';
  return count;
}

std::u16string_view TextView(const char16_t* text, size_t limit) {
  if (text == nullptr) return {};
  size_t length = 0;
  while (length < limit && text[length] != u'\0') ++length;
  return {text, length};
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  UErrorCode status = U_ZERO_ERROR;
  int result = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return a.compare(b);
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return CompareNoCase(a, b) == 0;
}

std::u16string FoldCase(std::u16string_view text) {
  if (text.empty()) return {};
  std::u16string folded(text.size() + 8, u'\0');
  for (;;) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()), text.data(),
                                   static_cast<int32_t>(text.size()), U_FOLD_CASE_DEFAULT, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      folded.resize(static_cast<size_t>(length));
      continue;
    }
    if (U_FAILURE(status)) return std::u16string(text);
    folded.resize(static_cast<size_t>(length));
    return folded;
  }
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (U_IS_SURROGATE(c)) c = 0xFFFD;  // a lone surrogate has no UTF-8 form
    char bytes[4];
    int32_t length = 0;
    U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(bytes), length, c);
    out.append(bytes, static_cast<size_t>(length));
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  int32_t length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) c = 0xFFFD;
    if (c <= 0xFFFF) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(c)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  }
  return out;
}

}  // namespace platform
