#pragma once

#include <optional>

#include "editors/EditorPage.h"
#include "editors/ItemIcon.h"
#include "platform/ui/Window.h"
#include "store/CPIMTask.h"

namespace calyra {

// The task's own page: the subject with its priority code, start, due and reminder, completion,
// importance, private and the icon.
class TaskPage : public EditorPage {
 public:
  TaskPage() : EditorPage(PageNumber::Task) {}
  ~TaskPage() override { DestroyDialog(); }

  void Load() override;
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;
  bool WriteAfterSave(ItemOid saved) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CPIMTask& Task() const { return *static_cast<CPIMTask*>(context_->item); }
  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  HINSTANCE Resources() const;

  void FillPriorityLists();
  void LoadSubject(const CPIMTask& task);
  void LoadCompletion(const CPIMTask& task);
  void LoadDates(CPIMTask& task);
  void LoadReminder(const CPIMTask& task);
  void ShowReminderControls();
  void ShowReminderTime();
  std::u16string StoredSubject() const;
  void StoreDates(CPIMTask& task);

  bool Command(int id, int code);
  void SubjectFocus(bool focused);
  void PickReminderTime();
  void SaveAsTemplate();
  void ApplyTemplate();
  void InsertPhrase();
  void InsertContact();
  void HookSubject();
  static LRESULT SubjectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT DateFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  int reminderMinuteOfDay_ = 0;
  bool loaded_ = false;
  std::optional<std::u16string> chosenIcon_;
  ItemIcon icon_;  // the item's icon image as the links keep it
  WNDPROC subjectProc_ = nullptr;
  WNDPROC pickerProc_ = nullptr;  // the date pickers' own procedure (one class)
  RECT subjectRect_{};
};

}  // namespace calyra
