#pragma once

#include <optional>
#include <string>

#include "operations/OperationContext.h"

namespace calyra {

// The message boxes a deletion shows over the operation's owner window, all with the component's
// caption. Subjects and names are cut to what a question shows of them.
class DeleteQuestions {
 public:
  static constexpr size_t kSubjectShown = 64;
  static constexpr size_t kContactNameShown = 128;

  explicit DeleteQuestions(const OperationContext& context) : context_(context) {}

  // Yes/No whether to delete the item: "\"name\" <deleted text>", or `unnamedText` for an empty name.
  bool ConfirmItem(const std::u16string& name, size_t shown, UINT unnamedText) const;
  // Yes (the series), No (this occurrence) or Cancel, for an occurrence of a recurring appointment.
  int AskAppointmentOccurrence(const std::u16string& subject) const;
  // Yes (the whole task), No (skip this occurrence) or Cancel; the unnamed text when the subject
  // could not be read.
  int AskTaskOccurrence(const std::optional<std::u16string>& subject) const;
  // Whether the attendees of a deleted meeting are sent a cancellation.
  bool AskMeetingCancellation() const;

 private:
  int Ask(const std::u16string& text, UINT flags) const;
  std::u16string Text(UINT id) const;

  const OperationContext& context_;
};

}  // namespace calyra
