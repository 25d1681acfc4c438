#pragma once

#include <vector>

#include "editors/EditorPage.h"

namespace calyra {

// The attendees page of the appointment editor: every contact with its e-mail address and a check box,
// the appointment's attendees checked (those that are no contact as rows of their own). The checked
// rows are the attendees: while any is checked the appointment is a meeting. An all-day appointment
// takes no first attendee.
class AttendeesPage : public EditorPage {
 public:
  AttendeesPage() : EditorPage(PageNumber::Attendees) {}

  void Load() override;
  // Never refuses: the checked rows become the attendee list when they differ from it.
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;

  int CheckedCount() const { return checkedCount_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // A row: who is invited when it is checked, and where it stood in the loaded attendee list.
  struct Row {
    Attendee attendee;
    int loadedIndex = -1;
  };

  CPIMAppointment* Appointment() const;
  HWND List() const;
  void AddColumns();
  void Fill(const std::vector<Attendee>& loaded);
  void AddRow(Row row, const Attendee& shown, bool checked);
  void Clear();
  void CheckChanged(int index, bool checked);
  bool IsChecked(int index) const;
  std::vector<Attendee> CheckedAttendees() const;

  std::vector<Row> rows_;
  int checkedCount_ = 0;
  bool quiet_ = false;  // the page itself is changing the checks
};

}  // namespace calyra
