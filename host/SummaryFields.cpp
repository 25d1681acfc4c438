#include "host/SummaryFields.h"

#include "host/Component.h"
#include "host/OwnResources.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"

namespace calyra {

using namespace resources;

namespace {

std::u16string ReminderText(const CPIMAppointment& appointment) {
  if (!appointment.reminderSet) return SummaryText(kStringSummaryNone);
  if (appointment.reminderMinutes == 1) return SummaryText(kStringSummaryOneMinute);
  return platform::FormatText(SummaryText(kStringSummaryMinutes), {appointment.reminderMinutes});
}

std::u16string PriorityText(int priority) {
  static constexpr UINT kPriorities[] = {kStringSummaryPriorityHigh, kStringSummaryPriorityNormal,
                                         kStringSummaryPriorityLow};
  return priority >= 1 && priority <= 3 ? SummaryText(kPriorities[priority - 1]) : std::u16string();
}

// A value the list would leave out for being empty shows the "none" text, so that every field of an
// appointment or task keeps its row.
std::u16string OrNone(std::u16string text) {
  return text.empty() ? SummaryText(kStringSummaryNone) : text;
}

}  // namespace

std::u16string SummaryText(unsigned id) {
  return ResourceText(Component::Process().Resources(), id);
}

std::u16string SummaryDate(const SYSTEMTIME& date, bool withTime) {
  if (!platform::IsDateSet(date)) return SummaryText(kStringSummaryNone);
  std::u16string text = Component::Process().DateTimeTexts().FormatShortDateFourDigitYear(date);
  if (withTime) text += platform::FormatText(u" %02d:%02d", {date.wHour, date.wMinute});
  return text;
}

std::unique_ptr<lists::FieldTable> AppointmentSummaryFields(ItemOid oid, const ItemContext& context) {
  auto fields = std::make_unique<lists::FieldTable>();
  CPIMAppointment appointment;
  appointment.oid = oid;
  appointment.openScope = kOpenSeries;
  if (!appointment.Load(context)) return fields;
  fields->AddValue(SummaryText(kStringSummarySubject), OrNone(appointment.subject));
  fields->AddValue(SummaryText(kStringSummaryLocation), OrNone(appointment.location));
  fields->AddValue(SummaryText(kStringSummaryStarts), SummaryDate(appointment.start, !appointment.allDay));
  fields->AddValue(SummaryText(kStringSummaryEnds), SummaryDate(appointment.end, !appointment.allDay));
  fields->AddValue(SummaryText(kStringSummaryReminder), ReminderText(appointment));
  fields->AddValue(SummaryText(kStringSummaryCategories), OrNone(appointment.categoriesText));
  return fields;
}

std::unique_ptr<lists::FieldTable> TaskSummaryFields(ItemOid oid, const ItemContext& context) {
  auto fields = std::make_unique<lists::FieldTable>();
  CPIMTask task;
  task.oid = oid;
  if (!task.Load(context)) return fields;
  fields->AddValue(SummaryText(kStringSummarySubject), OrNone(task.subject));
  fields->AddValue(SummaryText(kStringSummaryStarts), SummaryDate(task.start, false));
  fields->AddValue(SummaryText(kStringSummaryDue), SummaryDate(task.due, false));
  fields->AddValue(SummaryText(kStringSummaryPriority), OrNone(PriorityText(task.priority)));
  fields->AddValue(SummaryText(kStringSummaryComplete),
                   SummaryText(task.complete ? kStringSummaryYes : kStringSummaryNo));
  return fields;
}

std::u16string SummaryItemName(ItemKind kind, ItemOid oid, const ItemContext& context) {
  std::unique_ptr<PimItem> item;
  switch (kind) {
    case ItemKind::Appointment:
      item = std::make_unique<CPIMAppointment>();
      break;
    case ItemKind::Task:
      item = std::make_unique<CPIMTask>();
      break;
    case ItemKind::Contact:
      item = std::make_unique<CPIMContact>();
      break;
    default:
      return {};
  }
  item->oid = oid;
  return item->Load(context) ? item->DisplayText() : std::u16string();
}

}  // namespace calyra
