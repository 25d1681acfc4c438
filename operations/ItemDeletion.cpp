#include "operations/ItemDeletion.h"

#include <optional>

#include "operations/DeleteQuestions.h"
#include "platform/outlook/OutlookDates.h"
#include "platform/ui/WindowTypes.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/OutlookSession.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

template <class T>
bool IsRecurring(T* item) {
  VARIANT_BOOL value = VARIANT_FALSE;
  return SUCCEEDED(item->get_IsRecurring(&value)) && value != VARIANT_FALSE;
}

// The appointment whose record names it as the companion, and whether it goes with it. A record
// without the flag keeps its companion.
struct Companion {
  ItemOid oid = 0;
  bool deletedWith = false;
};

Companion ReadCompanion(ItemOid appointment) {
  Record record;
  record.Request(CPIMAppointment::kCompanionFlag);
  record.Request(CPIMAppointment::kCompanionOid);
  Database appointments;
  if (!appointments.OpenByName(AppointmentsDatabaseName()) || !appointments.SeekToOid(appointment) ||
      !appointments.ReadRecord(record)) {
    return {};
  }
  const PropertyValue* flag = record.Find(CPIMAppointment::kCompanionFlag);
  const PropertyValue* oid = record.Find(CPIMAppointment::kCompanionOid);
  return {oid ? static_cast<ItemOid>(oid->AsInteger()) : 0, flag && flag->AsInteger() != 0};
}

// The item object's delete, which also lowers the category counters (and removes a task's reminder).
template <class Item>
bool DeleteStored(const OperationContext& context, ItemOid oid) {
  Item item;
  item.oid = oid;
  return item.Delete(context.ItemContextFor());
}

// Journal entry, delete, then the item's links when the delete worked.
template <class Item>
bool DeleteWithEntry(const OperationContext& context, ItemOid oid) {
  context.Journal(oid, JournalEntryType::ItemDeleted);
  if (!DeleteStored<Item>(context, oid)) return false;
  context.RemoveLinksOf(oid);
  return true;
}

// The occurrence on the day of `when` (its time ignored), or null.
platform::ComPtr<IAppointment> OccurrenceOn(IAppointment* series, const SYSTEMTIME& when) {
  platform::ComPtr<IRecurrencePattern> pattern;
  platform::ComPtr<IAppointment> occurrence;
  SYSTEMTIME day = when;
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  if (FAILED(series->GetRecurrencePattern(&pattern)) || !pattern ||
      FAILED(pattern->GetOccurrence(DateOfSystemTime(day), &occurrence))) {
    return nullptr;
  }
  return occurrence;
}

void OfferCancellation(const DeleteQuestions& questions, IAppointment* appointment) {
  LONG status = olNonMeeting;
  if (SUCCEEDED(appointment->get_MeetingStatus(&status)) && status == olMeeting &&
      questions.AskMeetingCancellation()) {
    appointment->Cancel();
  }
}

// The series or only the occurrence, as the person answers; 1 once the question was shown.
int DeleteOccurrence(const OperationContext& context, ItemOid oid, IAppointment* series,
                     IAppointment* occurrence) {
  DeleteQuestions questions(context);
  int answer = questions.AskAppointmentOccurrence(ReadText(series, &IAppointment::get_Subject));
  if (answer != IDYES && answer != IDNO) return 1;
  context.Journal(oid, JournalEntryType::ItemDeleted);
  OfferCancellation(questions, series);
  bool deleted = false;
  if (answer == IDYES) {
    deleted = DeleteStored<CPIMAppointment>(context, oid);
  } else {
    StoreTransaction step(StoreTransaction::Kind::Write);
    deleted = SUCCEEDED(occurrence->Delete()) && step.Commit();
  }
  if (deleted) context.RemoveLinksOf(oid);
  return 1;
}

