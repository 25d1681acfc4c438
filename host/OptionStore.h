#pragma once

#include <string>

#include "CalyraEditor.h"

namespace calyra {

// The options the host hands over, one store per process. The component never saves it: keeping the
// options is the host's business. It starts with the host's defaults.
class OptionStore {
 public:
  static constexpr DWORD kMarker = 1444;
  static constexpr DWORD kNoReminder = 0xFFFFFFFF;

  OptionStore();

  void SetEditorOptions(const CalyraEditorOptions& options);
  void SetNoteOptions(const CalyraNoteOptions& options);
  void GetNoteOptions(CalyraNoteOptions* options) const { *options = note_; }
  void SetDisplayOptions(const CalyraDisplayOptions& options);
  void SetJournalOptions(const CalyraJournalOptions& options);
  // Fills everything but the first field.
  void GetJournalOptions(CalyraJournalOptions* options) const;
  void SetContactOptions(const CalyraContactOptions& options);
  DWORD Marker() const { return marker_; }

  // Editor options.
  bool ConfirmDeletions() const { return editor_.confirmDeletions != 0; }
  void SetConfirmDeletions(bool confirm) { editor_.confirmDeletions = confirm ? 1 : 0; }
  bool NewTaskReminder() const { return editor_.newTaskReminder != 0; }
  DWORD NewAppointmentReminder() const { return editor_.newAppointmentReminder; }
  DWORD ValueD() const { return editor_.valueD; }
  std::u16string CategoryImageFolder() const { return editor_.categoryImageFolder; }
  int ReminderHour() const { return static_cast<int>(editor_.timeOfDay / 60); }
  int ReminderMinute() const { return static_cast<int>(editor_.timeOfDay % 60); }

  // Note options; the note settings dialog writes them back.
  DWORD NoteSetting(int which) const;  // 1 to 3
  void SetNoteSetting(int which, DWORD value);
  // The zoom index, reset to 1 (100 percent) when it is out of range.
  DWORD NoteZoom();
  int NoteZoomPercent();
  void SetNoteZoom(DWORD zoom) { note_.zoom = zoom; }
  DWORD NoteFlags() const { return note_.flags; }
  void SetNoteFlags(DWORD flags) { note_.flags = flags; }
  DWORD NoteFontSize() const { return note_.fontSize; }
  void SetNoteFontSize(DWORD size) { note_.fontSize = size; }
  WORD NoteInkValue() const { return note_.inkValue; }
  std::u16string NoteFontName() const { return note_.fontName; }
  void SetNoteFontName(std::u16string_view name);

  // Display options.
  std::u16string DisplayFontName() const { return display_.fontName; }
  bool ClearType() const { return display_.clearType != 0; }
  DWORD DisplayColor(int index) const { return index >= 0 && index < 3 ? display_.colors[index] : 0; }
  DWORD SummaryFontSize() const { return display_.summaryFontSize; }
  DWORD ViewValue(int index) const { return index >= 0 && index < 3 ? display_.viewValues[index] : 0; }
  DWORD CalendarColor(int index) const {
    return index >= 0 && index < 6 ? display_.calendarColors[index] : 0;
  }

  // Journal options; the journal window stores its state back.
  bool JournalOn() const { return (journal_.flags & 1) != 0; }
  DWORD JournalFlags() const { return journal_.flags; }
  DWORD JournalWindowState(int index) const {
    return index == 0 || index == 1 ? journal_.windowState[index] : 0;
  }
  void SetJournalWindowState(DWORD first, DWORD second);
  std::u16string JournalLocation() const { return journal_.location; }

  // Contact options.
  LONG ContactValue(int index) const { return index >= 0 && index < 7 ? contact_.values[index] : 0; }

 private:
  DWORD marker_ = 0;
  CalyraEditorOptions editor_{};
  CalyraNoteOptions note_{};
  CalyraDisplayOptions display_{};
  CalyraJournalOptions journal_{};
  CalyraContactOptions contact_{};
};

}  // namespace calyra
