#pragma once

#include <string>
#include <vector>

#include "editors/ModalDialog.h"
#include "projects/ProjectEntry.h"

namespace calyra {

class TimeRecordEntry;

// A project a time record can be booked on: the edited project or one of its sub-projects.
struct BookingChoice {
  ProjectId project = 0;
  std::u16string label;  // indented by the sub-project's depth
};

// The time record dialog (1212): the record's name, the project it is booked on, its start and its
// end (a date picker showing no date leaves the record running). OK refuses an end before the start
// and keeps the dialog; otherwise the record holds what was chosen, in whole minutes.
class TimeRecordDialog : public ModalDialog {
 public:
  TimeRecordDialog(TimeRecordEntry& record, std::vector<BookingChoice> choices)
      : record_(record), choices_(std::move(choices)) {}

  // Runs the dialog over `owner`; IDOK when the record took the chosen values.
  INT_PTR Show(HWND owner, HINSTANCE resources);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Fill();
  bool Confirm();
  SYSTEMTIME Picked(int datePicker, int timePicker) const;
  void Show(int datePicker, int timePicker, const SYSTEMTIME& when);

  TimeRecordEntry& record_;
  std::vector<BookingChoice> choices_;
};

}  // namespace calyra
