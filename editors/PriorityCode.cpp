#include "editors/PriorityCode.h"

namespace calyra {

namespace {

constexpr std::u16string_view kSeparator = u": ";

}  // namespace

std::u16string PriorityCode::Text() const {
  std::u16string text;
  if (letter >= 1 && letter <= kLetters) text += static_cast<char16_t>(u'A' - 1 + letter);
  if (digit >= 1 && digit <= kDigits) text += static_cast<char16_t>(u'0' + digit);
  if (!text.empty()) text += kSeparator;
  return text;
}

PriorityCode PriorityCode::Parse(std::u16string_view subject, std::u16string_view* rest) {
  PriorityCode code;
  size_t at = 0;
  if (at < subject.size() && subject[at] >= u'A' && subject[at] <= u'Z')
    code.letter = subject[at++] - u'A' + 1;
  if (at < subject.size() && subject[at] >= u'1' && subject[at] <= u'9') code.digit = subject[at++] - u'0';
  if (!code.IsSet() || subject.substr(at, kSeparator.size()) != kSeparator) {
    *rest = subject;
    return PriorityCode();
  }
  *rest = subject.substr(at + kSeparator.size());
  return code;
}

}  // namespace calyra
