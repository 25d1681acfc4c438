#include "operations/DeleteQuestions.h"

#include "platform/text/Formatter.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

constexpr UINT kConfirmFlags = MB_YESNO | MB_ICONEXCLAMATION;
constexpr UINT kOccurrenceFlags = MB_YESNOCANCEL | MB_ICONEXCLAMATION;
constexpr UINT kMeetingFlags = MB_YESNO | MB_ICONQUESTION;

}  // namespace

std::u16string DeleteQuestions::Text(UINT id) const {
  return ResourceText(context_.resources, id);
}

int DeleteQuestions::Ask(const std::u16string& text, UINT flags) const {
  return MessageBoxW(context_.owner, text.c_str(), Text(resources::kStringCaption).c_str(), flags);
}

bool DeleteQuestions::ConfirmItem(const std::u16string& name, size_t shown, UINT unnamedText) const {
  std::u16string text =
      name.empty()
          ? Text(unnamedText)
          : platform::FormatText(u"\"%s\" %s", {name.substr(0, shown), Text(resources::kStringDeleteNamed)});
  return Ask(text, kConfirmFlags) == IDYES;
}

int DeleteQuestions::AskAppointmentOccurrence(const std::u16string& subject) const {
  std::u16string text = platform::FormatText(
      u"%s\n\"%s\"", {Text(resources::kStringDeleteOccurrence), subject.substr(0, kSubjectShown)});
  return Ask(text, kOccurrenceFlags);
}

int DeleteQuestions::AskTaskOccurrence(const std::optional<std::u16string>& subject) const {
  if (!subject) return Ask(Text(resources::kStringDeleteRecurringTaskUnnamed), kOccurrenceFlags);
  std::u16string text =
      platform::FormatText(Text(resources::kStringDeleteRecurringTask), {subject->substr(0, kSubjectShown)});
  return Ask(text, kOccurrenceFlags);
}

bool DeleteQuestions::AskMeetingCancellation() const {
  return Ask(Text(resources::kStringMeetingUpdate), kMeetingFlags) == IDYES;
}

}  // namespace calyra
