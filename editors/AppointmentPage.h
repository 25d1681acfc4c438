#pragma once

#include <optional>
#include <utility>

#include "editors/EditorPage.h"
#include "editors/ItemIcon.h"
#include "platform/ui/Window.h"
#include "store/CPIMAppointment.h"

namespace calyra {

// The appointment's own page: subject, location with its history, dates and times with the duration
// kept between them, all day, reminder, second reminder, busy status, private and the icon. The
// times change the appointment object as they are picked, so that the other pages see them; the
// texts are written by Store.
class AppointmentPage : public EditorPage {
 public:
  AppointmentPage() : EditorPage(PageNumber::Appointment) {}

  void Load() override;
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;
  bool WriteAfterSave(ItemOid saved) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CPIMAppointment& Appointment() const { return *static_cast<CPIMAppointment*>(context_->item); }
  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  HINSTANCE Resources() const;

  void LoadTexts(const CPIMAppointment& appointment);
  void LoadReminder(const CPIMAppointment& appointment);
  void ArrangeDateControls(const CPIMAppointment& appointment);
  void ShowTimes();
  void ShowSecondReminder();
  void StoreReminder(CPIMAppointment& appointment);

  bool Command(int id, int code);
  void DateChanged(int id);
  void PickStartOrEnd(int id);
  void PickDurationFor();
  void SwitchAllDay();
  void SetStart(const SYSTEMTIME& start);
  void SetEnd(const SYSTEMTIME& end);
  void ChooseLocation();
  void EditSecondReminder();
  void SaveAsTemplate();
  void ApplyTemplate();
  void InsertPhrase();
  void InsertContact();

  // The times shown before all day was switched on, brought back when it is switched off.
  std::optional<std::pair<SYSTEMTIME, SYSTEMTIME>> timesBeforeAllDay_;
  bool locationFocused_ = false;              // the location had the focus last, not the subject
  std::optional<std::u16string> chosenIcon_;  // an icon image chosen in this editor
  ItemIcon icon_;                             // the item's icon image as the links keep it
};

}  // namespace calyra
