#pragma once

#include "store/PimItem.h"
#include "store/Record.h"
#include "store/RecurrencePattern.h"

class ITask;

namespace calyra {

class OutlookSession;

// A task as the editors and operations work on it. Most fields travel through Pocket Outlook; the
// category set, the notes blob, the recurrence patch and the reminder bookkeeping are raw
// properties of the record. A save writes only what changed.
class CPIMTask : public PimItem {
 public:
  static constexpr size_t kSubjectLimit = 4095;
  static constexpr DWORD kNotesCapacity = 57072;
  static constexpr DATE kTemplateDate = 401768.0;  // 31 December 2999

  CPIMTask() { Reset(); }

  ItemOid Copy(const ItemContext& context) override;
  ItemOid Convert(const ItemContext& context) override;
  bool Show(const ItemContext& context) override;
  HRESULT SendByInfrared(const ItemContext& context) override;
  bool Load(const ItemContext& context) override;
  // Deletes the task and its reminder through Pocket Outlook.
  bool Delete(const ItemContext& context) override;
  HRESULT Save(const ItemContext& context) override;
  std::u16string DisplayText() const override { return subject; }
  DWORD NotesCapacity() const override { return kNotesCapacity; }
  void Reset() override;
  ItemKind Kind() const override { return ItemKind::Task; }

  bool recurring = false;
  RecurrencePattern recurrence;
  bool recurrencePatch = false;  // patch the recurrence blob after the next save
  SYSTEMTIME occurrenceDates[2]{};
  SYSTEMTIME start{};
  SYSTEMTIME due{};
  SYSTEMTIME reminderTime{};
  SYSTEMTIME dateCompleted{};
  int priority = 2;  // 1 high, 2 normal, 3 low
  bool reminderSet = false;
  bool isPrivate = false;
  bool complete = false;
  std::u16string subject;
  // A save gives a task with a due date and no start date the due date as its start, unless this
  // asks for the start to stay empty.
  bool keepStartEmpty = false;
  // Set while the task is open in an editor.
  bool openInEditor = false;

 private:
  // The stored task, or a new one when the object has no oid.
  platform::ComPtr<ITask> Fetch(OutlookSession& session, bool createWhenNew) const;
  // Writes what differs from the item; the number of failed writes, and whether the task has just
  // been completed.
  int WriteChanges(ITask* task, bool* completedNow);
  void NormaliseDates();
  // The category set and the reminder bookkeeping of the stored record, in one read.
  Record ReadRawProperties() const;
  // Every write of a save, inside the save's store step.
  HRESULT WriteTask(OutlookSession& session, const ItemContext& context, bool* completedNow);
};

}  // namespace calyra
