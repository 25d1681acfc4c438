#pragma once

#include <string>
#include <string_view>

namespace calyra {

// The optional prefix of a task subject that ranks it: a letter "A" to "Z" and/or a digit "1" to
// "9", then ": ". Index 0 means the part is not set; letters count from 1 ("A"), digits are their
// value.
struct PriorityCode {
  int letter = 0;
  int digit = 0;

  static constexpr int kLetters = 26;
  static constexpr int kDigits = 9;

  bool IsSet() const { return letter != 0 || digit != 0; }
  // "B3: ", "B: ", "3: " or "".
  std::u16string Text() const;
  // Splits a subject into its code and the text after it; a subject without a code is all text.
  static PriorityCode Parse(std::u16string_view subject, std::u16string_view* rest);
};

}  // namespace calyra
