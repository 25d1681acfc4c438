#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-16 text helpers that the whole component leans on. Text is std::u16string inside and
// zero-terminated char16_t at the platform and C boundaries.
namespace platform {

// Copies `source` into `buffer` of `capacity` characters, cut so that the terminating zero always
// fits. Returns the number of characters copied (without the zero). Does nothing when capacity is 0.
size_t BoundedCopy(char16_t* buffer, size_t capacity, std::u16string_view source);

// The zero-terminated text at `text` (empty for null), reading at most `limit` characters.
std::u16string_view TextView(const char16_t* text, size_t limit = static_cast<size_t>(-1));

// Case-insensitive comparison by full Unicode case folding, as the platform's lstrcmpi does for names.
int CompareNoCase(std::u16string_view a, std::u16string_view b);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
// The case-folded form: equal for names that compare equal without regard to case.
std::u16string FoldCase(std::u16string_view text);

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace platform