int DeleteSeriesOrSingle(const OperationContext& context, ItemOid oid, IAppointment* appointment,
                         bool confirm) {
  DeleteQuestions questions(context);
  std::u16string subject = ReadText(appointment, &IAppointment::get_Subject);
  if (confirm &&
      !questions.ConfirmItem(subject, DeleteQuestions::kSubjectShown, resources::kStringDeleteAppointment)) {
    return 0;
  }
  Companion companion = ReadCompanion(oid);
  context.Journal(oid, JournalEntryType::ItemDeleted);
  OfferCancellation(questions, appointment);
  if (!DeleteStored<CPIMAppointment>(context, oid)) return 0;
  context.RemoveLinksOf(oid);
  if (companion.oid != 0) {
    if (companion.deletedWith) DeleteStored<CPIMAppointment>(context, companion.oid);
    context.RemoveLinksOf(companion.oid);
  }
  return 1;
}

}  // namespace

int DeleteAppointment(const OperationContext& context, ItemOid item, const SYSTEMTIME* occurrence,
                      bool confirm) {
  OutlookSession session;
  if (item == 0 || !session.Logon(context.owner)) return 0;
  platform::ComPtr<IAppointment> appointment = session.GetItem<IAppointment>(item, IID_IAppointment);
  if (!appointment) return 0;
  // An appointment that does not recur has no occurrence to ask about: it is deleted as a whole.
  if (occurrence && IsRecurring(appointment.Get())) {
    platform::ComPtr<IAppointment> chosen = OccurrenceOn(appointment.Get(), *occurrence);
    return chosen ? DeleteOccurrence(context, item, appointment.Get(), chosen.Get()) : 0;
  }
  return DeleteSeriesOrSingle(context, item, appointment.Get(), confirm);
}

int DeleteTask(const OperationContext& context, ItemOid item, bool mayBeOccurrence, bool confirm) {
  OutlookSession session;
  if (item == 0 || !session.Logon(context.owner)) return 0;
  platform::ComPtr<ITask> task = session.GetItem<ITask>(item, IID_ITask);
  if (!task) return 0;
  DeleteQuestions questions(context);
  BSTR text = nullptr;
  std::optional<std::u16string> subject;
  if (SUCCEEDED(task->get_Subject(&text))) subject = TakeText(text);
  if (mayBeOccurrence && IsRecurring(task.Get())) {
    int answer = questions.AskTaskOccurrence(subject);
    if (answer == IDYES) return DeleteWithEntry<CPIMTask>(context, item) ? 1 : 0;
    if (answer != IDNO) return 0;
    // The task moves on to its next occurrence; a save of the object then moves its reminder.
    StoreTransaction step(StoreTransaction::Kind::Write);
    if (FAILED(task->SkipRecurrence()) || FAILED(task->Save()) || !step.Commit()) return 1;
    CPIMTask skipped;
    skipped.oid = item;
    if (skipped.Load(context.ItemContextFor())) skipped.Save(context.ItemContextFor());
    return 1;
  }
  if (confirm && !questions.ConfirmItem(subject.value_or(u""), DeleteQuestions::kSubjectShown,
                                        resources::kStringDeleteTask)) {
    return 1;
  }
  return DeleteWithEntry<CPIMTask>(context, item) ? 1 : 0;
}

int DeleteContact(const OperationContext& context, ItemOid item, bool ask, DWORD* wentAhead, bool confirm) {
  OutlookSession session;
  if (item == 0 || !session.Logon(context.owner)) return 0;
  platform::ComPtr<IContact> contact = session.GetItem<IContact>(item, IID_IContact);
  if (!contact) return 0;
  if (ask && confirm &&
      !DeleteQuestions(context).ConfirmItem(ReadText(contact.Get(), &IContact::get_FileAs),
                                            DeleteQuestions::kContactNameShown,
                                            resources::kStringDeleteContact)) {
    if (wentAhead) *wentAhead = 0;
    return 0;
  }
  if (wentAhead) *wentAhead = 1;
  return DeleteWithEntry<CPIMContact>(context, item) ? 1 : 0;
}

}  // namespace calyra
