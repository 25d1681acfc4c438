#include "store/CPIMTask.h"

#include "platform/outlook/OutlookDates.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/ItemConversion.h"
#include "store/OutlookSession.h"
#include "store/PimDatabase.h"
#include "store/StoreTransaction.h"
#include "store/TaskReminder.h"

namespace calyra {

namespace {

LONG ImportanceOf(int priority) {
  return priority == 1 ? olImportanceHigh : priority == 3 ? olImportanceLow : olImportanceNormal;
}

int PriorityOf(LONG importance) {
  return importance == olImportanceHigh ? 1 : importance == olImportanceLow ? 3 : 2;
}

bool Flag(VARIANT_BOOL value) {
  return value != VARIANT_FALSE;
}

VARIANT_BOOL Bool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// Counts a failed write.
int Failed(HRESULT result) {
  return FAILED(result) ? 1 : 0;
}

DATE DateOf(ITask* task, HRESULT (ITask::*getter)(DATE*)) {
  DATE date = platform::kNoDate;
  return SUCCEEDED((task->*getter)(&date)) ? date : platform::kNoDate;
}

}  // namespace

void CPIMTask::Reset() {
  ResetCommon();
  recurring = false;
  recurrence = RecurrencePattern();
  recurrencePatch = false;
  occurrenceDates[0] = occurrenceDates[1] = platform::kNoDateSystemTime;
  start = due = reminderTime = platform::kNoDateSystemTime;
  dateCompleted = SYSTEMTIME{};
  priority = 2;
  reminderSet = isPrivate = complete = false;
  subject.clear();
  keepStartEmpty = false;
}

platform::ComPtr<ITask> CPIMTask::Fetch(OutlookSession& session, bool createWhenNew) const {
  if (!oid) return createWhenNew ? session.NewTask() : nullptr;
  return session.GetItem<ITask>(oid, IID_ITask);
}

bool CPIMTask::Load(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return false;
  StoreTransaction step(StoreTransaction::Kind::Read);
  platform::ComPtr<ITask> task = Fetch(session, false);
  if (!task) return false;
  subject = ReadText(task.Get(), &ITask::get_Subject).substr(0, kSubjectLimit);
  if (subject.empty()) subject = ResourceText(context.resources, resources::kStringNoSubject);
  start = SystemTimeOfDate(DateOf(task.Get(), &ITask::get_StartDate));
  due = SystemTimeOfDate(DateOf(task.Get(), &ITask::get_DueDate));
  LONG importance = olImportanceNormal;
  task->get_Importance(&importance);
  priority = PriorityOf(importance);
  VARIANT_BOOL value = VARIANT_FALSE;
  recurring = SUCCEEDED(task->get_IsRecurring(&value)) && Flag(value);
  if (recurring) {
    platform::ComPtr<IRecurrencePattern> pattern;
    if (FAILED(task->GetRecurrencePattern(&pattern)) || !ReadRecurrencePattern(pattern.Get(), &recurrence))
      return false;
  }
  reminderSet = SUCCEEDED(task->get_ReminderSet(&value)) && Flag(value);
  complete = SUCCEEDED(task->get_Complete(&value)) && Flag(value);
  dateCompleted = complete ? SystemTimeOfDate(DateOf(task.Get(), &ITask::get_DateCompleted)) : SYSTEMTIME{};
  LONG sensitivity = olNormal;
  task->get_Sensitivity(&sensitivity);
  isPrivate = sensitivity != olNormal;
  // The raw properties in one read: the category set and the reminder bookkeeping.
  Record raw = ReadRawProperties();
  categories = CategorySet::FromRecord(raw);
  reminderTime = platform::kNoDateSystemTime;
  if (platform::IsDateSet(due) && reminderSet) {
    DATE stored = ReminderTimeOfRecord(raw, start, due);
    // A task whose record has no bookkeeping yet (made elsewhere) keeps Pocket Outlook's time.
    reminderTime =
        SystemTimeOfDate(stored != platform::kNoDate ? stored : DateOf(task.Get(), &ITask::get_ReminderTime));
  } else {
    reminderSet = false;
  }
  loaded = true;
  return true;
}

Record CPIMTask::ReadRawProperties() const {
  Record record;
  record.Request(kCategoriesTag);
  record.Request(kTaskReminderReference);
  record.Request(kTaskReminderLead);
  Database tasks;
  if (!tasks.OpenByName(TasksDatabaseName()) || !tasks.SeekToOid(oid) || !tasks.ReadRecord(record))
    return Record();
  return record;
}

void CPIMTask::NormaliseDates() {
  if (!platform::IsDateSet(due)) {
    start = due = reminderTime = platform::kNoDateSystemTime;
    reminderSet = false;
  } else if (!platform::IsDateSet(start) && !keepStartEmpty) {
    start = due;
  }
}

int CPIMTask::WriteChanges(ITask* task, bool* completedNow) {
  int failures = 0;
  VARIANT_BOOL value = VARIANT_FALSE;
  bool itemRecurring = SUCCEEDED(task->get_IsRecurring(&value)) && Flag(value);
  if (!recurring) {
    if (itemRecurring) failures += Failed(task->ClearRecurrencePattern());
  } else {
    platform::ComPtr<IRecurrencePattern> pattern;
    RecurrencePattern stored;
    if (FAILED(task->GetRecurrencePattern(&pattern)) || !pattern) {
      ++failures;
    } else if (!(itemRecurring && ReadRecurrencePattern(pattern.Get(), &stored) && stored == recurrence)) {
      failures += WriteRecurrencePattern(pattern.Get(), recurrence) ? 0 : 1;
    }
  }
  std::u16string itemSubject = ReadText(task, &ITask::get_Subject);
  if (itemSubject != subject) {
    BSTR text = SysAllocString(subject.c_str());
    failures += Failed(task->put_Subject(text));
    SysFreeString(text);
  }
  LONG number = 0;
  if (FAILED(task->get_Importance(&number)) || number != ImportanceOf(priority)) {
    failures += Failed(task->put_Importance(ImportanceOf(priority)));
  }
  LONG sensitivity = isPrivate ? olPrivate : olNormal;
  if (FAILED(task->get_Sensitivity(&number)) || number != sensitivity)
    failures += Failed(task->put_Sensitivity(sensitivity));
  if (FAILED(task->get_ReminderSet(&value)) || Flag(value) != reminderSet) {
    failures += Failed(task->put_ReminderSet(Bool(reminderSet)));
  }
  NormaliseDates();
  if (DateOf(task, &ITask::get_StartDate) != DateOfSystemTime(start)) {
    failures += Failed(task->put_StartDate(DateOfSystemTime(start)));
  }
  if (DateOf(task, &ITask::get_DueDate) != DateOfSystemTime(due))
    failures += Failed(task->put_DueDate(DateOfSystemTime(due)));
  bool itemComplete = SUCCEEDED(task->get_Complete(&value)) && Flag(value);
  if (itemComplete != complete) failures += Failed(task->put_Complete(Bool(complete)));
  *completedNow = complete && !itemComplete;
  if (reminderSet && DateOf(task, &ITask::get_ReminderTime) != DateOfSystemTime(reminderTime)) {
    failures += Failed(task->put_ReminderTime(DateOfSystemTime(reminderTime)));
  }
  return failures;
}

HRESULT CPIMTask::WriteTask(OutlookSession& session, const ItemContext& context, bool* completedNow) {
  platform::ComPtr<ITask> task = Fetch(session, true);
  if (!task) return E_FAIL;
  ItemOid before = oid;
  if (WriteChanges(task.Get(), completedNow) > 0) return E_FAIL;
  if (subject.empty()) {
    BSTR text = SysAllocString(ResourceText(context.resources, resources::kStringNoSubject).c_str());
    task->put_Subject(text);
    SysFreeString(text);
  }
  HRESULT result = task->Save();
  if (FAILED(result)) return result;
  LONG savedOid = 0;
  task->get_Oid(&savedOid);
  oid = static_cast<ItemOid>(savedOid);
  if (!WriteNotes()) return E_FAIL;
  // A record this save made holds no category set yet.
  auto saveCategories = oid != before ? SaveNewCategorySet : SaveCategorySet;
  if (!saveCategories(oid, ItemKind::Task, categories, context.categoryCounts)) return E_FAIL;
  TaskReminderRequest request{oid, start, due, reminderTime, subject, priority};
  UpdateTaskReminder(request, reminderSet && !complete, context.resources);
  if (recurrencePatch && recurring) PatchRecurrenceBlob();
  return result;
}

HRESULT CPIMTask::Save(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return E_FAIL;
  subject = subject.substr(0, kSubjectLimit);
  StoreTransaction step(StoreTransaction::Kind::Write);
  if (!step.Active()) return E_FAIL;
  ItemOid before = oid;
  bool completedNow = false;
  HRESULT result = WriteTask(session, context, &completedNow);
  if (FAILED(result) || !step.Commit()) {
    oid = before;
    return FAILED(result) ? result : E_FAIL;
  }
  if (completedNow && context.taskCompleted) context.taskCompleted(oid);
  return result;
}

bool CPIMTask::Delete(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return false;
  platform::ComPtr<ITask> task = Fetch(session, false);
  if (!task) return false;
  StoreTransaction step(StoreTransaction::Kind::Write);
  RemoveTaskReminder(oid);
  LeaveCategories();
  if (FAILED(task->Delete()) || !step.Commit()) return false;
  Reset();
  return true;
}

ItemOid CPIMTask::Copy(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return 0;
  StoreTransaction step(StoreTransaction::Kind::Write);
  platform::ComPtr<ITask> source = Fetch(session, false);
  platform::ComPtr<ITask> copy = session.NewTask();
  if (!source || !copy) return 0;
  BSTR text = nullptr;
  if (SUCCEEDED(source->get_Subject(&text))) copy->put_Subject(text);
  SysFreeString(text);
  LONG number = 0;
  if (SUCCEEDED(source->get_Importance(&number))) copy->put_Importance(number);
  if (SUCCEEDED(source->get_Sensitivity(&number))) copy->put_Sensitivity(number);
  copy->put_StartDate(kTemplateDate);
  copy->put_DueDate(kTemplateDate);
  copy->put_ReminderSet(VARIANT_FALSE);
  if (FAILED(copy->Save())) return 0;
  LONG copyOid = 0;
  copy->get_Oid(&copyOid);
  auto target = static_cast<ItemOid>(copyOid);
  return CopyRawTo(target, ItemKind::Task) && step.Commit() ? target : 0;
}

ItemOid CPIMTask::Convert(const ItemContext& context) {
  OutlookSession session;
  if (!oid || !session.Logon(context.owner)) return 0;
  platform::ComPtr<IAppointment> appointment = session.NewAppointment();
  if (!Fetch(session, false) || !appointment) return 0;
  DATE now = platform::outlook::NowLocal();
  appointment->put_Start(now);
  appointment->put_End(now);
  return SaveConversion(appointment.Get(), ItemKind::Appointment, *this, subject, isPrivate,
                        recurring ? &recurrence : nullptr, now);
}

bool CPIMTask::Show(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return false;
  platform::ComPtr<ITask> task = Fetch(session, false);
  return task && SUCCEEDED(task->Display()) && SUCCEEDED(task->Save());
}

HRESULT CPIMTask::SendByInfrared(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return E_FAIL;
  platform::ComPtr<ITask> task = Fetch(session, false);
  return task ? session.SendByInfrared(task.Get()) : E_FAIL;
}

}  // namespace calyra
