#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The platform's printf-style formatting (wsprintf and swprintf), made type-safe: each argument
// carries its kind, and a specifier given an argument of the wrong kind, or none, writes nothing.
// Specifiers: %s %S %c %C %d %i %u %x %X %o %f %e %g %%, with the flags - + space 0 #, a width
// (digits or *), a precision (.digits or .*) and the length letters h l ll I64 w, which are accepted
// and ignored.
namespace platform {

class FormatArg {
 public:
  enum class Kind { Signed, Unsigned, Double, Char, Text };

  FormatArg(int value) : kind_(Kind::Signed), signed_(value) {}
  FormatArg(long value) : kind_(Kind::Signed), signed_(value) {}
  FormatArg(long long value) : kind_(Kind::Signed), signed_(value) {}
  FormatArg(unsigned value) : kind_(Kind::Unsigned), unsigned_(value) {}
  FormatArg(unsigned long value) : kind_(Kind::Unsigned), unsigned_(value) {}
  FormatArg(unsigned long long value) : kind_(Kind::Unsigned), unsigned_(value) {}
  FormatArg(double value) : kind_(Kind::Double), double_(value) {}
  FormatArg(char16_t value) : kind_(Kind::Char), char_(value) {}
  FormatArg(const char16_t* text) : kind_(Kind::Text), text_(text ? text : u"(null)") {}
  FormatArg(std::u16string_view text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const std::u16string& text) : kind_(Kind::Text), text_(text) {}

  Kind GetKind() const { return kind_; }
  int64_t Signed() const { return signed_; }
  uint64_t Unsigned() const { return unsigned_; }
  double Double() const { return double_; }
  char16_t Char() const { return char_; }
  std::u16string_view Text() const { return text_; }

 private:
  Kind kind_;
  int64_t signed_ = 0;
  uint64_t unsigned_ = 0;
  double double_ = 0;
  char16_t char_ = 0;
  std::u16string_view text_;
};

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);

// Formats into `buffer` of `capacity` characters, cut so that the zero always fits; returns the
// characters written without the zero (0 when capacity is 0).
size_t FormatBounded(char16_t* buffer, size_t capacity, std::u16string_view format,
                     std::initializer_list<FormatArg> args);

}  // namespace platform
